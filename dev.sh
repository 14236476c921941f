#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quadrivium, builds it, and then either starts
# the program (./dev.sh run) or runs the whole test suite (./dev.sh test).
# Safe to run again: it installs only what is missing and builds incrementally.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
  run|test|build) ;;
  *) echo "usage: $0 run|test|build" >&2; exit 2 ;;
esac

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6-dev qt6-qpa-plugins
  libsqlcipher-dev sqlcipher libssl-dev
  fonts-liberation
  libbenchmark-dev
)

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
esac
