#!/usr/bin/env bash
# Builds the libFuzzer programs with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time, starting
# from its corpus in tests/fuzz/corpus. New inputs the fuzzer finds go to a
# scratch folder; a crash leaves its input in build-fuzz/crashes and fails.
#   scripts/fuzz.sh [SECONDS]        (default 20 per harness)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
if ! command -v clang++ >/dev/null; then
    echo "Fuzzing skipped: clang++ is not installed."
    exit 0
fi
build=build-fuzz
# The whole tree is instrumented for coverage and checked by the sanitizers,
# not only the harnesses; any undefined behaviour stops the run.
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DTW_FUZZ=ON -DTW_BENCH=OFF -DTW_WITH_QT="${TW_WITH_QT:-ON}" >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target fuzzers
mkdir -p "$build/crashes"
status=0
for fuzzer in "$build"/tests/fuzz/*_fuzzer; do
    name=$(basename "$fuzzer" _fuzzer)
    work=$(mktemp -d)
    log="$build/fuzz-$name.log"
    if ! ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1 QT_QPA_PLATFORM=offscreen \
        "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$name-" "$work" "tests/fuzz/corpus/$name" >"$log" 2>&1; then
        echo "FAIL: $name (see $log and $build/crashes/)"
        tail -30 "$log"
        status=1
    fi
    summary=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
    cov=$(grep -oE 'cov: [0-9]+' <<<"$summary" | grep -oE '[0-9]+' || true)
    echo "$name: ${execs:-?} executions, coverage ${cov:-?} edges in ${seconds} s"
    rm -rf "$work"
done
exit "$status"
