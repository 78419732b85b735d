#!/usr/bin/env bash
# The real program under Xvfb, driven from the keyboard with xdotool: Ctrl+I shows the interface list and the
# window grows, Ctrl+W takes the title bar (the decorations the window asks its manager for) and the menu bar away
# and the window shrinks; pressed again, each gives the height back exactly. With persistence on in the settings file, the file holds the final state at exit.
# Exit 77 (skipped) when something it needs is missing.
set -euo pipefail
vorlix=$1
source "$(dirname "$0")/e2e_common.sh"
command -v xdotool >/dev/null || skip "needs xdotool (package xdotool)"

height() { DISPLAY="$display" xwininfo -id "$window" | awk '/Height:/ {print $2}'; }
# Presses keys in the window and waits until its height is no longer $2; echoes the new height.
press() {
  DISPLAY="$display" xdotool windowfocus --sync "$window" key "$1"
  for _ in $(seq 50); do
    local now
    now=$(height)
    [[ $now != "$2" ]] && { echo "$now"; return 0; }
    sleep 0.1
  done
  echo "$2"
}
# The section's name goes through the environment: awk -v would read its backslashes as escapes.
# The decorations field of the Motif hints, which window managers read for the title bar, also of a shown window.
decorations() { DISPLAY="$display" xprop -id "$window" _MOTIF_WM_HINTS | awk -F', ' '{print $3}'; }
section() { name="[$1]" awk '$0 == ENVIRON["name"] {on = 1; next} /^\[/ {on = 0} on' "$settings"; }

start_namespaces
mkdir -p "$(dirname "$settings")"
printf '[Twnd_vx_Main\\acPersistent]\nChecked=1\n[Settings]\nUnits=1\nPeriod=0\nvxa=1\n' >"$settings"
start_display
start_vorlix "$vorlix"
wait_window
sleep 1
h0=$(height)

h1=$(press ctrl+i "$h0")
((h1 > h0)) || fail "Ctrl+I left the height at $h0"
h2=$(press ctrl+i "$h1")
((h2 == h0)) || fail "Ctrl+I twice: height $h2, not $h0"
h3=$(press ctrl+w "$h0")
((h3 < h0)) || fail "Ctrl+W left the height at $h0"
[[ $(decorations) == 0x0 ]] || fail "Ctrl+W left the window decorated: $(decorations)"
h4=$(press ctrl+w "$h3")
((h4 == h0)) || fail "Ctrl+W twice: height $h4, not $h0"
[[ $(decorations) != 0x0 ]] || fail "Ctrl+W twice left the window undecorated"
echo "heights: $h0, with the list $h1, without caption $h3"

# Leave the list shown and the caption hidden, and let persistence write them at exit.
h5=$(press ctrl+i "$h0")
h6=$(press ctrl+w "$h5")
((h6 == h5 - (h0 - h3))) || fail "Ctrl+W with the list shown: height $h6"
terminate_vorlix

expect() { # section, line
  section "$1" | grep -qxF "$2" || { cat "$settings"; fail "[$1] lacks $2"; }
}
expect 'Twnd_vx_Main\Tree' 'Visible=1'
expect 'Twnd_vx_Main\Tree' 'Tag=1'
expect 'Twnd_vx_Main\acPersistent' 'Checked=1'
expect 'Twnd_vx_Main\acCaption' 'Checked=0'
expect 'Twnd_vx_Main' 'Style=0'
expect 'Twnd_vx_Main' 'LayoutReadOnly=0'
expect 'Settings' 'Units=1'
expect 'Settings' 'Period=0'
expect 'Settings' 'vxa=1'
size=$(section 'Twnd_vx_Main' | awk -F'[=,]' '$1 == "Size" {print $3}')
[[ $size == "$h6" ]] || { cat "$settings"; fail "stored height $size, window height $h6"; }
grep -q '^\[TLMForm' "$settings" && fail "sections filed under the base class's name"
echo "Ctrl+I and Ctrl+W changed and restored the window's height; the settings file holds the final state"
