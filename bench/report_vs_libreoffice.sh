#!/bin/sh
# Times the whole birth chart report as PDF (bench_reports) beside
# LibreOffice turning the same reading's RTF export into PDF.
#   bench/report_vs_libreoffice.sh [BUILD_DIR]     (default: build)
# LibreOffice's time is the best of five conversions of the RTF that
# quadrivium-cli export writes for the same person, day and sections.
set -eu
build=${1:-build}
bin="$build/bin"
for program in "$bin/quadrivium-cli" "$bin/bench_reports"; do
    [ -x "$program" ] || { echo "missing $program: build the project first" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# A copy of the supplied texts: the reports write their heading records into it.
cp "$bin/Quadrivium.mdb" "$work/Quadrivium.mdb"
export QUADRIVIUM_TEXT_DB="$work/Quadrivium.mdb"

echo "== our report (bench_reports)"
"$bin/bench_reports" --benchmark_min_time=2 --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

soffice=$(command -v soffice || command -v libreoffice || true)
if [ -z "$soffice" ]; then
    echo "== LibreOffice is not installed: no comparison"
    exit 0
fi
# A person store of its own so that the export leaves the user's files alone.
"$bin/quadrivium-cli" export --reading chart --first Anna --last Berg --born 1987-03-12 \
    --today 2026-12-07 --day 2026-12-07 --text-db "$QUADRIVIUM_TEXT_DB" \
    --persons-db "$work/persons.db" --out "$work/chart.rtf"
profile="file://$work/profile"
# The first run sets up LibreOffice's profile; it is not counted.
"$soffice" -env:UserInstallation="$profile" --headless --convert-to pdf --outdir "$work" "$work/chart.rtf" >/dev/null 2>&1
best=""
for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$soffice" -env:UserInstallation="$profile" --headless --convert-to pdf --outdir "$work" "$work/chart.rtf" \
        >/dev/null 2>&1
    end=$(date +%s%N)
    ms=$(( (end - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
pages=$(pdfinfo "$work/chart.pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
echo "== LibreOffice: RTF export to PDF, best of 5: ${best} ms (${pages:-?} pages)"
