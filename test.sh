#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test with CTest,
# builds and tries the Debian package, runs the whole suite again under the
# sanitizers, and runs each fuzzer for a while where clang is installed.
# Fails on any failure.
set -euo pipefail
cd "$(dirname "$0")"

# CUPS and its PDF printer serve the end-to-end printing test.
# The package test needs the Debian packaging tools and AppStream's validator.
./scripts/install-deps.sh cups printer-driver-cups-pdf dpkg-dev appstream
./scripts/start-pdf-printer.sh || echo "The end-to-end printing test will skip."

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTW_WITH_QT=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The Debian package: built, unpacked into a scratch root, started there.
./scripts/test-package.sh build

# The whole suite again - windows, instruments on real pseudo-terminals and
# all - under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer
# (float-to-integer overflow included). Any report fails the run.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTW_WITH_QT=ON -DTW_SANITIZE=ON -DTW_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

# Each fuzzer for a bounded time, where clang is installed.
./scripts/fuzz.sh 20
