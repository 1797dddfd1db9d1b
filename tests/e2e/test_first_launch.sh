# First launch on an empty store: the welcome box, then the clock at 128 x 128 with its face
# drawn, and no splash left behind.
source "$(dirname "$0")/lib.sh"
start_desktop

start_kwemo
answer_box "$KWEMO_PID" "Hello!"
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
read -r x y w h <<<"$(geometry_of "$id")"
[ "$w" = 128 ] && [ "$h" = 128 ] || fail "outer size ${w}x${h}, expected 128x128"

# The centre lies under every hand; the client area's corner shows the white background.
sleep 0.5
centre=$(pixel_at $((x + 64)) $((y + 64)))
corner=$(pixel_at $((x + 10)) $((y + 10)))
[ "$corner" = "#FFFFFF" ] || fail "background at the corner is $corner"
[ "$centre" != "$corner" ] || fail "nothing drawn at the centre ($centre)"

! window_of "$KWEMO_PID" "Loading KWEMO" >/dev/null || fail "the splash is still shown"
kwemo_running || fail "kwemo ended"
log "first launch: ${w}x${h} at $x,$y, centre $centre"
