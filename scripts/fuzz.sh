#!/usr/bin/env bash
# fuzz.sh [RUNS]: builds the profile engine's fuzz target (clang's libFuzzer with ASan and UBSan,
# the `fuzz` preset) and runs it for RUNS inputs (a million by default), starting from the
# committed seeds with a fixed random seed, so a run is repeatable. A broken property or a
# sanitizer report stops it and leaves the input in build/fuzz/ (crash-*).
#   scripts/fuzz.sh 30000      # the short run of scripts/test.sh
#   scripts/fuzz.sh 10000000   # a long run
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1000000}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
corpus=build/fuzz/corpus  # inputs found on the way; fresh for every run
rm -rf "$corpus"
mkdir -p "$corpus"
build/fuzz/tests/fuzz/private_profile_fuzz -runs="$runs" -seed=1 -max_len=1024 -timeout=10 \
  -dict=tests/fuzz/private_profile.dict -artifact_prefix=build/fuzz/ -print_final_stats=1 \
  "$corpus" tests/fuzz/seeds
