#pragma once

#include <QString>

namespace kwemo {

// The about box's version line: "ver " major "." two-digit minor "." four-digit revision, e.g.
// "ver 0.00.0025". Wider numbers print whole.
QString VersionText(int major, int minor, int revision);

}  // namespace kwemo
