#!/usr/bin/env bash
# Redraws the screenshots that the AppStream metadata names, from the build's
# own quadrivium-cli, for one of the sample persons:
#   tools/metainfo-screenshots.sh [BUILD_DIR]      (default: build)
# and writes them into data/desktop/screenshots/. Run it after a change to the
# look of the birth chart or pyramid page and commit the pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli="$build/bin/quadrivium-cli"
if [ ! -x "$cli" ]; then
  echo "$cli is missing: build first (./dev.sh build)" >&2
  exit 1
fi
out=data/desktop/screenshots
mkdir -p "$out"
# A home of its own, so that no user file is read or made.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
person=(--first Lena --last Vogel --born 1951-03-06 --today 2026-12-07)
for page in chart pyramid; do
  HOME="$home" XDG_DATA_HOME="$home/share" QT_QPA_PLATFORM=offscreen \
    "$cli" picture --reading "$page" "${person[@]}" --out "$out/$page.png"
done
echo "Wrote $out/chart.png and $out/pyramid.png"
