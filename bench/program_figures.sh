#!/usr/bin/env bash
# Whole-program figures of the real vorlix under Xvfb, inside network namespaces of its own with four veth
# pairs carrying traffic, four panels at 0.5 s and the interface list shown:
#   - start to first shown main window (median of 5 starts; "shown" = the window is viewable on the X server,
#     which Qt reaches right after its first paint of the window's backing store),
#   - CPU share of one core over a quiet minute (from /proc/PID/stat) and the resident set size afterwards.
# Usage: bench/program_figures.sh path/to/vorlix [seconds]   (root; needs Xvfb and xwininfo)
set -euo pipefail
vorlix=$1
seconds=${2:-60}
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/e2e_common.sh"

start_namespaces 4
mkdir -p "$(dirname "$settings")"
printf '[Twnd_vx_Main\\Tree]\nTag=1\nVisible=1\n[Settings]\nUnits=0\nPeriod=0\nvxa=1\nvxa1=1\nvxa2=1\nvxa3=1\n' >"$settings"
start_display

starts=()
for _ in 1 2 3 4 5; do
  t0=$(date +%s%N)
  start_vorlix "$vorlix"
  until DISPLAY="$display" xwininfo -name Vorlix 2>/dev/null | grep -q IsViewable; do
    kill -0 "$program" 2>/dev/null || fail "vorlix ended before showing its window"
    sleep 0.002
  done
  t1=$(date +%s%N)
  starts+=($(((t1 - t0) / 1000000)))
  terminate_vorlix
done
median=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 3p)
echo "start to shown main window: median ${median} ms (runs: ${starts[*]} ms)"

start_vorlix "$vorlix"
wait_window
sleep 5
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$program/stat"; }
c0=$(cpu)
sleep "$seconds"
c1=$(cpu)
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$program/status")
terminate_vorlix
awk -v c="$((c1 - c0))" -v t="$ticks" -v s="$seconds" -v r="$rss" 'BEGIN {
  printf "CPU over %d s with 4 panels at 0.5 s and the list shown: %.3f %% of one core\n", s, 100 * c / t / s
  printf "resident set size: %.1f MB\n", r / 1024 }'
