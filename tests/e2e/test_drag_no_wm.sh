# Dragging the face on a bare X server: the window moves itself.
DRAG_WITHOUT_WM=1
source "$(dirname "$0")/test_drag.sh"
