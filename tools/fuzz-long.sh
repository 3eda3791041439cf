#!/usr/bin/env bash
# A long fuzzing run: every target for the given minutes (default 30 each),
# or one target. Findings stop the run and stay in build-fuzz/findings/; a
# finding becomes a regular test before it is fixed.
#
#   tools/fuzz-long.sh [MINUTES] [fuzz_set_file|fuzz_number_text|fuzz_render_args]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:-30}"
shift || true
exec ./scripts/fuzz.sh --time "$((minutes * 60))" "$@"
