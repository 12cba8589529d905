// The program's embedded pictures, scaled once per size.
#pragma once

#include <QByteArray>
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
    QImage image(const std::string& name) const;

    // The picture stretched to size, smoothly; a null pixmap when there is no picture. Only
    // the scaled copy is kept: the title picture at full size is several megabytes.
    QPixmap scaled(const std::string& name, QSize size);

private:
    const Runtime& runtime_;
    std::map<std::string, std::map<std::pair<int, int>, QPixmap>, std::less<>> scaled_;
};

// The bytes of an embedded file, shared, not copied.
QByteArray bytesOf(std::string_view data);

// A picture file decoded as the format its first bytes name (bitmap, icon or cursor); a null
// image for anything else. Naming the format spares Qt from loading every image plugin to ask.
QImage decodePicture(std::string_view file);

}  // namespace forms
