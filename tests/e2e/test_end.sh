# The ways to end: "End(&E)" in the notification-area icon's menu with the clock hidden and shown,
# and Alt+F4 taken by the window manager (twice: a second close request during the farewell
# changes nothing). Each writes the store and ends with 0 (not by a crash), saying goodbye when
# shown.
source "$(dirname "$0")/lib.sh"
start_desktop
for way in tray-hidden tray-shown alt-f4; do
  rm -f "$STORE_FILE"
  start_clock </dev/null
  wait_strip_gone
  if [ "$way" = alt-f4 ]; then
    focus "$id"
    xdotool key alt+F4
    sleep 0.05
    xdotool key alt+F4
  else
    wait_icon
    [ "$way" = tray-shown ] || hide_clock
    open_menu "$ix" "$iy" 15 # generous: the sanitizer build under load is slow to pop up
    click_at $((mx + mw / 2)) $((my + mh - 12)) # End is the last item
  fi
  [ "$way" = tray-hidden ] || wait_farewell
  ended_saved
  ! grep -qi 'AddressSanitizer\|runtime error' "$E2E_TMP/kwemo.log" || fail "the sanitizer reported a fault"
  log "$way: exit 0"
done
