#include "picture_cache.h"

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

QPixmap PictureCache::scaled(const std::string& name, QSize size) {
    if (name.empty() || size.isEmpty()) return {};
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
