// How the runtime's units, colours and fonts look on the desktop.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

#include <string>

#include "control.h"

namespace forms {

// Twips to logical pixels: 15 twips a pixel, rounded, negative places included. Places past a
// million pixels either way are taken as a million, and NaN as 0.
int pixels(Single twips);

// Whether a picture or a button face of this size holds more pixels than a 4K screen. Such
// sizes come only from stray places; a copy of one made whole could take gigabytes, so just the
// part that shows is made.
bool largerThanAScreen(QSize size);

// &H00BBGGRR& as a colour.
QColor colour(Colour value);

// The class defaults for controls that store no colour.
QColor defaultBackColor();
QColor defaultForeColor();

// The control's stored font, or the window's default font (Liberation Sans, 11 pixels).
// Sizes are in pixels, so the layout does not follow the screen's DPI; they run from 1 to 4096.
QFont fontOf(const Control::Values& values);
QFont defaultFont();

// The control's place in its container, in pixels; for a line, the rectangle it covers.
QRect placeOf(const Control& control);

// The pixels a painted control covers when shown, or an empty rectangle when it is hidden.
QRect paintedPlace(const Control& control);

QString qtext(const std::string& utf8);

}  // namespace forms
