#include "play.h"
#include "runtime.h"

namespace kestrune {

void Timerplusspeed_Timer(forms::Runtime& rt) {
    forms::Form& form = rt.form();
    forms::Control& gameStep = form.control("Timergame");
    gameStep.setInterval(forms::subLong(gameStep.interval(), 2));
    forms::Control& checkTick = form.control("Timer1");
    checkTick.setInterval(forms::subLong(checkTick.interval(), 2));
}

}  // namespace kestrune
