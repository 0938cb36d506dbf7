#!/usr/bin/env bash
# Kills `talvor-cli project DIR calc` of a 20-item project with SIGKILL at
# random moments, KILLS times (default 50). After each kill every file of the
# project must be either as it was before that run or as a complete run leaves
# it; a report may also be the text report the calculation writes before it is
# expanded into RTF (as --keep-directives leaves it), and a result file the run
# had deleted before rewriting may be missing, but never a data file or the
# project file. Temporaries a kill leaves are aged past a minute; a last
# complete run must leave none, and the very files of an undisturbed run.
# Usage: tools/kill-calc.sh [BUILD_DIR] [KILLS]
set -euo pipefail
build=${1:-build}
kills=${2:-50}
items=20
cli="$build/src/cli/talvor-cli"
share="$(cd "$(dirname "$0")/.." && pwd)/share"
[[ -x $cli ]] || { echo "missing $cli: run 'make build' first" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name -> sha256 of every file but the atomic writer's temporaries
snapshot() {
    (cd "$1" && find . -type f ! -name '*.tmp-??????' -print0 | sort -z | xargs -0 -r sha256sum)
}
temporaries() { find "$1" -type f -name '*.tmp-??????'; }

# Half the items are the system default, half the first template.
for ((i = 1; i <= items; ++i)); do
    template=()
    ((i % 2 == 0)) && template=(--template 1)
    "$cli" project "$work/project" add --program-dir "$share" "${template[@]}" >/dev/null 2>&1
done
cp -a "$work/project" "$work/reference"
start=$(date +%s%N)
"$cli" project "$work/reference" calc >/dev/null 2>&1
full_ms=$((($(date +%s%N) - start) / 1000000))
declare -A new text
while read -r hash name; do new[$name]=$hash; done < <(snapshot "$work/reference")
cp -a "$work/project" "$work/text"
"$cli" project "$work/text" calc --keep-directives >/dev/null 2>&1
while read -r hash name; do text[$name]=$hash; done < <(snapshot "$work/text")
echo "one undisturbed run of $items items: $full_ms ms; killing $kills runs at random moments"

failures=0 left=0
for ((k = 1; k <= kills; ++k)); do
    declare -A old=()
    while read -r hash name; do old[$name]=$hash; done < <(snapshot "$work/project")
    "$cli" project "$work/project" calc >/dev/null 2>&1 &
    pid=$!
    sleep "$(awk -v ms=$((RANDOM * 32768 + RANDOM)) -v full=$full_ms \
        'BEGIN { printf "%.3f", (ms % (full + 1)) / 1000 }')"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    while read -r hash name; do
        if [[ $hash != "${old[$name]:-}" && $hash != "${new[$name]:-}" &&
            ! ($name == *.RTF && $hash == "${text[$name]:-}") ]]; then
            echo "kill $k: $name is neither the old nor the new file" >&2
            failures=$((failures + 1))
        fi
    done < <(snapshot "$work/project")
    for name in "${!old[@]}"; do
        [[ $name == *_TLVR* || -f $work/project/$name ]] && continue
        echo "kill $k: $name is gone" >&2
        failures=$((failures + 1))
    done
    # A minute passes, as far as the next run can tell.
    while read -r tmp; do
        left=$((left + 1))
        touch -d '2 minutes ago' "$tmp"
    done < <(temporaries "$work/project")
done

"$cli" project "$work/project" calc >/dev/null 2>&1
if [[ -n $(temporaries "$work/project") ]]; then
    echo "temporaries left after the next complete run:" >&2
    temporaries "$work/project" >&2
    failures=$((failures + 1))
fi
if ! diff <(snapshot "$work/reference") <(snapshot "$work/project") >&2; then
    echo "the last complete run did not leave the files of an undisturbed run" >&2
    failures=$((failures + 1))
fi
echo "$kills kills: $left temporaries left by kills, all removed by the next run;" \
    "$failures failures"
((failures == 0))
