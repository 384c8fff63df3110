#pragma once

#include <array>
#include <memory>
#include <string>

#include "records/sheet_tables.h"
#include "records/test_names.h"
#include "shell/company.h"

namespace tesmora {

// The sheet data: what the loader takes from a test and its sheet export.
// Texts are UTF-8, decoded by their own code page when they were loaded.
struct SheetData {
  std::string SheetTitle;  // the kind's title message in the current language
  SheetType Type = SheetType::Ahc;
  // The kind carries a protocol, printed in the comments band; otherwise the
  // band holds the test's two comment lines.
  bool WithProtocol = false;
  std::array<std::string, 4> CustomerLines;
  // Kept from one load to the next when a load does not set them; printed
  // only on sheets of a kind that carries a protocol.
  std::string ProtocolName;
  std::string PrMaxMin = "0";
  std::string PrMaxTarget = "0";
};

// What a sheet prints besides the test: the same for every page of a run.
struct SheetSettings {
  int languageIndex = 1;
  std::string decimalSeparator = ".";
  structure_societe company;  // code page 1252 bytes, as the company file holds them
  std::string versionText;    // the recorder's version text, empty until it reported one
};

// One prepared page: everything its drawing reads, taken right after its test
// was loaded, so that the preview, the printer and a PDF can draw it again at
// any time and at any resolution and always show that test.
struct SheetPage {
  std::string SheetFileName;  // the test file's name as listed
  SheetData sheet;
  // The decoded test and the tables its export left. Shared, because the
  // preview keeps copies of its pages and they never change.
  std::shared_ptr<const ExportState> test;
  SheetSettings settings;
};

}  // namespace tesmora
