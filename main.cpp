// Kestrune!!!: steer the hero between the rows, take the rings, dodge the blocks.
#include "thun_rt_main.h"
#include "window.h"

int main() {
    forms::ThunRTMain(kestrune::program());
}
