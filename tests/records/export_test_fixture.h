#pragma once

// What the export text tests and the exporter tests share: a test folder, a
// program directory with the standard lists, and an exporter on them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fixtures/test_file_writer.h"
#include "records/exporter.h"
#include "support/temp_dir.h"

namespace tesmora::export_testing {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

inline std::string AsText(const fixtures::Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

// The lines of an export text: it ends each line with a CR.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t cr; (cr = text.find('\r', start)) != std::string::npos; start = cr + 1) {
    lines.push_back(text.substr(start, cr - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

inline int LineOf(const std::vector<std::string>& lines, const std::string& start) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind(start, 0) == 0) return static_cast<int>(i);
  }
  return -1;
}

// A test folder and a program directory with the standard lists.
class ExportTest : public ::testing::Test {
 protected:
  ExportTest() : exporter_(home_.path(), home_.path()) {
    WriteBytes(home_.File("cliente.txt"),
               AsText(fixtures::BuildCustomerFile(fixtures::StandardCustomers())));
    WriteBytes(home_.File("protocol.txt"),
               AsText(fixtures::BuildProtocolFile(fixtures::StandardProtocols())));
    EXPECT_TRUE(exporter_.LoadCustomerAndProtocolLists(1).empty());
  }

  Exporter::Outcome Export(const std::string& name, const fixtures::Bytes& bytes) {
    WriteBytes(folder_.File(name), AsText(bytes));
    return exporter_.ExportTestFile(folder_.path(), name, settings_);
  }

  // Exports and returns the export text; fails the test when the export fails.
  std::string ExportText(const std::string& name, const fixtures::Bytes& bytes) {
    const Exporter::Outcome outcome = Export(name, bytes);
    EXPECT_TRUE(outcome.ok) << (outcome.messages.empty() ? "" : outcome.messages[0]);
    return outcome.ok ? ReadBytes(outcome.exportPath) : std::string();
  }

  TempDir folder_;
  TempDir home_;
  Exporter exporter_;
  ExportSettings settings_{.languageIndex = 1, .versionText = "V2.01", .basisFlags = 4};
};

inline fixtures::InflationTestSpec Inflation(char kind, std::uint32_t seed = 3) {
  return fixtures::RealisticInflationTest(seed, kind);
}

}  // namespace tesmora::export_testing
