# "End(&E)" clicked in the notification-area icon's menu, with the clock hidden and shown: the
# store is written and the program ends with 0 (not by a crash), saying goodbye when shown.
source "$(dirname "$0")/lib.sh"
start_desktop
for hidden in 1 0; do
  rm -f "$STORE_FILE"
  start_clock </dev/null
  wait_strip_gone
  wait_icon
  [ "$hidden" = 0 ] || hide_clock
  open_menu "$ix" "$iy" 15  # generous: the sanitizer build under load is slow to pop up
  click_at $((mx + mw / 2)) $((my + mh - 12))  # End is the last item
  [ "$hidden" = 1 ] || wait_farewell
  ended_saved
  ! grep -qi 'AddressSanitizer\|runtime error' "$E2E_TMP/kwemo.log" || fail "the sanitizer reported a fault"
  log "End from the icon with the clock hidden=$hidden: exit 0"
done
