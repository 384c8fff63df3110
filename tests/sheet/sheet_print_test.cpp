#include "sheet/sheet_print.h"

#include <gtest/gtest.h>

#include <vector>

namespace tesmora {
namespace {

TEST(PrinterLineText, GivesThePrintableAreaInWholeMillimetres) {
  // 203 x 288 mm at 300 dpi: 2397 x 3401 dots, that is 202.95 and 287.96 mm.
  EXPECT_EQ(PrinterLineText("LaserJet", 2397, 3401, {300, 300}, "."), "LaserJet ( 203mm x288 mm )");
  // Each size with its own resolution.
  EXPECT_EQ(PrinterLineText("P", 2397, 6803, {300, 600}, "."), "P ( 203mm x288 mm )");
  EXPECT_EQ(PrinterLineText("P", 0, 0, {0, 0}, ","), "P ( 0mm x0 mm )");
}

TEST(PrintOrder, PagesInRangeCopiesAndCollation) {
  const struct {
    int count, first, last, copies;
    bool collate;
    std::vector<int> order;
  } cases[] = {
      {5, 2, 3, 1, false, {1, 2}},
      {5, 0, 0, 1, false, {0, 1, 2, 3, 4}},
      {3, 1, 3, 2, true, {0, 1, 2, 0, 1, 2}},
      {3, 1, 3, 2, false, {0, 0, 1, 1, 2, 2}},
      {3, 2, 9, 1, false, {1, 2}},  // held to the pages there are
      {3, 4, 5, 1, false, {}},
      {0, 0, 0, 1, false, {}},
      {2, 1, 2, 0, false, {0, 1}},  // no copy count is one copy
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PrintOrder(c.count, c.first, c.last, c.copies, c.collate), c.order)
        << c.count << " " << c.first << "-" << c.last << " x" << c.copies;
  }
}

}  // namespace
}  // namespace tesmora
