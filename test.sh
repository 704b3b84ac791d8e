#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test with CTest,
# builds the Debian package of that build, checks it (lintian, the desktop
# entry, the AppStream metadata, the man pages) and tries it, runs the whole
# suite again under the sanitizers, and runs each fuzzer for a while where
# clang is installed. Fails on any failure.
set -euo pipefail
cd "$(dirname "$0")"

# CUPS and its PDF printers serve the end-to-end printing tests.
# The package test needs the Debian packaging tools, Debian's checker, the
# desktop entry, AppStream and man page checkers, and xprop for the window.
./scripts/install-deps.sh cups printer-driver-cups-pdf \
    dpkg-dev debhelper lintian desktop-file-utils appstream mandoc groff-base x11-utils
./scripts/start-pdf-printer.sh || echo "The end-to-end printing tests will skip."

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen

# The tests run on the build the package is made of: a release build with the
# hardening flags dpkg-buildflags gives, as debian/rules asks for them (CMake
# has no CPPFLAGS: they go with the compiler flags). Given on the command
# line, they also reach a tree configured before.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTW_WITH_QT=ON \
    "-DCMAKE_CXX_FLAGS=$(flags CXXFLAGS) $(flags CPPFLAGS)" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(flags LDFLAGS)" >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The Debian package of that build: built with dpkg-buildpackage (left in
# build/deb), checked, unpacked into a scratch root and started there.
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
