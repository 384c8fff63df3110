// Feeds arbitrary bytes as a test file through the whole export: version
// check, un-stuffed copy, marker search, text fields, decoding of either
// family, computations and export text (input layout: fuzz_input.h).
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz_input.h"
#include "records/export_text.h"
#include "records/sheet_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tesmora::CustomerProtocolTables tables = tesmora::fuzzing::FullTables();
  static auto state = std::make_unique<tesmora::ExportState>();
  const auto input = tesmora::fuzzing::ReadFuzzInput(data, size);
  if (!input) return 0;
  const tesmora::ExportSettings settings{input->language, "V3.21", input->basisFlags};

  const tesmora::TestFamily family = tesmora::DecodingFamily(input->kind);
  const tesmora::PreparedCopy copy =
      tesmora::PrepareTestCopy(input->file, family, input->name, input->language);
  if (copy.version == 0) return 0;
  // The state carries over from input to input, as it does between exports.
  tesmora::ComposeExportText(copy.bytes, input->name, settings, tables, *state);
  return 0;
}
