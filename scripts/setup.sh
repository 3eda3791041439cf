#!/usr/bin/env bash
# Installs what the build needs (Debian 12), then configures and builds into
# the folder given as $1 (default: build). Extra arguments go to cmake.
# QUIRL32_TARGETS, when set, names the targets to build instead of all.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${1:-build}"
shift || true

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libx11-dev libpng-dev libhwy-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core xvfb xauth openbox x11-utils
          desktop-file-utils shared-mime-info appstream dpkg-dev file groff-base)

./scripts/install_packages.sh "${packages[@]}"

cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
targets=()
for t in ${QUIRL32_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build_dir" --parallel "$(nproc)" "${targets[@]}"
