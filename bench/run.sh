#!/usr/bin/env bash
# Builds and runs the benchmarks: engine conversions per second, the
# conversion screen's entry cycle, start-up and "Make Table", and the
# command-line converter on 100,000 lines.
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
start=$(date +%s.%N)
"$build/app/tintwise-convert" to-munsell --table data/Muncie.dat < "$input" > /dev/null || true
end=$(date +%s.%N)
echo "tintwise-convert to-munsell, 100000 lines: $(echo "$end - $start" | bc) s"
