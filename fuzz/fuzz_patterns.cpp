// Date and number patterns: any pattern formats any value, and the text grows at most in
// proportion to the pattern (a number's own digits aside).

#include <QDateTime>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "FuzzCheck.h"
#include "oldruntime/DateFormat.h"
#include "oldruntime/NumberFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One byte chooses date or number, eight give the value, the rest is the pattern (UTF-8).
  if (size < 9) return 0;
  std::int64_t bits = 0;
  std::memcpy(&bits, data + 1, sizeof bits);
  const QString pattern =
      QString::fromUtf8(reinterpret_cast<const char*>(data + 9), static_cast<qsizetype>(size - 9));
  if (data[0] & 1) {
    // Seconds from year 1 to year 9999, and the time zone of the machine.
    const qint64 span = 315'537'897'600LL;
    const qint64 seconds =
        static_cast<qint64>(static_cast<quint64>(bits) % span) - 62'135'596'800LL;
    const QDateTime t = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    static const kwemo::DateFormatLocale english = kwemo::DateFormatLocale::english();
    const QString text = kwemo::FormatDate(t, pattern, english);
    FUZZ_CHECK(text.size() <= 64 * (pattern.size() + 1));
  } else {
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    const QString text = kwemo::FormatNumber(value, pattern);
    FUZZ_CHECK(text.size() <= 400 + 64 * pattern.size());
  }
  return 0;
}
