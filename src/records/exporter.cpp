#include "records/exporter.h"

#include <cstdint>
#include <cstring>

#include "platform/file_io.h"
#include "platform/file_system.h"
#include "platform/file_times.h"
#include "platform/paths.h"
#include "records/consistency_results.h"
#include "records/export_writer.h"
#include "records/failure_text.h"
#include "records/test_names.h"

namespace tesmora {

namespace {

// The softened curve as "ble_soft.tmp" holds it: little-endian f32 values.
std::string SoftenedCurveBytes(const DecodedTest& test) {
  std::string bytes(static_cast<std::size_t>(test.SampleCount) * 4, '\0');
  for (int k = 0; k < test.SampleCount; ++k) {
    std::uint32_t bits;
    std::memcpy(&bits, &test.SoftenedCurve[k], 4);
    for (int b = 0; b < 4; ++b) bytes[k * 4 + b] = static_cast<char>(bits >> (8 * b));
  }
  return bytes;
}

// The program's scratch files are its own: each export writes them anew.
bool WriteScratch(const std::string& path, std::string_view bytes) {
  return platform::WriteWholeFile(platform::LocalFileSystem(), path, bytes,
                                  platform::OverwritePolicy::Always,
                                  platform::Durability::Replaceable) == platform::FsStatus::Ok;
}

}  // namespace

Exporter::Exporter(std::string programDirectory, std::string workingDirectory)
    : programDirectory_(std::move(programDirectory)),
      workingDirectory_(std::move(workingDirectory)),
      state_(std::make_unique<ExportState>()),
      tables_(std::make_unique<CustomerProtocolTables>()) {}

Exporter::Outcome Exporter::ExportTestFile(std::string_view directory,
                                           std::string_view testFileName,
                                           const ExportSettings& settings,
                                           std::string_view outputDirectory,
                                           platform::OverwritePolicy overwrite) {
  const std::string_view folder = outputDirectory.empty() ? directory : outputDirectory;
  return Export(directory, testFileName, settings,
                platform::JoinPath(folder, ExportFileName(testFileName)), overwrite, false,
                nullptr);
}

Exporter::Outcome Exporter::ExportForSheet(std::string_view directory,
                                           std::string_view testFileName,
                                           const ExportSettings& settings) {
  return Export(directory, testFileName, settings,
                platform::JoinPath(programDirectory_, kSheetExportFileName),
                platform::OverwritePolicy::Always, true, nullptr);
}

Exporter::Outcome Exporter::ExportForSheet(std::string_view directory,
                                           std::string_view testFileName,
                                           const ExportSettings& settings,
                                           ExportState& stateAfter) {
  return Export(directory, testFileName, settings,
                platform::JoinPath(programDirectory_, kSheetExportFileName),
                platform::OverwritePolicy::Always, true, &stateAfter);
}

Exporter::Outcome Exporter::Export(std::string_view directory, std::string_view testFileName,
                                   const ExportSettings& settings, const std::string& exportPath,
                                   platform::OverwritePolicy overwrite, bool forSheet,
                                   ExportState* stateAfter) {
  std::lock_guard lock(mutex_);
  Outcome outcome;
  const int language = settings.languageIndex;
  const std::string name(testFileName);
  const auto fail = [&](std::string message) {
    outcome.messages.push_back(std::move(message));
    return outcome;
  };
  const std::string openingFailure =
      FailureText(name + ". ", {msg::kOpeningError, msg::kImpossibleExport}, language);

  const std::optional<std::string> file =
      platform::ReadWholeFile(platform::JoinPath(directory, name));
  if (!file) return fail(openingFailure);
  const ByteSpan fileBytes(reinterpret_cast<const std::uint8_t*>(file->data()), file->size());

  const TestFamily family = DecodingFamily(KindDigitOf(testFileName));
  PreparedCopy prepared = PrepareTestCopy(fileBytes, family, testFileName, language);
  if (prepared.version == 0) return fail(prepared.failure);
  const std::string_view copyText(reinterpret_cast<const char*>(prepared.bytes.data()),
                                  prepared.bytes.size());
  if (!WriteScratch(platform::JoinPath(programDirectory_, kTestCopyFileName), copyText)) {
    return fail(FailureText("doxel.tmp.", {msg::kOpeningError}, language));
  }

  ComposedExport composed =
      ComposeExportText(prepared.bytes, testFileName, settings, *tables_, *state_);
  if (!composed.ok) return fail(composed.failure);
  const DecodedTest& decoded = state_->decoded;
  if (family == TestFamily::Consistency && decoded.RecalculationFlag) {
    // Nothing reads this file back: the recalculation keeps its curve in
    // memory, so a folder that cannot take it costs no result.
    WriteScratch(platform::JoinPath(workingDirectory_, kSoftenedCurveFileName),
                 SoftenedCurveBytes(decoded));
  }

  // Exports are made again from their test at will, so they need not reach
  // the disk before they take their name.
  const platform::FsStatus written =
      platform::WriteWholeFile(platform::LocalFileSystem(), exportPath, composed.text, overwrite,
                               platform::Durability::Replaceable);
  if (written == platform::FsStatus::Exists) {
    // Whoever asked for the export decides about the file that is there.
    outcome.exists = true;
    return outcome;
  }
  if (written != platform::FsStatus::Ok) return fail(openingFailure);
  if (!forSheet) {
    if (const auto date = TestDateFromName(testFileName)) {
      platform::SetFileCreationDate(exportPath, *date);
    }
  }
  outcome.ok = true;
  outcome.exportPath = exportPath;
  if (stateAfter != nullptr) *stateAfter = *state_;
  return outcome;
}

std::vector<std::string> Exporter::LoadCustomerAndProtocolLists(int languageIndex) {
  std::lock_guard lock(mutex_);
  return tesmora::LoadCustomerAndProtocolLists(programDirectory_, *tables_, languageIndex);
}

ExportState Exporter::LastState() const {
  std::lock_guard lock(mutex_);
  return *state_;
}

CustomerProtocolTables Exporter::Tables() const {
  std::lock_guard lock(mutex_);
  return *tables_;
}

}  // namespace tesmora
