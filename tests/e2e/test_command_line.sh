# The command line answers without a display and leaves a running clock alone: --help and
# --version print and end, an unknown option gives the usage on stderr and exit 2, and
# --autostart on|off writes and removes the XDG autostart entry.
source "$(dirname "$0")/lib.sh"

version=$(sed -n 's/^project(KWEMO VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
[ -n "$version" ] || fail "no version in CMakeLists.txt"
entry="$XDG_CONFIG_HOME/autostart/kwemo.desktop"

# Runs kwemo without any display; puts the exit code in RC, output in $E2E_TMP/out and err.
run() {
  RC=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$KWEMO" "$@" \
    >"$E2E_TMP/out" 2>"$E2E_TMP/err" || RC=$?
}

run --help
[ "$RC" = 0 ] || fail "--help: exit $RC: $(cat "$E2E_TMP/err")"
grep -q '^Usage: .*kwemo' "$E2E_TMP/out" || fail "--help: no usage: $(cat "$E2E_TMP/out")"
grep -q -- '--autostart' "$E2E_TMP/out" || fail "--help does not name --autostart"
run --version
[ "$RC" = 0 ] || fail "--version: exit $RC"
[ "$(cat "$E2E_TMP/out")" = "KWEMO $version" ] || fail "--version printed '$(cat "$E2E_TMP/out")'"
run --bogus
[ "$RC" = 2 ] && [ ! -s "$E2E_TMP/out" ] || fail "--bogus: exit $RC, stdout: $(cat "$E2E_TMP/out")"
grep -q '^Usage: ' "$E2E_TMP/err" || fail "--bogus: no usage on stderr"

run --autostart
[ "$RC" = 0 ] && grep -q 'does not start' "$E2E_TMP/out" || fail "state before: $(cat "$E2E_TMP/out")"
run --autostart on
[ "$RC" = 0 ] || fail "--autostart on: exit $RC: $(cat "$E2E_TMP/err")"
grep -q "$entry" "$E2E_TMP/out" || fail "--autostart on does not say what it wrote"
grep -qx "Exec=$KWEMO" "$entry" || fail "the entry does not start this kwemo: $(cat "$entry")"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "the autostart entry is not a valid desktop entry"
fi
run --autostart off
[ "$RC" = 0 ] && [ ! -e "$entry" ] || fail "--autostart off left the entry"
grep -q removed "$E2E_TMP/out" || fail "--autostart off does not say what it did"
[ ! -e "$STORE_FILE" ] || fail "an option touched the settings"

# With a clock running and hidden, an option neither shows it nor starts a second one (a plain
# second launch would bring it into view).
start_desktop
store_put <<'STORE'
Setting|Runed|True
STORE
start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 10 is_viewable "$id" || fail "the clock is not mapped"
sleep 0.5
xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id"
xdotool key F12
wait_until 3 bash -c "! xwininfo -id $id | grep -q IsViewable" || fail "F12 did not hide the clock"
"$KWEMO" --version >/dev/null || fail "--version beside a running clock failed"
"$KWEMO" --autostart >/dev/null || fail "--autostart beside a running clock failed"
sleep 1
is_viewable "$id" && fail "an option brought the hidden clock into view"
kwemo_running || fail "the running clock ended"
log "command line answers and leaves the clock alone"
