# Dragging the face moves the window (here with a window manager; test_drag_no_wm.sh without one);
# a plain click leaves nothing stuck to the pointer.
source "$(dirname "$0")/lib.sh"
start_desktop ${DRAG_WITHOUT_WM:+--no-wm --no-tray}
start_clock <<<'Position|Left|3000;Position|Top|3000;Position|Width|1920;Position|Height|1920'
sleep 1.2  # let the greeting roll away
# Moving the pointer with no button held afterwards takes nothing along.
at() { [ "$(geometry_of "$id" | cut -d' ' -f1,2)" = "$1 $2" ]; }
stays_at() {
  xdotool mousemove $(($1 + 300)) $(($2 + 200))
  sleep 0.4
  at "$1" "$2" || fail "$3: the window moved to $(geometry_of "$id")"
}
click_at $((x + 64)) $((y + 40))
stays_at "$x" "$y" "a plain click"
# A drag of (120, 60) in small steps: the window keeps the pointer's point from the press on, the
# distance travelled before the drag took hold included.
xdotool mousemove $((x + 64)) $((y + 40))
sleep 0.2
xdotool mousedown 1
for i in $(seq 1 12); do
  xdotool mousemove $((x + 64 + i * 10)) $((y + 40 + i * 5))
  sleep 0.03
done
sleep 0.1
xdotool mouseup 1
wait_until 2 at $((x + 120)) $((y + 60)) || fail "a drag by (+120, +60) from $x,$y ended at $(geometry_of "$id")"
stays_at $((x + 120)) $((y + 60)) "after the drag"
log "dragged from $x,$y by (120, 60)"
