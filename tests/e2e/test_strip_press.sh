# Presses on the message strip: a left click and a left drag both end with the clock ticking, the
# drag moves the window and pulls it back onto the screen, and no pointer move without a button
# takes the window along afterwards.
source "$(dirname "$0")/lib.sh"
start_desktop
# A first run (its welcome answered) draws the face with the first-run hands and marks.
start_clock --welcome <<<'Position|Left|3000;Position|Top|3000;Position|Width|1920;Position|Height|1920'
wait_strip_gone  # the greeting
# The face redraws: two pictures of it 1.3 s apart differ (the second hand has moved).
clock_ticks() {
  import -window root -crop "120x100+$((x + 4))+$((y + 4))" "$E2E_TMP/tick_a.png" 2>/dev/null
  sleep 1.3
  import -window root -crop "120x100+$((x + 4))+$((y + 4))" "$E2E_TMP/tick_b.png" 2>/dev/null
  local changed
  changed=$(compare -metric AE "$E2E_TMP/tick_a.png" "$E2E_TMP/tick_b.png" null: 2>&1 || true)
  [ "${changed%% *}" -gt 0 ] || fail "the clock stopped $1"
}
# Moves the pointer over the face with no button held, then off it (the tooltip stays out of the
# pictures); the window must stay where it is.
stays_put() {
  for i in 1 2 3 4 5; do
    xdotool mousemove $((x + 30 + i * 8)) $((y + 30 + i * 5))
    sleep 0.05
  done
  xdotool mousemove $((x > 400 ? x - 300 : x + 300)) $((y > 300 ? y - 200 : y + 200))
  sleep 0.5
  [ "$(geometry_of "$id" | cut -d' ' -f1,2)" = "$x $y" ] || fail "$1: the window followed the pointer"
}
uptime_in_strip() {
  focus "$id"
  xdotool key space
  wait_until 2 strip_shows_text || fail "Space showed no uptime in the strip"
}
uptime_in_strip
xdotool mousemove $((x + 64)) $((y + 115)) mousedown 1
sleep 0.05
xdotool mouseup 1
stays_put "after a click on the strip"
clock_ticks "after a click on the strip"
[ -n "${KWEMO_E2E_SHOTS:-}" ] && cp "$E2E_TMP/tick_b.png" "$KWEMO_E2E_SHOTS/strip_click.png"
# A left drag from the strip past the bottom-right corner: pulled back flush with the screen.
wait_strip_gone
uptime_in_strip
xdotool mousemove $((x + 64)) $((y + 115))
sleep 0.1
xdotool mousedown 1
for i in $(seq 1 16); do
  xdotool mousemove $((x + 64 + i * 50)) $((y + 115 + i * 50))
  sleep 0.03
done
xdotool mousemove 1020 765
sleep 0.2
xdotool mouseup 1
flush() { [ "$(geometry_of "$id" | awk '{ print $1 + $3, $2 + $4 }')" = "1024 768" ]; }
wait_until 3 flush || fail "the drag from the strip was not pulled back: $(geometry_of "$id") on 1024x768"
read -r x y _ _ <<<"$(geometry_of "$id")"
stays_put "after a drag from the strip"
clock_ticks "after a drag from the strip"
log "a click and a drag on the strip leave the clock ticking; the drag ended at $x,$y"
