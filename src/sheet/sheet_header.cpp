#include "sheet/sheet_header.h"

#include <algorithm>

#include "records/test_names.h"
#include "sheet/sheet_rows.h"
#include "shell/code_page.h"
#include "shell/message_table.h"

namespace tesmora {

namespace {

constexpr int kTitlePoints = 14;
constexpr int kTextPoints = 10;
// The smallest size a text is set in to keep within its column.
constexpr int kSmallestPoints = 6;
// The room kept between a text and the next column or the box's edge.
constexpr double kGapCm = 0.1;
// Measured, never drawn: the title is centred as if this word stood left of
// the sheet's right edge.
constexpr std::string_view kTitleRightWord = "MERVIC";

enum Message : int {
  kDateLabel = 9,
  kTimeLabel = 10,
  kResultsTitle = 31,
  kParametersTitle = 35,
  kCommentsLabel = 65,
  kSampleIdLabel = 66,
  kFileNameLabel = 67,
  kPrMaxMinLabel = 171,
  kPrMaxTargetLabel = 172,
  kProtocolLabel = 176,
};

// The eight areas of the form, placed from the top down.
struct HeaderBoxes {
  DotRect title, company, customer, identification, parameters, results, comments;
};

HeaderBoxes PlaceBoxes(Resolution d, int left, int right) {
  HeaderBoxes b;
  const int top = d.Y(0.5);
  b.title = {left, top, right, top + d.Y(0.9)};
  b.company = {left, b.title.bottom, d.X(9), b.title.bottom + d.Y(2)};
  b.customer = {b.company.right + d.X(0.1), b.company.top, right, b.company.bottom};
  b.identification = {left, b.company.bottom, right, b.company.bottom + d.Y(1.2)};
  b.parameters = {left, b.identification.bottom, d.X(13), b.identification.bottom + d.Y(4.5)};
  b.results = {b.parameters.right + d.X(0.1), b.parameters.top, right, b.parameters.bottom};
  b.comments = {left, b.parameters.bottom, right, b.parameters.bottom + d.Y(1.5)};
  return b;
}

class HeaderPainter {
 public:
  HeaderPainter(Canvas& canvas, const SheetPage& page, Resolution dots)
      : c_(canvas),
        page_(page),
        d_(dots),
        language_(page.settings.languageIndex),
        pitch_(LinePitch(kTextPoints, dots.DpiY)) {}

  void Font(int points, FontWeight weight) {
    c_.SetFont(points, weight, kBlack);
    weight_ = weight;
  }
  void Text(int x, int y, std::string_view text) { c_.Text(x, y, text); }

  // A text that must end before `right` (the next column, or its box's edge
  // less the gap): a text too long for its room, such as a long mill name
  // or customer line, is set smaller, down to 6 points, rather than run into
  // its neighbour. The size returns to 10 points afterwards.
  void Fitted(int x, int y, std::string_view text, int right) {
    if (text.empty()) return;
    int points = kTextPoints;
    TextSize size = c_.TextExtent(text);
    const int fullHeight = size.height;
    while (points > kSmallestPoints && x + size.width > right) {
      c_.SetFont(--points, weight_, kBlack);
      size = c_.TextExtent(text);
    }
    // A smaller text stands on the line of its row, not at its top.
    Text(x, y + fullHeight - size.height, text);
    if (points != kTextPoints) c_.SetFont(kTextPoints, weight_, kBlack);
  }
  int Gap() const { return d_.X(kGapCm); }
  std::string Msg(int id) const { return MessageUtf8(id, language_); }
  int Row(int top, int k) const { return top + k * pitch_; }

  void TitleBand(const DotRect& band, const DotRect& company) {
    Font(kTitlePoints, FontWeight::Bold);
    const int y = band.top + d_.Y(0.2);
    Text(band.left + d_.X(0.1), y, kProductName);
    const int logoLeft = band.right - d_.X(3) - d_.X(1);
    const int logoBottom = company.top - d_.Y(0.1);
    c_.Picture({logoLeft, logoBottom - d_.Y(1), logoLeft + d_.X(3), logoBottom});
    const int from = band.left + d_.X(0.2) + c_.TextExtent(kProductName).width;
    const int to = band.right - d_.X(0.2) - c_.TextExtent(kTitleRightWord).width;
    const int width = c_.TextExtent(page_.sheet.SheetTitle).width;
    Text(from + (to - from - width) / 2, y, page_.sheet.SheetTitle);
    Font(kTextPoints, FontWeight::Normal);
  }

