#include "picture_cache.h"

#include "runtime.h"

namespace forms {

QByteArray bytesOf(std::string_view data) {
    return QByteArray::fromRawData(data.data(), qsizetype(data.size()));
}

QImage PictureCache::image(const std::string& name, const char* format) {
    auto found = images_.find(name);
    if (found == images_.end()) {
        found =
            images_.emplace(name, QImage::fromData(bytesOf(runtime_.picture(name)), format)).first;
    }
    return found->second;
}

QPixmap PictureCache::scaled(const std::string& name, QSize size) {
    if (name.empty() || size.isEmpty()) return {};
    const auto key = std::make_pair(name, std::make_pair(size.width(), size.height()));
    auto found = scaled_.find(key);
    if (found == scaled_.end()) {
        const QImage original = image(name);
        QPixmap pixmap;
        if (!original.isNull()) {
            pixmap = QPixmap::fromImage(
                original.size() == size
                    ? original
                    : original.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        }
        found = scaled_.emplace(key, pixmap).first;
    }
    return found->second;
}

}  // namespace forms
