#!/usr/bin/env bash
# Installs what the benchmarks need, builds them and runs them all, those that need a window
# on Xvfb; each prints its figures as a table.
#   scripts/bench.sh [seconds a state is measured, 10 unless given]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
. scripts/packages.sh
install_packages $GAME_PACKAGES xvfb xauth >/dev/null
# A build of its own, as released, without the tests.
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench --target benchmarks -j "$(nproc)"
bench=build/bench/bench

echo "## A whole game on the simulated clock"; echo
"$bench/simulated_game"; echo
echo "## The real clock on its own"; echo
"$bench/timer_accuracy"; echo

on_xvfb() { xvfb-run -a -s "-screen 0 640x480x24" "$@"; }
echo "## Start-up"; echo
on_xvfb "$bench/startup" 21; echo
echo "## The running game"; echo
on_xvfb "$bench/running_game" "$seconds"; echo
echo "## Repaint after one game step"; echo
on_xvfb "$bench/repaint"
