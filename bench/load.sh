#!/usr/bin/env bash
# Load benchmarks with peak memory: each load runs in a process of its own,
# at two sizes, so that memory that grows with the input shows as a
# difference of the peaks.
#  - the 3D viewer loading a palette of 1,000 and of 10,000 rows;
#  - the image palette of a 1000 x 1000 picture in 961 and in 10,000 blocks;
#  - tintwise-convert to-munsell and to-xyz on 100,000 and 1,000,000 lines
#    (peak resident size from /usr/bin/time -v).
#   bench/load.sh          (BUILD_DIR=build-bench by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-bench}
if [ ! -x "$build/app/tintwise-convert" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTW_WITH_QT=${TW_WITH_QT:-ON} >/dev/null
    cmake --build "$build" -j2 >/dev/null
fi
export QT_QPA_PLATFORM=offscreen

counter() { # the named counter of the one benchmark line of a run
    grep -oE "$1=[0-9.]+[kMG]?" | head -1 | cut -d= -f2
}
benchline() {
    local binary=$1 filter=$2
    local out
    out=$("$binary" --benchmark_filter="^$filter\$" 2>/dev/null | grep -E "^$filter")
    printf '%-40s %s, peak RSS %s MiB (%s MiB at the start)\n' "$filter" \
        "$(awk '{ print $2, $3 }' <<<"$out")" "$(counter peak_rss_MiB <<<"$out")" \
        "$(counter rss_before_MiB <<<"$out")"
}
if [ -x "$build/bench/viewer_bench" ]; then
    for rows in 1000 10000; do
        benchline "$build/bench/viewer_bench" "BM_LoadPaletteMemory/$rows"
    done
fi
if [ -x "$build/bench/imaging_bench" ]; then
    for n in 32 10; do
        benchline "$build/bench/imaging_bench" "BM_ImagePaletteMemory/$n/iterations:1"
    done
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# X Y Z spread over the Munsell solid (illuminant C), and notations inside
# the renotation data.
awk 'BEGIN { srand(7); for (i = 0; i < 1000000; i++) {
        Y = 3 + 80 * rand(); x = 0.25 + 0.15 * rand(); y = 0.27 + 0.15 * rand();
        printf "%.4f %.4f %.4f\n", x * Y / y, Y, (1 - x - y) * Y / y } }' > "$work/xyz-1000000"
awk 'BEGIN { srand(7); split("R YR Y GY G BG B PB P RP", f, " ");
        for (i = 0; i < 1000000; i++)
            printf "%.1f%s %.1f %.1f\n", 0.5 + 9.5 * rand(), f[1 + int(10 * rand())],
                1 + 8 * rand(), 4 * rand() }' > "$work/munsell-1000000"
head -100000 "$work/xyz-1000000" > "$work/xyz-100000"
head -100000 "$work/munsell-1000000" > "$work/munsell-100000"
for mode in to-munsell to-xyz; do
    input=$([ $mode = to-munsell ] && echo xyz || echo munsell)
    for lines in 100000 1000000; do
        /usr/bin/time -v "$build/app/tintwise-convert" $mode --table data/Muncie.dat \
            < "$work/$input-$lines" > "$work/out" 2> "$work/time" || true
        seconds=$(grep -oP 'Elapsed \(wall clock\) time \(h:mm:ss or m:ss\): \K.*' "$work/time")
        peak=$(grep -oP 'Maximum resident set size \(kbytes\): \K[0-9]+' "$work/time")
        printf 'tintwise-convert %-10s %8d lines: %s (m:ss), %s lines out, peak RSS %s kB\n' \
            "$mode" "$lines" "$seconds" "$(wc -l < "$work/out")" "$peak"
    done
done
