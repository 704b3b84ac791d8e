#!/usr/bin/env bash
# The whole suite built with the second compiler, clang, under
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer (a Debug
# build), every test run once. Too long to ride along with ./test.sh on a
# two-core machine; run it before a release and after changes to the engine,
# the cycle or the readers. Any failure or sanitizer report fails it.
#   scripts/clang-sanitized.sh        (build folder build-clang)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh clang libclang-rt-dev
build=build-clang
jobs=$(nproc 2>/dev/null || echo 2)
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTW_WITH_QT=ON -DTW_SANITIZE=ON -DTW_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    QT_QPA_PLATFORM=offscreen \
    ctest --test-dir "$build" --output-on-failure -j "$jobs"
