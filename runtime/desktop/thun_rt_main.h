// The program's entry point on the desktop.
#pragma once

#include "program.h"

namespace forms {

// Opens the program's window, raises its Load, and runs it until the window closes. Ends the
// process: status 0 when the player closes the window, 1 when there is no display, the
// program cannot start, or a run-time error stops it.
[[noreturn]] void ThunRTMain(const ProgramDescription& program);

}  // namespace forms
