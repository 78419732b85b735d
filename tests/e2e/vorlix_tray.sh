#!/usr/bin/env bash
# The real program under Xvfb without a notification area, then with one that appears while it runs: without
# it the window keeps its taskbar entry; once it is there, the entry goes, Hide (from the context menu) takes
# the window off the screen and SIGTERM still ends the program. Started again with the tray there, the window has no taskbar
# entry.
# Exit 77 (skipped) when something it needs is missing.
set -euo pipefail
vorlix=$1
tray_owner=$2
source "$(dirname "$0")/e2e_common.sh"
command -v xdotool >/dev/null || skip "needs xdotool (package xdotool)"
command -v xprop >/dev/null || skip "needs xprop (package x11-utils)"

skips_taskbar() { DISPLAY="$display" xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR; }
mapped() { DISPLAY="$display" xwininfo -id "$window" | grep -q 'Map State: IsViewable'; }
wait_for() { for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done; return 1; }

start_namespaces
mkdir -p "$(dirname "$settings")"
start_display
start_vorlix "$vorlix"
wait_window
sleep 1
skips_taskbar && fail "the taskbar entry went away although there is no tray to come back from"

DISPLAY="$display" "$tray_owner" >"$work/tray.log" 2>&1 &
pids+=($!)
wait_for grep -q ready "$work/tray.log" || fail "the stand-in tray did not start"
wait_for skips_taskbar || fail "a tray that appeared later did not take over the taskbar entry"
# Hide from the context menu of the empty panel area: the last but one item.
DISPLAY="$display" xdotool mousemove --window "$window" 200 300 click 3
sleep 0.5
DISPLAY="$display" xdotool key Up Up Return
wait_for bash -c "! DISPLAY=$display xwininfo -id $window | grep -q IsViewable" || fail "Hide left the window on the screen"
terminate_vorlix

start_vorlix "$vorlix"
wait_window
wait_for skips_taskbar || fail "with a tray the window kept its taskbar entry"
terminate_vorlix
echo "without a tray the taskbar entry stayed; with one, Hide took the window away, SIGTERM ended the program"
echo "and the next start had no taskbar entry"
