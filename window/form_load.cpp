#include "runtime.h"
#include "window.h"

namespace kestrune {

void Form_Load(forms::Runtime& rt) {
    rt.rtcRandomize();
}

}  // namespace kestrune
