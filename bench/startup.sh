#!/usr/bin/env bash
# Time from start to the window on screen, and memory at idle, under Xvfb with openbox.
# Usage: bench/startup.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
qirt=$(realpath "$build/window/qirt")
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3> "$fdfile" 2> /dev/null &
xvfb=$!
until [ -s "$fdfile" ]; do sleep 0.05; done
export DISPLAY=:$(head -n1 "$fdfile")
openbox --sm-disable > /dev/null 2>&1 &
wm=$!
sleep 1
trap 'kill $wm $xvfb 2>/dev/null || true; rm -f "$fdfile"' EXIT

times=()
for _ in 1 2 3 4 5; do
    start=$(date +%s.%N)
    "$qirt" > /dev/null 2>&1 &
    pid=$!
    # The strip is painted when the window is first exposed: wait for it to be viewable.
    until xwininfo -name qirt 2>/dev/null | grep -q 'IsViewable'; do sleep 0.002; done
    end=$(date +%s.%N)
    times+=("$(python3 -c "print(round(($end - $start) * 1000))")")
    sleep 1
    rss=$(awk '/^VmRSS/ {print $2}' /proc/$pid/status)
    pss=$(awk '/^Pss:/ {print $2}' /proc/$pid/smaps_rollup)
    kill $pid
    wait $pid 2>/dev/null || true
done
printf 'start to window on screen (ms), 5 runs: %s\n' "${times[*]}"
printf 'idle memory after 1 s: RSS %s KiB, PSS %s KiB\n' "$rss" "$pss"
