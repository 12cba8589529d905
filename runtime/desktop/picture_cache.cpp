#include "picture_cache.h"

#include <QPainter>

#include "look.h"
#include "runtime.h"

namespace forms {

QByteArray bytesOf(std::string_view data) {
    return QByteArray::fromRawData(data.data(), qsizetype(data.size()));
}

QImage decodePicture(std::string_view file) {
    using namespace std::literals;
    const char* format = nullptr;
    if (file.starts_with("BM"sv)) format = "BMP";
    if (file.starts_with("\0\0\1\0"sv)) format = "ICO";
    if (file.starts_with("\0\0\2\0"sv)) format = "CUR";
    if (format == nullptr) return {};
    return QImage::fromData(bytesOf(file), format);
}

QImage PictureCache::image(const std::string& name) const {
    return decodePicture(runtime_.picture(name));
}

PictureCache::Stretched PictureCache::scaled(const std::string& name, QSize size,
                                             const QRect& shows) {
    if (name.empty() || size.isEmpty()) return {};
    if (!largerThanAScreen(size)) return {kept(name, size), {}};

    const QRect part = shows & QRect(QPoint(), size);
    const QImage original = image(name);
    if (part.isEmpty() || original.isNull()) return {};
    QImage piece(part.size(), original.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
    piece.fill(Qt::transparent);
    QPainter painter(&piece);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The painter draws only what falls on the piece, however far the rest reaches.
    painter.drawImage(QRect(-part.topLeft(), size), original);
    painter.end();
    return {QPixmap::fromImage(piece), part.topLeft()};
}

QPixmap PictureCache::kept(const std::string& name, QSize size) {
    // Looked up at every paint of every picture, so found without making a key.
    auto sizes = scaled_.find(name);
    if (sizes == scaled_.end()) sizes = scaled_.try_emplace(name).first;
    const std::pair<int, int> key(size.width(), size.height());
    auto found = sizes->second.find(key);
    if (found == sizes->second.end()) {
        const QImage original = image(name);
        QPixmap pixmap;
        if (!original.isNull()) {
            pixmap = QPixmap::fromImage(
                original.size() == size
                    ? original
                    : original.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        }
        found = sizes->second.emplace(key, pixmap).first;
    }
    return found->second;
}

}  // namespace forms
