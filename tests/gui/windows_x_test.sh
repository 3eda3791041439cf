#!/usr/bin/env bash
# Runs the GUI tests of set windows and dialogs in a virtual X server, where
# windows are placed, activated and focused by the X server and, with the
# second argument "openbox", by a real window manager: new windows inside
# the workspace, Cascade, the Window menu, the keys between set windows,
# keyboard focus after dialogs and the dialogs' title bars.
#
# Arguments: the GUI test program, then "bare" or "openbox".
set -euo pipefail

tests=$1
mode=$2

if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "xvfb-run is not installed (./scripts/setup.sh installs it): skipped"
    exit 77
fi
if [[ "$mode" == openbox ]] && ! command -v openbox >/dev/null 2>&1; then
    echo "openbox is not installed (./scripts/setup.sh installs it): skipped"
    exit 77
fi

filter='GuiTest.NewSetWindows*:GuiTest.Cascade*:GuiTest.TheWindowMenu*:GuiTest.CtrlF6*'
filter+=':GuiTest.KeyboardFocus*:GuiTest.DialogsHaveATitleBar*:GuiTest.GroupBox*'

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
export XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

if [[ "$mode" == openbox ]]; then
    # The window manager first; the tests once it has taken the screen.
    timeout 240 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        openbox --sm-disable & wm=$!
        for _ in $(seq 50); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
            sleep 0.1
        done
        "$0" --gtest_filter="$1"; code=$?
        kill $wm 2>/dev/null
        exit $code' "$tests" "$filter"
else
    timeout 240 xvfb-run -a -s "-screen 0 1280x1024x24" "$tests" --gtest_filter="$filter"
fi
