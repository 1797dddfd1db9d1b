# Keys on the clock window and the notification-area icon: Ctrl+A puts the window above the others
# and back, F12 hides it, a double-click on the icon shows it again.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_lib.sh"
start_desktop

store_put <<'STORE'
Setting|Runed|True
STORE

start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
above() { xprop -id "$id" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
not_above() { ! above; }

xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id"
above && fail "above from the start"
xdotool key ctrl+a
wait_until 3 above || fail "Ctrl+A did not put the window above: $(xprop -id "$id" _NET_WM_STATE)"
xdotool key ctrl+shift+a ctrl+alt+a
sleep 0.3
above || fail "Ctrl+Shift+A or Ctrl+Alt+A changed the stacking"
xdotool key ctrl+a
wait_until 3 not_above || fail "a second Ctrl+A did not take the window back"

icon=$(tray_icon_of "$KWEMO_PID" "$id") || fail "no notification-area icon"
read -r ix iy iw ih <<<"$(geometry_of "$icon")"

xdotool key F12
wait_until 3 bash -c "! xwininfo -id $id | grep -q IsViewable" || fail "F12 did not hide the clock"
# One click alone does nothing.
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) mousedown 1
sleep 0.03
xdotool mouseup 1
sleep 0.6
is_viewable "$id" && fail "a single click on the icon showed the clock"
left_double_click $((ix + iw / 2)) $((iy + ih / 2))
wait_until 3 clock_window_of "$KWEMO_PID" || fail "a double-click on the icon did not show the clock"
id=$(clock_window_of "$KWEMO_PID")

# The icon's right button: the menu comes up at the pointer.
right_click $((ix + iw / 2)) $((iy + ih / 2))
wait_menu "$KWEMO_PID" "$id" >/dev/null || fail "no menu from the icon"
xdotool key Escape
wait_until 3 bash -c "! xdotool search --all --onlyvisible --pid $KWEMO_PID '' | grep -qvx -e $id -e $icon" ||
  fail "the menu did not close"
log "keys and icon work"
