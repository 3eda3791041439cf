#!/usr/bin/env bash
# Installs what the build needs (Debian 12), then configures and builds into
# the folder given as $1 (default: build). Extra arguments go to cmake.
# QUIRL32_TARGETS, when set, names the targets to build instead of all.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${1:-build}"
shift || true

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libx11-dev libgtest-dev libgmock-dev
          libbenchmark-dev zlib1g-dev fonts-dejavu-core xvfb xauth desktop-file-utils
          shared-mime-info)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    if [[ $(id -u) -eq 0 ]]; then sudo=(); else sudo=(sudo); fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
targets=()
for t in ${QUIRL32_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build_dir" --parallel "$(nproc)" "${targets[@]}"
