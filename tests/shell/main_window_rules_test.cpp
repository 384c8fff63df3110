#include "shell/main_window_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/message_table.h"

namespace tesmora {
namespace {

TEST(ScreenScale, DesignScreenKeepsEveryDesignGeometry) {
  const ScreenScale scale = ScaleForScreen(1024, 768);
  EXPECT_EQ(scale.sx, 1.0F);
  EXPECT_EQ(scale.sy, 1.0F);
  // The main window's controls as designed.
  const Geometry designs[] = {
      {0, 0, 1020, 26},  {0, 8, 425, 657},     {128, 8, 141, 29},   {16, 5, 425, 33},
      {8, 81, 425, 617}, {8, 101, 425, 38},    {464, 8, 545, 657},  {208, 5, 169, 29},
      {0, 3, 545, 33},   {464, 188, 305, 617}, {791, 88, 225, 617},
  };
  for (const Geometry& design : designs) {
    const Geometry scaled = ScaleGeometry(design, scale);
    EXPECT_EQ(scaled.left, design.left);
    EXPECT_EQ(scaled.top, design.top);
    EXPECT_EQ(scaled.width, design.width);
    EXPECT_EQ(scaled.height, design.height);
  }
  EXPECT_EQ(StatusPanelWidths(scale), kStatusPanelDesignWidths);
}

TEST(ScreenScale, LargerScreenTruncatesEachScaledValue) {
  // The recorder pane on 1280 x 1024: 425 x 1.25 = 531.25, 8 x 4/3 = 10.67.
  const Geometry pane = ScaleGeometry({0, 8, 425, 657}, ScaleForScreen(1280, 1024));
  EXPECT_EQ(pane.left, 0);
  EXPECT_EQ(pane.top, 10);
  EXPECT_EQ(pane.width, 531);
  EXPECT_EQ(pane.height, 876);
  // Horizontal values follow the width only, vertical ones the height only.
  const Geometry list = ScaleGeometry({791, 88, 225, 617}, ScaleForScreen(800, 1024));
  EXPECT_EQ(list.left, 617);    // 791 x 0.78125 = 617.97
  EXPECT_EQ(list.top, 117);     // 88 x 4/3 = 117.33
  EXPECT_EQ(list.width, 175);   // 225 x 0.78125 = 175.78
  EXPECT_EQ(list.height, 822);  // 617 x 4/3 = 822.67
}

TEST(ScreenScale, FactorsAreSinglePrecision) {
  // On 800 lines the factor held in double lies just below 25 / 24, and 24
  // times it would truncate to 24; rounded to single precision it lies above.
  const ScreenScale scale = ScaleForScreen(1280, 800);
  EXPECT_EQ(ScaleGeometry({0, 24, 0, 48}, scale).top, 25);
  EXPECT_EQ(ScaleGeometry({0, 24, 0, 48}, scale).height, 50);
}

TEST(StatusPanelWidths, FirstFourScaleHorizontallyTheLastKeepsFifty) {
  struct Case {
    int width;
    int height;
    std::array<int, kStatusPanelCount> widths;
  };
  const Case cases[] = {
      {1280, 1024, {187, 100, 187, 193, 50}},
      {800, 600, {117, 62, 117, 121, 50}},
      {1920, 1080, {281, 150, 281, 290, 50}},
      {1024, 2000, {150, 80, 150, 155, 50}},  // the height plays no part
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StatusPanelWidths(ScaleForScreen(c.width, c.height)), c.widths)
        << c.width << " x " << c.height;
  }
}

TEST(ExportModePanelText, ShowsTheModeInTheCurrentLanguageOnlyWhileOn) {
  EXPECT_EQ(ExportModePanelText(true, 1), "Export data mode");
  EXPECT_EQ(ExportModePanelText(true, 0), "Exportation mode data");
  EXPECT_EQ(ExportModePanelText(true, 2), "Modo de exportación de datos");
  for (int language = 0; language < kLanguageCount; ++language) {
    EXPECT_EQ(ExportModePanelText(false, language), "") << "language " << language;
  }
}

TEST(DisplayAllFilesPassword, OnlyTheExactTextIsAccepted) {
  EXPECT_TRUE(IsDisplayAllFilesPassword("7859"));
  for (const char* wrong : {"7859 ", " 7859", "", "785", "78590", "7858", "7859\n"}) {
    EXPECT_FALSE(IsDisplayAllFilesPassword(wrong)) << '"' << wrong << '"';
  }
  // A zero byte after the password does not end the comparison.
  EXPECT_FALSE(IsDisplayAllFilesPassword(std::string_view("7859\0", 5)));
}

}  // namespace
}  // namespace tesmora
