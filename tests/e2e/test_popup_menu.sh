# The popup menu on the face: a right click shows it at the pointer, "円形フォーム(&F)" cuts the
# window to the ellipse and back with a message in the strip each time, "End(&E)" says goodbye,
# saves and ends with 0.
source "$(dirname "$0")/lib.sh"
start_desktop
start_clock <<<'Memo|Title|Groceries'
wait_strip_gone  # the greeting
import -window root "$E2E_TMP/before.png"
open_menu $((x + 60)) $((y + 40))
[ "$mx" -ge $((x + 55)) ] && [ "$my" -ge $((y + 35)) ] || fail "the menu is not at the pointer: $mx,$my"
import -window root "$E2E_TMP/menu.png"
changed=$(compare -metric AE -crop "${mw}x${mh}+${mx}+${my}" "$E2E_TMP/before.png" "$E2E_TMP/menu.png" null: 2>&1 || true)
[ "${changed%% *}" -gt $((mw * mh / 4)) ] || fail "the screenshot does not show the menu ($changed pixels changed)"
elliptic() { xwininfo -shape -id "$id" | grep -q 'Window shape extents: *120x120+5+5'; }
xdotool key f
# The outline cuts most of the strip away once it applies, so the message is read from the same
# screenshot that first shows it.
first=""
for _ in $(seq 60); do first=$(strip_text_sum) && break || first=""; done
[ -n "$first" ] || fail "no 'Elliptic Form.' in the strip"
wait_until 3 elliptic || fail "no elliptic shape: $(xwininfo -shape -id "$id" | grep -i extents)"
wait_strip_gone
[ "$(store_get Setting RgnMode)" != True ] || fail "saved before the end"
open_menu $((x + 60)) $((y + 40))
xdotool key f
wait_until 2 strip_shows_text || fail "no 'Normal Form.' in the strip"
[ "$(strip_text_sum)" != "$first" ] || fail "the strip showed the same text both times"
wait_until 3 bash -c "! xwininfo -shape -id $id | grep -q 'extents: *120x120+5+5'" || fail "still elliptic"
wait_strip_gone
open_menu $((x + 60)) $((y + 40))
xdotool key Up Return  # End: the last item
wait_farewell
ended_saved
[ "$(store_get Setting RgnMode)" = False ] || fail "RgnMode not saved"
[ "$(store_get Memo Title)" = Groceries ] || fail "the memo was touched"
log "menu, elliptic form and End work"
