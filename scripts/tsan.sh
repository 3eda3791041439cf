#!/usr/bin/env bash
# Builds the engine, view and renderer tests with ThreadSanitizer into their
# own folder (default: build-tsan) and runs them: the views' steps and the
# workers that compute ahead of them must share nothing unguarded. Any report
# fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/sanitizer_logs.sh

build_dir="${1:-build-tsan}"
shift || true

./scripts/install_packages.sh libtsan2

flags="-fsanitize=thread -fno-omit-frame-pointer"
start=$(date +%s)
QUIRL32_TARGETS="test_engine test_view test_render" ./scripts/setup.sh "$build_dir" \
    -DQUIRL32_WERROR=ON -DQUIRL32_BENCH=OFF -DQUIRL32_GUI=OFF \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" "$@"
echo "thread sanitizer build: $(($(date +%s) - start)) s"

logs="$PWD/$build_dir/tsan-logs"
fresh_log_folder "$logs"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:log_path=$logs/tsan"

status=0
for t in test_engine test_view test_render; do
    "$build_dir/tests/$t" --gtest_brief=1 || status=1
done

check_log_folder "$logs" "thread sanitizer reports" || status=1
exit "$status"
