// The program's embedded pictures, decoded once and scaled once per size.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace forms {

class Runtime;

class PictureCache {
public:
    explicit PictureCache(const Runtime& runtime) : runtime_(runtime) {}

    // The picture file as decoded; a null image when the name is unknown or undecodable.
    QImage image(const std::string& name, const char* format = nullptr);

    // The picture stretched to size, smoothly; a null pixmap when there is no picture.
    QPixmap scaled(const std::string& name, QSize size);

private:
    const Runtime& runtime_;
    std::map<std::string, QImage, std::less<>> images_;
    std::map<std::pair<std::string, std::pair<int, int>>, QPixmap> scaled_;
};

// The bytes of an embedded file, shared, not copied.
QByteArray bytesOf(std::string_view data);

}  // namespace forms
