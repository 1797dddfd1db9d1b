# The settings dialog by mouse: the text colour button opens its chooser; picking the style set
# already shown in the list loads it again; a hand length of 1e30 draws to the window's edge.
source "$(dirname "$0")/lib.sh"
start_desktop

store_put <<'STORE'
Setting|Runed|True
Setting|DigitalClock|1
Setting|HourLine|1
Setting|MinuteLine|1
Setting|SecondLine|1
Setting|BackLine|1
Setting|Memori|True
Setting|hLong0|60
Setting|hLong1|10
Setting|hLong2|10
Color|BG_R|255
Color|BG_G|255
Color|BG_B|255
Color|DrawMode|13
Position|Left|3000
Position|Top|2250
Position|Width|1920
Position|Height|1920
STORE

# A style set whose hour hand is 4 pixels wide, digital text off.
set_dir="$XDG_DATA_HOME/KWEMO/Style/Set A"
mkdir -p "$set_dir"
printf '%s\r\n' 'KWEMO StyleSet File' 0,0,0 0,0,0 0,0,0 255,255,255 0,0,0 0,0,0 4 1 1 1 60 10 10 \
  120 120 0 70 '"m/d h:nn"' '"IPAPGothic"' '"8"' 0 0 13 1 0 0 >"$set_dir/Style.kws"

start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
xdotool key --window "$id" ctrl+s
dlg=$(wait_window "$KWEMO_PID" "KWEMO Setting" 10) || fail "Ctrl+S did not open the settings dialog"
sleep 0.3
xdotool windowactivate --sync "$dlg" >/dev/null 2>&1 || true
read -r dx dy _ _ <<<"$(geometry_of "$dlg")"

click_at() {
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.1
  xdotool mouseup 1
  sleep 0.2
}

# "文字色" sits in the digital-text frame, at (238, 270) size 36 x 22. The dialog may still be
# settling where the window manager puts it: the place is read again before each try.
opened=0
for attempt in 1 2 3; do
  read -r dx dy _ _ <<<"$(geometry_of "$dlg")"
  xdotool windowactivate --sync "$dlg" >/dev/null 2>&1 || true
  click_at $((dx + 256)) $((dy + 281))
  if wait_window "$KWEMO_PID" "文字色の選択" 3 >/dev/null; then opened=1; break; fi
done
[ "$opened" = 1 ] || fail "a click on 文字色 opened no chooser"
answer_box "$KWEMO_PID" "文字色の選択"
log "文字色 takes the mouse"

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

# The hour hand reaches the window's edge: a dark pixel on its ray 57 pixels out (the minute and
# second hands are 10 per cent long), at the clock's time now.
sleep 1
read -r x y w h <<<"$(geometry_of "$id")"
read -r hh mm ss <<<"$(date +'%-H %-M %-S')"
read -r px py <<<"$(awk -v h="$hh" -v m="$mm" -v s="$ss" -v x="$x" -v y="$y" -v w="$w" -v hgt="$h" 'BEGIN {
  a = (h * 30 + m * 0.5 + s * 0.008333 - 90) * 3.14159265358979 / 180
  r = (w - 8) / 2 - 3
  printf "%d %d\n", x + w / 2 + r * cos(a), y + hgt / 2 + r * sin(a) }')"
# Any black pixel within two of that point: the hand may be one pixel wide.
import -window root -crop "5x5+$((px - 2))+$((py - 2))" -depth 8 txt:- 2>/dev/null |
  grep -q '#000000' || fail "no hour hand at $px,$py near the edge"
log "a 1e30 hour hand reaches the edge"

kill -TERM "$KWEMO_PID"
wait_kwemo_exit 10
[ "$KWEMO_RC" = 0 ] || fail "exit code $KWEMO_RC"
[ "$(store_get Setting HourLine)" = 4 ] || fail "HourLine $(store_get Setting HourLine): picking Set A again did not reload it"
[ "$(store_get Setting DigitalClock)" = 0 ] || fail "the set's digital text did not load"
log "picking the shown set again reloads it"
