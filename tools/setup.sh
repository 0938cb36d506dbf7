#!/usr/bin/env bash
# Installs, only when missing, every Debian package the build, the tests and the
# run need. Safe to run again; does nothing when all are present.
#   tools/setup.sh wasm DIR   also what the WebAssembly build needs: emscripten,
#                             node, and dxflib's Debian source unpacked in DIR
#   tools/setup.sh web        what the web page's build needs: node with npm
#   tools/setup.sh browser    Debian's chromium, for the web page's tests
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libeigen3-dev libdxflib-dev libcli11-dev
    qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev libdeflate-dev
    fonts-wqy-microhei fonts-wqy-zenhei poppler-utils
    python3 python3-ezdxf
)
if [ "${1:-}" = wasm ]; then
    packages+=(emscripten nodejs dpkg-dev)
fi
if [ "${1:-}" = web ]; then
    packages+=(nodejs)
    # Some node packages carry npm themselves; Debian's would clash with them.
    command -v npm >/dev/null || packages+=(npm)
fi
if [ "${1:-}" = browser ]; then
    packages+=(chromium)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# dxflib has no WebAssembly package: its Debian source (the version the native
# build links, with Debian's patches) is fetched once through apt with a
# private source list, leaving the system's own untouched.
if [ "${1:-}" = wasm ] && [ ! -f "$2/source/src/dl_dxf.cpp" ]; then
    dir=$(mkdir -p "$2" && cd "$2" && pwd)
    apt_dir=$(mktemp -d)
    trap 'rm -rf "$apt_dir"' EXIT
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    . /etc/os-release
    echo "deb-src http://deb.debian.org/debian $VERSION_CODENAME main" >"$apt_dir/sources.list"
    apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=-"
                 -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
                 -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)")
    version=$(dpkg-query -W -f='${source:Version}' libdxflib-dev)
    echo "setup: fetching the Debian source of dxflib $version"
    apt-get -qq "${apt_options[@]}" update
    (cd "$apt_dir" && apt-get -qq "${apt_options[@]}" source --download-only "dxflib=$version")
    rm -rf "$dir/source"
    dpkg-source --no-check -x "$apt_dir"/dxflib_*.dsc "$dir/source" >/dev/null
fi
