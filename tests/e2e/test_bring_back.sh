# A minimised settings dialog, memo window or about box comes back when asked for again (Ctrl+S,
# Ctrl+M, "About...(&V)"): mapped, no longer iconic, and in front.
source "$(dirname "$0")/lib.sh"
start_desktop
start_clock </dev/null
wait_strip_gone
wait_icon
visible_windows() { xdotool search --all --onlyvisible --pid "$KWEMO_PID" '' 2>/dev/null | sort | tr '\n' ' '; }
new_window() { [ "$(visible_windows)" != "$1" ]; }
clock_active() {
  xdotool windowactivate "$id" >/dev/null 2>&1 || xdotool windowfocus "$id" >/dev/null 2>&1 || true
  sleep 0.1
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$id" ]
}
ask_for() {
  if [ "$1" = about ]; then
    # From the icon: openbox minimises the about box together with the clock it belongs to. The
    # menu is a window that was not there before (the dialogs opened so far are).
    local before
    before=$(visible_windows)
    click_at "$ix" "$iy" 3
    wait_until 5 new_window "$before" || fail "no menu for the about box"
    xdotool key v
  else
    wait_until 5 clock_active || fail "the clock window does not take the focus"
    xdotool key "$1"
  fi
}
minimise() {
  xdotool windowminimize "$1"
  sleep 0.2
  xprop -id "$1" WM_STATE | grep -qi 'window state: Iconic'
}
shown() { is_viewable "$1" && ! xprop -id "$1" WM_STATE | grep -qi 'window state: Iconic'; }
for entry in "ctrl+s|KWEMO Setting" "ctrl+m|Memo" "about|About .*"; do
  IFS='|' read -r how title <<<"$entry"
  ask_for "$how"
  win=$(wait_window "$KWEMO_PID" "$title" 10) || fail "$how opened no window titled '$title'"
  wait_until 5 shown "$win" || fail "$how: '$title' is not shown"
  # Asked again until it takes: openbox now and then ignores a request for a window just shown.
  wait_until 5 minimise "$win" || fail "'$title' did not minimise"
  ask_for "$how"
  wait_until 5 shown "$win" || fail "$how left '$title' minimised: $(xprop -id "$win" WM_STATE | tr '\n' ' ')"
done
log "minimised windows come back when asked for"
