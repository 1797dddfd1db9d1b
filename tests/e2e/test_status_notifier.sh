# A notification area that speaks StatusNotifierItem over D-Bus (Plasma, GNOME with AppIndicator,
# XFCE): a small watcher and host on a private session bus sees the clock's icon register; its
# one click (Activate) brings a hidden clock back and unticks the hide item; when the host goes
# away while the clock is hidden, the clock shows itself.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_lib.sh"
start_desktop --no-tray

dbus-daemon --session --nofork --nopidfile --print-address=1 >"$E2E_TMP/bus.address" \
  2>"$E2E_TMP/bus.log" &
E2E_PIDS+=($!)
wait_until 5 test -s "$E2E_TMP/bus.address" || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_TMP/bus.address")

host_log="$E2E_TMP/host.log"
trigger="$E2E_TMP/activate"
touch "$host_log"
/usr/bin/python3 "$(dirname "$0")/sni_host.py" "$host_log" "$trigger" 2>"$E2E_TMP/host-errors.log" &
HOST_PID=$!
E2E_PIDS+=($HOST_PID)
wait_until 10 grep -qx ready "$host_log" || fail "the watcher did not start"

store_put <<'STORE'
Setting|Runed|True
STORE
start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
wait_until 10 grep -q '^registered ' "$host_log" || fail "the icon did not register with the watcher"

hide() {
  xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id"
  xdotool key F12
  wait_until 3 bash -c "! xwininfo -id $id | grep -q IsViewable"
}
hide || fail "F12 did not hide the clock"

touch "$trigger"
wait_until 5 grep -qx activated "$host_log" || fail "the host could not call Activate"
wait_until 5 clock_window_of "$KWEMO_PID" || fail "Activate did not show the hidden clock"
id=$(clock_window_of "$KWEMO_PID")
# Unticked: F12 hides again rather than showing.
hide || fail "after Activate, F12 did not hide the clock (hide item still ticked?)"

kill "$HOST_PID"
wait_until 8 clock_window_of "$KWEMO_PID" || fail "the clock stayed hidden when the host went away"
kwemo_running || fail "kwemo ended"
log "StatusNotifierItem host: Activate and host gone work"
