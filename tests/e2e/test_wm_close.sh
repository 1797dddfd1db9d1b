# Alt+F4 taken by the window manager (openbox sends the clock a close request) ends the clock as
# "End(&E)" does: the farewell in the strip first, then the store written and exit 0. A second
# close request while the farewell shows changes nothing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_lib.sh"
start_desktop

store_put <<'STORE'
Setting|Runed|True
STORE
start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
read -r x y _ _ <<<"$(geometry_of "$id")"
wait_strip_gone "$x" "$y"

xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id"
xdotool key alt+F4
sleep 0.05
xdotool key alt+F4
seen=0
end=$(($(date +%s) + 5))
while kwemo_running && [ "$(date +%s)" -lt "$end" ]; do
  if strip_shows_text "$x" "$y"; then seen=1; break; fi
done
[ "$seen" = 1 ] || fail "no farewell in the strip before the clock closed"
wait_kwemo_exit 10
[ "$KWEMO_RC" = 0 ] || fail "exit code $KWEMO_RC"
[ "$(store_get Setting Runed)" = "True" ] || fail "the store was not written"
[ -n "$(store_get Position Left)" ] || fail "the position was not saved"
log "Alt+F4 through the window manager says goodbye and ends with 0"
