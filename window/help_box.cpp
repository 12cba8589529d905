#include "runtime.h"
#include "window.h"

namespace kestrune {

// Showing sets the box visible rather than toggling it: a second click leaves it open.
void Command2_Click(forms::Runtime& rt) {
    rt.form().control("Frame1").setVisible(forms::True);
}
void ba_Click(forms::Runtime& rt) {
    rt.form().control("Frame1").setVisible(forms::True);
}

void Command3_Click(forms::Runtime& rt) {
    rt.form().control("Frame1").setVisible(forms::False);
}

}  // namespace kestrune
