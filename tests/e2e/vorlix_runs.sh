#!/usr/bin/env bash
# The real program, end to end: inside network namespaces of its own, under Xvfb, with a settings file written
# beforehand that watches a veth carrying traffic. It must show its window, run, quit with 0 on SIGTERM and
# leave the settings file as it was (the layout is not kept until the user asks for it).
# Exit 77 (skipped) when something it needs is missing.
set -euo pipefail
vorlix=$1

skip() { echo "SKIPPED: $*"; exit 77; }
((EUID == 0)) || skip "needs root for network namespaces"
command -v Xvfb >/dev/null || skip "needs Xvfb (package xvfb)"
command -v xwininfo >/dev/null || skip "needs xwininfo (package x11-utils)"

ns=vxe2e$$
peer=vxe2ep$$
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

ip netns add "$ns" || skip "cannot make a network namespace"
ip netns add "$peer"
ip -n "$ns" link set lo up
ip -n "$ns" link add vxa type veth peer name vxb netns "$peer"
ip -n "$ns" addr add 10.231.0.1/30 dev vxa
ip -n "$peer" addr add 10.231.0.2/30 dev vxb
ip -n "$ns" link set vxa up
ip -n "$peer" link set vxb up

settings="$work/config/Quarl/Vorlix/vorlix.ini"
mkdir -p "$(dirname "$settings")"
printf '[Settings]\nUnits=0\nPeriod=0\nvxa=1\n' >"$settings"
cp "$settings" "$work/before.ini"

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [[ -e "/tmp/.X11-unix/X${display#:}" ]] && break; sleep 0.1; done

ip netns exec "$ns" ping -q -i 0.2 -s 1200 10.231.0.2 >/dev/null 2>&1 &
pids+=($!)

ip netns exec "$ns" env -u APPIMAGE DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" \
  "$vorlix" >"$work/vorlix.log" 2>&1 &
program=$!

shown=no
for _ in $(seq 100); do
  if DISPLAY="$display" xwininfo -root -tree 2>/dev/null | grep -q '"Vorlix"'; then shown=yes; break; fi
  sleep 0.1
done
[[ $shown == yes ]] || { cat "$work/vorlix.log"; echo "FAILED: no Vorlix window appeared"; exit 1; }

sleep 10
kill -0 "$program" || { cat "$work/vorlix.log"; echo "FAILED: vorlix ended before SIGTERM"; exit 1; }
kill -TERM "$program"
status=0
wait "$program" || status=$?
[[ $status == 0 ]] || { cat "$work/vorlix.log"; echo "FAILED: exit code $status after SIGTERM"; exit 1; }
cmp -s "$work/before.ini" "$settings" || { diff "$work/before.ini" "$settings" || true; echo "FAILED: settings file changed"; exit 1; }
echo "vorlix showed its window, ran 10 s and quit with 0 on SIGTERM; the settings file is intact"
