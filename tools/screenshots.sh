#!/usr/bin/env bash
# Screenshots of the main window under Xvfb, showing a person's birth chart:
# at the window size of a first start (the whole 1280x1024 screen) and at
# 1280x800; with xdotool also the biorhythm page with the calendar bar, the
# settings sheet and the person dialog on a 1280x800 screen at scale 1 and 2.
# Needs xvfb-run and ImageMagick's import.
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

# With xdotool: the biorhythm page with its calendar bar, the settings sheet
# and the person dialog, on a 1280x800 screen at scale 1 and at scale 2.
command -v xdotool >/dev/null || exit 0
shoot_steps() { # NAME SCALE
    local config="$XDG_CONFIG_HOME/Velmora/Orbisaneng.conf"
    printf '[General]\nAutoload=1\nLastID=%s\n' "$id" >"$config"
    xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
        export QT_SCALE_FACTOR=$3
        cd "$1" && ./quadrivium --no-splash --no-tips & pid=$!
        sleep 6
        win=$(xdotool search --name "Quadrivium" | head -n 1)
        xdotool windowfocus --sync "$win"
        keys() { for k in "$@"; do xdotool key --delay 150 "$k"; done; sleep 1.5; }
        keys alt+v r
        keys alt+v t c
        import -window root "$2-biorhythm.png"
        keys alt+v s
        import -window root "$2-settings.png"
        keys Escape
        keys ctrl+o
        import -window root "$2-open.png"
        keys Escape
        kill $pid' _ "$build/bin" "$out/$1" "$2"
    ls "$out/$1"-*.png
}

shoot_steps 1280x800-scale1 1
shoot_steps 1280x800-scale2 2
