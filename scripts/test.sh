#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: all tests in the normal build, then the
# core library's tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

build="${QUORVEL_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
ctest --test-dir "$build" --output-on-failure -j "$jobs"

asan="${QUORVEL_ASAN_BUILD_DIR:-$root/build-asan}"
if [ ! -f "$asan/build.ninja" ]; then
    cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON \
        -DQUORVEL_BUILD_GUI=OFF -DQUORVEL_BUILD_BENCH=OFF
fi
cmake --build "$asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$asan" --output-on-failure -j "$jobs"
