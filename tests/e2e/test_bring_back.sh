# A minimised settings dialog, memo window or about box comes back when it is asked for again
# (Ctrl+S, Ctrl+M, "About...(&V)"): mapped, no longer iconic, and in front.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_lib.sh"
start_desktop

store_put <<'STORE'
Setting|Runed|True
STORE
start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
read -r x y _ _ <<<"$(geometry_of "$id")"
wait_strip_gone "$x" "$y"

ask_for() {
  case "$1" in
    about)
      # From the icon: openbox minimises the about box together with the clock it belongs to.
      local icon ix iy iw ih
      icon=$(tray_icon_of "$KWEMO_PID" "$id") || fail "no notification-area icon"
      read -r ix iy iw ih <<<"$(geometry_of "$icon")"
      local before
      before=$(visible_windows)
      right_click $((ix + iw / 2)) $((iy + ih / 2))
      # The menu: a window that was not there before (the dialogs opened so far are).
      wait_until 5 new_window "$before" || fail "no menu for the about box"
      xdotool key v
      ;;
    *)
      wait_until 5 clock_active || fail "the clock window does not take the focus"
      xdotool key "$1"
      ;;
  esac
}
visible_windows() {
  xdotool search --all --onlyvisible --pid "$KWEMO_PID" '' 2>/dev/null | sort | tr '\n' ' '
}
new_window() {
  [ "$(visible_windows)" != "$1" ]
}
clock_active() {
  xdotool windowactivate "$id" >/dev/null 2>&1 || xdotool windowfocus "$id" >/dev/null 2>&1 || true
  sleep 0.1
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$id" ]
}
iconic() {
  xprop -id "$1" WM_STATE | grep -qi 'window state: Iconic'
}
shown() {
  is_viewable "$1" && ! iconic "$1"
}

for entry in "ctrl+s|KWEMO Setting" "ctrl+m|Memo" "about|About .*"; do
  IFS='|' read -r how title <<<"$entry"
  ask_for "$how"
  win=$(wait_window "$KWEMO_PID" "$title" 10) || fail "$how opened no window titled '$title'"
  wait_until 5 shown "$win" || fail "$how: '$title' is not shown"
  xdotool windowminimize --sync "$win" 2>/dev/null || xdotool windowminimize "$win"
  wait_until 5 iconic "$win" || fail "'$title' did not minimise"
  ask_for "$how"
  wait_until 5 shown "$win" || fail "$how left '$title' minimised: $(xprop -id "$win" WM_STATE | tr '\n' ' ')"
  active=$(xdotool getactivewindow 2>/dev/null || true)
  log "$how brought '$title' back (active window $active, dialog $win)"
done
log "minimised windows come back when asked for"
