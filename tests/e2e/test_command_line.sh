# Without a display: --help and --version print and end, an unknown option gives the usage on
# stderr and exit 2, --autostart on|off writes and removes the XDG autostart entry, and a plain
# start says in one line that there is no display. Beside a running clock: an option leaves it
# hidden, a second launch ends with 0 without touching the store.
source "$(dirname "$0")/lib.sh"
version=$(sed -n 's/^project(KWEMO VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
entry="$XDG_CONFIG_HOME/autostart/kwemo.desktop"
out="$E2E_TMP/out" err="$E2E_TMP/err"
# Runs kwemo with "env" arguments, without any display; exit code in RC.
run() {
  RC=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$out" 2>"$err" || RC=$?
}
run "$KWEMO" --help
[ "$RC" = 0 ] && grep -q '^Usage: .*kwemo' "$out" && grep -q -- '--autostart' "$out" || fail "--help: $RC $(cat "$out" "$err")"
run "$KWEMO" --version
[ "$RC" = 0 ] && [ "$(cat "$out")" = "KWEMO $version" ] || fail "--version: $RC '$(cat "$out")'"
run "$KWEMO" --bogus
[ "$RC" = 2 ] && [ ! -s "$out" ] && grep -q '^Usage: ' "$err" || fail "--bogus: exit $RC, $(cat "$out" "$err")"
run "$KWEMO" --autostart
[ "$RC" = 0 ] && grep -q 'does not start' "$out" || fail "state before: $(cat "$out")"
run "$KWEMO" --autostart on
[ "$RC" = 0 ] && grep -q "$entry" "$out" || fail "--autostart on: $RC $(cat "$out" "$err")"
grep -qx "Exec=$KWEMO" "$entry" || fail "the entry does not start this kwemo: $(cat "$entry")"
! command -v desktop-file-validate >/dev/null || desktop-file-validate "$entry" || fail "the autostart entry is not a valid desktop entry"
run "$KWEMO" --autostart off
[ "$RC" = 0 ] && [ ! -e "$entry" ] && grep -q removed "$out" || fail "--autostart off: $(cat "$out")"
for how in "" "DISPLAY=:4095" "QT_QPA_PLATFORM=xcb"; do
  run $how "$KWEMO"
  [ "$RC" -ne 0 ] && [ "$RC" -lt 128 ] || fail "no display ($how): exit code $RC"
  [ "$(wc -l <"$err")" = 1 ] && grep -qi display "$err" && [ ! -s "$out" ] || fail "no display ($how): $(cat "$out" "$err")"
done
[ ! -e "$STORE_FILE" ] || fail "an option touched the settings"
start_desktop
start_clock </dev/null
sleep 0.5
hide_clock
"$KWEMO" --version >/dev/null && "$KWEMO" --autostart >/dev/null || fail "an option beside a running clock failed"
sleep 1
is_viewable "$id" && fail "an option brought the hidden clock into view"
before=$(md5sum "$STORE_FILE")
rc=0
timeout 30 "$KWEMO" >"$E2E_TMP/second.log" 2>&1 || rc=$?
[ "$rc" = 0 ] || fail "second launch exited $rc: $(cat "$E2E_TMP/second.log")"
[ "$(md5sum "$STORE_FILE")" = "$before" ] || fail "the second launch changed the store"
sleep 0.3
kwemo_running || fail "the first clock ended"
wait_clock_shown 5 || fail "the second launch did not bring the clock into view"
[ "$(xdotool search --all --onlyvisible --name '^KWEMO$' | wc -l)" = 1 ] || fail "more than one clock window"
log "command line answers and leaves the clock alone"
