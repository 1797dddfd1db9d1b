// The old runtime's conversions: any text converts or is refused, and what the program writes
// reads back as the same value.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "oldruntime/Conversions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (const auto d = kwemo::CDbl(text)) {
    FUZZ_CHECK(std::isfinite(*d));
    FUZZ_CHECK(kwemo::Val(text) == *d);
  }
  if (const auto i = kwemo::CInt(text)) FUZZ_CHECK(kwemo::CInt(kwemo::IntText(*i)) == i);
  if (const auto b = kwemo::CBool(text)) FUZZ_CHECK(kwemo::CBool(kwemo::BoolText(*b)) == b);
  if (const auto f = kwemo::CSng(text)) {
    FUZZ_CHECK(std::isfinite(*f));
    const auto back = kwemo::CSng(kwemo::SingleText(*f));
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(std::abs(*back - *f) <= std::abs(*f) * 1e-6f);
  }
  (void)kwemo::Val(text);
  return 0;
}
