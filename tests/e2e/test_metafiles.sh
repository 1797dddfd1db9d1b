# Metafile backgrounds. The clock starts without the metafile players' libraries or any image
# plugin; a WMF background loads the players with the first metafile and shows. Then an EMF whose
# text is glyph indices, typed into the settings dialog's picture box and applied: the EMF
# converter resolves those glyphs through fontconfig while Qt holds fontconfig's fonts for the
# Japanese labels. The clock keeps running and shows and keeps the EMF.
source "$(dirname "$0")/lib.sh"
start_desktop
pictures="$(dirname "$0")/../../fuzz/corpus/pictures"
cp "$pictures/seed-wmf-shapes-text-bitmap" "$E2E_TMP/back.wmf"
emf="$E2E_TMP/glyphs.emf"
cp "$pictures/seed-emf-glyph-text" "$emf"
mapped() { { grep -E "$1" "/proc/$KWEMO_PID/maps" || true; } | awk '{print $NF}' | sort -u; }
face() { import -window "$id" -crop 60x60+34+34 "$E2E_TMP/$1.png"; }
shows_picture() {
  face "$1"
  local d
  d=$(compare -metric AE "$E2E_TMP/plain.png" "$E2E_TMP/$1.png" null: 2>&1 || true)
  [ "${d%% *}" -gt 200 ] 2>/dev/null || fail "$1: the face looks as without a picture ($d pixels differ)"
}
# A second run (the first run's welcome box is Qt's, and reads its standard icon by guessing).
start_clock </dev/null
sleep 1
loaded=$(mapped 'libwmflite|libemf2svg|libuemf|libQt6Svg|/imageformats/')
[ -z "$loaded" ] || fail "loaded at start without a picture: $loaded"
face plain
kill -TERM "$KWEMO_PID"
ended_saved
start_clock <<<"Setting|BackBMP|$E2E_TMP/back.wmf;Position|Left|3000;Position|Top|2250"
sleep 1
mapped kwemo-metafiles | grep -q . || fail "the players did not load"
shows_picture wmf
open_settings
# Into the picture box (focus selects its whole text), then the EMF's path.
click_at $((dx + 186)) $((dy + 40))
xdotool key ctrl+a
xdotool type --delay 40 "$emf"
sleep 1
kwemo_running || fail "the clock died after the EMF was typed"
xdotool key alt+o
wait_until 5 box_gone "$KWEMO_PID" "KWEMO Setting" || fail "OK did not close the dialog"
sleep 1
kwemo_running || fail "the clock died after the EMF was applied"
shows_picture emf
kill -TERM "$KWEMO_PID"
ended_saved
[ "$(store_get Setting BackBMP)" = "$emf" ] || fail "the background is \"$(store_get Setting BackBMP)\", not the EMF"
log "no players at start; WMF and EMF shown, the EMF saved"
