#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/decoded_test.h"
#include "records/test_names.h"

namespace tesmora {

using ByteSpan = std::span<const std::uint8_t>;

// Scratch file that holds the un-stuffed copy of the last exported test.
inline constexpr std::string_view kTestCopyFileName = "doxel.tmp";

// Lowest file version each family can be read from.
inline constexpr int kMinInflationVersion = 4;
inline constexpr int kMinConsistencyVersion = 5;

// The family a kind digit is decoded as: that of its kind, and inflation for
// a digit of no known kind.
TestFamily DecodingFamily(char kindDigit);

// The file version word (offset 6 for inflation, 12 for consistency), or 0
// when the file is too short to hold it.
int TestFileVersion(ByteSpan file, TestFamily family);

// Number of leading bytes that the recorder never stuffs.
std::size_t StuffingExemptZone(TestFamily family, int version);

// Removes the byte the recorder writes after each data byte FF. Versions
// before 5 (inflation) or 8 (consistency) were stored without such bytes and
// come back unchanged.
std::vector<std::uint8_t> UnstuffTestFile(ByteSpan file, TestFamily family, int version);

struct PreparedCopy {
  int version = 0;  // 0 on failure
  std::vector<std::uint8_t> bytes;
  std::string failure;  // the error box text when version is 0
};

// Checks the version and makes the un-stuffed copy.
PreparedCopy PrepareTestCopy(ByteSpan file, TestFamily family, std::string_view testFileName,
                             int languageIndex);

// The offset just after the first FF 7F FF 7F of the copy, or nothing.
std::optional<std::size_t> FindTextBlock(ByteSpan copy);

// Fill `test` from an un-stuffed copy. Fields the family does not use keep
// their values. They cannot fail on a copy in memory: bytes missing at the end
// of a short file read as zeros, and everything the file declares beyond the
// capacities is skipped.
void DecodeInflationTest(ByteSpan copy, DecodedTest& test);
void DecodeConsistencyTest(ByteSpan copy, DecodedTest& test);

// The test time as the sheet and the export show it: HH:MM when every
// character is plausible, "00:00" otherwise.
std::array<char, 6> CheckedTestTime(ByteSpan sixBytes);

}  // namespace tesmora
