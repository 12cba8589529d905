// Opening the window system: Qt ends the process with abort() when its platform cannot start
// (no plugin of that name, no display behind it, no screen), leaving a core file and a page of
// notes. While a guard stands, such an end is one line on standard error and status 1 instead.
#pragma once

#include <string>

namespace forms {

class PlatformStartGuard {
public:
    // failure: the line's opening; the first note Qt gave on the way, or its last word, follows
    // it after a colon. Qt's notes of a start that succeeds are passed on when the guard ends.
    // One guard stands at a time: making another while one stands throws std::logic_error.
    explicit PlatformStartGuard(std::string failure);
    ~PlatformStartGuard();

    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;
};

}  // namespace forms
