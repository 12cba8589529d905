#include "runtime.h"
#include "window.h"

namespace kestrune {
namespace {

using forms::False;
using forms::True;

void newGame(forms::Form& form) {
    form.control("Imagelogo").setVisible(False);
    form.control("Imagetravik").setVisible(True);
    // Each timer is enabled before its period is set: no tick at the old period falls between.
    form.control("Timer1").setEnabled(True);
    form.control("Timer1").setInterval(600);
    form.control("Timergame").setEnabled(True);
    form.control("Timergame").setInterval(600);
    form.control("Timerplusspeed").setEnabled(True);
    form.control("Commandup").setEnabled(True);
    form.control("Commanddown").setEnabled(True);
    form.control("Labelscore").setCaption("0");
    form.control("Labellife").setCaption("3");
    form.control("Commandcontinue").setEnabled(False);
    form.control("Commandstop").setEnabled(True);
    form.control("Imagetravik").setTop(120);
}

// Pause and continue write the same seven properties, with opposite values.
void setRunning(forms::Form& form, forms::Boolean running) {
    const forms::Boolean paused = running == True ? False : True;
    form.control("Timergame").setEnabled(running);
    form.control("Timerplusspeed").setEnabled(running);
    form.control("Timer1").setEnabled(running);
    form.control("Commandup").setEnabled(running);
    form.control("Commanddown").setEnabled(running);
    form.control("Commandstop").setEnabled(running);
    form.control("Commandcontinue").setEnabled(paused);
}

}  // namespace

void Command1_Click(forms::Runtime& rt) {
    newGame(rt.form());
}
void aa_Click(forms::Runtime& rt) {
    newGame(rt.form());
}

void Commandstop_Click(forms::Runtime& rt) {
    setRunning(rt.form(), False);
}
void ab_Click(forms::Runtime& rt) {
    setRunning(rt.form(), False);
}

void Commandcontinue_Click(forms::Runtime& rt) {
    setRunning(rt.form(), True);
}
void ac_Click(forms::Runtime& rt) {
    setRunning(rt.form(), True);
}

}  // namespace kestrune
