#include "surface.h"

#include <QPaintEvent>
#include <QPainter>

#include <ranges>

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
    QPainter painter(this);
    painter.fillRect(event->rect(), backColorOf(container_.values()));
    if (container_.controlClass() == ControlClass::Frame) paintFrame(painter);
    for (const Control* control : container_.children() | std::views::reverse) {
        if (!paints(*control) || control->values().visible == False) continue;
        // A line's rectangle holds its end points; the pen covers them and no more.
        if (!event->region().intersects(placeOf(*control).adjusted(0, 0, 1, 1))) continue;
        paintControl(painter, *control);
    }
}

void Surface::paintFrame(QPainter& painter) const {
    const Control::Values& v = container_.values();
    const QFont font = fontOf(v);
    const QFontMetrics metrics(font);
    const QString caption = qtext(v.caption);
    const int borderTop = caption.isEmpty() ? 0 : metrics.height() / 2;

    // Etched: a shadow line with a light line just inside and below it.
    const QRect box = rect().adjusted(0, borderTop, -1, -1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(box.adjusted(1, 1, 0, 0));

    if (caption.isEmpty()) return;
    const QRect text(captionIndent, 0, metrics.horizontalAdvance(caption), metrics.height());
    painter.fillRect(text.adjusted(-captionGap, 0, captionGap, 0), backColorOf(v));
    painter.setFont(font);
    painter.setPen(foreColorOf(v));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
}

void Surface::paintControl(QPainter& painter, const Control& control) const {
    const Control::Values& v = control.values();
    const QRect place = placeOf(control);
    switch (control.controlClass()) {
        case ControlClass::Label:
            painter.fillRect(place, backColorOf(v));
            painter.setFont(fontOf(v));
            painter.setPen(foreColorOf(v));
            painter.drawText(place, alignmentFlags(v.alignment) | Qt::AlignTop | Qt::TextWordWrap,
                             qtext(v.caption));
            break;
        case ControlClass::Image: {
            const QPixmap picture = pictures_.scaled(v.picture, place.size());
            if (!picture.isNull()) painter.drawPixmap(place.topLeft(), picture);
            break;
        }
        case ControlClass::Line: {
            QPen pen(v.borderColor ? colour(*v.borderColor) : QColor(Qt::black));
            pen.setCosmetic(true);
            painter.setPen(pen);
            painter.drawLine(QPoint(pixels(v.x1), pixels(v.y1)),
                             QPoint(pixels(v.x2), pixels(v.y2)));
            break;
        }
        default:
            break;
    }
}

}  // namespace forms
