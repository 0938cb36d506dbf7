#!/usr/bin/env bash
# Times whole `talvor-cli calc` runs of the maximal item with each of its
# auto-designs (2000-trial berm and unloading sweeps, 100 pile kinds) and
# prints the median, fastest and slowest wall time of RUNS runs (default 15).
# Usage: tools/time-calc.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-15}
cli="$build/src/cli/talvor-cli"
writer="$build/bench/write_maximal_item"
for f in "$cli" "$writer"; do
    [[ -x $f ]] || { echo "missing $f: run 'make build' first" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for design in berm unloading piles; do
    item="$work/max_$design.TV"
    "$writer" "$item" "$design"
    times=()
    for ((i = 0; i < runs; ++i)); do
        start=$(date +%s%N)
        "$cli" calc "$item" --out "$work" >/dev/null 2>&1
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
    done
    sorted=($(printf '%s\n' "${times[@]}" | sort -n))
    echo "calc maximal item, $design design: median ${sorted[runs / 2]} ms" \
        "(fastest ${sorted[0]} ms, slowest ${sorted[runs - 1]} ms, $runs runs)"
done
