#include "surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <iterator>
#include <tuple>
#include <utility>
#include <vector>

#include "look.h"
#include "picture_cache.h"

namespace forms {
namespace {

// Where a frame's caption starts, and the blank either side of it that breaks the border.
constexpr int captionIndent = 8;
constexpr int captionGap = 2;

int alignmentFlags(Long alignment) {
    switch (alignment) {
        case 1:
            return Qt::AlignRight;
        case 2:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
    }
}

QColor backColorOf(const Control::Values& values) {
    return values.backColor ? colour(*values.backColor) : defaultBackColor();
}

QColor foreColorOf(const Control::Values& values) {
    return values.foreColor ? colour(*values.foreColor) : defaultForeColor();
}

// The region's rectangles, with those of one column that touch joined into one: Qt cuts a
// region into bands, so two pictures that overlap by a pixel row leave slivers a pixel high,
// and each rectangle costs a round of drawing calls.
std::vector<QRect> columnsOf(const QRegion& region) {
    std::vector<QRect> rects(region.begin(), region.end());
    std::ranges::sort(rects, {},
                      [](const QRect& r) { return std::tuple(r.x(), r.width(), r.y()); });
    std::vector<QRect> columns;
    for (const QRect& rect : rects) {
        if (!columns.empty() && columns.back().x() == rect.x() &&
            columns.back().width() == rect.width() && columns.back().bottom() + 1 == rect.y()) {
            columns.back().setBottom(rect.bottom());
        } else {
            columns.push_back(rect);
        }
    }
    return columns;
}

// A line is one pixel of the form thick, at any scale of the screen: a pen of one device pixel
// would leave a seam between a frame line and what it borders on a screen of twice the density.
void paintLine(QPainter& painter, const Control& line, const QRect& place) {
    const Control::Values& v = line.values();
    const QColor colour = v.borderColor ? forms::colour(*v.borderColor) : QColor(Qt::black);
    // Level and upright lines cover exactly the pixels between their ends, as at one to one.
    if (place.width() == 1 || place.height() == 1) {
        painter.fillRect(place, colour);
        return;
    }
    const QPointF from(pixels(v.x1), pixels(v.y1));
    const QPointF to(pixels(v.x2), pixels(v.y2));
    if (!painter.deviceTransform().isScaling()) {
        QPen pen(colour);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawLine(from, to);
        return;
    }
    // Scaled, a slanting line is a pen a pixel of the form wide through the middle of the
    // pixels it passes, where one to one it runs along their corners.
    QPen pen(colour, 1.0, Qt::SolidLine, Qt::SquareCap);
    painter.setPen(pen);
    const QPointF middle(0.5, 0.5);
    painter.drawLine(from + middle, to + middle);
}

// The pixels along the rectangle's edges, one pixel of the form thick at any density of screen.
void outline(QPainter& painter, const QRect& rect, const QColor& colour) {
    painter.fillRect(QRect(rect.topLeft(), QSize(rect.width(), 1)), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.topLeft(), QSize(1, rect.height())), colour);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), colour);
}

}  // namespace

Surface::Surface(const Control& container, PictureCache& pictures, QWidget* parent)
    : QWidget(parent), container_(container), pictures_(pictures) {
    setObjectName(qtext(container.name()));
    // Every pixel is painted here, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool Surface::paints(const Control& control) {
    switch (control.controlClass()) {
        case ControlClass::Label:
        case ControlClass::Image:
        case ControlClass::Line:
            return true;
        default:
            return false;
    }
}

void Surface::paintEvent(QPaintEvent* event) {
    // What may show in the region, back first (reverse iterators, as clang 14 cannot take
    // libstdc++ 12's views::reverse).
    const QRect bounds = event->rect();
    std::vector<Shown> shown;
    const std::vector<Control*>& children = container_.children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        const Control* control = *it;
        if (!paints(*control) || control->values().visible == False) continue;
        Shown item{control, placeOf(*control), paintedPlace(*control), {}, {}, false};
        if (!item.covered.intersects(bounds)) continue;
        switch (control->controlClass()) {
            case ControlClass::Label:
                item.opaque = true;  // a label always paints its back colour
                break;
            case ControlClass::Image: {
                const QRect shows = (item.place & bounds).translated(-item.place.topLeft());
                auto [picture, at] =
                    pictures_.scaled(control->values().picture, item.place.size(), shows);
                item.picture = std::move(picture);
                item.pictureAt = item.place.topLeft() + at;
                item.opaque = !item.picture.isNull() && !item.picture.hasAlphaChannel();
                break;
            }
            default:
                break;
        }
        shown.push_back(std::move(item));
    }

    QPainter painter(this);
    const QColor back = backColorOf(container_.values());
    const bool frame = container_.controlClass() == ControlClass::Frame;
    // One rectangle of the region at a time, each as the painter's clip: Qt blits a picture
    // under a rectangular clip at once, but under a clip of many rectangles it goes span by
    // span and hands the spans to its thread pool, which costs far more than the copy.
    for (const QRect& area : columnsOf(event->region())) {
        painter.setClipRect(area);
        // Nothing behind a label or picture that fills the whole area can show: the sky
        // behind the field hides the back colour, and the objects hide the sky.
        const auto cover = std::find_if(shown.rbegin(), shown.rend(), [&](const Shown& item) {
            return item.opaque && item.place.contains(area);
        });
        const auto first = cover == shown.rend() ? shown.begin() : std::prev(cover.base());
        if (cover == shown.rend()) {
            painter.fillRect(area, back);
            if (frame) paintFrame(painter);
        }
        for (auto item = first; item != shown.end(); ++item) {
            if (item->covered.intersects(area)) paintControl(painter, *item);
        }
    }
}

void Surface::paintFrame(QPainter& painter) const {
    const Control::Values& v = container_.values();
    const QFont font = fontOf(v);
    const QFontMetrics metrics(font);
    const QString caption = qtext(v.caption);
    const int borderTop = caption.isEmpty() ? 0 : metrics.height() / 2;

    // Etched: a shadow line with a light line just inside and below it.
    const QRect box = rect().adjusted(0, borderTop, 0, 0);
    outline(painter, box.adjusted(0, 0, -1, -1), palette().color(QPalette::Dark));
    outline(painter, box.adjusted(1, 1, 0, 0), palette().color(QPalette::Light));

    if (caption.isEmpty()) return;
    const QRect text(captionIndent, 0, metrics.horizontalAdvance(caption), metrics.height());
    painter.fillRect(text.adjusted(-captionGap, 0, captionGap, 0), backColorOf(v));
    painter.setFont(font);
    painter.setPen(foreColorOf(v));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
}

void Surface::paintControl(QPainter& painter, const Shown& item) const {
    const Control::Values& v = item.control->values();
    const QRect& place = item.place;
    switch (item.control->controlClass()) {
        case ControlClass::Label:
            painter.fillRect(place, backColorOf(v));
            // A blank label, such as the field's margin strip, is only its back colour.
            if (v.caption.empty()) break;
            painter.setFont(fontOf(v));
            painter.setPen(foreColorOf(v));
            painter.drawText(place, alignmentFlags(v.alignment) | Qt::AlignTop | Qt::TextWordWrap,
                             qtext(v.caption));
            break;
        case ControlClass::Image:
            if (!item.picture.isNull()) painter.drawPixmap(item.pictureAt, item.picture);
            break;
        case ControlClass::Line:
            paintLine(painter, *item.control, place);
            break;
        default:
            break;
    }
}

}  // namespace forms
