#!/usr/bin/env bash
# Installs what the tests need, builds the game and runs every test: once as released, once
# with AddressSanitizer and UndefinedBehaviorSanitizer. Here, unlike a plain build, every
# warning is an error.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
install_packages $TEST_PACKAGES
jobs=$(nproc)

# Every C++ file as the project's .clang-format lays it out.
find main.cpp assets bench play runtime tests window \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' \) -print0 | xargs -0 clang-format --dry-run --Werror

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRUNE_SANITIZE=ON -DBUILD_TESTING=ON \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build/sanitize -j "$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
