#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/exporter.h"
#include "sheet/sheet_data.h"

namespace tesmora {

// Loading a test for its result sheet: the exporter writes its export text to
// "tempbd.txt" in sheet mode, and the sheet reads that text back by line
// number for the customer lines and the protocol.

// Takes the customer lines and the protocol values out of a sheet export
// text, as the loader reads it back: lines end at each CR, bytes after the
// last CR are ignored. Empties the customer lines first; reads the protocol
// lines only when `withProtocol`. A protocol PrMax line that is not a whole
// number gives "0", a negative one keeps the field's previous value.
void ReadBackSheetExport(std::string_view exportText, bool withProtocol, SheetData& sheet);

enum class SheetLoadResult {
  Loaded,
  NotASheetKind,  // the kind digit is none of "1" to "6": nothing changed
  NotLoaded,      // the export failed or its text could not be read back (messages say why)
};

struct SheetLoad {
  SheetLoadResult result = SheetLoadResult::NotLoaded;
  std::vector<std::string> messages;  // the exporter's error boxes, caption "Tesmora"
  std::optional<SheetPage> page;      // when loaded
};

// The page of a test of `kind` exported for its sheet: sets the sheet type
// and title of `sheet`, takes the customer and protocol lines of
// `exportText` into it, and makes the page of `fileName` from them and the
// state that export left. What LoadSheetTest does once the export is
// written, without files.
SheetPage SheetPageFromExport(const TestKind& kind, const SheetSettings& settings,
                              std::string_view fileName, std::string_view exportText,
                              std::shared_ptr<const ExportState> state, SheetData& sheet);

// Loads folder/fileName into `sheet` and returns its page. A test that
// cannot be exported leaves `sheet` as it was and gives no page: a sheet
// never shows figures of another test than the one it names.
SheetLoad LoadSheetTest(Exporter& exporter, const SheetSettings& settings, std::uint8_t basisFlags,
                        std::string_view folder, std::string_view fileName, SheetData& sheet);

}  // namespace tesmora
