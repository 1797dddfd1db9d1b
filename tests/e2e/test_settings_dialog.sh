# Ctrl+S on the clock opens the settings dialog; a new background colour from the colour chooser
# and a 200 x 150 inner size, applied with Apply, reach the clock window at its next tick and the
# store at once: a kill -9 right after loses nothing, and the next start shows them.
source "$(dirname "$0")/lib.sh"
start_desktop
start_clock <<<"$PLAIN_FACE;Setting|Format|m/d h:nn"
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
xdotool key alt+a
wait_until 5 bash -c "grep -qx 'Width=3120' '$STORE_FILE'" ||
  fail "Apply did not reach the store: Width is '$(store_get Position Width)'"
window_of "$KWEMO_PID" "KWEMO Setting" >/dev/null || fail "Apply closed the dialog"
# 200 x 150 inside the clock's own 4-pixel frame, at the same place, in the new colour.
resized() { [ "$(geometry_of "$id")" = "$x $y 208 158" ]; }
wait_until 3 resized || fail "the clock window is at $(geometry_of "$id"), expected $x $y 208 158"
cyan() { [ "$(pixel_at $((x + 30)) $((y + 30)))" = "#00FFFF" ]; }
wait_until 3 cyan || fail "the face is $(pixel_at $((x + 30)) $((y + 30))) after Apply, expected #00FFFF"
kill -KILL "$KWEMO_PID"
wait_kwemo_exit
for kv in "Position Width 3120" "Position Height 2370" "Setting Format m/d h:nn" "Color BG_R 0"; do
  read -r s k v <<<"$kv"
  [ "$(store_get "$s" "$k")" = "$v" ] || fail "$k is '$(store_get "$s" "$k")' after kill -9, expected $v"
done
start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock did not come back"
wait_until 3 resized || fail "restored as $(geometry_of "$id"), expected $x $y 208 158"
log "size and colour applied; they survived kill -9"
