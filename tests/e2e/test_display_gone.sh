# When the X server goes away, the clock still saves everything before the process ends.
source "$(dirname "$0")/lib.sh"
start_desktop --no-tray

store_put <<'STORE'
Setting|Runed|True
Position|Left|1500
Position|Top|1500
Position|Width|1920
Position|Height|1920
Setting|RgnMode|True
STORE
start_kwemo
wait_window "$KWEMO_PID" KWEMO 10 >/dev/null || fail "the clock window did not appear"
sleep 1
# Make the stored values differ from what the clock will write.
store_put <<'STORE'
Setting|Runed|False
STORE
kill -TERM "$XVFB_PID"
wait_kwemo_exit 10
[ "$(store_get Setting Runed)" = True ] || fail "Runed is '$(store_get Setting Runed)'"
[ "$(store_get Position Left)" = 1500 ] || fail "Left is '$(store_get Position Left)'"
[ "$(store_get Setting RgnMode)" = True ] || fail "RgnMode is '$(store_get Setting RgnMode)'"
log "saved at the last chance"
