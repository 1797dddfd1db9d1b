# A store with the elliptic outline and always-on-top: the bounding shape is the ellipse and the
# window manager keeps the window above. When the X server then goes away, the clock still saves
# everything before it ends.
source "$(dirname "$0")/lib.sh"
start_desktop
start_clock <<<"$PLAIN_FACE;Setting|RgnMode|True;Position|Always On Top|True"
[ "$x $y $w $h" = "200 150 128 128" ] || fail "geometry $x $y $w $h, expected 200 150 128 128"
# The ellipse touches the frame offset 5 on every side: its extents are the client area's box.
xwininfo -shape -id "$id" | grep -q 'Window shape extents: *120x120+5+5' ||
  fail "the bounding shape is not the 120x120 ellipse at +5+5: $(xwininfo -shape -id "$id")"
# The first drawing may follow the mapping by a tick: wait for it rather than for a fixed time.
inside="#FFFFFF"
face_inside() { [ "$(pixel_at $((x + 30)) $((y + 30)))" = "$inside" ]; }
wait_until 5 face_inside ||
  fail "the face is not drawn inside the ellipse ($(pixel_at $((x + 30)) $((y + 30))))"
# Outside the ellipse (the frame corner) the desktop shows through.
[ "$(pixel_at $((x + 6)) $((y + 6)))" != "$inside" ] || fail "the corner looks like the face"
xprop -id "$id" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "not kept above: $(xprop -id "$id" _NET_WM_STATE)"
# Stored values that differ from what the clock will write.
store_put <<<'Setting|Runed|False'
kill -TERM "$XVFB_PID"
wait_kwemo_exit
[ "$(store_get Setting Runed) $(store_get Position Left) $(store_get Setting RgnMode)" = "True 3000 True" ] ||
  fail "saved at the last chance: $(cat "$STORE_FILE")"
log "shape and stacking restored, saved at the last chance"
