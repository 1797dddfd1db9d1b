# SIGTERM closes the clock normally: everything is written, the exit code is 0, and the next
# start restores the position without a welcome.
source "$(dirname "$0")/lib.sh"
start_desktop

start_kwemo
answer_box "$KWEMO_PID" "Hello!"
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "not mapped"
xdotool windowmove --sync "$id" 300 200 || true
sleep 0.5
read -r x y w h <<<"$(geometry_of "$id")"

kill -TERM "$KWEMO_PID"
wait_kwemo_exit 10
[ "$KWEMO_RC" = 0 ] || fail "exit code $KWEMO_RC after SIGTERM"

[ "$(store_get Setting Runed)" = True ] || fail "Runed is '$(store_get Setting Runed)'"
[ "$(store_get Position Left)" = $((x * 15)) ] || fail "Left $(store_get Position Left), window at x $x"
[ "$(store_get Position Top)" = $((y * 15)) ] || fail "Top $(store_get Position Top), window at y $y"
[ "$(store_get Position Width)" = $((w * 15)) ] || fail "Width $(store_get Position Width)"
[ "$(store_get Position Height)" = $((h * 15)) ] || fail "Height $(store_get Position Height)"
[ "$(store_get Position 'Always On Top')" = False ] || fail "Always On Top not written"
[ "$(store_get Setting RgnMode)" = False ] || fail "RgnMode not written"

start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock did not come back"
if window_of "$KWEMO_PID" "Hello!" >/dev/null; then fail "welcomed again"; fi
read -r x2 y2 _ _ <<<"$(geometry_of "$id")"
[ "$x2 $y2" = "$x $y" ] || fail "restored at $x2,$y2, expected $x,$y"

# SIGHUP and SIGINT close it the same way.
kill -HUP "$KWEMO_PID"
wait_kwemo_exit 10
[ "$KWEMO_RC" = 0 ] || fail "exit code $KWEMO_RC after SIGHUP"
start_kwemo
wait_window "$KWEMO_PID" KWEMO 10 >/dev/null || fail "no clock"
kill -INT "$KWEMO_PID"
wait_kwemo_exit 10
[ "$KWEMO_RC" = 0 ] || fail "exit code $KWEMO_RC after SIGINT"
log "saved at $x,$y and restored"
