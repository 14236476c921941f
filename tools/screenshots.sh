#!/usr/bin/env bash
# Screenshots of the main window under Xvfb, showing a person's birth chart:
# at the window size of a first start (the whole 1280x1024 screen) and at
# 1280x800. Needs xvfb-run and ImageMagick's import.
#   tools/screenshots.sh [BUILD_DIR] [OUTPUT_DIR]
set -euo pipefail

build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-screenshots}")
mkdir -p "$out"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
shared="$XDG_DATA_HOME/Velmora Shared"
mkdir -p "$shared" "$XDG_CONFIG_HOME/Velmora"

# A person whose chart forms long line labels ("Emotional Vulnerability").
persons="$shared/persons.mdb"
"$build/bin/quadrivium-cli" persons add --first Anna --last Winter --born 1911-11-11 \
    --persons-db "$persons" >/dev/null
id=$("$build/bin/quadrivium-cli" persons list --json --persons-db "$persons" |
     grep -o '"id": *[0-9]*' | head -n 1 | grep -o '[0-9]*$')

shoot() { # NAME [WINDOWPOS]
    local config="$XDG_CONFIG_HOME/Velmora/Orbisaneng.conf"
    {
        echo "[General]"
        echo "Autoload=1"
        echo "LastID=$id"
        if [ -n "${2:-}" ]; then
            echo "[Settings]"
            echo "WindowPos=\"$2\""
        fi
    } >"$config"
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        cd "$1" && ./quadrivium --no-splash --no-tips & pid=$!
        sleep 6
        import -window root "$2"
        kill $pid' _ "$build/bin" "$out/$1.png"
    echo "$out/$1.png"
}

shoot default
shoot 1280x800 "0,1,-1,-1,-1,-1,0,0,1280,800"
