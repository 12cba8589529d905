#include <array>
#include <string_view>

#include "field.h"
#include "play.h"
#include "runtime.h"

namespace kestrune {
namespace {

using forms::Control;

constexpr std::array<std::string_view, 8> digits{"0", "1", "2", "3", "4", "5", "6", "7"};

// The new row is the integer part of 8u, passed through the hidden row digit label.
void drawRow(forms::Runtime& rt, Control& object) {
    Control& generator = rt.form().control("Labelgenerator");
    const forms::Single row = forms::vbaFPInt(forms::mulSingle(rt.rtcRandomNext(), 8));
    generator.setCaption(forms::vbaStrR4(row));
    // Every digit is compared, each against the caption read anew.
    for (std::size_t d = 0; d < digits.size(); ++d) {
        if (forms::vbaStrCmp(generator.caption(), digits[d]) == 0) {
            object.setTop(rowTop(static_cast<int>(d)));
        }
    }
}

void reenterIfOut(forms::Runtime& rt, Control& object, bool ring) {
    if (object.left() != exitLeft) return;
    object.setLeft(entryLeft);
    if (ring) object.setVisible(forms::True);
    drawRow(rt, object);
}

void moveLeft(Control& object) {
    object.setLeft(forms::subSingle(object.left(), cellSize));
}

}  // namespace

void Timergame_Timer(forms::Runtime& rt) {
    for (std::size_t i = 0; i < fieldObjects.size(); ++i) {
        Control& object = rt.form().control(fieldObjects[i]);
        const bool ring = i >= firstRing;
        if (fieldObjects[i] == "Image3") {
            // Image3 is tested before it moves: it re-enters in column 10 and spends a step at
            // the exit position.
            reenterIfOut(rt, object, ring);
            moveLeft(object);
        } else {
            moveLeft(object);
            reenterIfOut(rt, object, ring);
        }
    }
}

}  // namespace kestrune
