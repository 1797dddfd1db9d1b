# The popup menu on the face: a right click shows it, "円形フォーム(&F)" cuts the window to the
# ellipse and says so in the strip, "End(&E)" says goodbye, saves and ends the program with 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_lib.sh"
start_desktop

store_put <<'STORE'
Setting|Runed|True
Memo|Title|Groceries
STORE

start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
read -r x y w h <<<"$(geometry_of "$id")"
wait_strip_gone "$x" "$y"  # the greeting

before="$E2E_TMP/before.png"
import -window root "$before"
right_click $((x + 60)) $((y + 40))
menu=$(wait_menu "$KWEMO_PID" "$id") || fail "no popup menu after a right click on the face"
read -r mx my mw mh <<<"$(geometry_of "$menu")"
log "menu at $mx $my ${mw}x$mh"
[ "$mx" -ge $((x + 55)) ] && [ "$my" -ge $((y + 35)) ] || fail "the menu is not at the pointer"
shot="$E2E_TMP/menu.png"
import -window root "$shot"
[ -n "${KWEMO_E2E_SHOTS:-}" ] && cp "$shot" "$KWEMO_E2E_SHOTS/popup_menu.png"
changed=$(compare -metric AE -crop "${mw}x${mh}+${mx}+${my}" "$before" "$shot" null: 2>&1 || true)
[ "${changed%% *}" -gt $((mw * mh / 4)) ] || fail "the screenshot does not show the menu ($changed pixels changed)"

# The elliptic outline, confirmed in the strip.
xdotool key f
wait_until 2 strip_shows_text "$x" "$y" || fail "no 'Elliptic Form.' in the strip"
elliptic=$(strip_text_sum "$x" "$y")
wait_until 3 bash -c "xwininfo -shape -id $id | grep -q 'Window shape extents: *120x120+5+5'" ||
  fail "no elliptic shape: $(xwininfo -shape -id "$id" | grep -i extents)"
wait_strip_gone "$x" "$y"
[ "$(store_get Setting RgnMode)" != "True" ] || fail "saved before the end"

# And back: the same menu item gives the rectangle and another message, "Normal Form.".
right_click $((x + 60)) $((y + 40))
wait_menu "$KWEMO_PID" "$id" >/dev/null || fail "no menu the second time"
xdotool key f
wait_until 2 strip_shows_text "$x" "$y" || fail "no message in the strip"
normal=$(strip_text_sum "$x" "$y")
wait_until 3 bash -c "! xwininfo -shape -id $id | grep -q 'Window shape extents: *120x120+5+5'" ||
  fail "still elliptic"
[ "$normal" != "$elliptic" ] || fail "the strip showed the same text both times"
wait_strip_gone "$x" "$y"

# End: the last item of the menu.
right_click $((x + 60)) $((y + 40))
wait_menu "$KWEMO_PID" "$id" >/dev/null || fail "no menu for End"
xdotool key Up Return
wait_until 1 strip_shows_text "$x" "$y" || fail "no farewell in the strip"
kwemo_running || fail "ended before the farewell was held"
wait_kwemo_exit 10
[ "$KWEMO_RC" = 0 ] || fail "exit code $KWEMO_RC"
[ "$(store_get Setting Runed)" = "True" ] || fail "the store was not written"
[ "$(store_get Setting RgnMode)" = "False" ] || fail "RgnMode not saved"
[ "$(store_get Memo Title)" = "Groceries" ] || fail "the memo was touched"
[ -n "$(store_get Position Left)" ] || fail "the position was not saved"
log "menu, elliptic form and End work"
