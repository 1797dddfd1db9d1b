# Apply in the settings dialog writes the store at once: a kill -9 right after it loses nothing.
source "$(dirname "$0")/lib.sh"
start_desktop

start_clock <<<"Setting|Format|m/d h:nn;Position|Left|3000;Position|Top|2250;Position|Width|1920;Position|Height|1920"
open_settings

# A new inner size, 200 x 150, applied with Apply; the dialog stays open.
xdotool key alt+w
xdotool type 200
xdotool key alt+h
xdotool type 150
xdotool key alt+a
wait_until 5 bash -c "grep -qx 'Width=3120' '$STORE_FILE'" ||
  fail "Apply did not reach the store: Width is '$(store_get Position Width)'"
window_of "$KWEMO_PID" "KWEMO Setting" >/dev/null || fail "Apply closed the dialog"

kill -KILL "$KWEMO_PID"
wait_kwemo_exit 10
[ "$(store_get Position Width)" = 3120 ] || fail "Width $(store_get Position Width) after kill -9"
[ "$(store_get Position Height)" = 2370 ] || fail "Height $(store_get Position Height) after kill -9"
[ "$(store_get Setting Format)" = "m/d h:nn" ] || fail "Format $(store_get Setting Format)"

# The next start shows the applied size.
start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock did not come back"
wait_until 3 bash -c "xwininfo -id $id | grep -q 'Width: 208'" ||
  fail "restored as $(geometry_of "$id"), expected 208x158"
log "the applied size survived kill -9"
