#include <gtest/gtest.h>

#include <string>

#include "platform/file_io.h"
#include "records/exporter.h"
#include "support/temp_dir.h"

namespace tesmora {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// Test files of every kind, with the exports checked line by line when they
// were recorded here. Any change to a byte of an export shows up as a
// difference against these files.
const std::string kGolden = TESMORA_GOLDEN_DIR;

struct GoldenCase {
  const char* test;
  const char* language;
  int languageIndex;
  std::uint8_t basisFlags;
  const char* versionText;
};

const GoldenCase kCases[] = {
    {"03021001.126", "en", 1, 4, "V3.21"},  // kind 1, all curves validated, customer 3
    {"04140212.226", "en", 1, 4, "V3.21"},  // degradation 3 + 2 curves
    {"06110305.326", "en", 1, 4, "V3.21"},  // kind 3, first curve ends early, protocol 2
    {"07020412.626", "en", 1, 4, "V3.21"},  // kind 6, version 7, gain 1.05, full gluten field
    {"02080031.499", "en", 1, 4, "V3.21"},  // kind 4, version 5
    {"10221107.526", "en", 1, 4, "V3.21"},  // kind 5, recalculated, half-second steps
    {"11030041.426", "en", 1, 4, "V3.21"},  // kind 4, fields end early
    {"12011112.526", "en", 1, 4, "V3.21"},  // kind 5, version 11, moisture overflows
    {"03021001.126", "fr", 0, 8, "V3.21"}, {"10221107.526", "fr", 0, 8, "V3.21"},
    {"11030041.426", "fr", 0, 8, "V3.21"}, {"04140212.226", "de", 5, 0, ""},
};

TEST(GoldenExports, EveryByteMatchesTheRecordedExport) {
  TempDir home;
  for (const char* list : {"cliente.txt", "protocol.txt"}) {
    WriteBytes(home.File(list), ReadBytes(kGolden + "/home/" + list));
  }
  Exporter exporter(home.path(), home.path());
  ASSERT_TRUE(exporter.LoadCustomerAndProtocolLists(1).empty());
  TempDir out;
  for (const GoldenCase& c : kCases) {
    const ExportSettings settings{c.languageIndex, c.versionText, c.basisFlags};
    const Exporter::Outcome outcome =
        exporter.ExportTestFile(kGolden, c.test, settings, out.path());
    ASSERT_TRUE(outcome.ok) << c.test;
    const std::string expected =
        ReadBytes(kGolden + "/" + c.language + "/" + ExportFileName(c.test));
    const std::string actual = ReadBytes(outcome.exportPath);
    ASSERT_FALSE(expected.empty()) << c.test;
    if (actual != expected) {
      std::size_t at = 0;
      while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
      ADD_FAILURE() << c.test << " (" << c.language << ") differs from byte " << at << ": "
                    << actual.substr(at > 40 ? at - 40 : 0, 80);
    }
  }
}

}  // namespace
}  // namespace tesmora
