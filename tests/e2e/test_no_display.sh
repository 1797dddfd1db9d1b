# Without a display kwemo says so in one line and exits non-zero, without crashing.
source "$(dirname "$0")/lib.sh"

check() {
  local what=$1 rc=0
  shift
  env "$@" "$KWEMO" >"$E2E_TMP/out" 2>"$E2E_TMP/err" || rc=$?
  [ "$rc" -ne 0 ] || fail "$what: exit code 0"
  [ "$rc" -lt 128 ] || fail "$what: ended by a signal ($rc)"
  [ "$(wc -l <"$E2E_TMP/err")" = 1 ] || fail "$what: stderr is not one line: $(cat "$E2E_TMP/err")"
  grep -qi display "$E2E_TMP/err" || fail "$what: does not mention the display: $(cat "$E2E_TMP/err")"
  [ ! -s "$E2E_TMP/out" ] || fail "$what: wrote to stdout"
  log "$what: $(cat "$E2E_TMP/err")"
}

check "no DISPLAY" -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
check "dead DISPLAY" -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4095
check "xcb chosen, no DISPLAY" -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb
[ ! -e "$STORE_FILE" ] || fail "the store was written"
