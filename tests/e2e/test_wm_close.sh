# Alt+F4 taken by the window manager (openbox sends the clock a close request) ends the clock as
# "End(&E)" does: the farewell in the strip, then the store written and exit 0. A second close
# request while the farewell shows changes nothing.
source "$(dirname "$0")/lib.sh"
start_desktop
start_clock </dev/null
wait_strip_gone
focus "$id"
xdotool key alt+F4
sleep 0.05
xdotool key alt+F4
wait_farewell
ended_saved
log "Alt+F4 through the window manager says goodbye and ends with 0"
