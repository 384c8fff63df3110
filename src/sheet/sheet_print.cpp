#include "sheet/sheet_print.h"

#include <algorithm>

namespace tesmora {

namespace {

std::string Millimetres(int dots, int dpi, std::string_view decimalSeparator) {
  if (dpi <= 0) return "0";
  return NumberText(RoundDecimals(dots / (dpi / 2.54) * 10, 0), decimalSeparator);
}

}  // namespace

std::string PrinterLineText(std::string_view printerName, int printableWidthDots,
                            int printableHeightDots, Resolution dots,
                            std::string_view decimalSeparator) {
  std::string line(printerName);
  line += " ( ";
  line += Millimetres(printableWidthDots, dots.DpiX, decimalSeparator);
  line += "mm x";
  line += Millimetres(printableHeightDots, dots.DpiY, decimalSeparator);
  line += " mm )";
  return line;
}

std::vector<int> PrintOrder(int pageCount, int firstPage, int lastPage, int copies, bool collate) {
  std::vector<int> order;
  const int first = std::max(1, firstPage);
  const int last = lastPage <= 0 ? pageCount : std::min(lastPage, pageCount);
  copies = std::max(1, copies);
  if (first > last) return order;
  if (collate) {
    for (int copy = 0; copy < copies; ++copy) {
      for (int page = first; page <= last; ++page) order.push_back(page - 1);
    }
  } else {
    for (int page = first; page <= last; ++page) order.insert(order.end(), copies, page - 1);
  }
  return order;
}

}  // namespace tesmora
