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
      right_click $((x + 60)) $((y + 40))
      wait_menu "$KWEMO_PID" "$id" >/dev/null || fail "no menu for the about box"
      xdotool key v
      ;;
    *)
      xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id"
      xdotool key "$1"
      ;;
  esac
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
