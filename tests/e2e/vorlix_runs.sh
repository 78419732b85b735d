#!/usr/bin/env bash
# The real program, end to end: inside network namespaces of its own, under Xvfb, with a settings file written
# beforehand that watches a veth carrying traffic. It must show its window, run, quit with 0 on SIGTERM and
# leave the settings file as it was (the layout is not kept until the user asks for it). A second start on the same
# display gives way to the running program at once.
# Exit 77 (skipped) when something it needs is missing.
set -euo pipefail
vorlix=$1
source "$(dirname "$0")/e2e_common.sh"

start_namespaces
mkdir -p "$(dirname "$settings")"
printf '[Settings]\nUnits=0\nPeriod=0\nvxa=1\n' >"$settings"
cp "$settings" "$work/before.ini"
start_display
start_vorlix "$vorlix"
wait_window
first=$program
start_vorlix "$vorlix"
for _ in $(seq 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "a second start kept running beside the first"
wait "$program" || fail "a second start ended with $?"
program=$first
sleep 10
terminate_vorlix
cmp -s "$work/before.ini" "$settings" || { diff "$work/before.ini" "$settings" || true; fail "settings file changed"; }
echo "vorlix showed its window, a second start gave way, it ran 10 s and quit with 0 on SIGTERM; the settings file is intact"
