# A WMF with text as the background, then an EMF whose text is glyph indices typed into the
# settings dialog's picture box and applied: the EMF converter resolves those glyphs through
# fontconfig while Qt holds fontconfig's fonts for the Japanese labels. The clock keeps running
# and takes the EMF as its background.
source "$(dirname "$0")/lib.sh"
start_desktop
pictures="$(dirname "$0")/../../fuzz/corpus/pictures"
cp "$pictures/seed-wmf-shapes-text-bitmap" "$E2E_TMP/back.wmf"
# Typed key by key, so a path without an "s": xdotool loses that key in this dialog (seen, not
# understood); the temporary folder's random name may hold one.
emf="/tmp/kwemo-e2e-$$-glyph.emf"
cp "$pictures/seed-emf-glyph-text" "$emf"
trap 'rm -f "$emf"; e2e_cleanup' EXIT
start_clock <<<"Setting|BackBMP|$E2E_TMP/back.wmf;Position|Left|3000;Position|Top|2250"
sleep 0.5
open_settings
# Into the picture box (focus selects its whole text), then the EMF's path.
click_at $((dx + 186)) $((dy + 40))
xdotool key ctrl+a
xdotool type --delay 40 "$emf"
sleep 1
kwemo_running || fail "the clock died after the EMF was typed"
import -window "$dlg" "$E2E_TMP/dialog.png" 2>/dev/null || true
xdotool key alt+o
wait_until 5 box_gone "$KWEMO_PID" "KWEMO Setting" || fail "OK did not close the dialog"
sleep 1
kwemo_running || fail "the clock died after the EMF was applied"
[ -n "${KWEMO_E2E_SHOTS:-}" ] && cp "$E2E_TMP/dialog.png" "$KWEMO_E2E_SHOTS/" && import -window root "$KWEMO_E2E_SHOTS/clock.png"
kill -TERM "$KWEMO_PID"
ended_saved
[ "$(store_get Setting BackBMP)" = "$emf" ] || fail "the background is \"$(store_get Setting BackBMP)\", not the EMF"
log "EMF applied and saved"
