#!/usr/bin/env bash
# Builds the RTF and plain-text reader fuzzers with clang (libFuzzer, ASan,
# UBSan) in their own build folder and runs each for about a minute from the
# committed seed corpus on inputs up to 64 KB, then for 45 seconds more on
# inputs up to 1 MB with 2 seconds allowed per input, so that work growing
# faster than the input (a long list, a deep nesting) shows as a timeout.
# A crash, a hang, or a broken round-trip property fails the stage.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$top/build-fuzz-formats
seeds=$top/fuzz/formats/corpus
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELMORA_FUZZ=ON -DKELMORA_GUI=OFF -DKELMORA_BENCH=OFF -DBUILD_TESTING=OFF
cmake --build "$build" -j 2 --target rtf_reader_fuzzer plaintext_reader_fuzzer
# run FUZZER SEEDS SECONDS MAX_LEN TIMEOUT [libFuzzer options...]
run() {
  local fuzzer=$1 seeddir=$2 seconds=$3 maxlen=$4 timeout=$5
  shift 5
  # New inputs go to a scratch corpus; the committed seeds are only read.
  local scratch=$build/corpus-$fuzzer log=$build/$fuzzer-$maxlen.log status=0
  mkdir -p "$scratch"
  echo "Fuzzing $fuzzer for $seconds seconds, inputs up to $maxlen bytes, $timeout s each"
  "$build/fuzz/formats/$fuzzer" -max_total_time="$seconds" -max_len="$maxlen" -timeout="$timeout" \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/" "$@" "$scratch" "$seeddir" >"$log" 2>&1 ||
    status=$?
  grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)' "$log" | tail -n 60 || true
  return "$status"
}
run rtf_reader_fuzzer "$seeds/rtf" 60 65536 10 -dict="$top/fuzz/formats/rtf.dict"
run plaintext_reader_fuzzer "$seeds/plain" 60 65536 10
# Large inputs: libFuzzer grows inputs slowly on its own, so length control
# is off and the scratch corpus of the first run is the starting point.
run rtf_reader_fuzzer "$seeds/rtf" 45 1048576 2 -len_control=0 -dict="$top/fuzz/formats/rtf.dict"
run plaintext_reader_fuzzer "$seeds/plain" 45 1048576 2 -len_control=0
