# The clock starts without the metafile players' libraries or any image plugin, and still shows
# a WMF and an EMF background when it has one: the players load with the first metafile.
source "$(dirname "$0")/lib.sh"
start_desktop
pictures="$(dirname "$0")/../../fuzz/corpus/pictures"
mapped() { { grep -E "$2" "/proc/$1/maps" || true; } | awk '{print $NF}' | sort -u; }
players='libwmflite|libemf2svg|libuemf|libQt6Svg|/imageformats/'

# (A second run: the first run's welcome box is Qt's, and its standard icon is read by guessing.)
start_clock </dev/null
sleep 1
loaded=$(mapped "$KWEMO_PID" "$players")
[ -z "$loaded" ] || fail "loaded at start without a picture: $loaded"
# The face without a picture, to tell a shown metafile from none.
import -window "$id" -crop 60x60+34+34 "$E2E_TMP/plain.png"
kill -TERM "$KWEMO_PID"
ended_saved

for kind in wmf-shapes-text-bitmap emf; do
  cp "$pictures/seed-$kind" "$E2E_TMP/back.$kind"
  start_clock <<<"Setting|BackBMP|$E2E_TMP/back.$kind"
  sleep 1
  mapped "$KWEMO_PID" 'kwemo-metafiles' | grep -q . || fail "$kind: the players did not load"
  import -window "$id" -crop 60x60+34+34 "$E2E_TMP/$kind.png"
  differ=$(compare -metric AE "$E2E_TMP/plain.png" "$E2E_TMP/$kind.png" null: 2>&1 || true)
  [ "${differ%% *}" -gt 200 ] 2>/dev/null || fail "$kind: the face looks as without a picture ($differ pixels differ)"
  log "$kind shown ($differ of 3600 pixels differ from the plain face)"
  kill -TERM "$KWEMO_PID"
  ended_saved
done
