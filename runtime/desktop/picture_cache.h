// The program's embedded pictures, scaled once per size.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QRect>
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

    // The picture stretched to size, smoothly: the whole stretched copy, made once a size and
    // kept; or, where that copy would be larger than a screen, just the part `shows` (in the
    // stretched picture's pixels), made afresh each time. A null pixmap when there is no
    // picture or none of it shows.
    struct Stretched {
        QPixmap pixmap;
        QPoint at;  // where the pixmap stands in the stretched picture
    };
    Stretched scaled(const std::string& name, QSize size, const QRect& shows);

private:
    // A stretched copy made whole, once a size. Only the copy is kept: the title picture at full
    // size is several megabytes.
    QPixmap kept(const std::string& name, QSize size);

    const Runtime& runtime_;
    std::map<std::string, std::map<std::pair<int, int>, QPixmap>, std::less<>> scaled_;
};

// The bytes of an embedded file, shared, not copied.
QByteArray bytesOf(std::string_view data);

// A picture file decoded as the format its first bytes name (bitmap, icon or cursor); a null
// image for anything else. Naming the format spares Qt from loading every image plugin to ask.
QImage decodePicture(std::string_view file);

}  // namespace forms
