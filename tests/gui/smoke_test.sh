#!/usr/bin/env bash
# Starts the explorer in a virtual X server and waits until its first set
# window has finished the default picture; the program then saves what the
# screen shows of the window's client area and ends. The picture must equal,
# pixel for pixel, what the renderer computes for a client area of that size.
#
# Arguments: the program, the renderer, the compare tool, the output folder.
set -euo pipefail

program=$1
renderer=$2
compare=$3
out=$4

if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "xvfb-run is not installed (./scripts/setup.sh installs it): skipped"
    exit 77
fi

mkdir -p "$out"
shot="$out/first_window.png"
expected="$out/first_window_render.png"
rm -f "$shot" "$expected"

# A settings store and data folder of our own, and a screen of true colours.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
line=$(env -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$home" XDG_DATA_HOME="$home/data" \
    XDG_RUNTIME_DIR="$home/runtime" \
    QT_QPA_PLATFORM=xcb QUIRL32_SNAPSHOT="$shot" \
    timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" "$program" | grep '^snapshot ' || true)
if [[ -z "$line" || ! -f "$shot" ]]; then
    echo "the program did not save its first picture"
    exit 1
fi
size=$(echo "$line" | cut -d' ' -f2)
if [[ "$(echo "$line" | cut -d' ' -f4)" != screen ]]; then
    echo "the picture did not come from the screen: $line"
    exit 1
fi
echo "screen grab of the set window: $shot ($size)"

"$renderer" --size "$size" -o "$expected"
"$compare" "$shot" "$expected"
