#!/usr/bin/env bash
# Builds the RTF and plain-text reader fuzzers with clang (libFuzzer, ASan,
# UBSan) in their own build folder and runs each for about a minute from the
# committed seed corpus. A crash, a hang, or a broken round-trip property
# fails the stage.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$top/build-fuzz-formats
seeds=$top/fuzz/formats/corpus
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELMORA_FUZZ=ON -DKELMORA_GUI=OFF -DKELMORA_BENCH=OFF -DBUILD_TESTING=OFF
cmake --build "$build" -j 2 --target rtf_reader_fuzzer plaintext_reader_fuzzer
run() {
  local fuzzer=$1 seeddir=$2
  shift 2
  # New inputs go to a scratch corpus; the committed seeds are only read.
  local scratch=$build/corpus-$fuzzer log=$build/$fuzzer.log status=0
  mkdir -p "$scratch"
  echo "Fuzzing $fuzzer for 60 seconds"
  "$build/fuzz/formats/$fuzzer" -max_total_time=60 -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/" "$@" "$scratch" "$seeddir" >"$log" 2>&1 || status=$?
  grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)' "$log" | tail -n 60 || true
  return "$status"
}
run rtf_reader_fuzzer "$seeds/rtf" -dict="$top/fuzz/formats/rtf.dict"
run plaintext_reader_fuzzer "$seeds/plain"
