// Prints how long date and number patterns take as the pattern grows: the time per character
// should stay flat (linear formatting) from 1k to 100k characters. Run:
// build/bench/patterns/bench_patterns
#include <QCoreApplication>
#include <QDateTime>
#include <chrono>
#include <cstdio>
#include <functional>

#include "oldruntime/DateFormat.h"
#include "oldruntime/NumberFormat.h"
#include "oldruntime/Uptime.h"

namespace {

double secondsFor(const std::function<void()>& work, int repeats) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) work();
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count() / repeats;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QDateTime t(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::UTC);
  const kwemo::DateFormatLocale names = kwemo::DateFormatLocale::english();
  struct Kind {
    const char* name;
    QString unit;
  };
  const Kind kinds[] = {
      {"date m/d h:nn", QStringLiteral("m/d h:nn ")}, {"date d-run", QStringLiteral("d")},
      {"date mmmm", QStringLiteral("mmmm")},          {"date \\x", QStringLiteral("\\x")},
      {"date h AM/PM", QStringLiteral("hAM/PM")},     {"date c", QStringLiteral("c")},
  };
  std::printf("%-16s %10s %14s %14s\n", "pattern", "chars", "us/call", "ns/char");
  for (const Kind& kind : kinds) {
    for (int size : {1000, 10000, 100000}) {
      const QString pattern = kind.unit.repeated(size / kind.unit.size());
      QString out;
      const double s =
          secondsFor([&] { out = kwemo::FormatDate(t, pattern, names); }, size >= 100000 ? 5 : 50);
      std::printf("%-16s %10lld %14.1f %14.2f\n", kind.name, static_cast<long long>(pattern.size()),
                  s * 1e6, s * 1e9 / static_cast<double>(pattern.size()));
    }
  }
  const Kind numberKinds[] = {
      {"number 0", QStringLiteral("0")},     {"number .0", QStringLiteral(".0")},
      {"number #,0", QStringLiteral("#,0")}, {"number \\x", QStringLiteral("\\x")},
      {"number ;", QStringLiteral(";")},
  };
  for (const Kind& kind : numberKinds) {
    for (int size : {1000, 10000, 100000}) {
      const QString pattern = kind.unit.repeated(size / kind.unit.size());
      QString out;
      const double s = secondsFor([&] { out = kwemo::FormatNumber(1234.5678, pattern); },
                                  size >= 100000 ? 5 : 50);
      std::printf("%-16s %10lld %14.1f %14.2f\n", kind.name, static_cast<long long>(pattern.size()),
                  s * 1e6, s * 1e9 / static_cast<double>(pattern.size()));
    }
  }
  const double uptime = secondsFor([] { (void)kwemo::UptimeText(18'429'000); }, 20000);
  std::printf("UptimeText: %.2f us/call\n", uptime * 1e6);
  const QString firstRun = QStringLiteral("m/d h:nn");
  const double s = secondsFor([&] { (void)kwemo::FormatDate(t, firstRun); }, 20000);
  std::printf("system-locale FormatDate(\"m/d h:nn\"): %.2f us/call\n", s * 1e6);
  return 0;
}
