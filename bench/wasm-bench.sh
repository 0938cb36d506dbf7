#!/usr/bin/env bash
# The WebAssembly core under node against the native program: whole runs of
# the maximal item with its 2000-trial berm design (median of RUNS, default 5),
# and the size of what a page downloads, gzip and brotli compressed: the
# module, its loader, the templates and the pile library.
# Usage: bench/wasm-bench.sh [BUILD_DIR] [WASM_BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
wasm=${2:-build-wasm}
runs=${3:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
cli="$build/src/cli/talvor-cli"
writer="$build/bench/write_maximal_item"
driver="$wasm/tests/wasm/talvor-calc.js"
for f in "$cli" "$writer" "$driver"; do
    [[ -e $f ]] || { echo "missing $f: run 'make build' and 'make wasm' first" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$writer" "$work/max_berm.TV" berm

# Median wall time in ms of running "$@" RUNS times.
median_ms() {
    local times=()
    for ((i = 0; i < runs; ++i)); do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n "$((runs / 2 + 1))p"
}
native=$(median_ms "$cli" calc --keep-directives "$work/max_berm.TV")
module=$(median_ms node "$driver" "$work/max_berm.TV")
echo "maximal item, 2000-trial berm design: native $native ms, WebAssembly under node" \
    "$module ms ($(awk "BEGIN { printf \"%.2f\", $module / $native }")x; median of $runs runs)"
# What a page pays once, not per calculation: node's start and the module's
# compilation, the driver run without an item.
start=$(median_ms node "$driver")
echo "of which node's start and the module's compilation: $start ms; the calculation alone" \
    "$((module - start)) ms ($(awk "BEGIN { printf \"%.2f\", ($module - $start) / $native }")x native)"

node - "$driver" "${driver%.js}.wasm" "$root/share/TalvorPile.Dat" "$root"/share/Template/* <<'JS'
const fs = require('fs');
const zlib = require('zlib');
let raw = 0, gz = 0, br = 0;
for (const file of process.argv.slice(2)) {
    const bytes = fs.readFileSync(file);
    raw += bytes.length;
    gz += zlib.gzipSync(bytes, { level: 9 }).length;
    br += zlib.brotliCompressSync(bytes, {
        params: { [zlib.constants.BROTLI_PARAM_QUALITY]: 11 } }).length;
}
const mb = (n) => (n / 1048576).toFixed(2) + ' MB';
console.log(`module with loader, templates and pile library: ${mb(raw)}, ` +
            `gzip ${mb(gz)}, brotli ${mb(br)}`);
JS
