#!/usr/bin/env bash
# Builds tolvek, simulates a large flight (default 12 h of INS at 200 Hz) and
# measures a run of tolvek on it beside the I/O floor of the same machine.
#   bench/end_to_end.sh [BUILD_DIR] [HOURS] [INS_HZ] [WORK_DIR]
set -euo pipefail
build=${1:-build}
hours=${2:-12}
rate=${3:-200}
work=${4:-${TMPDIR:-/tmp}/tolvek-bench-${hours}h-${rate}hz}
cmake -S "$(dirname "$0")/.." -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target tolvek flightsim end_to_end >/dev/null
duration=$(awk -v h="$hours" 'BEGIN { s = h * 3600; if (s >= 43200) s = 43199; print s }')
if [ ! -f "$work/ins.txt" ]; then
    "$build/tools/flightsim" --out "$work" --duration "$duration" --ins-rate "$rate" --no-truth >/dev/null
fi
"$build/bench/end_to_end" "$(realpath "$build/tolvek")" "$work"
