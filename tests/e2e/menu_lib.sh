# Helpers for the tests of the popup menu, keys and notification-area icon (sourced after lib.sh).

# A right click with a press long enough for Qt to see it.
right_click() {
  xdotool mousemove "$1" "$2" mousedown 3
  sleep 0.05
  xdotool mouseup 3
}

# Both clicks from one xdotool call, well inside the double-click interval.
left_double_click() {
  xdotool mousemove "$1" "$2"
  sleep 0.1
  xdotool click --repeat 2 --delay 120 1
}

# A visible window of the process other than the clock window and the small icon: the open
# popup menu.
menu_of() {
  local pid=$1 clock=$2 id w h
  for id in $(xdotool search --all --onlyvisible --pid "$pid" '' 2>/dev/null); do
    [ "$id" != "$clock" ] || continue
    read -r _ _ w h <<<"$(geometry_of "$id")"
    [ "$w" -gt 64 ] && [ "$h" -gt 64 ] || continue
    is_viewable "$id" || continue
    echo "$id"
    return 0
  done
  return 1
}

wait_menu() {
  wait_until 5 menu_of "$1" "$2" || return 1
  menu_of "$1" "$2"
}

# The strip of a 120 x 120 client area in a 4-pixel frame at window x, y: its pixels as text.
strip_pixels() {
  import -window root -crop "120x18+$(($1 + 4))+$(($2 + 4 + 102))" -depth 8 txt:- 2>/dev/null
}

# Cyan text on the black strip.
strip_shows_text() {
  local pixels
  pixels=$(strip_pixels "$1" "$2")
  [[ $pixels == *'#00FFFF'* ]]
}
strip_clear() {
  ! strip_shows_text "$@"
}

# Where the strip's text pixels are, as one checksum: two different messages give two different
# sums.
strip_text_sum() {
  local pixels
  pixels=$(strip_pixels "$1" "$2")
  grep '#00FFFF' <<<"$pixels" | cut -d: -f1 | md5sum | cut -c1-12
}

wait_strip_gone() {
  wait_until 5 strip_clear "$1" "$2" || true
  sleep 0.3
}

# The notification-area icon: the process's window inside the panel (a small one, not the clock).
tray_icon_of() {
  local pid=$1 clock=$2 id w h
  for id in $(xdotool search --all --pid "$pid" '' 2>/dev/null); do
    [ "$id" != "$clock" ] || continue
    read -r _ _ w h <<<"$(geometry_of "$id")"
    if [ "$w" -le 32 ] && [ "$h" -le 32 ] && [ "$w" -gt 1 ] && is_viewable "$id"; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# The clock window, found again: after being hidden and shown it may have a new window id.
clock_window_of() {
  local pid=$1 id w h
  for id in $(xdotool search --all --onlyvisible --pid "$pid" --name '^KWEMO$' 2>/dev/null); do
    read -r _ _ w h <<<"$(geometry_of "$id")"
    [ "$w" -gt 64 ] && [ "$h" -gt 64 ] && is_viewable "$id" && { echo "$id"; return 0; }
  done
  return 1
}
