# Keys and the notification-area icon: Ctrl+A puts the window above the others and back, F12
# hides it, a double-click on the icon (not one click) shows it again, the icon's right button
# opens the menu. When the panel then ends while the clock is hidden, the clock shows itself,
# and F12 leaves it on screen, as there is nowhere to hide it.
source "$(dirname "$0")/lib.sh"
start_desktop
start_clock </dev/null
above() { xprop -id "$id" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
focus "$id"
above && fail "above from the start"
xdotool key ctrl+a
wait_until 3 above || fail "Ctrl+A did not put the window above: $(xprop -id "$id" _NET_WM_STATE)"
xdotool key ctrl+a
wait_until 3 bash -c "! xprop -id $id _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE" || fail "a second Ctrl+A did not take the window back"
wait_icon
hide_clock
click_at "$ix" "$iy"
sleep 0.4
is_viewable "$id" && fail "a single click on the icon showed the clock"
# Both clicks from one xdotool call, well inside the double-click interval.
xdotool click --repeat 2 --delay 120 1
wait_clock_shown 3 || fail "a double-click on the icon did not show the clock"
open_menu "$ix" "$iy"
xdotool key Escape
wait_until 3 bash -c "! xdotool search --all --onlyvisible --pid $KWEMO_PID '' | grep -qvx -e $id -e $icon" ||
  fail "the menu did not close"
hide_clock
kill "$TRAYER_PID"
wait_clock_shown 8 || fail "the clock stayed hidden when the tray went away"
# The hide item was unticked: F12 would show a ticked one; with no tray it must not hide.
focus "$id"
xdotool key F12
sleep 0.5
is_viewable "$id" || fail "F12 hid the clock with no notification area"
log "keys and icon work; the clock comes back when the tray goes"
