# Dragging the face moves the window (here with a window manager; test_drag_no_wm.sh without
# one); a plain click leaves nothing stuck to the pointer.
source "$(dirname "$0")/lib.sh"

drag_check() {
  local id=$1 x y w h x2 y2
  read -r x y w h <<<"$(geometry_of "$id")"
  # A plain click: nothing moves, and the pointer moving afterwards takes nothing along.
  xdotool mousemove $((x + 64)) $((y + 40))
  sleep 0.2
  xdotool mousedown 1; sleep 0.05; xdotool mouseup 1
  sleep 0.2
  xdotool mousemove $((x + 200)) $((y + 150))
  sleep 0.4
  read -r x2 y2 _ _ <<<"$(geometry_of "$id")"
  [ "$x2 $y2" = "$x $y" ] || fail "a plain click moved the window to $x2,$y2"

  # A drag of (120, 60) in small steps: the window keeps the pointer's point from the press on,
  # the distance travelled before the drag took hold included.
  xdotool mousemove $((x + 64)) $((y + 40))
  sleep 0.2
  xdotool mousedown 1
  local i
  for i in $(seq 1 12); do
    xdotool mousemove $((x + 64 + i * 10)) $((y + 40 + i * 5))
    sleep 0.03
  done
  sleep 0.1
  xdotool mouseup 1
  moved_by() {
    local mx my
    read -r mx my _ _ <<<"$(geometry_of "$id")"
    [ "$((mx - x)) $((my - y))" = "$1 $2" ]
  }
  wait_until 2 moved_by 120 60 || true
  read -r x2 y2 _ _ <<<"$(geometry_of "$id")"
  [ "$((x2 - x)) $((y2 - y))" = "120 60" ] ||
    fail "a drag by (+120, +60) moved the window by ($((x2 - x)), $((y2 - y)))"
  xdotool mousemove $((x2 + 300)) $((y2 + 200))
  sleep 0.4
  local x3 y3
  read -r x3 y3 _ _ <<<"$(geometry_of "$id")"
  [ "$x3 $y3" = "$x2 $y2" ] || fail "the window followed the pointer after the drag"
  log "dragged from $x,$y to $x2,$y2"
}

if [ -n "${DRAG_WITHOUT_WM:-}" ]; then
  start_desktop --no-wm --no-tray
else
  start_desktop
fi
store_put <<'STORE'
Setting|Runed|True
Position|Left|3000
Position|Top|3000
Position|Width|1920
Position|Height|1920
STORE
start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "not mapped"
sleep 1.2  # let the greeting roll away
drag_check "$id"
