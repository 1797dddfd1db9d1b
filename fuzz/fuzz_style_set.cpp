// "Style.kws": what a read accepts is written in canonical form, and that form reads back to the
// same values and writes again to the same bytes. (A first read may keep text the writer turns into
// a number, such as a non-numeric text position, which is written as 0; and a value a control
// refuses, such as a hand length of 150, is kept in its text box and counted as failed on every
// read.)

#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "settings/StyleSetFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  kwemo::StyleSetValues first;
  const kwemo::StyleSetRead read = kwemo::readStyleSetFile(bytes, first);
  if (!read.accepted) return 0;
  const QByteArray written = kwemo::writeStyleSetFile(first);
  kwemo::StyleSetValues second;
  const kwemo::StyleSetRead again = kwemo::readStyleSetFile(written, second);
  FUZZ_CHECK(again.accepted);
  FUZZ_CHECK(again.failedFields <= read.failedFields);
  const QByteArray rewritten = kwemo::writeStyleSetFile(second);
  FUZZ_CHECK(rewritten == written);
  kwemo::StyleSetValues third;
  const kwemo::StyleSetRead last = kwemo::readStyleSetFile(rewritten, third);
  FUZZ_CHECK(last.failedFields == again.failedFields);
  FUZZ_CHECK(third == second);
  return 0;
}
