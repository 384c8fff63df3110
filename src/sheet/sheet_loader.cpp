#include "sheet/sheet_loader.h"

#include <charconv>

#include "platform/file_io.h"
#include "records/failure_text.h"
#include "shell/code_page.h"
#include "shell/message_table.h"

namespace tesmora {

namespace {

// Without every character up to a blank at either end.
std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string TabsAsSpaces(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\t') c = ' ';
  }
  return line;
}

// The whole number a text holds, blanks allowed before it only.
std::optional<long long> WholeNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

void ReadPrMax(std::string_view line, std::string& field) {
  const std::string text = TabsAsSpaces(line);
  const std::optional<long long> value = WholeNumber(text);
  if (!value) {
    field = "0";
  } else if (*value >= 0) {
    field = Trimmed(text);
  }
}

std::string Decoded850(std::string_view bytes) { return DecodeToUtf8(bytes, CodePage::Dos850); }

void TakeLine(int n, std::string_view line, bool withProtocol, SheetData& sheet) {
  if (n >= kCustomerFirstLine && n < kCustomerFirstLine + kCustomerLineCount) {
    sheet.CustomerLines[n - kCustomerFirstLine] = Decoded850(Trimmed(TabsAsSpaces(line)));
    return;
  }
  if (!withProtocol) return;
  if (n == kProtocolFirstLine) {
    const std::size_t tab = line.find('\t');
    const std::string_view name = tab == std::string_view::npos ? line : line.substr(tab + 1);
    sheet.ProtocolName = Decoded850(Trimmed(name));
  } else if (n == kProtocolFirstLine + 1) {
    ReadPrMax(line, sheet.PrMaxMin);
  } else if (n == kProtocolFirstLine + 2) {
    ReadPrMax(line, sheet.PrMaxTarget);
  }
}

}  // namespace

void ReadBackSheetExport(std::string_view exportText, bool withProtocol, SheetData& sheet) {
  sheet.CustomerLines = {};
  int n = 0;
  std::size_t start = 0;
  for (std::size_t cr; (cr = exportText.find('\r', start)) != std::string_view::npos;
       start = cr + 1, ++n) {
    TakeLine(n, exportText.substr(start, cr - start), withProtocol, sheet);
  }
}

SheetLoad LoadSheetTest(Exporter& exporter, const SheetSettings& settings, std::uint8_t basisFlags,
                        std::string_view folder, std::string_view fileName, SheetData& sheet) {
  SheetLoad load;
  const TestKind* kind = TestKindOf(fileName);
  if (kind == nullptr) {
    load.result = SheetLoadResult::NotASheetKind;
    return load;
  }
  const ExportSettings exportSettings{.languageIndex = settings.languageIndex,
                                      .versionText = settings.versionText,
                                      .basisFlags = basisFlags};
  auto state = std::make_shared<ExportState>();
  Exporter::Outcome outcome = exporter.ExportForSheet(folder, fileName, exportSettings, *state);
  load.messages = std::move(outcome.messages);
  if (!outcome.ok) return load;
  // Only this export's text will do: an older "tempbd.txt" is another test's.
  const std::optional<std::string> text = platform::ReadWholeFile(outcome.exportPath);
  if (!text) {
    load.messages.push_back(FailureText(std::string(kSheetExportFileName) + ". ",
                                        {msg::kOpeningError}, settings.languageIndex));
    return load;
  }

  load.result = SheetLoadResult::Loaded;
  load.page = SheetPageFromExport(*kind, settings, fileName, *text, std::move(state), sheet);
  return load;
}

SheetPage SheetPageFromExport(const TestKind& kind, const SheetSettings& settings,
                              std::string_view fileName, std::string_view exportText,
                              std::shared_ptr<const ExportState> state, SheetData& sheet) {
  sheet.Type = kind.sheetType;
  sheet.WithProtocol = kind.carriesProtocol;
  sheet.SheetTitle = MessageUtf8(kind.sheetTitleMessage, settings.languageIndex);
  ReadBackSheetExport(exportText, kind.carriesProtocol, sheet);
  return SheetPage{std::string(fileName), sheet, std::move(state), settings};
}

}  // namespace tesmora
