# What others may leave in the clock's way: a damaged lock file, a FIFO for a settings file, a
# lock held by a copy that does not answer. The clock starts, says what it could not save, and
# a launch that cannot start says why instead of vanishing.
source "$(dirname "$0")/lib.sh"
start_desktop

# A garbage lock file and a FIFO where the settings file belongs.
printf '\x89garbage\nanother-host\n' >"$XDG_RUNTIME_DIR/kwemo.lock"
mkdir -p "$(dirname "$STORE_FILE")"
mkfifo "$STORE_FILE"

start_kwemo
answer_box "$KWEMO_PID" "Hello!"
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock did not start"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
kill -TERM "$KWEMO_PID"
wait_kwemo_exit 10
[ "$KWEMO_RC" = 0 ] || fail "exit code $KWEMO_RC after SIGTERM"
[ -p "$STORE_FILE" ] || fail "the FIFO was replaced"
grep -qx "kwemo: the settings were not saved: $STORE_FILE: is a named pipe (FIFO)" \
  "$E2E_TMP/kwemo.log" || fail "no line on stderr about the unsaved settings"
[ "$(grep -c 'not saved' "$E2E_TMP/kwemo.log")" = 1 ] || fail "more than one line about it"
rm -f "$STORE_FILE"

# A copy that holds the lock but never answers: the next launch says so and fails.
# Held by this shell: a holder in the background would outlive the script and hold up ctest.
exec 8>"$XDG_RUNTIME_DIR/kwemo.lock"
flock -n 8 || fail "the lock was not taken"
rc=0
timeout 20 "$KWEMO" >"$E2E_TMP/blocked.log" 2>&1 8>&- || rc=$?
[ "$rc" != 0 ] && [ "$rc" != 124 ] || fail "a launch that cannot start exited $rc"
grep -q "does not answer" "$E2E_TMP/blocked.log" || fail "no word on stderr: $(cat "$E2E_TMP/blocked.log")"
log "damaged lock and FIFO survived; a blocked launch says so"
