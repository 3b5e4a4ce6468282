#!/usr/bin/env bash
# Builds the fuzz targets, replays the regression inputs, then fuzzes each
# target for SECONDS (default 60; 0 stops after the replay). Exits non-zero on
# any crash, hang or sanitizer report; the input that caused it is left in
# $FUZZ_BUILD/artifacts (default build-fuzz/artifacts).
# Needs clang with libFuzzer (Debian: apt-get install clang libclang-rt-14-dev);
# FUZZ_CXX names another clang++, FUZZ_BUILD another build directory.
set -euo pipefail

seconds=${1:-60}
fuzz=$(cd "$(dirname "$0")" && pwd)
build=${FUZZ_BUILD:-$fuzz/../build-fuzz}
targets=(fuzz_reader fuzz_writer fuzz_run)
declare -A max_len=([fuzz_reader]=4096 [fuzz_writer]=16 [fuzz_run]=8192)

cmake -S "$fuzz" -B "$build" -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
build=$(cd "$build" && pwd)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
for t in "${targets[@]}"; do
    if compgen -G "$fuzz/regressions/$t/*" >/dev/null; then
        echo "== $t: regression inputs"
        "$build/$t" "$fuzz"/regressions/"$t"/*
    fi
    [ "$seconds" -gt 0 ] || continue
    # New inputs go to a working corpus in the build tree; the seeds stay as they are.
    mkdir -p "$build/corpus/$t" "$build/artifacts"
    echo "== $t: fuzzing for ${seconds}s"
    "$build/$t" "$build/corpus/$t" "$fuzz/corpus/$t" \
        -max_total_time="$seconds" -max_len="${max_len[$t]}" -timeout=10 \
        -artifact_prefix="$build/artifacts/$t-" -print_final_stats=1
done
