# A WMF with text as the clock's background, then an EMF whose text is glyph indices typed into the
# settings dialog's picture box and applied: the EMF converter resolves those glyphs through
# fontconfig while Qt holds fontconfig's fonts for the Japanese labels. The clock keeps running,
# shows the picture's size and takes it as its background.
source "$(dirname "$0")/lib.sh"
start_desktop

pictures="$(dirname "$0")/../../fuzz/corpus/pictures"
cp "$pictures/seed-wmf-shapes-text-bitmap" "$E2E_TMP/back.wmf"
# Typed key by key, so a path without an "s": xdotool loses that key in this dialog (seen, not
# understood); the temporary folder's random name may hold one.
emf="/tmp/kwemo-e2e-$$-glyph.emf"
cp "$pictures/seed-emf-glyph-text" "$emf"
trap 'rm -f "$emf"; e2e_cleanup' EXIT

store_put <<STORE
Setting|Runed|True
Setting|BackBMP|$E2E_TMP/back.wmf
Position|Left|3000
Position|Top|2250
Position|Width|1920
Position|Height|1920
STORE

start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
sleep 0.5

xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
xdotool key --window "$id" ctrl+s
dlg=$(wait_window "$KWEMO_PID" "KWEMO Setting" 10) || fail "Ctrl+S did not open the settings dialog"
sleep 0.3
xdotool windowactivate --sync "$dlg" >/dev/null 2>&1 || true
# Into the picture box (focus selects its whole text), then the EMF's path, key by key.
read -r dx dy _ _ <<<"$(geometry_of "$dlg")"
xdotool mousemove $((dx + 186)) $((dy + 40)) click 1
sleep 0.2
xdotool key ctrl+a
xdotool type --delay 40 "$emf"
sleep 1
kwemo_running || fail "the clock died after the EMF was typed (status: $(wait "$KWEMO_PID"; echo $?))"
import -window "$dlg" "$E2E_TMP/dialog.png" 2>/dev/null || true
log "EMF typed in, clock alive"

xdotool key alt+o
wait_until 5 box_gone "$KWEMO_PID" "KWEMO Setting" || fail "OK did not close the dialog"
sleep 1
kwemo_running || fail "the clock died after the EMF was applied"
[ -n "${KWEMO_E2E_SHOTS:-}" ] && cp "$E2E_TMP/dialog.png" "$KWEMO_E2E_SHOTS/" 2>/dev/null
[ -n "${KWEMO_E2E_SHOTS:-}" ] && import -window root "$KWEMO_E2E_SHOTS/clock.png" 2>/dev/null

kill -TERM "$KWEMO_PID"
wait_kwemo_exit 10
[ "$KWEMO_RC" = 0 ] || fail "the clock ended with status $KWEMO_RC"
[ "$(store_get Setting BackBMP)" = "$emf" ] || fail "the background is \"$(store_get Setting BackBMP)\", not the EMF"
log "EMF applied and saved"
