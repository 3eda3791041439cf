#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors into build-test/
# and runs every test; then the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, the engine, view and renderer tests under
# ThreadSanitizer, and a short run of every fuzz target. The program that
# ./run.sh builds (build/) is left alone.
set -euo pipefail
cd "$(dirname "$0")"
start=$(date +%s)
./scripts/setup.sh build-test -DQUIRL32_WERROR=ON
echo "build: $(($(date +%s) - start)) s"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure --parallel "$(nproc)" --timeout 600
./scripts/sanitize.sh
./scripts/tsan.sh
./scripts/fuzz.sh --short
echo "test.sh: $(($(date +%s) - start)) s"
