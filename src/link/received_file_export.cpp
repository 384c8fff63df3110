#include "link/received_file_export.h"

#include "link/link_protocol.h"
#include "link/reader_thread.h"
#include "records/failure_text.h"

namespace tesmora::link {

ExportReceivedFile MakeReceivedFileExporter(std::shared_ptr<Exporter> exporter, const TRead& link,
                                            Prompter& prompter) {
  return [exporter = std::move(exporter), &link, &prompter](const std::string& directory,
                                                            const std::string& testFileName) {
    ExportSettings settings;
    std::uint16_t languageId = 0;
    link.WithState([&](const LinkState& s) {
      settings.languageIndex = s.language.LanguageIndex;
      languageId = s.language.MessageLanguageId;
    });
    settings.versionText = VersionTextString(link.versionText());
    settings.basisFlags = link.basisFlags().value_or(0);
    const Exporter::Outcome outcome = exporter->ExportTestFile(directory, testFileName, settings);
    for (const std::string& message : outcome.messages) {
      prompter.ShowMessage(kErrorCaption, message, PromptIcon::Error, languageId);
    }
    return outcome.ok;
  };
}

}  // namespace tesmora::link
