# A store with the elliptic outline and always-on-top: the window's bounding shape is the ellipse
# and the window manager keeps it above.
source "$(dirname "$0")/lib.sh"
start_desktop

store_put <<'STORE'
Setting|Runed|True
Setting|RgnMode|True
Position|Always On Top|True
Position|Left|3000
Position|Top|2250
Position|Width|1920
Position|Height|1920
Color|BG_R|255
Color|BG_G|255
Color|BG_B|255
STORE

start_kwemo
id=$(wait_window "$KWEMO_PID" KWEMO 10) || fail "the clock window did not appear"
wait_until 5 is_viewable "$id" || fail "the clock window is not mapped"
read -r x y w h <<<"$(geometry_of "$id")"
[ "$x $y $w $h" = "200 150 128 128" ] || fail "geometry $x $y $w $h, expected 200 150 128 128"

# The ellipse touches the frame offset 5 on every side: its extents are the client area's box.
shape=$(xwininfo -shape -id "$id")
echo "$shape" | grep -q 'Window shape extents: *120x120+5+5' ||
  fail "the bounding shape is not the 120x120 ellipse at +5+5: $shape"
# Outside the ellipse (the frame corner) the desktop shows through.
sleep 0.3
corner=$(pixel_at $((x + 6)) $((y + 6)))
inside=$(pixel_at $((x + 30)) $((y + 30)))
[ "$inside" = "#FFFFFF" ] || fail "the face is not drawn inside the ellipse ($inside)"
[ "$corner" != "$inside" ] || fail "the corner looks like the face ($corner)"

xprop -id "$id" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "not kept above: $(xprop -id "$id" _NET_WM_STATE)"
log "shape and stacking restored"
