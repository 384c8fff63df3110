#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "records/customer_protocol_lists.h"
#include "records/decoded_test.h"
#include "records/test_file_decoder.h"

namespace tesmora {

// Where a sheet export writes instead of beside the test.
inline constexpr std::string_view kSheetExportFileName = "tempbd.txt";
inline constexpr std::size_t kMaxRowLabels = 4400;

// What an export depends on besides the test file and the tables.
struct ExportSettings {
  int languageIndex = 1;
  std::string versionText;      // the recorder's version text, empty until received
  std::uint8_t basisFlags = 0;  // the first data byte of the last consistency test received
};

// Tables the sheet drawing reads after an export.
struct SheetTables {
  // L text of each inflation row after the first, or the time text of each
  // consistency row; "-1" after the last.
  std::vector<std::string> RowLabels;
  std::array<float, kMaxConsistencySamples> ConsistencyPressureColumn{};
  std::array<float, kMaxConsistencySamples> ConsistencySpareColumn{};
  std::array<float, kMaxConsistencySamples> ConsistencyFitColumn{};
};

// Everything an export leaves behind.
struct ExportState {
  DecodedTest decoded;
  SheetTables sheet;
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

// The exporter: owns the decoded test, the sheet tables and the customer and
// protocol tables, and keeps two exports (the user's and the link's automatic
// one) from ever overlapping.
class Exporter {
 public:
  // Scratch files go to `programDirectory` ("doxel.tmp", "tempbd.txt") and
  // `workingDirectory` ("ble_soft.tmp").
  Exporter(std::string programDirectory, std::string workingDirectory);

  struct Outcome {
    bool ok = false;
    std::string exportPath;             // the file written, when ok
    std::vector<std::string> messages;  // error boxes to show, caption "Tesmora"
  };

  // Exports directory/testFileName under its export name, beside the test or
  // into `outputDirectory` when one is given. The file appears complete or not
  // at all; an older export of that name survives a failure.
  Outcome ExportTestFile(std::string_view directory, std::string_view testFileName,
                         const ExportSettings& settings, std::string_view outputDirectory = {});

  // The same export into "tempbd.txt" of the program directory, for a sheet.
  Outcome ExportForSheet(std::string_view directory, std::string_view testFileName,
                         const ExportSettings& settings);

  // Fills the customer and protocol tables from the program directory;
  // returns the error boxes to show.
  std::vector<std::string> LoadCustomerAndProtocolLists(int languageIndex);

  // Copies of the state, taken between exports.
  ExportState LastState() const;
  CustomerProtocolTables Tables() const;

 private:
  Outcome Export(std::string_view directory, std::string_view testFileName,
                 const ExportSettings& settings, const std::string& exportPath, bool forSheet);

  std::string programDirectory_;
  std::string workingDirectory_;
  mutable std::mutex mutex_;
  std::unique_ptr<ExportState> state_;
  std::unique_ptr<CustomerProtocolTables> tables_;
};

}  // namespace tesmora
