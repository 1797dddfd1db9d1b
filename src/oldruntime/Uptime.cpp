#include "oldruntime/Uptime.h"

#include <QFile>
#include <ctime>

#include "oldruntime/NumberFormat.h"

namespace kwemo {

std::int64_t systemUptimeMs() {
  timespec ts{};
  if (clock_gettime(CLOCK_BOOTTIME, &ts) == 0) {
    return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
  }
  // Kernels without the boot clock still have /proc/uptime ("seconds.fraction idle").
  QFile file(QStringLiteral("/proc/uptime"));
  if (file.open(QIODevice::ReadOnly)) {
    bool ok = false;
    const double seconds = file.read(64).split(' ').value(0).toDouble(&ok);
    if (ok && seconds >= 0) return static_cast<std::int64_t>(seconds * 1000);
  }
  return 0;
}

QString UptimeText(std::int64_t ms) {
  if (ms < 0) ms = 0;
  const std::int64_t h = ms / 3'600'000;
  const std::int64_t m = (ms - h * 3'600'000) / 60'000;
  const std::int64_t s = (ms - h * 3'600'000 - m * 60'000) / 1'000;
  // Hours stay below 2^53 for any 64-bit count, so the double carries them exactly.
  return FormatNumber(static_cast<double>(h), u"\\[\\W\\i\\n\\] 00\\h") +
         FormatNumber(static_cast<double>(m), u"00\\m") +
         FormatNumber(static_cast<double>(s), u"00\\s");
}

}  // namespace kwemo
