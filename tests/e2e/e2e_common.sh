# Sourced by the end-to-end scripts: a network namespace "$ns" with a veth carrying traffic to a peer
# namespace, an Xvfb display of its own, and the real program started inside the namespace on that display with a
# settings folder of its own. Exit 77 (skipped) when something needed is missing.

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { [[ -f "$work/vorlix.log" ]] && cat "$work/vorlix.log"; echo "FAILED: $*"; exit 1; }

((EUID == 0)) || skip "needs root for network namespaces"
command -v Xvfb >/dev/null || skip "needs Xvfb (package xvfb)"
command -v xwininfo >/dev/null || skip "needs xwininfo (package x11-utils)"

ns=vxe2e$$
peer=vxe2ep$$
work=$(mktemp -d)
settings="$work/config/Quarl/Vorlix/vorlix.ini"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  ip netns delete "$ns" 2>/dev/null || true
  ip netns delete "$peer" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Makes $1 veth pairs (default 1), each carrying pings to the peer namespace: vxa/vxb, then vxa1/vxb1 and so on.
start_namespaces() {
  ip netns add "$ns" || skip "cannot make a network namespace"
  ip netns add "$peer"
  ip -n "$ns" link set lo up
  local i near far
  for ((i = 0; i < ${1:-1}; ++i)); do
    near=vxa; far=vxb
    ((i == 0)) || { near=vxa$i; far=vxb$i; }
    ip -n "$ns" link add "$near" type veth peer name "$far" netns "$peer"
    ip -n "$ns" addr add "10.231.$i.1/30" dev "$near"
    ip -n "$peer" addr add "10.231.$i.2/30" dev "$far"
    ip -n "$ns" link set "$near" up
    ip -n "$peer" link set "$far" up
    ip netns exec "$ns" ping -q -i 0.2 -s $((1200 - 300 * i)) "10.231.$i.2" >/dev/null 2>&1 &
    pids+=($!)
  done
}

# Xvfb picks a free display itself and tells its number once it accepts clients: a number of our own choosing
# could be another test's display, which vanishes with that test. The display is in $display.
start_display() {
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
  [[ -s "$work/display" ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  display=":$(head -n 1 "$work/display")"
}

# Starts the program ($1) in the background; its pid is in $program.
# Under AddressSanitizer the strict string checks stay off for the program: libxkbcommon-x11 hands strndup a
# buffer without a terminating NUL, which the strict check reports although strndup stops at its length. Leaks
# of the system libraries that X11 brings in are suppressed (lsan.supp); our own are still reported.
start_vorlix() {
  ip netns exec "$ns" env -u APPIMAGE DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0" \
    LSAN_OPTIONS="suppressions=$(dirname "${BASH_SOURCE[0]}")/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}" \
    "$1" >"$work/vorlix.log" 2>&1 &
  program=$!
}

# Waits for the program's window; its id is in $window.
wait_window() {
  window=
  for _ in $(seq 100); do
    # The program's other windows (the group leader, the tray icon's) are never mapped.
    window=$(DISPLAY="$display" xwininfo -root -tree 2>/dev/null | awk '/"Vorlix": \("vorlix"/ {print $1; exit}')
    [[ -n $window ]] && return 0
    sleep 0.1
  done
  fail "no Vorlix window appeared"
}

# Sends SIGTERM and expects the program to end with 0.
terminate_vorlix() {
  kill -0 "$program" || fail "vorlix ended before SIGTERM"
  kill -TERM "$program"
  local status=0
  wait "$program" || status=$?
  [[ $status == 0 ]] || fail "exit code $status after SIGTERM"
}
