# Ctrl+S on the clock opens the settings dialog; a new background colour from the colour chooser
# and a 200 x 150 inner size, pressed through with OK, reach the clock window at its next tick.
source "$(dirname "$0")/lib.sh"
start_desktop

store_put <<'STORE'
Setting|Runed|True
Setting|HourLine|1
Setting|MinuteLine|1
Setting|SecondLine|1
Setting|BackLine|1
Setting|Memori|True
Color|BG_R|255
Color|BG_G|255
Color|BG_B|255
Color|DrawMode|13
Position|Left|3000
Position|Top|2250
Position|Width|1920
Position|Height|1920
STORE

start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
read -r x y w h <<<"$(geometry_of "$id")"
sleep 0.5
[ "$(pixel_at $((x + 30)) $((y + 30)))" = "#FFFFFF" ] || fail "the face is not white at first"

xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
xdotool key --window "$id" ctrl+s
dlg=$(wait_window "$KWEMO_PID" "KWEMO Setting" 10) || fail "Ctrl+S did not open the settings dialog"
sleep 0.3
dlg=$(window_of "$KWEMO_PID" "KWEMO Setting") || fail "the settings dialog went away"
xdotool windowactivate --sync "$dlg" >/dev/null 2>&1 || true
log "settings dialog open"

# The size fields by their mnemonics (focus selects the whole text, typing replaces it).
xdotool key alt+w
xdotool type 200
xdotool key alt+h
xdotool type 150

# The background colour button, fourth row: the chooser opens with red focused; Home sets red to
# 0 and Enter is OK, so white becomes cyan.
read -r dx dy _ _ <<<"$(geometry_of "$dlg")"
xdotool mousemove $((dx + 52)) $((dy + 183)) mousedown 1
sleep 0.1
xdotool mouseup 1
chooser=$(wait_window "$KWEMO_PID" "背景色の選択" 10) || fail "the colour chooser did not open"
xdotool windowactivate --sync "$chooser" >/dev/null 2>&1 || true
xdotool key Home
xdotool key Return
wait_until 5 box_gone "$KWEMO_PID" "背景色の選択" || fail "the colour chooser did not close"

xdotool windowactivate --sync "$dlg" >/dev/null 2>&1 || true
xdotool key alt+o
wait_until 5 box_gone "$KWEMO_PID" "KWEMO Setting" || fail "OK did not close the dialog"

# 200 x 150 inside the clock's own 4-pixel frame, at the same place.
wait_until 3 bash -c "xwininfo -id $id | grep -q 'Width: 208'" || true
read -r x2 y2 w2 h2 <<<"$(geometry_of "$id")"
[ "$w2 $h2" = "208 158" ] || fail "clock window is ${w2}x${h2}, expected 208x158"
[ "$x2 $y2" = "$x $y" ] || fail "clock window moved from $x,$y to $x2,$y2"
sleep 0.5
px=$(pixel_at $((x2 + 30)) $((y2 + 30)))
[ "$px" = "#00FFFF" ] || fail "the face is $px after OK, expected the new colour #00FFFF"
log "size and colour applied"
