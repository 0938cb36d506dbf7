#!/usr/bin/env bash
# Installs, only when missing, every Debian package the build, the tests and the
# run need. Safe to run again; does nothing when all are present.
#   tools/setup.sh wasm DIR   also what the WebAssembly build needs: emscripten,
#                             node, dxflib's Debian source unpacked in DIR/dxflib
#                             and glibc's libm sources in DIR/glibc
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

# Debian sources are fetched through apt with a private source list, leaving
# the system's own untouched.
apt_dir=""
fetch_source() { # PACKAGE VERSION: the source package's files into $apt_dir
    if [ -z "$apt_dir" ]; then
        apt_dir=$(mktemp -d)
        trap 'rm -rf "$apt_dir"' EXIT
        mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
        . /etc/os-release
        for suite in "$VERSION_CODENAME" "$VERSION_CODENAME-updates"; do
            echo "deb-src http://deb.debian.org/debian $suite main"
        done >"$apt_dir/sources.list"
        echo "deb-src http://deb.debian.org/debian-security $VERSION_CODENAME-security main" \
            >>"$apt_dir/sources.list"
        apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=-"
                     -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
                     -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)")
        apt-get -qq "${apt_options[@]}" update
    fi
    echo "setup: fetching the Debian source of $1 $2"
    (cd "$apt_dir" && apt-get -qq "${apt_options[@]}" source --download-only "$1=$2")
}
[ "${1:-}" = wasm ] || exit 0
dir=$(mkdir -p "$2" && cd "$2" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)

# dxflib has no WebAssembly package: the version the native build links, with
# Debian's patches.
if [ ! -f "$dir/dxflib/source/src/dl_dxf.cpp" ]; then
    fetch_source dxflib "$(dpkg-query -W -f='${source:Version}' libdxflib-dev)"
    rm -rf "$dir/dxflib/source"
    mkdir -p "$dir/dxflib"
    dpkg-source --no-check -x "$apt_dir"/dxflib_*.dsc "$dir/dxflib/source" >/dev/null
fi

# The WebAssembly build rounds as the native one only with the native C
# library's own mathematical functions: the files of glibc's libm the core
# reaches, from the Debian source of the installed C library with Debian's
# patches to them, and the contractions into fused multiply-adds that the x86-64
# library's FMA variants make spelled out (cmake/glibc-libm/contraction.diff).
glibc_files=(
    sysdeps/ieee754/dbl-64/{s_sin.c,s_sincos.c,usncs.h,sincostab.c,branred.c,branred.h}
    sysdeps/ieee754/dbl-64/{s_tan.c,utan.h,utan.tbl,dla.h,mydefs.h}
    sysdeps/ieee754/dbl-64/{e_pow.c,e_pow_log_data.c,e_exp_data.c,e_hypot.c,math_err.c,math_config.h}
    sysdeps/ieee754/flt-32/{s_sinf.c,s_cosf.c,s_sincosf.c,s_sincosf.h,s_tanf.c,k_tanf.c}
    sysdeps/ieee754/flt-32/{e_atan2f.c,s_atanf.c,e_log10f.c,e_logf.c,e_logf_data.c,e_hypotf.c}
    sysdeps/ieee754/flt-32/{math_errf.c,math_config.h}
    sysdeps/x86/fpu/{s_sincosf_data.c,sincosf_poly.h}
)
glibc_version=$(dpkg-query -W -f='${source:Version}' libc6)
glibc_stamp="$glibc_version ${glibc_files[*]} $(cksum <"$root/cmake/glibc-libm/contraction.diff")"
if [ "$(cat "$dir/glibc/stamp" 2>/dev/null)" != "$glibc_stamp" ]; then
    fetch_source glibc "$glibc_version"
    rm -rf "$dir/glibc"
    mkdir -p "$dir/glibc/debian"
    tar -xJf "$apt_dir"/glibc_*.orig.tar.* -C "$dir/glibc" --strip-components=1 \
        "${glibc_files[@]/#/glibc-${glibc_version%%-*}/}"
    tar -xJf "$apt_dir"/glibc_*.debian.tar.* -C "$dir/glibc" debian/patches
    # Of each Debian patch, in its series order, the parts on these files.
    grep -v -E '^\s*(#|$)' "$dir/glibc/debian/patches/series" | while read -r patch _; do
        awk -v files="${glibc_files[*]}" '
            BEGIN { n = split(files, f, " "); for (i = 1; i <= n; i++) want[f[i]] = 1 }
            /^diff / { keep = 0 }
            /^--- / { minus = $0; next }
            /^\+\+\+ / && minus != "" { path = $2; sub(/^[^\/]*\//, "", path)
                                        keep = path in want; if (keep) print minus }
            { if (minus != "" && keep) print minus; minus = ""; if (keep) print }' "$dir/glibc/debian/patches/$patch" >"$dir/glibc/part"
        if [ -s "$dir/glibc/part" ]; then patch -s -p1 -d "$dir/glibc" <"$dir/glibc/part"; fi
    done
    patch -s -p1 -d "$dir/glibc" <"$root/cmake/glibc-libm/contraction.diff"
    rm -rf "$dir/glibc/debian" "$dir/glibc/part"
    echo "$glibc_stamp" >"$dir/glibc/stamp"
fi
