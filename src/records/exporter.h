#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "records/customer_protocol_lists.h"
#include "records/export_text.h"
#include "records/sheet_tables.h"

namespace tesmora {

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
    // Not ok, and nothing to show: the export name was taken and the
    // policy kept that file.
    bool exists = false;
    std::string exportPath;             // the file written, when ok
    std::vector<std::string> messages;  // error boxes to show, caption "Tesmora"
  };

  // Exports directory/testFileName under its export name, beside the test or
  // into `outputDirectory` when one is given. The file appears complete or not
  // at all; an older export of that name survives a failure, and is replaced
  // as `overwrite` says (an export is made again from its test at will: by
  // default the newer one takes the name).
  Outcome ExportTestFile(std::string_view directory, std::string_view testFileName,
                         const ExportSettings& settings, std::string_view outputDirectory = {},
                         platform::OverwritePolicy overwrite = platform::OverwritePolicy::Always);

  // The same export into "tempbd.txt" of the program directory, for a sheet.
  Outcome ExportForSheet(std::string_view directory, std::string_view testFileName,
                         const ExportSettings& settings);
  // The same, handing back the state this export left when it succeeds. The
  // copy is taken before another thread's export can overwrite the state, so
  // a sheet never shows the figures of a test it was not loaded from.
  Outcome ExportForSheet(std::string_view directory, std::string_view testFileName,
                         const ExportSettings& settings, ExportState& stateAfter);

  // Fills the customer and protocol tables from the program directory;
  // returns the error boxes to show.
  std::vector<std::string> LoadCustomerAndProtocolLists(int languageIndex);

  // Copies of the state, taken between exports.
  ExportState LastState() const;
  CustomerProtocolTables Tables() const;

 private:
  Outcome Export(std::string_view directory, std::string_view testFileName,
                 const ExportSettings& settings, const std::string& exportPath,
                 platform::OverwritePolicy overwrite, bool forSheet, ExportState* stateAfter);

  std::string programDirectory_;
  std::string workingDirectory_;
  mutable std::mutex mutex_;
  std::unique_ptr<ExportState> state_;
  std::unique_ptr<CustomerProtocolTables> tables_;
};

}  // namespace tesmora
