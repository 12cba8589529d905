#include "field.h"
#include "play.h"
#include "runtime.h"

namespace kestrune {

void CheckContacts(forms::Runtime& rt) {
    forms::Form& form = rt.form();
    forms::Control& hero = form.control("Imagetravik");
    for (std::size_t i = 0; i < fieldObjects.size(); ++i) {
        forms::Control& object = form.control(fieldObjects[i]);
        // All four places are read afresh for every object; visibility plays no part.
        const forms::Single objectTop = object.top();
        const forms::Single objectLeft = object.left();
        const forms::Single heroTop = hero.top();
        const forms::Single heroLeft = hero.left();
        const bool sameRow = heroTop == objectTop;
        const bool sameColumn = heroLeft == objectLeft;
        if (!(sameRow && sameColumn)) continue;

        if (i < firstRing) {
            forms::Control& gameStep = form.control("Timergame");
            gameStep.setInterval(forms::addLong(gameStep.interval(), 10));
            forms::Control& checkTick = form.control("Timer1");
            checkTick.setInterval(forms::addLong(checkTick.interval(), 10));
            forms::Control& lives = form.control("Labellife");
            lives.setCaption(
                forms::vbaStrR8(forms::subDouble(forms::rtcR8ValFromBstr(lives.caption()), 1)));
        } else {
            forms::Control& score = form.control("Labelscore");
            score.setCaption(
                forms::vbaStrR8(forms::addDouble(forms::rtcR8ValFromBstr(score.caption()), 50)));
            object.setVisible(forms::False);
        }
    }
}

}  // namespace kestrune
