// Feeds arbitrary bytes as a test file through the whole export: version
// check, un-stuffed copy, marker search, text fields, decoding of either
// family, computations and export text. The first byte picks the kind digit
// and the language, the second the basis flags; the rest is the file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "records/export_text.h"
#include "records/sheet_tables.h"
#include "shell/message_table.h"

namespace {

tesmora::CustomerProtocolTables MakeTables() {
  tesmora::CustomerProtocolTables tables;
  // Records with texts that fill their fields to the last byte, so that a
  // lookup that ran past them would show.
  for (auto& customer : tables.customers) {
    for (auto& field : customer.fields) field.fill('C');
  }
  for (int i = 0; i < tesmora::kProtocolCount; ++i) {
    tables.protocols[i].name.fill('P');
    tables.protocols[i].lowerPrMax = static_cast<std::int16_t>(400 + i);
    tables.protocols[i].targetPrMax = static_cast<std::int16_t>(450 + i);
  }
  return tables;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tesmora::CustomerProtocolTables tables = MakeTables();
  static auto state = std::make_unique<tesmora::ExportState>();
  if (size < 2) return 0;
  static const char kKinds[] = "1234567";
  const char kind = kKinds[data[0] % 7];
  const int language = (data[0] / 7) % tesmora::kLanguageCount;
  const tesmora::ExportSettings settings{language, "V3.21", data[1]};
  const std::string name = std::string("01020003.") + kind + "26";
  const tesmora::ByteSpan file(data + 2, size - 2);

  const tesmora::TestFamily family = tesmora::DecodingFamily(kind);
  const tesmora::PreparedCopy copy = tesmora::PrepareTestCopy(file, family, name, language);
  if (copy.version == 0) return 0;
  // The state carries over from input to input, as it does between exports.
  tesmora::ComposeExportText(copy.bytes, name, settings, tables, *state);
  return 0;
}
