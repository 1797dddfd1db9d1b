# A second launch exits 0 without touching the store; the first keeps running. (How long it takes
# is a figure for bench/, not a pass mark here.)
source "$(dirname "$0")/lib.sh"
start_desktop

store_put <<'STORE'
Setting|Runed|True
STORE
start_kwemo
wait_window "$KWEMO_PID" KWEMO 10 >/dev/null || fail "the clock window did not appear"
before=$(md5sum "$STORE_FILE")

start=$(date +%s%N)
rc=0
timeout 30 "$KWEMO" >"$E2E_TMP/second.log" 2>&1 || rc=$?
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
[ "$rc" = 0 ] || fail "second launch exited $rc: $(cat "$E2E_TMP/second.log")"
[ "$(md5sum "$STORE_FILE")" = "$before" ] || fail "the second launch changed the store"
sleep 0.3
kwemo_running || fail "the first copy ended"
[ "$(xdotool search --all --onlyvisible --name '^KWEMO$' | wc -l)" = 1 ] ||
  fail "more than one clock window"
log "second launch ended in ${elapsed_ms} ms"
