# What the game needs to build and run on Debian 12; sourced by the set-up scripts.
GAME_PACKAGES="build-essential cmake ninja-build pkg-config qt6-base-dev qt6-wayland libxcb1-dev libwayland-dev fontconfig fonts-liberation2"
# The Wayland tests run the game on weston, nested in an Xvfb screen that xdotool plays on.
TEST_PACKAGES="$GAME_PACKAGES googletest libgtest-dev clang-format weston xvfb xdotool imagemagick"

install_packages() {
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update
    # shellcheck disable=SC2086
    $sudo apt-get install -y --no-install-recommends "$@"
}
