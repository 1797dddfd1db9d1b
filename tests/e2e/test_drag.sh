# Dragging the clock from the face and from the message strip (here with a window manager;
# test_drag_no_wm.sh without one): a plain click leaves nothing stuck to the pointer, a drag keeps
# the pointer's point from the press on (the distance travelled before it took hold included), a
# drag past the screen's corner is pulled back flush, and the clock keeps ticking after each.
source "$(dirname "$0")/lib.sh"
start_desktop ${DRAG_WITHOUT_WM:+--no-wm --no-tray}
# A first run (its welcome answered) draws the face with the first-run hands and marks.
start_clock --welcome <<<'Position|Left|3000;Position|Top|3000;Position|Width|1920;Position|Height|1920'
wait_strip_gone # the greeting
at() { [ "$(geometry_of "$id" | cut -d' ' -f1,2)" = "$1 $2" ]; }
shot() { import -window root -crop "120x100+$((x + 4))+$((y + 4))" "$E2E_TMP/$1.png" 2>/dev/null; }
# The pointer crosses the face with no button held and leaves: the window stays put, and two
# pictures of the face 1.3 s apart differ (the second hand moved).
stays_and_ticks() {
  local i changed
  for i in 1 2 3 4 5; do
    xdotool mousemove $((x + 30 + i * 8)) $((y + 30 + i * 5))
    sleep 0.05
  done
  xdotool mousemove $((x > 400 ? x - 300 : x + 300)) $((y > 300 ? y - 200 : y + 200))
  sleep 0.5
  at "$x" "$y" || fail "$1: the window moved to $(geometry_of "$id")"
  shot a && sleep 1.3 && shot b
  changed=$(compare -metric AE "$E2E_TMP/a.png" "$E2E_TMP/b.png" null: 2>&1 || true)
  [ "${changed%% *}" -gt 0 ] || fail "$1: the clock stopped"
}
# A left drag from $1,$2 in 12 small steps of $3,$4, then on to $5,$6 when given.
drag() {
  xdotool mousemove "$1" "$2"
  sleep 0.1
  xdotool mousedown 1
  for i in $(seq 1 12); do
    xdotool mousemove $(($1 + i * $3)) $(($2 + i * $4))
    sleep 0.03
  done
  [ -z "${5:-}" ] || xdotool mousemove "$5" "$6"
  sleep 0.1
  xdotool mouseup 1
}
uptime_in_strip() {
  focus "$id"
  xdotool key space
  wait_until 2 strip_shows_text || fail "Space showed no uptime in the strip"
}
click_at $((x + 64)) $((y + 40))
stays_and_ticks "after a plain click"
drag $((x + 64)) $((y + 40)) 10 5
wait_until 2 at $((x + 120)) $((y + 60)) || fail "a drag by (+120, +60) from $x,$y ended at $(geometry_of "$id")"
x=$((x + 120)) y=$((y + 60))
stays_and_ticks "after the drag"
uptime_in_strip
xdotool mousemove $((x + 64)) $((y + 115)) mousedown 1
sleep 0.05
xdotool mouseup 1
stays_and_ticks "after a click on the strip"
wait_strip_gone
uptime_in_strip
drag $((x + 64)) $((y + 115)) 50 50 1020 765
flush() { [ "$(geometry_of "$id" | awk '{ print $1 + $3, $2 + $4 }')" = "1024 768" ]; }
wait_until 3 flush || fail "the drag from the strip was not pulled back: $(geometry_of "$id") on 1024x768"
read -r x y _ _ <<<"$(geometry_of "$id")"
stays_and_ticks "after a drag from the strip"
log "clicks and drags on the face and the strip; the clock ended at $x,$y, ticking"
