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
((EUID == 0)) || { echo "needs root for network namespaces" >&2; exit 2; }

ns=vxbench$$
peer=vxbenchp$$
work=$(mktemp -d)
display=":$((100 + $$ % 800))"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  ip netns delete "$ns" 2>/dev/null || true
  ip netns delete "$peer" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

ip netns add "$ns"
ip netns add "$peer"
ip -n "$ns" link set lo up
mkdir -p "$work/config/Quarl/Vorlix"
settings="$work/config/Quarl/Vorlix/vorlix.ini"
printf '[Twnd_vx_Main\\Tree]\nTag=1\nVisible=1\n[Settings]\nUnits=0\nPeriod=0\n' >"$settings"
for i in 0 1 2 3; do
  ip -n "$ns" link add "vxa$i" type veth peer name "vxb$i" netns "$peer"
  ip -n "$ns" addr add "10.231.$i.1/30" dev "vxa$i"
  ip -n "$peer" addr add "10.231.$i.2/30" dev "vxb$i"
  ip -n "$ns" link set "vxa$i" up
  ip -n "$peer" link set "vxb$i" up
  printf 'vxa%d=1\n' "$i" >>"$settings"
done

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [[ -e "/tmp/.X11-unix/X${display#:}" ]] && break; sleep 0.1; done

for i in 0 1 2 3; do
  ip netns exec "$ns" ping -q -i 0.2 -s 1000 "10.231.$i.2" >/dev/null 2>&1 &
  pids+=($!)
done

start_vorlix() {
  ip netns exec "$ns" env DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" \
    "$vorlix" >>"$work/vorlix.log" 2>&1 &
  program=$!
}

viewable() { DISPLAY="$display" xwininfo -name Vorlix 2>/dev/null | grep -q 'IsViewable'; }
wait_until_shown() {
  until viewable; do
    kill -0 "$program" 2>/dev/null || { cat "$work/vorlix.log" >&2; echo "vorlix ended before showing its window" >&2; exit 1; }
    sleep "$1"
  done
}

starts=()
for _ in 1 2 3 4 5; do
  t0=$(date +%s%N)
  start_vorlix
  wait_until_shown 0.002
  t1=$(date +%s%N)
  starts+=($(((t1 - t0) / 1000000)))
  kill -TERM "$program"
  wait "$program" || true
done
median=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 3p)
echo "start to shown main window: median ${median} ms (runs: ${starts[*]} ms)"

start_vorlix
wait_until_shown 0.01
sleep 5
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$program/stat"; }
c0=$(cpu)
sleep "$seconds"
c1=$(cpu)
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$program/status")
kill -TERM "$program"
wait "$program" || true
awk -v c="$((c1 - c0))" -v t="$ticks" -v s="$seconds" -v r="$rss" 'BEGIN {
  printf "CPU over %d s with 4 panels at 0.5 s and the list shown: %.3f %% of one core\n", s, 100 * c / t / s
  printf "resident set size: %.1f MB\n", r / 1024 }'
