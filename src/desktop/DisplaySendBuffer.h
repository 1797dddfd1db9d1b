#pragma once

namespace kwemo {

// Lets a large face's changed region reach the X server in one write. Without shared memory
// the region's pixels go through the connection's socket; a 1080p face sends a few hundred KB
// a second, more than the default buffer holds, and every piece the server drains woke the
// clock again to write the next. Asks for 1 MiB; the kernel grants at most its limit
// (net.core.wmem_max, doubled). Nothing happens off X11. Call once the application exists.
void widenDisplaySendBuffer();

}  // namespace kwemo
