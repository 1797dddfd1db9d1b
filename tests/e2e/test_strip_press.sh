# Presses on the message strip: a left click and a left drag both end with the clock ticking, the
# drag moves the window and pulls it back onto the screen, and no pointer move without a button
# takes the window along afterwards.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_lib.sh"
start_desktop --size 1024x768

# A first run (its welcome answered) draws the face with the first-run hands and marks.
store_put <<'STORE'
Position|Left|3000
Position|Top|3000
Position|Width|1920
Position|Height|1920
STORE
start_kwemo
answer_box "$KWEMO_PID" "Hello!"
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
read -r x y w h <<<"$(geometry_of "$id")"
wait_strip_gone "$x" "$y"  # the greeting

face_shot() {
  import -window root -crop "120x100+$(($1 + 4))+$(($2 + 4))" "$3" 2>/dev/null
}
# The face redraws: two pictures of it 1.3 s apart differ (the second hand has moved).
clock_ticks() {
  local a="$E2E_TMP/tick_a.png" b="$E2E_TMP/tick_b.png" changed
  face_shot "$1" "$2" "$a"
  sleep 1.3
  face_shot "$1" "$2" "$b"
  changed=$(compare -metric AE "$a" "$b" null: 2>&1 || true)
  [ "${changed%% *}" -gt 0 ]
}
uptime_in_strip() {
  xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id"
  xdotool key space
  wait_until 2 strip_shows_text "$1" "$2" || fail "Space showed no uptime in the strip"
}
# Moves the pointer over the face with no button held; the window must stay where it is.
stays_put() {
  local x0=$1 y0=$2 i nx ny
  for i in 1 2 3 4 5; do
    xdotool mousemove $((x0 + 30 + i * 8)) $((y0 + 30 + i * 5))
    sleep 0.05
  done
  # Off the window: the face's tooltip stays out of the pictures.
  xdotool mousemove $((x0 > 400 ? x0 - 300 : x0 + 300)) $((y0 > 300 ? y0 - 200 : y0 + 200))
  sleep 0.5
  read -r nx ny _ _ <<<"$(geometry_of "$id")"
  [ "$nx $ny" = "$x0 $y0" ] || fail "$3: the window followed the pointer to $nx,$ny"
}

# A left click on the strip while it shows.
uptime_in_strip "$x" "$y"
xdotool mousemove $((x + 64)) $((y + 4 + 111))
xdotool mousedown 1
sleep 0.05
xdotool mouseup 1
stays_put "$x" "$y" "after a click on the strip"
clock_ticks "$x" "$y" || fail "the clock stopped after a click on the strip"
[ -n "${KWEMO_E2E_SHOTS:-}" ] && cp "$E2E_TMP/tick_b.png" "$KWEMO_E2E_SHOTS/strip_click.png"

# A left drag from the strip past the bottom-right corner: pulled back flush with the screen.
wait_strip_gone "$x" "$y"
uptime_in_strip "$x" "$y"
xdotool mousemove $((x + 64)) $((y + 4 + 111))
sleep 0.1
xdotool mousedown 1
for i in $(seq 1 16); do
  xdotool mousemove $((x + 64 + i * 50)) $((y + 115 + i * 50))
  sleep 0.03
done
xdotool mousemove 1020 765
sleep 0.2
xdotool mouseup 1
read -r sw sh <<<"$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')"
flush() {
  local nx ny nw nh
  read -r nx ny nw nh <<<"$(geometry_of "$id")"
  [ $((nx + nw)) = "$sw" ] && [ $((ny + nh)) = "$sh" ]
}
wait_until 3 flush || fail "the drag from the strip was not pulled back: $(geometry_of "$id") on ${sw}x$sh"
read -r x y _ _ <<<"$(geometry_of "$id")"
stays_put "$x" "$y" "after a drag from the strip"
clock_ticks "$x" "$y" || fail "the clock stopped after a drag from the strip"
log "a click and a drag on the strip leave the clock ticking; the drag ended at $x,$y"
