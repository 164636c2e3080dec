#!/usr/bin/env bash
# Loading a 1 GiB file of 40-byte lines next to `wc -l` on the same file, warm cache.
# Usage: bench/load_vs_wc.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
file=${QIRT_BENCH_FILE:-${TMPDIR:-/tmp}/qirt-bench-1g.txt}
if [ ! -f "$file" ] || [ "$(stat -c %s "$file")" -lt 1073741824 ]; then
    python3 - "$file" <<'PY'
import sys
block = (b"x" * 38 + b"\r\n") * 26215
with open(sys.argv[1], "wb") as f:
    for _ in range(1024):
        f.write(block)
PY
fi
cat "$file" > /dev/null
best() { # best of five wall-clock runs, in seconds
    local t b=999
    for _ in 1 2 3 4 5; do
        t=$( { /usr/bin/time -f %e "$@" > /dev/null; } 2>&1 )
        b=$(python3 -c "print(min($b, $t))")
    done
    echo "$b"
}
wc_s=$(best wc -l "$file")
echo "file: $file ($(stat -c %s "$file") bytes)"
echo "wc -l: ${wc_s} s (best of 5)"
QIRT_BENCH_FILE=$file "$build/bench/engine_bench" --benchmark_filter='BM_LoadFile' \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true | tee /tmp/qirt-load.txt
load_ms=$(awk '/BM_LoadFile.*_min|BM_LoadFile.*_median/ {print $2; exit}' /tmp/qirt-load.txt)
python3 -c "print('load (median) / wc -l = %.2f' % ($load_ms / 1000 / $wc_s))"
