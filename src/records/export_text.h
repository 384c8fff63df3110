#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/customer_protocol_lists.h"
#include "records/sheet_tables.h"
#include "records/test_file_decoder.h"

namespace tesmora {

// What an export depends on besides the test file and the tables.
struct ExportSettings {
  int languageIndex = 1;
  std::string versionText;      // the recorder's version text, empty until received
  std::uint8_t basisFlags = 0;  // the first data byte of the last consistency test received
};

struct ComposedExport {
  bool ok = false;
  std::string text;     // the export file's bytes when ok
  std::string failure;  // the error box text otherwise (caption "Tesmora")
};

// The export text of a test from its un-stuffed copy: reads the text fields,
// decodes, computes and writes every line. Pure: no file is touched.
ComposedExport ComposeExportText(ByteSpan copy, std::string_view testFileName,
                                 const ExportSettings& settings,
                                 const CustomerProtocolTables& tables, ExportState& state);

}  // namespace tesmora
