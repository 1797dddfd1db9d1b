# A notification area that speaks StatusNotifierItem over D-Bus (Plasma, GNOME with AppIndicator,
# XFCE): a small watcher and host on a private bus sees the icon register; its one click
# (Activate) brings a hidden clock back and unticks the hide item; when the host goes away while
# the clock is hidden, the clock shows itself.
source "$(dirname "$0")/lib.sh"
start_desktop --no-tray
dbus-daemon --session --nofork --nopidfile --print-address=1 >"$E2E_TMP/bus.address" 2>"$E2E_TMP/bus.log" &
E2E_PIDS+=($!)
wait_until 5 test -s "$E2E_TMP/bus.address" || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_TMP/bus.address")
host_log="$E2E_TMP/host.log" trigger="$E2E_TMP/activate"
touch "$host_log"
/usr/bin/python3 "$(dirname "$0")/sni_host.py" "$host_log" "$trigger" 2>"$E2E_TMP/host-errors.log" &
HOST_PID=$!
E2E_PIDS+=($HOST_PID)
wait_until 10 grep -qx ready "$host_log" || fail "the watcher did not start"
start_clock </dev/null
wait_until 10 grep -q '^registered ' "$host_log" || fail "the icon did not register with the watcher"
hide_clock
touch "$trigger"
wait_until 5 grep -qx activated "$host_log" || fail "the host could not call Activate"
wait_clock_shown 5 || fail "Activate did not show the hidden clock"
hide_clock  # unticked by Activate: F12 hides again rather than showing
kill "$HOST_PID"
wait_clock_shown 8 || fail "the clock stayed hidden when the host went away"
kwemo_running || fail "kwemo ended"
log "StatusNotifierItem host: Activate and host gone work"
