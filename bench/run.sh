#!/usr/bin/env bash
# Builds and runs the benchmarks: engine conversions per second, the
# conversion screen's entry cycle, start-up and "Make Table", the image
# palette, the 3D viewer's redraw and palette load, and the command-line
# converter on 100,000 lines.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTW_WITH_QT=${TW_WITH_QT:-ON} >/dev/null
cmake --build "$build" >/dev/null

"$build/bench/engine_bench" --benchmark_min_time=0.5
# The conversion screen on offscreen widgets: the Munsell entry cycle,
# start-up to the first converted colour, and "Make Table".
if [ -x "$build/bench/screen_bench" ]; then
    "$build/bench/screen_bench" --benchmark_min_time=0.5
fi
# The image palette of a 1000 x 1000 picture at granularity 10 (10,000
# blocks), and a block's conversion and palette append on their own.
if [ -x "$build/bench/imaging_bench" ]; then
    "$build/bench/imaging_bench" --benchmark_min_time=0.5
fi
# The 3D viewer: one redraw at 100 to 10000 dots (it redraws every 10 ms),
# and a 10000-row palette load.
if [ -x "$build/bench/viewer_bench" ]; then
    "$build/bench/viewer_bench" --benchmark_min_time=0.5
fi
# The chart windows: hue page fill, value page drawing, tolerance set
# rebuild, ColorChecker fill, and the Munsell entry cycle with all four on.
if [ -x "$build/bench/charts_bench" ]; then
    "$build/bench/charts_bench" --benchmark_min_time=0.5
fi

# 100,000 X Y Z lines spread over the Munsell solid (illuminant C).
input=$(mktemp)
trap 'rm -f "$input"' EXIT
awk 'BEGIN { srand(7); for (i = 0; i < 100000; i++) {
        Y = 3 + 80 * rand(); x = 0.25 + 0.15 * rand(); y = 0.27 + 0.15 * rand();
        printf "%.4f %.4f %.4f\n", x * Y / y, Y, (1 - x - y) * Y / y } }' > "$input"
for mode in "" "--exact"; do
    start=$(date +%s.%N)
    "$build/app/tintwise-convert" to-munsell $mode --table data/Muncie.dat < "$input" > /dev/null 2>&1 || true
    end=$(date +%s.%N)
    echo "tintwise-convert to-munsell $mode, 100000 lines: $(echo "$end - $start" | bc) s," \
        "$(echo "100000 / ($end - $start)" | bc) lines/s"
done

# The batch import: type "3" step lists of 10,000 and 40,000 records through
# the conversion screen, shown, with the peak memory after each.
if [ -x "$build/bench/batch_bench" ]; then
    "$build/bench/batch_bench"
fi
# The same 10,000 records through `tintwise-convert import 3`, start-up of
# the offscreen screen included.
if "$build/app/tintwise-convert" --help | grep -q '^  import'; then
    folder=$(mktemp -d)
    cp data/Muncie.dat "$folder/"
    awk 'BEGIN { split("R YR Y GY G BG B PB P RP", h, " ");
            for (i = 0; i < 10000; i++)
                printf "%g%s\t%d\t%d\r\n", 2.5 * (1 + i % 4), h[1 + int(i / 4) % 10],
                    1 + int(i / 40) % 9, 2 + 2 * (int(i / 360) % 7) }' > "$folder/steps.txt"
    start=$(date +%s.%N)
    (cd "$folder" && "$OLDPWD/$build/app/tintwise-convert" import 3 >/dev/null 2>&1)
    end=$(date +%s.%N)
    echo "tintwise-convert import 3, 10000 records: $(echo "$end - $start" | bc) s"
    rm -rf "$folder"
fi
