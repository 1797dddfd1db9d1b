# The settings dialog by mouse: the text colour button opens its chooser; picking the style set
# already shown in the list loads it again; a hand length of 1e30 draws to the window's edge.
source "$(dirname "$0")/lib.sh"
start_desktop
# A style set whose hour hand is 4 pixels wide, digital text off.
set_dir="$XDG_DATA_HOME/KWEMO/Style/Set A"
mkdir -p "$set_dir"
printf '%s\r\n' 'KWEMO StyleSet File' 0,0,0 0,0,0 0,0,0 255,255,255 0,0,0 0,0,0 4 1 1 1 60 10 10 \
  120 120 0 70 '"m/d h:nn"' '"IPAPGothic"' '"8"' 0 0 13 1 0 0 >"$set_dir/Style.kws"
start_clock <<<"$PLAIN_FACE;Setting|DigitalClock|1;Setting|hLong0|60;Setting|hLong1|10;Setting|hLong2|10"
open_settings
# "文字色" sits in the digital-text frame, at (238, 270) size 36 x 22. The dialog may still be
# settling where the window manager puts it: the place is read again before each try.
for attempt in 1 2 3 0; do
  [ "$attempt" != 0 ] || fail "a click on 文字色 opened no chooser"
  read -r dx dy _ _ <<<"$(geometry_of "$dlg")"
  xdotool windowactivate --sync "$dlg" >/dev/null 2>&1 || true
  click_at $((dx + 256)) $((dy + 281))
  ! wait_window "$KWEMO_PID" "文字色の選択" 3 >/dev/null || break
done
answer_box "$KWEMO_PID" "文字色の選択"
# The style-set list at (86, 6) size 224 x 22: open it, take "Set A" (the second entry).
pick_set_a() {
  xdotool windowactivate --sync "$dlg" >/dev/null 2>&1 || true
  click_at $((dx + 198)) $((dy + 17))
  xdotool key "$@" Return
  sleep 0.3
}
pick_set_a Down
# The hour width list at (72, 100): back to 1 pixel, then the same set picked again.
click_at $((dx + 92)) $((dy + 111))
xdotool key Escape Home
sleep 0.2
pick_set_a
# The hour hand 1e30 long; OK applies everything.
click_at $((dx + 131)) $((dy + 111))
xdotool type 1e30
xdotool key alt+o
wait_until 5 box_gone "$KWEMO_PID" "KWEMO Setting" || fail "OK did not close the dialog"
# The hour hand reaches the window's edge: a black pixel within two of its ray 57 pixels out (the
# minute and second hands are 10 per cent long), at the clock's time now.
sleep 1
read -r x y w h <<<"$(geometry_of "$id")"
read -r hh mm ss <<<"$(date +'%-H %-M %-S')"
read -r px py <<<"$(awk -v h="$hh" -v m="$mm" -v s="$ss" -v x="$x" -v y="$y" 'BEGIN {
  a = (h * 30 + m * 0.5 + s * 0.008333 - 90) * 3.14159265358979 / 180
  printf "%d %d\n", x + 64 + 57 * cos(a), y + 64 + 57 * sin(a) }')"  # 128 x 128
import -window root -crop "5x5+$((px - 2))+$((py - 2))" -depth 8 txt:- 2>/dev/null |
  grep -q '#000000' || fail "no hour hand at $px,$py near the edge"
kill -TERM "$KWEMO_PID"
ended_saved
[ "$(store_get Setting HourLine)" = 4 ] || fail "HourLine $(store_get Setting HourLine): picking Set A again did not reload it"
[ "$(store_get Setting DigitalClock)" = 0 ] || fail "the set's digital text did not load"
log "picking the shown set again reloads it; a 1e30 hour hand reaches the edge"
