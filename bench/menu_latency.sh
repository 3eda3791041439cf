#!/usr/bin/env bash
# Menu-open latency of the explorer under Xvfb and openbox, measured from
# outside (menu_latency.cpp): first with the default window computed and
# idle, then while the default view computes at limit 1000000000 with the
# workers on every processor, then while eight such windows compute at limit
# 2147483647. With --load, a busy loop keeps one more
# processor busy throughout, as another program would.
#
#   bench/menu_latency.sh [--load] [--count N] [BUILD_FOLDER]   (default: build)
#
# Prints the milliseconds from each click on the File menu's title to its
# popup, and the median of each case.
set -euo pipefail
cd "$(dirname "$0")/.."

load=0
count=15
build=build
while [[ $# -gt 0 ]]; do
    case "$1" in
    --load) load=1 ;;
    --count) count="$2"; shift ;;
    *) build="$1" ;;
    esac
    shift
done

packages=()
for p in xvfb x11-utils openbox xdotool libx11-dev libxtst-dev; do
    dpkg -s "$p" >/dev/null 2>&1 || packages+=("$p")
done
if [[ ${#packages[@]} -gt 0 ]]; then
    apt-get update -qq && apt-get install -y -qq "${packages[@]}" >/dev/null
fi
[[ -x "$build/src/quirl32" && -x "$build/src/quirl32-render" ]] ||
    cmake --build "$build" --target quirl32 quirl32-render

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

g++ -O2 -std=c++20 -o "$work/menu_latency" bench/menu_latency.cpp -lX11 -lXtst
"$build/src/quirl32-render" --do iterations=1000000000 --steps 1 --save "$work/deep.qrl" \
    -o "$work/first.png" >/dev/null
"$build/src/quirl32-render" --do iterations=2147483647 --steps 1 --save "$work/deepest.qrl" \
    -o "$work/first.png" >/dev/null
many=()
for i in $(seq 8); do
    cp "$work/deepest.qrl" "$work/deepest$i.qrl"
    many+=("$work/deepest$i.qrl")
done

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
if [[ $load == 1 ]]; then
    (while :; do :; done) &
    pids+=($!)
fi
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# One case: the explorer started with the given arguments, the File menu
# opened count times once it has settled.
measure() {
    local name=$1 settle=$2
    shift 2
    "$build/src/quirl32" "$@" >/dev/null 2>&1 &
    local app=$!
    local window
    window=$(xdotool search --sync --onlyvisible --pid "$app" --name 'Quirl32' | head -n 1)
    sleep "$settle"
    # The File menu's title: the menu bar's first item, at the top left of
    # the window's client area.
    local x y
    x=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
    local times
    times=$("$work/menu_latency" $((x + 18)) $((y + 12)) "$count" || true)
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    echo "$name: $(echo "$times" | tr '\n' ' ')"
    echo "$name: median $(echo "$times" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}') ms"
}

measure "idle" 3
measure "computing at 1000000000" 2 "$work/deep.qrl"
measure "eight windows computing at 2147483647" 3 "${many[@]}"
