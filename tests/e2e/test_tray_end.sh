# "End(&E)" chosen by click from the notification-area icon's menu, with the clock hidden and
# shown: the store is written and the program ends with 0 (not by a crash), saying goodbye.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_lib.sh"
start_desktop

end_from_icon() {
  local hidden=$1 id x y icon ix iy iw ih menu mx my mw mh seen=0
  rm -f "$STORE_FILE"
  store_put <<'STORE'
Setting|Runed|True
STORE
  start_kwemo
  id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
  wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
  read -r x y _ _ <<<"$(geometry_of "$id")"
  wait_strip_gone "$x" "$y"
  wait_until 5 tray_icon_of "$KWEMO_PID" "$id" || fail "no notification-area icon"
  icon=$(tray_icon_of "$KWEMO_PID" "$id")
  read -r ix iy iw ih <<<"$(geometry_of "$icon")"
  if [ "$hidden" = 1 ]; then
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id"
    xdotool key F12
    wait_until 3 bash -c "! xwininfo -id $id | grep -q IsViewable" || fail "F12 did not hide the clock"
  fi
  right_click $((ix + iw / 2)) $((iy + ih / 2))
  # Generous: the sanitizer build under load is slow to pop up.
  wait_until 15 menu_of "$KWEMO_PID" "$id" || fail "no menu from the icon"
  menu=$(menu_of "$KWEMO_PID" "$id")
  read -r mx my mw mh <<<"$(geometry_of "$menu")"
  # End is the last item.
  xdotool mousemove $((mx + mw / 2)) $((my + mh - 12))
  sleep 0.2
  xdotool mousedown 1
  sleep 0.05
  xdotool mouseup 1
  if [ "$hidden" = 0 ]; then
    local end=$(($(date +%s) + 5))
    while kwemo_running && [ "$(date +%s)" -lt "$end" ]; do
      if strip_shows_text "$x" "$y"; then seen=1; break; fi
    done
    [ "$seen" = 1 ] || fail "no farewell in the strip"
  fi
  wait_kwemo_exit 10
  [ "$KWEMO_RC" = 0 ] || fail "End from the icon (hidden=$hidden) ended with $KWEMO_RC"
  [ "$(store_get Setting Runed)" = "True" ] || fail "the store was not written"
  [ -n "$(store_get Position Left)" ] || fail "the position was not saved"
  if grep -qi 'AddressSanitizer\|runtime error' "$E2E_TMP/kwemo.log"; then
    fail "the sanitizer reported a fault"
  fi
  log "End from the icon with the clock hidden=$hidden: exit 0"
}

end_from_icon 1
end_from_icon 0
