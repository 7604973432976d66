#!/usr/bin/env bash
# Builds the FTP reply-parser fuzzer with clang (libFuzzer, ASan, UBSan) in its
# own build folder and runs it for about 30 seconds. Any crash fails the stage.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$top/build-fuzz-ftp
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELMORA_FUZZ=ON -DKELMORA_GUI=OFF -DKELMORA_BENCH=OFF -DBUILD_TESTING=OFF
cmake --build "$build" --target ftp_reply_fuzzer -j 2
corpus=$build/ftp-reply-corpus
mkdir -p "$corpus"
# A few real replies to start from: a multi-line greeting, login, transfer end.
printf '\x00\x05220-Welcome\r\n220-to the\r\n220 server\r\n' > "$corpus/greeting"
printf '\x01\x03331 Password required.\n230 Logged in.\r\n' > "$corpus/login"
printf '\x00\x40\r\n\r\n426 Aborted.\r\n226 Closing.\r\n215 UNIX Type: L8\r\n' > "$corpus/ending"
"$build/fuzz/ftp/ftp_reply_fuzzer" -max_total_time=30 -max_len=4096 -print_final_stats=1 "$corpus"
