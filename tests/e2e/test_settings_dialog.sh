# Ctrl+S on the clock opens the settings dialog; a new background colour from the colour chooser
# and a 200 x 150 inner size, pressed through with OK, reach the clock window at its next tick.
source "$(dirname "$0")/lib.sh"
start_desktop

start_clock <<<"$PLAIN_FACE"

sleep 0.5
[ "$(pixel_at $((x + 30)) $((y + 30)))" = "#FFFFFF" ] || fail "the face is not white at first"

open_settings

# The size fields by their mnemonics (focus selects the whole text, typing replaces it).
xdotool key alt+w
xdotool type 200
xdotool key alt+h
xdotool type 150

# The background colour button, fourth row: the chooser opens with red focused; Home sets red to
# 0 and Enter is OK, so white becomes cyan.
click_at $((dx + 52)) $((dy + 183))
chooser=$(wait_window "$KWEMO_PID" "背景色の選択" 10) || fail "the colour chooser did not open"
xdotool windowactivate --sync "$chooser" >/dev/null 2>&1 || true
xdotool key Home Return
wait_until 5 box_gone "$KWEMO_PID" "背景色の選択" || fail "the colour chooser did not close"

xdotool windowactivate --sync "$dlg" >/dev/null 2>&1 || true
xdotool key alt+o
wait_until 5 box_gone "$KWEMO_PID" "KWEMO Setting" || fail "OK did not close the dialog"

# 200 x 150 inside the clock's own 4-pixel frame, at the same place.
resized() { [ "$(geometry_of "$id")" = "$x $y 208 158" ]; }
wait_until 3 resized || fail "the clock window is at $(geometry_of "$id"), expected $x $y 208 158"
sleep 0.5
px=$(pixel_at $((x + 30)) $((y + 30)))
[ "$px" = "#00FFFF" ] || fail "the face is $px after OK, expected the new colour #00FFFF"
log "size and colour applied"