  void Company(const DotRect& box) {
    const int x = box.left + d_.X(0.1);
    const int y = box.top + d_.Y(0.1);
    const auto& lines = page_.settings.company.lines;
    for (int k = 0; k < 4; ++k) {
      Fitted(x, Row(y, k), DecodeToUtf8(lines[k], CodePage::Windows1252), box.right - Gap());
    }
  }

  void Customer(const DotRect& box) {
    const int x = box.left + d_.X(0.1);
    const int y = box.top + d_.Y(0.1);
    for (int k = 0; k < 4; ++k) {
      if (k < 2) Font(kTextPoints, k == 0 ? FontWeight::Bold : FontWeight::Normal);
      Fitted(x, Row(y, k), page_.sheet.CustomerLines[k], box.right - Gap());
    }
  }

  // A label, its colon and its value, the last two in normal weight; the
  // value ends before `right`.
  void LabelledValue(int x, int y, const std::string& label, FontWeight labelWeight, double colonCm,
                     double valueCm, std::string_view value, int right) {
    Font(kTextPoints, labelWeight);
    Fitted(x, y, label, x + d_.X(colonCm) - Gap() / 2);
    if (labelWeight != FontWeight::Normal) Font(kTextPoints, FontWeight::Normal);
    Text(x + d_.X(colonCm), y, ":");
    Fitted(x + d_.X(valueCm), y, value, right);
  }

  void Identification(const DotRect& band, const DotRect& customer) {
    const int y = band.top + d_.Y(0.1);
    const int x = band.left + d_.X(0.1);
    const std::string& name = page_.SheetFileName;
    const int x2 = customer.left + d_.X(0.1);
    LabelledValue(x, Row(y, 0), Msg(kDateLabel), FontWeight::Normal, 2, 2.3,
                  TestFileDate({}, name, DateSource::FromName), x2 - Gap());
    const auto& time = page_.test->decoded.TestTime;
    LabelledValue(x, Row(y, 1), Msg(kTimeLabel), FontWeight::Normal, 2, 2.3,
                  std::string(time.data(), std::find(time.begin(), time.end(), '\0')), x2 - Gap());
    LabelledValue(x2, Row(y, 0), LabelTextOf(kSampleIdLabel, language_), FontWeight::Bold, 6, 6.3,
                  DecodeToUtf8(page_.test->decoded.Texts.Sample, CodePage::Dos850),
                  band.right - Gap());
    LabelledValue(x2, Row(y, 1), LabelTextOf(kFileNameLabel, language_), FontWeight::Bold, 6, 6.3,
                  PrintedFileName(name), band.right - Gap());
  }

  // The box's title in bold, centred between its edges.
  void BoxTitle(const DotRect& box, int message) {
    Font(kTextPoints, FontWeight::Bold);
    const std::string title = Msg(message);
    const int width = c_.TextExtent(title).width;
    Text(box.left + (box.right - box.left - width) / 2, box.top + d_.Y(0.1), title);
    Font(kTextPoints, FontWeight::Normal);
  }

  void Parameters(const DotRect& box) {
    BoxTitle(box, kParametersTitle);
    const int y = box.top + d_.Y(0.8);
    const int secondColumn = box.left + d_.X(6.1);
    for (const SampleRow& row : SampleRows(page_)) {
      const int x = row.column == 0 ? box.left + d_.X(0.1) : secondColumn;
      const int rowY = Row(y, row.row);
      Fitted(x, rowY, LabelTextOf(row.labelMessage, language_), x + d_.X(2.5) - Gap() / 2);
      Text(x + d_.X(2.5), rowY, ":");
      Fitted(x + d_.X(3), rowY, row.value, (row.column == 0 ? secondColumn : box.right) - Gap());
    }
  }

  void Results(const DotRect& box) {
    BoxTitle(box, kResultsTitle);
    const int y = box.top + d_.Y(0.8);
    const int x = box.left + d_.X(0.5);
    int k = 0;
    for (const ResultRow& row : ResultRows(page_)) {
      const int rowY = Row(y, k++);
      Text(x, rowY, row.symbol);
      Text(x + d_.X(1.8), rowY, "=");
      Fitted(x + d_.X(row.valueOffsetCm), rowY, row.value, box.right - Gap());
    }
  }

