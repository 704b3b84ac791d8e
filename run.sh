#!/usr/bin/env bash
# Installs what is missing, builds the program, prepares a working folder
# seeded with the shipped data files and starts Tintwise there. Without a
# display toolkit build (TW_WITH_QT=OFF) it runs a short demo of the
# command-line converter.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

./scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
with_qt="${TW_WITH_QT:-ON}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTW_WITH_QT="$with_qt" >/dev/null
# Only what this script starts: the program (or, without Qt, the converter).
# The tests and benchmarks are built by test.sh and bench/run.sh.
targets=(tintwise-convert)
if [ "$with_qt" = ON ]; then
    targets+=(tintwise)
fi
cmake --build build -j "$jobs" --target "${targets[@]}"

# The program opens its files by bare name in its working directory: give it
# a folder of its own, seeded with the data files (existing files, such as a
# palette or the settings file, are kept).
work="${TINTWISE_HOME:-$root/run}"
mkdir -p "$work"
for f in data/Muncie.dat data/ccnames.csv data/TestImage.jpg; do
    if [ -f "$f" ] && [ ! -f "$work/$(basename "$f")" ]; then
        cp "$f" "$work/"
    fi
done
# The renotation data always follows the shipped copy.
cp data/Muncie.dat "$work/Muncie.dat"
cd "$work"

if [ -x "$root/build/app/tintwise" ]; then
    exec "$root/build/app/tintwise" "$@"
fi

echo "Tintwise command-line converter demo (working folder: $work)"
echo
echo "Munsell to CIE XYZ, illuminant C:  5R 5/10, 2.5YR 6/4, 5PB 4/8"
printf '5R 5/10\n2.5YR 6/4\n5PB 4/8\n' | "$root/build/app/tintwise-convert" to-xyz
echo
echo "CIE XYZ to Munsell:  X Y Z"
printf '24.2 19.77 19.0\n30 20 10\n' | "$root/build/app/tintwise-convert" to-munsell
