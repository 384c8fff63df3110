#pragma once

#include <string>
#include <vector>

#include "sheet/sheet_data.h"
#include "shell/message_ids.h"

namespace tesmora {

// The rows of the sample-data and results boxes of a sheet, with their value
// texts (UTF-8) as printed.

struct SampleRow {
  int column = 0;  // 0 or 1
  int row = 0;
  MessageId labelMessage{};
  std::string value;  // empty: the label and colon only
};

struct ResultRow {
  std::string symbol;
  std::string value;
  double valueOffsetCm = 2.3;  // from the symbol's x
};

std::vector<SampleRow> SampleRows(const SheetPage& page);
std::vector<ResultRow> ResultRows(const SheetPage& page);

}  // namespace tesmora
