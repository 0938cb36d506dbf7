#!/bin/sh
# hostile-inputs.sh REPLAY NODE DRIVER: the fuzz replay's mutated and random
# data files, every one calculated by the WebAssembly core in one module. Each
# must come to an end, read or refused: a trap or an uncaught exception stops
# the module before its last line, a hang meets the guard.
set -u
replay=$1
shift
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$replay" 60 "$dir" || exit 1
# Only stops a module that would never end; no load makes this run so long.
timeout 1200 "$@" "$dir"/*.TV >"$dir/stdout" 2>"$dir/stderr"
status=$?
if ! grep -q "items done" "$dir/stdout"; then
    echo "the module stopped (status $status) after:"
    tail -n 20 "$dir/stderr"
    exit 1
fi
tail -n 1 "$dir/stdout"
