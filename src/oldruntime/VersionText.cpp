#include "oldruntime/VersionText.h"

#include "oldruntime/NumberFormat.h"

namespace kwemo {

QString VersionText(int major, int minor, int revision) {
  return QStringLiteral("ver ") + FormatNumber(major, u"#0") + u'.' + FormatNumber(minor, u"00") +
         u'.' + FormatNumber(revision, u"0000");
}

}  // namespace kwemo
