#!/usr/bin/env bash
# Fuzzes the line splitter and the steps with libFuzzer for a while (default 60 s).
# Usage: fuzz/run.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DQIRT_FUZZ=ON -DQIRT_WINDOW=OFF -DQIRT_BENCH=OFF \
    -DQIRT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug > /dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_reader
mkdir -p build-fuzz/corpus
build-fuzz/fuzz/fuzz_reader -max_total_time="${1:-60}" -max_len=4096 build-fuzz/corpus fuzz/corpus
