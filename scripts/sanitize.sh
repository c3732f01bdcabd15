#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UBSan into ./build-asan (no benchmarks) and runs
# the suite there. A sanitizer finding ends the test program, so its test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
source scripts/ccache.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1" -DTRAINBOOK_SANITIZE=ON "${CCACHE_ARGS[@]}" >/dev/null
cmake --build build-asan --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-asan --output-on-failure --timeout 900 -j2 -LE slow
