#include "look.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace forms {
namespace {

constexpr double twipsPerPixel = 15.0;
constexpr double pixelsPerPoint = 96.0 / 72.0;

// A million pixels either way is far off any screen, yet a rectangle's edges and sizes, and
// the sum of two, stay well inside QRect's int arithmetic.
constexpr double farthestPixel = 1'000'000.0;

// A letter a few screens tall shows no more than one a screen tall, and Qt's font engines are
// not made for larger ones.
constexpr double largestFontPixels = 4096.0;

QString familyFor(const std::string& name) {
    // The old bitmap face is not on Linux; Liberation Sans has its metrics and Cyrillic.
    if (name.empty() || name == "MS Sans Serif") return QStringLiteral("Liberation Sans");
    return qtext(name);
}

QFont makeFont(const QString& family, Single points, bool bold) {
    QFont font(family);
    // A NaN size reads as the smallest.
    const double size = std::isnan(points) ? 1.0 : points * pixelsPerPoint;
    font.setPixelSize(qRound(std::clamp(size, 1.0, largestFontPixels)));
    font.setBold(bold);
    return font;
}

}  // namespace

int pixels(Single twips) {
    // A handler can write any Single to a place; NaN stands nowhere in particular, so at 0.
    if (std::isnan(twips)) return 0;
    return qRound(std::clamp(twips / twipsPerPixel, -farthestPixel, farthestPixel));
}

bool largerThanAScreen(QSize size) {
    constexpr qint64 screenful = qint64{4096} * 2160;
    return qint64(size.width()) * size.height() > screenful;
}

QColor colour(Colour value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor defaultBackColor() {
    return QColor(0xF0, 0xF0, 0xF0);
}

QColor defaultForeColor() {
    return Qt::black;
}

QFont fontOf(const Control::Values& values) {
    if (!values.font) return defaultFont();
    return makeFont(familyFor(values.font->name), values.font->size, values.font->bold);
}

QFont defaultFont() {
    return makeFont(QStringLiteral("Liberation Sans"), 8.25f, false);
}

QRect placeOf(const Control& control) {
    const Control::Values& v = control.values();
    if (control.controlClass() == ControlClass::Line) {
        const QPoint from(pixels(v.x1), pixels(v.y1));
        const QPoint to(pixels(v.x2), pixels(v.y2));
        return QRect(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                     QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y())));
    }
    return QRect(pixels(v.left), pixels(v.top), pixels(v.width), pixels(v.height));
}

QRect paintedPlace(const Control& control) {
    if (control.values().visible == False) return {};
    const QRect place = placeOf(control);
    // A line's rectangle holds its end points; the pen covers one pixel more each way.
    return control.controlClass() == ControlClass::Line ? place.adjusted(0, 0, 1, 1) : place;
}

QString qtext(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

}  // namespace forms
