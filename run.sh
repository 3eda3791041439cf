#!/usr/bin/env bash
# Builds the programs if needed (optimised, into build/) and starts the
# explorer. Without a display it renders the default set to quirl32.png
# instead. Only the programs and the files they install are built; ./test.sh
# builds the tests into a folder of its own.
set -euo pipefail
cd "$(dirname "$0")"
QUIRL32_TARGETS="quirl32 quirl32-render quirl32_share_files" \
    ./scripts/setup.sh build -DCMAKE_BUILD_TYPE=Release

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    ./build/src/quirl32-render -o quirl32.png
    echo "No display found: rendered the default set to quirl32.png."
    echo "Start the explorer on a desktop with ./run.sh (or ./build/src/quirl32)."
    exit 0
fi
exec ./build/src/quirl32 "$@"
