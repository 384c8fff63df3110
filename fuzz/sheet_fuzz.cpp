// Feeds arbitrary bytes as a test file through loading it for its sheet and
// drawing its page: the export in sheet mode, the customer and protocol lines
// read back from its text, the header, the legend, the axes and the curves,
// on a recording canvas at 300 dots per inch (input layout: fuzz_input.h).
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz_input.h"
#include "records/export_text.h"
#include "records/test_names.h"
#include "sheet/recording_canvas.h"
#include "sheet/sheet_loader.h"
#include "sheet/sheet_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tesmora::CustomerProtocolTables tables = tesmora::fuzzing::FullTables();
  static auto state = std::make_unique<tesmora::ExportState>();
  // One sheet data for the run, as the program keeps: a protocol survives a
  // test that sets none.
  static tesmora::SheetData sheet;
  static const tesmora::FixedTextMetrics metrics;
  const auto input = tesmora::fuzzing::ReadFuzzInput(data, size);
  if (!input) return 0;
  const tesmora::TestKind* kind = tesmora::TestKindOf(input->name);
  if (kind == nullptr) return 0;  // no sheet for this kind
  const tesmora::ExportSettings exportSettings{input->language, "V3.21", input->basisFlags};
  const tesmora::PreparedCopy copy = tesmora::PrepareTestCopy(
      input->file, tesmora::DecodingFamily(input->kind), input->name, input->language);
  if (copy.version == 0) return 0;
  const tesmora::ComposedExport composed =
      tesmora::ComposeExportText(copy.bytes, input->name, exportSettings, tables, *state);
  if (!composed.ok) return 0;

  tesmora::SheetSettings settings;
  settings.languageIndex = input->language;
  settings.decimalSeparator = input->basisFlags & 0x80 ? "," : ".";
  settings.versionText = "V3.21";
  settings.company.lines = {"LABORATOIRE", "RUE", "VILLE", "PAYS"};
  const tesmora::SheetPage page =
      tesmora::SheetPageFromExport(*kind, settings, input->name, composed.text,
                                   std::make_shared<const tesmora::ExportState>(*state), sheet);
  tesmora::RecordingCanvas canvas(metrics);
  const tesmora::PageDevice device = tesmora::kA4At300Dpi;
  canvas.BeginPage(device.width, device.height, device.dots);
  tesmora::DrawPageOnDevice(canvas, page, device);
  // The dump writes every call, its numbers and texts; it opens with its page.
  if (canvas.Dump().rfind("page 2480 3507 300 300\n", 0) != 0) __builtin_trap();
  return 0;
}
