// The settings file: whatever is read, written back and read again gives the same table, and the
// same text when written once more.

#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "store/SettingsFileFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const kwemo::ParsedSettings first =
      kwemo::parseSettingsFile(QByteArrayView(data, static_cast<qsizetype>(size)));
  const QByteArray written = kwemo::formatSettingsFile(first.table);
  const kwemo::ParsedSettings second = kwemo::parseSettingsFile(written);
  FUZZ_CHECK(second.complete);
  FUZZ_CHECK(second.table == first.table);
  FUZZ_CHECK(kwemo::formatSettingsFile(second.table) == written);
  return 0;
}
