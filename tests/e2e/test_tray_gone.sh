# The notification area goes away (its panel ends) while the clock is hidden in it: the clock
# shows itself again, and F12 then leaves it on screen, as there is nowhere to hide it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_lib.sh"
start_desktop

store_put <<'STORE'
Setting|Runed|True
STORE

start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
wait_until 10 tray_icon_of "$KWEMO_PID" "$id" || fail "no notification-area icon"

xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id"
xdotool key F12
wait_until 3 bash -c "! xwininfo -id $id | grep -q IsViewable" || fail "F12 did not hide the clock"

kill "$TRAYER_PID"
wait_until 8 clock_window_of "$KWEMO_PID" || fail "the clock stayed hidden when the tray went away"
id=$(clock_window_of "$KWEMO_PID")
kwemo_running || fail "kwemo ended"

# The hide item was unticked: F12 would show a ticked one; with no tray it must not hide.
xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id"
xdotool key F12
sleep 0.5
is_viewable "$id" || fail "F12 hid the clock with no notification area"
log "the clock comes back when the tray goes"
