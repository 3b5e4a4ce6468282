#!/usr/bin/env bash
# Simulates a one-hour survey flight, drapes its INS track onto its GPS track with
# tolvek, scores the result against the truth and plots the differences.
# Usage: tools/demo.sh BUILD_DIR   (tolvek and the tools already built there)
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
tools="$build/tools"
demo="$build/demo"
for program in "$build/tolvek" "$tools/flightsim" "$tools/accuracy" "$tools/difplot"; do
    [[ -x $program ]] || { echo "demo: $program is missing; build first" >&2; exit 2; }
done

rm -rf "$demo"
mkdir -p "$demo/raw"

echo "== simulated flight"
"$tools/flightsim" --out "$demo"
tau=$(awk 'NR == 3 { print $4 }' "$demo/dialogue.txt")

echo
echo "== tolvek, tau = $tau s (in $demo)"
(cd "$demo" && "$build/tolvek" < dialogue.txt)

# The same flight with tau = 0 gives the raw, gap-filled differences for the plot.
awk 'NR <= 2 { print "../" $0; next } NR == 3 { $4 = 0 } { print }' "$demo/dialogue.txt" \
    > "$demo/raw/dialogue.txt"
(cd "$demo/raw" && "$build/tolvek" < dialogue.txt > console.txt)
echo
echo "== tolvek, tau = 0 s: raw differences in $demo/raw/tolvek.dif"

echo
echo "== accuracy"
status=0
"$tools/accuracy" --dir "$demo" || status=$?

"$tools/difplot" "$demo/tolvek.dif" "$demo/raw/tolvek.dif" --gps "$demo/dialogue.txt" \
    --label1 "smoothed (tau = $tau s)" --label2 "raw (tau = 0)" \
    --title "INS minus GPS differences of the demo flight" -o "$demo/differences.svg"
echo
echo "plot: $demo/differences.svg"
exit "$status"
