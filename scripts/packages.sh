# What the game needs to build and run on Debian 12; sourced by the set-up scripts.
GAME_PACKAGES="build-essential cmake ninja-build pkg-config qt6-base-dev libxcb1-dev fontconfig fonts-liberation2"
TEST_PACKAGES="$GAME_PACKAGES googletest libgtest-dev"

install_packages() {
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update
    # shellcheck disable=SC2086
    $sudo apt-get install -y --no-install-recommends "$@"
}
