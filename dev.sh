#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quadrivium, builds it, and then starts the
# program (./dev.sh run), runs the whole test suite (./dev.sh test) or makes
# the Debian package build/quadrivium_<version>_<arch>.deb and checks it
# (./dev.sh package).
# Safe to run again: it installs only what is missing and builds incrementally.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
  run|test|build|package) ;;
  *) echo "usage: $0 run|test|build|package" >&2; exit 2 ;;
esac

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6-dev qt6-qpa-plugins
  libsqlcipher-dev sqlcipher libssl-dev
  # Nettle derives the database keys, about three times as fast as OpenSSL;
  # the sqlcipher tool above is needed by the tests of the file format.
  nettle-dev
  fonts-liberation
  libbenchmark-dev
)
# The validators of the desktop entry and the metadata, for the tests and the
# package; the package tools for the package alone.
case "$mode" in
  test) packages+=(desktop-file-utils appstream poppler-utils) ;;
  package) packages+=(desktop-file-utils appstream dpkg-dev lintian) ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
  else
    echo "These Debian packages are missing. Install them as root with:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
fi

jobs=${QUADRIVIUM_JOBS:-2}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"

case "$mode" in
  run)
    if [ -x build/bin/quadrivium ]; then
      exec build/bin/quadrivium "${@:2}"
    fi
    exec build/bin/quadrivium-cli --help
    ;;
  test)
    exec ctest --test-dir build --output-on-failure -j"$jobs"
    ;;
  package)
    rm -f build/quadrivium_*.deb
    cpack --config build/CPackConfig.cmake -B build
    deb=$(ls build/quadrivium_*.deb)
    desktop-file-validate data/desktop/quadrivium.desktop
    appstreamcli validate --no-net build/data/desktop/*.metainfo.xml
    # Errors fail the package; warnings and notes are shown.
    lintian --fail-on error "$deb"
    echo "Made $deb; install it with: apt install ./$deb"
    ;;
esac
