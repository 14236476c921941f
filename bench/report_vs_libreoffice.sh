#!/bin/bash
# Times whole processes, start to exit, as a script or a user meets them:
#   - quadrivium-cli --version: what any call pays before it does anything;
#   - quadrivium-cli report: the birth chart report with every section as PDF;
#   - LibreOffice turning the same reading's RTF export into PDF.
# Each figure is the best of RUNS runs after one run that is not counted.
# The aim is a report at least 30 times faster than LibreOffice's.
#   bench/report_vs_libreoffice.sh [BUILD_DIR [RUNS]]   (default: build 10)
# Everything runs under a temporary home, data, settings and cache folder,
# so the user's persons, texts, settings and keys are never read or written:
# the program makes its own copy of the build's texts there on the first run.
# Without LibreOffice (soffice) only the program's figures are printed.
set -euo pipefail
build=${1:-build}
runs=${2:-10}
cli="$build/bin/quadrivium-cli"
[ -x "$cli" ] || { echo "missing $cli: build the project first" >&2; exit 1; }
[ -f "$build/bin/Quadrivium.mdb" ] || { echo "missing $build/bin/Quadrivium.mdb: build the project first" >&2; exit 1; }
case $runs in '' | *[!0-9]* | 0) echo "RUNS must be a positive number, not \"$runs\"" >&2; exit 2 ;; esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
mkdir -m 700 "$work/home" "$work/runtime"
export HOME="$work/home"
export XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config" XDG_CACHE_HOME="$work/home/cache"
export XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

person=(--first Anna --last Berg --born 1987-03-12 --today 2026-12-07 --day 2026-12-07)

# Microseconds since the epoch, without starting a process; the decimal
# sign of EPOCHREALTIME follows the locale.
now_us() {
    local t=$EPOCHREALTIME
    echo $((10#${t//[.,]/}))
}

# best_ms COMMAND...: the shortest wall time of $runs runs in ms (one
# decimal). A first run, not counted, must succeed; its messages are shown
# when it does not.
best_ms() {
    local best=0 start end i
    if ! "$@" >"$work/first.log" 2>&1; then
        echo "failed: $*" >&2
        cat "$work/first.log" >&2
        exit 1
    fi
    for ((i = 0; i < runs; i++)); do
        start=$(now_us)
        "$@" >/dev/null 2>&1
        end=$(now_us)
        if ((best == 0 || end - start < best)); then best=$((end - start)); fi
    done
    awk -v us="$best" 'BEGIN { printf "%.1f", us / 1000 }'
}

pages() {
    if command -v pdfinfo >/dev/null; then
        pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages: *//p'
    else
        echo "?"
    fi
}

echo "== whole processes, best of $runs runs each ($QT_QPA_PLATFORM platform)"
version=$(best_ms "$cli" --version)
printf '%-50s %9s ms\n' "quadrivium-cli --version" "$version"
report=$(best_ms "$cli" report --reading chart "${person[@]}" --pdf "$work/report.pdf")
printf '%-50s %9s ms\n' "quadrivium-cli report --reading chart ($(pages "$work/report.pdf") pages)" "$report"

soffice=$(command -v soffice || command -v libreoffice || true)
if [ -z "$soffice" ]; then
    echo "== LibreOffice (soffice) is not installed: no comparison"
    exit 0
fi
"$cli" export --reading chart "${person[@]}" --out "$work/chart.rtf" >/dev/null
# A profile of its own; the first run sets it up and is not counted.
libreoffice=$(best_ms "$soffice" -env:UserInstallation="file://$work/profile" --headless --convert-to pdf \
    --outdir "$work/lo" "$work/chart.rtf")
printf '%-50s %9s ms\n' "LibreOffice RTF export to PDF ($(pages "$work/lo/chart.pdf") pages)" "$libreoffice"
awk -v lo="$libreoffice" -v ours="$report" \
    'BEGIN { printf "LibreOffice / quadrivium-cli report: %.1fx (aim: 30x)\n", lo / ours }'
