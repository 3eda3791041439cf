#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang into build-fuzz and runs
# each of them, starting from its seeds in fuzz/corpus/.
#
#   scripts/fuzz.sh --short        every target for 20 seconds (part of ./test.sh)
#   scripts/fuzz.sh --time N       every target for N seconds
#   scripts/fuzz.sh --time N NAME  only that target (fuzz_set_file, ...)
#
# A finding stops the run with the fuzzer's report; the input is kept in
# build-fuzz/findings/. Inputs that add coverage go to build-fuzz/corpus/,
# never into the repository's seeds.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=20
only=""
while (($#)); do
    case "$1" in
    --short) seconds=20 ;;
    --time)
        seconds="$2"
        shift
        ;;
    -h | --help)
        sed -n '2,11p' "$0"
        exit 0
        ;;
    *) only="$1" ;;
    esac
    shift
done

packages=(clang libclang-rt-14-dev)
./scripts/install_packages.sh "${packages[@]}"

build_dir=build-fuzz
start=$(date +%s)
CC=clang CXX=clang++ QUIRL32_TARGETS=quirl32_fuzzers ./scripts/setup.sh "$build_dir" \
    -DQUIRL32_FUZZ=ON -DQUIRL32_GUI=OFF -DQUIRL32_BENCH=OFF -DQUIRL32_WERROR=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "fuzz build: $(($(date +%s) - start)) s"

targets=(fuzz_set_file fuzz_number_text fuzz_render_args)
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for t in "${targets[@]}"; do
    [[ -z "$only" || "$only" == "$t" ]] || continue
    corpus="$build_dir/corpus/$t"
    findings="$build_dir/findings/$t"
    mkdir -p "$corpus" "$findings"
    echo "== $t: $seconds s"
    "$build_dir/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$t" \
        2>"$build_dir/$t.log" || {
        tail -n 60 "$build_dir/$t.log"
        echo "$t found a failing input; it is in $findings/"
        exit 1
    }
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$build_dir/$t.log" | tr '\n' ' '
    echo
done
