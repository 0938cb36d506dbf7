#!/usr/bin/env bash
# Checks that the RTF reports talvor writes open in LibreOffice Writer: each RTF
# is converted to PDF headless, and the PDF must exist and start with "%PDF".
#
#   tools/check-rtf-libreoffice.sh [--install] [--cli PATH] [REPORT.RTF ...]
#
# Without RTF arguments two reports are made with talvor-cli: a report text with
# a drawing and a coloured line expanded by `talvor-cli report --rtf`, and the
# report of a calculation of the worked example. A report with pictures must
# keep them in the PDF.
# LibreOffice is large and not part of tools/setup.sh: the script installs it
# (libreoffice-writer-nogui) only when asked with --install; otherwise a missing
# LibreOffice ends the check with status 77 ("skipped").
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
install=0
cli="${TALVOR_CLI:-}"
reports=()
while [ $# -gt 0 ]; do
    case "$1" in
        --install) install=1 ;;
        --cli) cli="$2"; shift ;;
        -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
        *) reports+=("$1") ;;
    esac
    shift
done

soffice="$(command -v soffice || command -v libreoffice || true)"
if [ -z "$soffice" ]; then
    if [ "$install" -eq 1 ]; then
        sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        export DEBIAN_FRONTEND=noninteractive
        $sudo apt-get update -qq
        $sudo apt-get install -y -qq --no-install-recommends libreoffice-writer-nogui
        soffice="$(command -v soffice)"
    else
        echo "check-rtf-libreoffice: LibreOffice is not installed (run with --install to install it); skipped"
        exit 77
    fi
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

if [ ${#reports[@]} -eq 0 ]; then
    if [ -z "$cli" ]; then
        cli="$(find "$root" -path '*/src/cli/talvor-cli' -type f -perm -u+x 2>/dev/null | head -n 1)"
    fi
    if [ -z "$cli" ] || [ ! -x "$cli" ]; then
        echo "check-rtf-libreoffice: talvor-cli not found; build it or pass --cli PATH" >&2
        exit 2
    fi
    cp "$root/tests/project/data/dxf/section_m.dxf" "$work/&TLVR_0001_TLVR_JT.DXF"
    {
        printf '%s\n' "------------------------------------------------------------------------"
        printf '%s\n' "计算项目： RTF 检查示例 {括号} \\ 反斜线"
        printf '%s\n' "[计算简图]"
        printf '%s\n' '%%%[MorvaneScript%%%InsertDxf=&TLVR_0001_TLVR_JT.DXF%%%MorvaneScript]%%%'
        printf '%s\n' '%%%[MorvaneScript%%%TextStyle=255,1.5              滑坡推力 E = 812.345 kN/m%%%MorvaneScript]%%%'
        printf '\t%s\n' "安全系数 K = 1.250"
    } | iconv -f UTF-8 -t GBK > "$work/sample.TXT"
    "$cli" report "$work/sample.TXT" --rtf "$work/sample.RTF"
    # And the report a calculation of the worked example leaves.
    "$cli" new "$work/example.TV" > /dev/null
    "$cli" calc "$work/example.TV" 2> /dev/null
    reports=("$work/sample.RTF" "$work/example_TLVR.RTF")
fi

failed=0
for rtf in "${reports[@]}"; do
    out="$work/pdf"
    mkdir -p "$out"
    # A private profile keeps the run from touching the user's LibreOffice settings.
    "$soffice" -env:UserInstallation="file://$work/profile" --headless --convert-to pdf \
        --outdir "$out" "$rtf" > "$work/soffice.log" 2>&1 || true
    pdf="$out/$(basename "${rtf%.*}").pdf"
    if [ -s "$pdf" ] && [ "$(head -c 4 "$pdf")" = "%PDF" ]; then
        echo "ok: $rtf -> PDF ($(stat -c %s "$pdf") bytes)"
        if command -v pdftotext > /dev/null; then
            pdftotext "$pdf" "$work/text.txt"
            grep -q "计算项目" "$work/text.txt" || { echo "FAIL: $rtf: the PDF lacks the report text"; failed=1; }
        fi
        if grep -q '\\pict' "$rtf" && command -v pdfimages > /dev/null; then
            images=$(pdfimages -list "$pdf" | tail -n +3 | wc -l)
            [ "$images" -gt 0 ] || { echo "FAIL: $rtf: the PDF lacks the report's pictures"; failed=1; }
        fi
        if [ -n "${KEEP_PDF:-}" ]; then cp "$pdf" "$KEEP_PDF"; fi
    else
        echo "FAIL: $rtf did not convert to PDF"
        cat "$work/soffice.log"
        failed=1
    fi
done
exit $failed