  // Leaves the weight the footer is printed in.
  void CommentsOrProtocol(const DotRect& band) {
    const int x = band.left + d_.X(0.1);
    const int y = band.top + d_.Y(0.1);
    const SheetData& sheet = page_.sheet;
    if (!sheet.WithProtocol) {
      Text(x, Row(y, 0), Msg(kCommentsLabel));
      const SampleTexts& texts = page_.test->decoded.Texts;
      const int right = band.right - Gap();
      Fitted(x + d_.X(0.3), Row(y, 1), DecodeToUtf8(texts.Comment1, CodePage::Dos850), right);
      Fitted(x + d_.X(0.3), Row(y, 2), DecodeToUtf8(texts.Comment2, CodePage::Dos850), right);
      return;
    }
    Font(kTextPoints, FontWeight::Bold);
    // Each label and value ends before the next cell; the colons stand as
    // they are.
    const struct {
      double cm;
      std::string text;
    } cells[] = {{0, Msg(kProtocolLabel)},     {3, ":"},    {3.1, sheet.ProtocolName},
                 {9, Msg(kPrMaxMinLabel)},     {11, ":"},   {11.2, sheet.PrMaxMin},
                 {13, Msg(kPrMaxTargetLabel)}, {15.5, ":"}, {15.7, sheet.PrMaxTarget}};
    for (std::size_t i = 0; i < std::size(cells); ++i) {
      const int right =
          i + 1 < std::size(cells) ? x + d_.X(cells[i + 1].cm) - Gap() / 2 : band.right - Gap();
      if (cells[i].text == ":") {
        Text(x + d_.X(cells[i].cm), y, cells[i].text);
      } else {
        Fitted(x + d_.X(cells[i].cm), y, cells[i].text, right);
      }
    }
  }

  void Footer(const DotRect& band) {
    const std::string& version = page_.settings.versionText;
    const std::string text =
        DecodeToUtf8(std::string_view(version.data(), std::min(version.find('\0'), version.size())),
                     CodePage::Dos850);
    const int width = c_.TextExtent(text).width;
    const int y = band.bottom - kTextPoints * (d_.DpiY / 96) - d_.Y(0.2);
    Text(band.right - d_.X(0.1) - width, y, text);
    Font(kTextPoints, FontWeight::Normal);
  }

  // The file name with an "A" for its ninth character; a name too short to
  // have one is printed as it is.
  static std::string PrintedFileName(std::string name) {
    if (name.size() > 8) name[8] = 'A';
    return name;
  }

 private:
  Canvas& c_;
  const SheetPage& page_;
  Resolution d_;
  int language_;
  int pitch_;
  FontWeight weight_ = FontWeight::Normal;
};

}  // namespace

void DrawSheetHeader(Canvas& canvas, const SheetPage& page, Resolution dots, int contentRight) {
  const HeaderBoxes b = PlaceBoxes(dots, dots.X(2), contentRight);
  canvas.SetPen(kBlack, 1);
  canvas.SetBrush(kWhite);
  canvas.SetFont(kTextPoints, FontWeight::Normal, kBlack);
  const int ellipseW = dots.X(0.5);
  const int ellipseH = dots.Y(0.5);
  canvas.Rectangle(b.title, false);
  canvas.RoundRectangle(b.company, ellipseW, ellipseH);
  canvas.RoundRectangle(b.customer, ellipseW, ellipseH);
  canvas.Rectangle(b.identification, false);
  canvas.RoundRectangle(b.parameters, ellipseW, ellipseH);
  canvas.RoundRectangle(b.results, ellipseW, ellipseH);
  canvas.Rectangle(b.comments, false);
  canvas.Line(b.comments.left, dots.Y(11), b.comments.right, dots.Y(11));

  HeaderPainter painter(canvas, page, dots);
  painter.TitleBand(b.title, b.company);
  painter.Company(b.company);
  painter.Customer(b.customer);
  painter.Identification(b.identification, b.customer);
  painter.Parameters(b.parameters);
  painter.Results(b.results);
  painter.CommentsOrProtocol(b.comments);
  painter.Footer(b.comments);
}

}  // namespace tesmora
