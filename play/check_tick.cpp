#include "field.h"
#include "play.h"
#include "runtime.h"

namespace kestrune {
namespace {

constexpr forms::Long periodFloor = 20;

void floorPeriod(forms::Control& timer) {
    if (timer.interval() <= periodFloor) timer.setInterval(periodFloor);
}

}  // namespace

void Timer1_Timer(forms::Runtime& rt) {
    forms::Form& form = rt.form();
    forms::Control& gameStep = form.control("Timergame");
    forms::Control& checkTick = form.control("Timer1");
    floorPeriod(gameStep);
    floorPeriod(checkTick);
    form.control("Labeltimer").setCaption(forms::vbaStrI4(gameStep.interval()));

    const forms::Double lives =
        forms::vbaFpR8(forms::rtcR8ValFromBstr(form.control("Labellife").caption()));
    if (lives <= 0) {
        form.control("Imagetravik").setTop(rowTop(0));
        gameStep.setEnabled(forms::False);
        form.control("Timerplusspeed").setEnabled(forms::False);
        form.control("Commandup").setEnabled(forms::False);
        form.control("Commanddown").setEnabled(forms::False);
        form.control("Commandstop").setEnabled(forms::False);
        form.control("Commandcontinue").setEnabled(forms::False);
        form.control("Command1").setEnabled(forms::True);
        // Stopping the check timer does not cut this tick short: the contact check still runs.
        checkTick.setEnabled(forms::False);
    }
    CheckContacts(rt);
}

}  // namespace kestrune
