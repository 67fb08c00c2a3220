#!/usr/bin/env bash
# Builds the brunsk fuzz target with clang (libFuzzer, AddressSanitizer, UBSan), makes the
# seed corpus and fuzzes for the given number of seconds (default 600). Crashes, hangs and
# leaks land in fuzz/findings/; keep each one in fuzz/regressions/ once fixed.
#
#   fuzz/run.sh [SECONDS] [JOBS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
jobs=${2:-1}
scripts/install-deps clang libclang-rt-dev
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOOK_FUZZ=ON \
  -DVARNOOK_SANITIZE=ON -DVARNOOK_BUILD_GUI=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target brunsk_fuzz make_corpus
corpus=fuzz/corpus
mkdir -p "$corpus" fuzz/findings
"$build/bin/make_corpus" "$corpus"
# The corpus keeps what earlier runs found, so coverage grows from run to run.
"$build/bin/brunsk_fuzz" "$corpus" fuzz/regressions -max_total_time="$seconds" -timeout=10 \
  -rss_limit_mb=2048 -artifact_prefix=fuzz/findings/ -print_final_stats=1 \
  $( [ "$jobs" -gt 1 ] && echo "-jobs=$jobs -workers=$jobs" )
