// A container's surface: the form's client area or a frame.
//
// It paints the container's labels, pictures and lines, back first; buttons and frames are
// child widgets and so stand in front of all of them.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>

#include "control.h"

namespace forms {

class PictureCache;

class Surface : public QWidget {
public:
    Surface(const Control& container, PictureCache& pictures, QWidget* parent);

    const Control& container() const { return container_; }

    // Whether the surface paints this control itself, rather than showing a widget for it.
    static bool paints(const Control& control);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // A control that may show in the region being painted.
    struct Shown {
        const Control* control;
        QRect place;       // where it stands
        QRect covered;     // the pixels it may paint
        QPixmap picture;   // an image's picture, as scaled to its place, or the part that shows
        QPoint pictureAt;  // where that stands
        bool opaque;       // it paints every pixel of its place
    };

    void paintFrame(QPainter& painter) const;
    void paintControl(QPainter& painter, const Shown& item) const;

    const Control& container_;
    PictureCache& pictures_;
};

}  // namespace forms
