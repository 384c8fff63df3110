// The drawing dump describes the page as it prints: the command line's
// --ops against the same page painted by Qt at the same resolution.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <string>
#include <vector>

#include "app/cli_test_support.h"
#include "records/exporter.h"
#include "sheet/sheet_loader.h"
#include "sheet/sheet_page.h"
#include "sheet_painting/qt_canvas.h"
#include "shell/company.h"
#include "support/gui_application.h"

namespace tesmora {
namespace {

using testing::CommandRun;
using testing::ReadBytes;
using testing::RunCli;
using testing::TempDir;

// Passes every call on to the canvas that paints, and writes down each text
// measured or drawn with the size that canvas gives it, as dump lines.
class TextsOfThePaintedPage : public Canvas {
 public:
  explicit TextsOfThePaintedPage(Canvas& painted) : painted_(painted) {}

  void SetPen(Rgb colour, int width) override { painted_.SetPen(colour, width); }
  void SetBrush(Rgb colour) override { painted_.SetBrush(colour); }
  void SetFont(int points, FontWeight weight, Rgb colour) override {
    painted_.SetFont(points, weight, colour);
  }
  TextSize TextExtent(std::string_view text) override {
    const TextSize size = painted_.TextExtent(text);
    lines.push_back("extent " + Numbers({size.width, size.height}) + std::string(text));
    return size;
  }
  void Line(int x1, int y1, int x2, int y2) override { painted_.Line(x1, y1, x2, y2); }
  void Rectangle(const DotRect& box, bool outline) override { painted_.Rectangle(box, outline); }
  void RoundRectangle(const DotRect& box, int ellipseWidth, int ellipseHeight) override {
    painted_.RoundRectangle(box, ellipseWidth, ellipseHeight);
  }
  void Text(int x, int y, std::string_view text) override {
    const TextSize size = painted_.TextExtent(text);
    painted_.Text(x, y, text);
    lines.push_back("text " + Numbers({x, y, size.width, size.height}) + std::string(text));
  }
  void Picture(const DotRect& box) override { painted_.Picture(box); }

  std::vector<std::string> lines;

 private:
  static std::string Numbers(std::initializer_list<int> numbers) {
    std::string text;
    for (const int n : numbers) text += std::to_string(n) + ' ';
    return text;
  }
  Canvas& painted_;
};

// The extent and text lines of a dump, in order.
std::vector<std::string> TextLines(const std::string& dump) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = dump.find('\n', start)) != std::string::npos;
       start = end + 1) {
    const std::string line = dump.substr(start, end - start);
    if (line.rfind("extent ", 0) == 0 || line.rfind("text ", 0) == 0) lines.push_back(line);
  }
  return lines;
}

class CliSheetDump : public testing::CliWithTests {
 protected:
  CliSheetDump() {
    testing::EnsureGuiApplication();
    testing::WriteBytes(home_.File("societe.txt"),
                        "[Societe]\r\nLigne1=Laboratoire d'essais c\xe9r\xe9"
                        "aliers\r\nLigne2=WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW\r\n");
  }

  SheetPage Page(const std::string& name) {
    Exporter exporter(home_.path(), home_.path());
    exporter.LoadCustomerAndProtocolLists(1);
    const SheetSettings settings{1, ".", ReadCompanyFile(home_.path()), "V3.10"};
    SheetData sheet;
    SheetLoad load = LoadSheetTest(exporter, settings, 0, tests_.path(), name, sheet);
    EXPECT_TRUE(load.page) << name;
    return load.page ? std::move(*load.page) : SheetPage{};
  }

  std::vector<std::string> Dumped(const std::string& name, int dpi) {
    TempDir out;
    const CommandRun run =
        RunCli(home_.path(), "sheet --lang en --decimal . --version-text V3.10 --dpi " +
                                 std::to_string(dpi) + " --ops " + out.File("d.txt") + " " +
                                 tests_.File(name));
    EXPECT_EQ(run.status, 0) << run.output;
    return TextLines(ReadBytes(out.File("d.txt")));
  }
};

TEST_F(CliSheetDump, TextsAreMeasuredAsTheyPrintOnAPicture) {
  for (const char* name : {"03021001.126", "10221107.526"}) {
    const PageDevice device = A4Page({300, 300});
    QImage image(device.width, device.height, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(300 / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    ui::QtCanvas qt(painter);
    TextsOfThePaintedPage painted(qt);
    DrawPageOnDevice(painted, Page(name), device);
    EXPECT_EQ(Dumped(name, 300), painted.lines) << name;
  }
}

TEST_F(CliSheetDump, TextsAreMeasuredAsTheyPrintInAPdf) {
  TempDir out;
  QPdfWriter writer(QString::fromStdString(out.File("page.pdf")));
  writer.setResolution(600);
  QPainter painter(&writer);
  ui::QtCanvas qt(painter);
  TextsOfThePaintedPage painted(qt);
  DrawPageOnDevice(painted, Page("03021001.126"), A4Page({600, 600}));
  painter.end();
  EXPECT_EQ(Dumped("03021001.126", 600), painted.lines);
}

}  // namespace
}  // namespace tesmora
