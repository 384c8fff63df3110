#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "records/decoded_test.h"

// What a result sheet reads of an export: the text file it reads back by line
// number, and the tables and decoded test the export leaves in memory.
namespace tesmora {

// Where a sheet export writes instead of beside the test.
inline constexpr std::string_view kSheetExportFileName = "tempbd.txt";

// Lines of the export text the sheet takes back (counted from 0, each ended
// by a CR): the four lines of the customer record, and for a kind that
// carries a protocol its name, lower and target PrMax.
inline constexpr int kCustomerFirstLine = 9;
inline constexpr int kCustomerLineCount = 4;
inline constexpr int kProtocolFirstLine = 25;

inline constexpr std::size_t kMaxRowLabels = 4400;

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

}  // namespace tesmora
