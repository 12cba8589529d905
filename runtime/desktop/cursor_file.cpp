#include "cursor_file.h"

#include <QImage>
#include <QPixmap>
#include <QtEndian>

#include "picture_cache.h"

namespace forms {
namespace {

// The 6-byte file header, then the first 16-byte directory entry: its hot spot x and y are
// where an icon's entry keeps its planes and bit count.
constexpr std::size_t hotSpotX = 10;
constexpr std::size_t hotSpotY = 12;
constexpr std::size_t directoryEnd = 6 + 16;

}  // namespace

std::optional<QPoint> cursorHotSpot(std::string_view cur) {
    if (cur.size() < directoryEnd) return std::nullopt;
    const auto word = [cur](std::size_t at) {
        return int(qFromLittleEndian<quint16>(cur.data() + at));
    };
    return QPoint(word(hotSpotX), word(hotSpotY));
}

std::optional<QCursor> cursorFrom(std::string_view cur) {
    const auto hotSpot = cursorHotSpot(cur);
    if (!hotSpot) return std::nullopt;
    QImage image = QImage::fromData(bytesOf(cur), "CUR");
    if (image.isNull()) image = QImage::fromData(bytesOf(cur), "ICO");
    if (image.isNull()) return std::nullopt;
    return QCursor(QPixmap::fromImage(image), hotSpot->x(), hotSpot->y());
}

}  // namespace forms
