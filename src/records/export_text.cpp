#include "records/export_text.h"

#include "records/consistency_results.h"
#include "records/export_consistency_table.h"
#include "records/export_header_lines.h"
#include "records/export_inflation_table.h"
#include "records/export_writer.h"
#include "records/failure_text.h"
#include "records/inflation_results.h"
#include "records/test_names.h"

namespace tesmora {

namespace {

using namespace export_text;

// Returns the failure text, or an empty text on success.
std::string Compose(Writer& w, ByteSpan copy, std::string_view name, const ExportSettings& settings,
                    const CustomerProtocolTables& tables, ExportState& state) {
  const char digit = KindDigitOf(name);
  const TestKind* kind = FindTestKind(digit);
  const TestFamily family = DecodingFamily(digit);
  DecodedTest& test = state.decoded;
  const auto unexpectedValue = [&] {
    return FailureText(std::string(name) + ". ", {msg::kUnexpectedValue, msg::kImpossibleExport},
                       settings.languageIndex);
  };

  const std::optional<std::size_t> textBlock = FindTextBlock(copy);
  if (!textBlock) return unexpectedValue();
  WriteHeader(w, copy, name, kind, family, settings.versionText);
  if (!WriteTextFields(w, copy, *textBlock, kind, family, tables, test)) {
    return unexpectedValue();
  }

  test.CurveEnabled = {};
  test.DegradationTest = false;
  const fprotocole* protocol = nullptr;
  if (family == TestFamily::Inflation) {
    DecodeInflationTest(copy, test);
    ComputeInflationResults(test, digit);
    protocol = &tables.Protocol(test.ProtocolNumber);
  } else {
    DecodeConsistencyTest(copy, test);
    protocol = &tables.Protocol(test.ProtocolNumber);
    ComputeConsistencyResults(test, *protocol);
  }
  if (kind != nullptr && kind->carriesProtocol) WriteProtocolLines(w, *protocol);
  state.sheet.RowLabels.clear();
  if (family == TestFamily::Inflation) {
    WriteInflationResults(w, test, kind, *protocol);
    WriteInflationCurves(w, test, state.sheet);
  } else {
    // Only a known kind decodes as a consistency test.
    WriteConsistencyResults(w, test, *kind, *protocol, settings.basisFlags);
    WriteConsistencyTable(w, test, state.sheet);
  }
  return {};
}

}  // namespace

ComposedExport ComposeExportText(ByteSpan copy, std::string_view testFileName,
                                 const ExportSettings& settings,
                                 const CustomerProtocolTables& tables, ExportState& state) {
  ComposedExport result;
  result.text.reserve(32 * 1024);
  Writer w(result.text, settings.languageIndex);
  result.failure = Compose(w, copy, testFileName, settings, tables, state);
  result.ok = result.failure.empty();
  if (!result.ok) result.text.clear();
  return result;
}

}  // namespace tesmora
