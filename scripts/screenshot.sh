#!/usr/bin/env bash
# Takes a screenshot of the real game window on Xvfb, with a window manager for the title bar.
#   scripts/screenshot.sh [out.png] [action...]
# Each action is a key (xdotool names, e.g. alt+q), "click:X,Y" (a click at window pixel X,Y)
# or "wait:S" (S seconds); they run one by one before the shot, half a second apart.
# With no arguments it takes docs/idle.png, the window at start, from build/release.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/idle.png}
[ $# -gt 0 ] && shift
binary=${KESTRUNE_BINARY:-build/release/kestrune}
if ! command -v xvfb-run >/dev/null || ! command -v import >/dev/null || ! command -v xdotool >/dev/null; then
    . scripts/packages.sh
    install_packages xvfb xauth imagemagick openbox xdotool
fi
xvfb-run -a -s "-screen 0 640x480x24" bash -c '
    set -e
    out=$1; binary=$2; shift 2
    openbox >/dev/null 2>&1 &
    sleep 1
    "$binary" &
    game=$!
    for _ in $(seq 50); do
        id=$(xdotool search --name "^Kestrune!!!$" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && break
        sleep 0.1
    done
    xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
    sleep 0.5
    for action in "$@"; do
        case "$action" in
            click:*) xy=${action#click:}
                     xdotool mousemove --window "$id" "${xy%,*}" "${xy#*,}" click 1 ;;
            wait:*) sleep "${action#wait:}" ;;
            *) xdotool key "$action" ;;
        esac
        sleep 0.5
    done
    import -window "$id" -frame "$out"
    kill "$game"
' _ "$out" "$binary" "$@"
echo "wrote $out"
