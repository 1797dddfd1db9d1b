# First launch on an empty store: the welcome box, then the clock at 128 x 128 with its face drawn
# and no splash left. SIGTERM closes it normally (store written, exit 0), the next start restores
# the place without a welcome, and SIGHUP and SIGINT close it the same way.
source "$(dirname "$0")/lib.sh"
start_desktop
start_clock --welcome </dev/null
[ "$w $h" = "128 128" ] || fail "outer size ${w}x${h}, expected 128x128"
# The centre lies under every hand; the client area's corner shows the white background.
sleep 0.5
centre=$(pixel_at $((x + 64)) $((y + 64)))
[ "$(pixel_at $((x + 10)) $((y + 10)))" = "#FFFFFF" ] || fail "the background at the corner is not white"
[ "$centre" != "#FFFFFF" ] || fail "nothing drawn at the centre"
box_gone "$KWEMO_PID" "Loading KWEMO" || fail "the splash is still shown"
xdotool windowmove --sync "$id" 300 200 || true
sleep 0.5
read -r x y w h <<<"$(geometry_of "$id")"
kill -TERM "$KWEMO_PID"
ended_saved
for kv in "Position Left $((x * 15))" "Position Top $((y * 15))" "Position Width $((w * 15))" \
  "Position Height $((h * 15))" "Setting RgnMode False"; do
  read -r s k v <<<"$kv"
  [ "$(store_get "$s" "$k")" = "$v" ] || fail "$k is '$(store_get "$s" "$k")', expected $v"
done
[ "$(store_get Position 'Always On Top')" = False ] || fail "Always On Top not written"
start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock did not come back"
box_gone "$KWEMO_PID" "Hello!" || fail "welcomed again"
[ "$(geometry_of "$id" | cut -d' ' -f1,2)" = "$x $y" ] || fail "restored at $(geometry_of "$id"), expected $x,$y"
for sig in HUP INT; do
  [ "$sig" = HUP ] || { start_kwemo; wait_window "$KWEMO_PID" KWEMO 10 >/dev/null || fail "no clock"; }
  kill -$sig "$KWEMO_PID"
  wait_kwemo_exit
  [ "$KWEMO_RC" = 0 ] || fail "exit code $KWEMO_RC after SIG$sig"
done
log "first launch, saved at $x,$y and restored"
