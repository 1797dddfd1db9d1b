# Shared helpers for the end-to-end tests: each test sources this file with the kwemo binary as $1.
# It gives the test its own X server (Xvfb on a free display), window manager (openbox), panel
# with a notification area (trayer), empty session bus, and temporary HOME and XDG folders, and
# tears everything down on exit. Nothing here touches the real user's files or display.
set -euo pipefail

KWEMO=${1:?usage: $0 path/to/kwemo}
KWEMO=$(readlink -f "$KWEMO")

E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/kwemo-e2e.XXXXXX")
E2E_PIDS=()
KWEMO_PID=""

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${E2E_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
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

log() {
  echo "-- $*" >&2
}

# Runs "$@" until it succeeds or the deadline (seconds, fractions allowed) passes.
wait_until() {
  local timeout=$1
  shift
  local end=$(($(date +%s%N) + ${timeout/./} * 10 ** (9 - $(e2e_decimals "$timeout"))))
  until "$@" >/dev/null 2>&1; do
    if [ "$(date +%s%N)" -ge "$end" ]; then
      return 1
    fi
    sleep 0.05
  done
}
e2e_decimals() {
  case "$1" in
    *.*) local f=${1#*.}; echo "${#f}" ;;
    *) echo 0 ;;
  esac
}

# Folders of a fresh user.
export HOME="$E2E_TMP/home"
export XDG_CONFIG_HOME="$E2E_TMP/config"
export XDG_DATA_HOME="$E2E_TMP/data"
export XDG_CACHE_HOME="$E2E_TMP/cache"
export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY SESSION_MANAGER QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
# An empty bus address: no session bus, and no dbus-daemon auto-launched per display.
export DBUS_SESSION_BUS_ADDRESS=
export QT_LOGGING_RULES="qt.qpa.*=false"

STORE_FILE="$XDG_CONFIG_HOME/KWEMO/KWEMO.ini"

# Starts Xvfb on a display it picks itself (without the reset after its last client leaves, which
# would race with the next client), then openbox and, unless told otherwise, trayer.
# Usage: start_desktop [--no-wm] [--no-tray] [--size WxH]
start_desktop() {
  local wm=1 tray=1 size=1024x768
  while [ $# -gt 0 ]; do
    case "$1" in
      --no-wm) wm=0 ;;
      --no-tray) tray=0 ;;
      --size) size=$2; shift ;;
    esac
    shift
  done
  local fifo="$E2E_TMP/displayfd"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset -dpi 96 3>"$fifo" >"$E2E_TMP/xvfb.log" 2>&1 &
  E2E_PIDS+=($!)
  XVFB_PID=$!
  local n
  read -r -t 10 n <"$fifo" || fail "Xvfb did not start"
  export DISPLAY=":$n"
  wait_until 10 xdpyinfo || fail "display $DISPLAY does not answer"
  if [ "$wm" = 1 ]; then
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_until 30 wm_ready || fail "openbox did not start"
  fi
  if [ "$tray" = 1 ]; then
    trayer --edge top --align right --widthtype pixel --width 60 --height 22 \
      --SetDockType true --SetPartialStrut false --transparent false \
      >"$E2E_TMP/trayer.log" 2>&1 &
    E2E_PIDS+=($!)
    TRAYER_PID=$!
    wait_until 10 tray_ready || fail "trayer did not start"
  fi
}

wm_ready() {
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

tray_ready() {
  local screen=0
  xprop -root | grep -q "_NET_SYSTEM_TRAY_S$screen" ||
    xdotool search --classname trayer >/dev/null
}

# Starts kwemo in the background; its pid is in KWEMO_PID, its output in $E2E_TMP/kwemo.log.
start_kwemo() {
  "$KWEMO" "$@" >>"$E2E_TMP/kwemo.log" 2>&1 &
  KWEMO_PID=$!
  E2E_PIDS+=($KWEMO_PID)
}

kwemo_running() {
  kill -0 "$KWEMO_PID" 2>/dev/null
}

# Waits for kwemo to end and puts its exit code in KWEMO_RC (not in a subshell: only this shell
# can collect its own child's code).
wait_kwemo_exit() {
  local timeout=${1:-10}
  KWEMO_RC=0
  wait_until "$timeout" bash -c "! kill -0 $KWEMO_PID" || fail "kwemo did not end within ${timeout}s"
  wait "$KWEMO_PID" || KWEMO_RC=$?
}

# The first visible window of a process with the given title (exact). Prints its id.
window_of() {
  local pid=$1 title=$2 id
  for id in $(xdotool search --all --onlyvisible --pid "$pid" --name "^${title}\$" 2>/dev/null); do
    echo "$id"
    return 0
  done
  return 1
}

# Waits for the visible window and prints its id.
wait_window() {
  local pid=$1 title=$2 timeout=${3:-10}
  wait_until "$timeout" window_of "$pid" "$title" || return 1
  window_of "$pid" "$title"
}

# Geometry of a window as "x y width height" (outer, root coordinates, without WM decoration).
geometry_of() {
  xwininfo -id "$1" | awk '
    /Absolute upper-left X:/ {x=$NF} /Absolute upper-left Y:/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF}
    END {print x, y, w, h}'
}

is_viewable() {
  xwininfo -id "$1" | grep -q 'Map State: IsViewable'
}

# The colour of one pixel of the screen as "#RRGGBB".
pixel_at() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    awk 'NR==2 { for (i=1;i<=NF;i++) if ($i ~ /^#/) { print substr($i,1,7); exit } }'
}

# Dismisses the modal message box with the given title by pressing Return in it.
answer_box() {
  local pid=$1 title=$2 id attempt
  wait_window "$pid" "$title" 10 >/dev/null || fail "no window titled '$title'"
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    id=$(window_of "$pid" "$title") || return 0
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
    xdotool key --window "$id" Return >/dev/null 2>&1 || true
    # The box closes on the press and the release can be lost with its window, leaving Return
    # held down in the server: its auto-repeat then types Enter into whatever has the focus next.
    xdotool keyup Return >/dev/null 2>&1 || true
    if wait_until 1 box_gone "$pid" "$title"; then return 0; fi
  done
  fail "the box '$title' did not close"
}
box_gone() {
  ! window_of "$1" "$2" >/dev/null
}

# Reads one value of the settings store (section and key without regard to case).
store_get() {
  local section=$1 key=$2
  [ -f "$STORE_FILE" ] || return 0
  awk -v s="$section" -v k="$key" '
    BEGIN { s = tolower(s); k = tolower(k) }
    /^\[.*\]$/ { cur = tolower(substr($0, 2, length($0) - 2)); next }
    cur == s {
      i = index($0, "=")
      if (i > 0 && tolower(substr($0, 1, i - 1)) == k) { print substr($0, i + 1); exit }
    }' "$STORE_FILE"
}

# Writes a store file from lines of "Section|Key|Value" (plain values only).
store_put() {
  mkdir -p "$(dirname "$STORE_FILE")"
  awk -F'|' '
    { if ($1 != cur) { if (cur != "") print ""; print "[" $1 "]"; cur = $1 } print $2 "=" $3 }
  ' >"$STORE_FILE"
}
