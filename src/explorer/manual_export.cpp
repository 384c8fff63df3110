#include "explorer/manual_export.h"

#include "platform/paths.h"
#include "records/failure_text.h"
#include "records/test_names.h"

namespace tesmora::explorer {

ExportOneFile ExportThrough(Exporter& exporter, ExportSettings settings, Prompter& prompter,
                            LanguageState language) {
  return [&exporter, settings = std::move(settings), &prompter, language](
             const std::string& directory, const std::string& testName,
             platform::OverwritePolicy overwrite) {
    const Exporter::Outcome outcome =
        exporter.ExportTestFile(directory, testName, settings, {}, overwrite);
    for (const std::string& text : outcome.messages) {
      prompter.ShowMessage(kErrorCaption, text, PromptIcon::Error, language.MessageLanguageId);
    }
    if (outcome.exists) return platform::FsStatus::Exists;
    return outcome.ok ? platform::FsStatus::Ok : platform::FsStatus::Failed;
  };
}

std::vector<std::string> ExportSelectedFiles(const OperationContext& context,
                                             const std::string& directory,
                                             const std::vector<std::string>& selectedNames,
                                             const ExportOneFile& exportOne) {
  std::vector<std::string> written;
  if (directory.empty()) return written;
  for (const std::string& name : selectedNames) {
    if (LeftOutAsSpecial(context, directory, name)) continue;
    const std::string exportName = ExportFileName(name);
    ReplaceDecision decision = AskBeforeReplacing(context, directory, exportName);
    if (!decision.Writes()) continue;
    const platform::FsStatus status = WriteAsDecided(
        context, directory, exportName, decision,
        [&](platform::OverwritePolicy commit) { return exportOne(directory, name, commit); });
    if (status == platform::FsStatus::Ok) written.push_back(exportName);
  }
  return written;
}

}  // namespace tesmora::explorer
