#!/usr/bin/env bash
# The converter's speed on 1,000,000 lines of X Y Z (to-munsell) and of
# notations (to-xyz), spread over the Munsell solid: the best of three runs
# of each, in CPU seconds (user + system) and wall seconds, output into a
# regular file. With BEFORE=path/to/another/tintwise-convert the same runs
# of that program too, and the ratio of the CPU times (this one / that
# one) with the outputs compared.
#   bench/convert_speed.sh            (BUILD_DIR=build-bench by default)
#   BEFORE=/path/to/old/tintwise-convert BUILD_DIR=build bench/convert_speed.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-bench}
lines=${LINES_TO_CONVERT:-1000000}
if [ ! -x "$build/app/tintwise-convert" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTW_WITH_QT=${TW_WITH_QT:-ON} >/dev/null
    cmake --build "$build" --target tintwise-convert >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v n="$lines" 'BEGIN { srand(7); for (i = 0; i < n; i++) {
        Y = 3 + 80 * rand(); x = 0.25 + 0.15 * rand(); y = 0.27 + 0.15 * rand();
        printf "%.4f %.4f %.4f\n", x * Y / y, Y, (1 - x - y) * Y / y } }' > "$work/xyz"
awk -v n="$lines" 'BEGIN { srand(7); split("R YR Y GY G BG B PB P RP", f, " ");
        for (i = 0; i < n; i++)
            printf "%.1f%s %.1f/%.1f\n", 0.5 + 9.5 * rand(), f[1 + int(10 * rand())],
                1 + 8 * rand(), 4 * rand() }' > "$work/munsell"

# best CPU and wall seconds of three runs: best PROGRAM MODE INPUT OUTPUT
best() {
    local program=$1 mode=$2 input=$3 output=$4 cpu="" wall=""
    for _ in 1 2 3; do
        /usr/bin/time -f '%U %S %e' -o "$work/time" "$program" "$mode" --table data/Muncie.dat \
            < "$input" > "$output" 2>/dev/null || true
        read -r user sys elapsed < <(tail -1 "$work/time")
        local c
        c=$(echo "$user + $sys" | bc)
        if [ -z "$cpu" ] || [ "$(echo "$c < $cpu" | bc)" = 1 ]; then cpu=$c; fi
        if [ -z "$wall" ] || [ "$(echo "$elapsed < $wall" | bc)" = 1 ]; then wall=$elapsed; fi
    done
    echo "$cpu $wall"
}

for mode in to-munsell to-xyz; do
    input=$([ $mode = to-munsell ] && echo "$work/xyz" || echo "$work/munsell")
    read -r cpu wall < <(best "$build/app/tintwise-convert" $mode "$input" "$work/out-now")
    printf 'tintwise-convert %-10s %d lines: %s s CPU, %s s wall\n' $mode "$lines" "$cpu" "$wall"
    if [ -n "${BEFORE:-}" ]; then
        read -r cpuB wallB < <(best "$BEFORE" $mode "$input" "$work/out-before")
        same=$(cmp -s "$work/out-now" "$work/out-before" && echo "the same output" || echo "other output")
        printf '  before: %s s CPU, %s s wall; now / before: %s (%s)\n' "$cpuB" "$wallB" \
            "$(echo "scale=3; $cpu / $cpuB" | bc)" "$same"
    fi
done
