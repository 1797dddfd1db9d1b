# End-to-end helpers, sourced with the kwemo binary as $1: an own Xvfb on a free display, openbox,
# trayer, no session bus, temporary HOME and XDG folders, all torn down on exit.
set -euo pipefail
KWEMO=$(readlink -f "${1:?usage: $0 path/to/kwemo}")
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/kwemo-e2e.XXXXXX")
E2E_PIDS=()
KWEMO_PID=""
e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  local f
  for f in "$E2E_TMP"/*.log; do
    [ -s "$f" ] && { echo "--- $(basename "$f"):" >&2; tail -n 20 "$f" >&2; }
  done
  exit 1
}
log() { echo "-- $*" >&2; }
# Runs "$@" until it succeeds or about $1 seconds have passed.
wait_until() {
  local end=$((SECONDS + ${1%.*} + 1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.05
  done
}
export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/config" XDG_DATA_HOME="$E2E_TMP/data"
export XDG_CACHE_HOME="$E2E_TMP/cache" XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY SESSION_MANAGER QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
# A bus address where nothing listens: no session bus (an empty or missing address would make
# libdbus launch a daemon for the display).
export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus" QT_LOGGING_RULES="qt.qpa.*=false"
STORE_FILE="$XDG_CONFIG_HOME/KWEMO/KWEMO.ini"
# Store lines of a white face with one-pixel lines, its 128 x 128 window at 200, 150.
PLAIN_FACE='Setting|HourLine|1;Setting|MinuteLine|1;Setting|SecondLine|1;Setting|BackLine|1
Setting|Memori|True;Color|BG_R|255;Color|BG_G|255;Color|BG_B|255;Color|DrawMode|13
Position|Left|3000;Position|Top|2250;Position|Width|1920;Position|Height|1920'
# Xvfb without the reset after its last client leaves (it would race with the next client), then
# openbox and trayer. Usage: start_desktop [--no-wm] [--no-tray] [--size WxH] (1024x768)
start_desktop() {
  local fifo="$E2E_TMP/displayfd" n size=1024x768
  [[ " $* " != *" --size "* ]] || size=$(sed 's/.*--size \([0-9x]*\).*/\1/' <<<"$*")
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset -dpi 96 3>"$fifo" >"$E2E_TMP/xvfb.log" 2>&1 &
  XVFB_PID=$!
  E2E_PIDS+=($!)
  read -r -t 10 n <"$fifo" || fail "Xvfb did not start"
  export DISPLAY=":$n"
  wait_until 10 xdpyinfo || fail "display $DISPLAY does not answer"
  if [[ " $* " != *" --no-wm "* ]]; then
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_until 30 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" || fail "openbox did not start"
  fi
  if [[ " $* " != *" --no-tray "* ]]; then
    trayer --edge top --align right --widthtype pixel --width 60 --height 22 --SetDockType true \
      --SetPartialStrut false --transparent false >"$E2E_TMP/trayer.log" 2>&1 &
    TRAYER_PID=$!
    E2E_PIDS+=($!)
    wait_until 10 xdotool search --classname trayer || fail "trayer did not start"
  fi
}
start_kwemo() {
  "$KWEMO" "$@" >>"$E2E_TMP/kwemo.log" 2>&1 &
  KWEMO_PID=$!
  E2E_PIDS+=($KWEMO_PID)
}
# Writes the store from stdin (with Runed set unless --welcome: then the welcome box is
# answered), starts kwemo and waits for its mapped window: sets id, x, y, w, h.
start_clock() {
  if [ "${1:-}" = --welcome ]; then
    store_put
    [ -s "$STORE_FILE" ] || rm -f "$STORE_FILE"
    start_kwemo
    answer_box "$KWEMO_PID" "Hello!"
  else
    { echo "Setting|Runed|True"; cat; } | store_put
    start_kwemo
  fi
  id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
  wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
  read -r x y w h <<<"$(geometry_of "$id")"
}
kwemo_running() { kill -0 "$KWEMO_PID" 2>/dev/null; }
# Waits for kwemo to end; its exit code in KWEMO_RC (only this shell can collect its child's).
wait_kwemo_exit() {
  KWEMO_RC=0
  wait_until 10 bash -c "! kill -0 $KWEMO_PID" || fail "kwemo did not end"
  wait "$KWEMO_PID" || KWEMO_RC=$?
}
# The clock ended with 0 and wrote its store.
ended_saved() {
  wait_kwemo_exit
  [ "$KWEMO_RC" = 0 ] || fail "exit code $KWEMO_RC"
  [ "$(store_get Setting Runed)" = True ] || fail "the store was not written"
  [ -n "$(store_get Position Left)" ] || fail "the position was not saved"
}
# The first visible window of a process with the given title (exact).
window_of() {
  local all
  all=$(xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null) && [ -n "$all" ] || return 1
  echo "${all%%$'\n'*}"
}
wait_window() {
  wait_until "${3:-10}" window_of "$1" "$2" || return 1
  window_of "$1" "$2"
}
box_gone() { ! window_of "$1" "$2" >/dev/null; }
# "x y width height" of a window in root coordinates, without decoration.
geometry_of() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x=$NF} /Absolute upper-left Y:/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}
is_viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
pixel_at() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    awk 'NR==2 { for (i=1;i<=NF;i++) if ($i ~ /^#/) { print substr($i,1,7); exit } }'
}
is_active() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}
focus() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"; }
hide_clock() {
  focus "$id"
  xdotool key F12
  wait_until 3 bash -c "! xwininfo -id $id | grep -q IsViewable" || fail "F12 did not hide the clock"
}
# A press long enough for Qt to see it.
click_at() {
  xdotool mousemove "$1" "$2" mousedown "${3:-1}"
  sleep 0.1
  xdotool mouseup "${3:-1}"
  sleep 0.2
}
# Presses Return in the modal box with that title until it closes.
answer_box() {
  local pid=$1 title=$2 box attempt
  wait_window "$pid" "$title" 10 >/dev/null || fail "no window titled '$title'"
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    box=$(window_of "$pid" "$title") || return 0
    xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
    xdotool key --window "$box" Return >/dev/null 2>&1 || true
    # The release can be lost with the closing box, leaving Return held down: its auto-repeat
    # would type Enter into whatever has the focus next.
    xdotool keyup Return >/dev/null 2>&1 || true
    if wait_until 1 box_gone "$pid" "$title"; then return 0; fi
  done
  fail "the box '$title' did not close"
}
# Ctrl+S on the clock: the settings dialog in dlg, its place in dx, dy.
open_settings() {
  # Not "key --window": xdotool then sends a release to a window that no longer has the focus as
  # a synthetic event, and Ctrl stays held down in the X server for every later key.
  wait_until 5 is_active "$id" || fail "the clock does not take the focus"
  xdotool key ctrl+s
  dlg=$(wait_window "$KWEMO_PID" "KWEMO Setting" 10) || fail "Ctrl+S did not open the settings dialog"
  # Keys go where the focus is, and the mnemonics answer a moment after the activation.
  wait_until 5 is_active "$dlg" || fail "the settings dialog did not take the focus"
  sleep 0.3
  read -r dx dy _ _ <<<"$(geometry_of "$dlg")"
}
# One value of the store (section and key without regard to case).
store_get() {
  [ -f "$STORE_FILE" ] || return 0
  awk -v s="$1" -v k="$2" 'BEGIN { s = tolower(s); k = tolower(k) }
    /^\[.*\]$/ { cur = tolower(substr($0, 2, length($0) - 2)); next }
    cur == s { i = index($0, "="); if (i > 0 && tolower(substr($0, 1, i - 1)) == k) { print substr($0, i + 1); exit } }' "$STORE_FILE"
}
# A store file from "Section|Key|Value" lines (or ";"-separated) on stdin, grouped by section.
store_put() {
  mkdir -p "$(dirname "$STORE_FILE")"
  tr ';' '\n' | awk -F'|' 'NF { if (!($1 in body)) order[n++] = $1; body[$1] = body[$1] $2 "=" $3 "\n" }
    END { for (i = 0; i < n; i++) printf "[%s]\n%s\n", order[i], body[order[i]] }' >"$STORE_FILE"
}
# The first viewable window of the clock's process that `xdotool search` finds with the options
# after $1 and whose place and size (wx wy ww wh) pass the test in $1: its id in win.
window_where() {
  local test=$1
  shift
  for win in $(xdotool search --all --pid "$KWEMO_PID" "$@" 2>/dev/null); do
    read -r wx wy ww wh <<<"$(geometry_of "$win")"
    eval "$test" && is_viewable "$win" && return 0
  done
  return 1
}
# A visible window other than the clock and bigger than the icon: the open menu.
menu_of() { window_where '[ "$win" != "$id" ] && ((ww > 64 && wh > 64))' --onlyvisible '' && echo "$win"; }
# A right click at $1, $2 and the menu it opens: its id and place in menu, mx, my, mw, mh.
open_menu() {
  click_at "$1" "$2" 3
  wait_until "${3:-5}" menu_of || fail "no menu from a right click at $1,$2"
  menu=$(menu_of)
  read -r mx my mw mh <<<"$(geometry_of "$menu")"
}
# The notification-area icon: the process's small window inside the panel; its middle in ix, iy.
find_icon() {
  window_where '[ "$win" != "$id" ] && ((ww <= 32 && wh <= 32 && ww > 1))' '' &&
    icon=$win ix=$((wx + ww / 2)) iy=$((wy + wh / 2))
}
wait_icon() { wait_until 10 find_icon || fail "no notification-area icon"; }
# The clock window found again (a hidden and shown window may have a new id): sets id.
clock_shown() { window_where '((ww > 64 && wh > 64))' --onlyvisible --name '^KWEMO$' && id=$win; }
wait_clock_shown() { wait_until "$1" clock_shown; }
# As pixel text, the strip of a 120 x 120 face framed at x, y (cyan text on black).
strip_pixels() { import -window root -crop "120x18+$((x + 4))+$((y + 106))" -depth 8 txt:- 2>/dev/null; }
strip_shows_text() { [[ $(strip_pixels) == *'#00FFFF'* ]]; }
# Where the text pixels are, as one checksum: two messages give two sums.
strip_text_sum() { strip_pixels | grep '#00FFFF' | cut -d: -f1 | md5sum | cut -c1-12; }
strip_clear() { ! strip_shows_text; }
wait_strip_gone() {
  wait_until 5 strip_clear || true
  sleep 0.3
}
# The farewell shows in the strip while the clock is still running.
wait_farewell() {
  local end=$((SECONDS + 6))
  while kwemo_running && [ "$SECONDS" -lt "$end" ]; do strip_shows_text && return 0; done
  fail "no farewell in the strip"
}
