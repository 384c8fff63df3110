#include "sheet/sheet_header.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "records/test_names.h"
#include "sheet/sheet_rows.h"
#include "shell/code_page.h"
#include "shell/message_table.h"

namespace tesmora {

namespace {

constexpr int kTitlePoints = 14;
constexpr int kTextPoints = 10;
// The smallest size a text is set in to keep clear of the next on its line.
constexpr int kSmallestPoints = 6;
// Measured, never drawn: the title is centred as if this word stood left of
// the sheet's right edge.
constexpr std::string_view kTitleRightWord = "MERVIC";

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

// One text of the header's form at 10 points, placed before any is drawn so
// that each knows what stands after it on its line.
struct HeaderText {
  enum class Kind {
    Left,     // its top-left corner at (x, y)
    Centred,  // a box's title, centred between x and `right`
  };
  Kind kind = Kind::Left;
  int x = 0, y = 0;
  std::string text;
  FontWeight weight = FontWeight::Normal;
  int right = 0;  // Centred
};

// Lays the form's texts out, from the top down, in the order they are drawn.
class HeaderLayout {
 public:
  HeaderLayout(const SheetPage& page, Resolution dots)
      : page_(page),
        d_(dots),
        language_(page.settings.languageIndex),
        pitch_(LinePitch(kTextPoints, dots.DpiY)) {}

  std::vector<HeaderText> Take() { return std::move(texts_); }

  void Company(const DotRect& box) {
    const int x = box.left + d_.X(0.1);
    const int y = box.top + d_.Y(0.1);
    const auto& lines = page_.settings.company.lines;
    for (int k = 0; k < 4; ++k) Add(x, Row(y, k), DecodeToUtf8(lines[k], CodePage::Windows1252));
  }

  void Customer(const DotRect& box) {
    const int x = box.left + d_.X(0.1);
    const int y = box.top + d_.Y(0.1);
    for (int k = 0; k < 4; ++k) {
      Add(x, Row(y, k), page_.sheet.CustomerLines[k],
          k == 0 ? FontWeight::Bold : FontWeight::Normal);
    }
  }

  void Identification(const DotRect& band, const DotRect& customer) {
    const int y = band.top + d_.Y(0.1);
    const int x = band.left + d_.X(0.1);
    const std::string& name = page_.SheetFileName;
    const int x2 = customer.left + d_.X(0.1);
    LabelledValue(x, Row(y, 0), Msg(msg::kDateLabel), FontWeight::Normal, 2, 2.3,
                  TestFileDate({}, name, DateSource::FromName));
    const auto& time = page_.test->decoded.TestTime;
    LabelledValue(x, Row(y, 1), Msg(msg::kTimeLabel), FontWeight::Normal, 2, 2.3,
                  std::string(time.data(), std::find(time.begin(), time.end(), '\0')));
    LabelledValue(x2, Row(y, 0), LabelTextOf(msg::kSampleIdLabel, language_), FontWeight::Bold, 6,
                  6.3, DecodeToUtf8(page_.test->decoded.Texts.Sample, CodePage::Dos850));
    LabelledValue(x2, Row(y, 1), LabelTextOf(msg::kFileNameLabel, language_), FontWeight::Bold, 6,
                  6.3, PrintedFileName(name));
  }

  void Parameters(const DotRect& box) {
    BoxTitle(box, msg::kParametersTitle);
    const int y = box.top + d_.Y(0.8);
    for (const SampleRow& row : SampleRows(page_)) {
      const int x = box.left + d_.X(row.column == 0 ? 0.1 : 6.1);
      LabelledValue(x, Row(y, row.row), LabelTextOf(row.labelMessage, language_),
                    FontWeight::Normal, 2.5, 3, row.value);
    }
  }

  void Results(const DotRect& box) {
    BoxTitle(box, msg::kResultsTitle);
    const int y = box.top + d_.Y(0.8);
    const int x = box.left + d_.X(0.5);
    int k = 0;
    for (const ResultRow& row : ResultRows(page_)) {
      const int rowY = Row(y, k++);
      Add(x, rowY, row.symbol);
      Add(x + d_.X(1.8), rowY, "=");
      Add(x + d_.X(row.valueOffsetCm), rowY, row.value);
    }
  }

  void CommentsOrProtocol(const DotRect& band) {
    const int x = band.left + d_.X(0.1);
    const int y = band.top + d_.Y(0.1);
    const SheetData& sheet = page_.sheet;
    if (!sheet.WithProtocol) {
      Add(x, Row(y, 0), Msg(msg::kCommentsLabel));
      const SampleTexts& texts = page_.test->decoded.Texts;
      Add(x + d_.X(0.3), Row(y, 1), DecodeToUtf8(texts.Comment1, CodePage::Dos850));
      Add(x + d_.X(0.3), Row(y, 2), DecodeToUtf8(texts.Comment2, CodePage::Dos850));
      return;
    }
    const struct {
      double cm;
      std::string text;
    } cells[] = {{0, Msg(msg::kProtocolLabel)},     {3, ":"},    {3.1, sheet.ProtocolName},
                 {9, Msg(msg::kPrMaxMinLabel)},     {11, ":"},   {11.2, sheet.PrMaxMin},
                 {13, Msg(msg::kPrMaxTargetLabel)}, {15.5, ":"}, {15.7, sheet.PrMaxTarget}};
    for (const auto& cell : cells) Add(x + d_.X(cell.cm), y, cell.text, FontWeight::Bold);
  }

 private:
  void Add(int x, int y, std::string text, FontWeight weight = FontWeight::Normal) {
    texts_.push_back({HeaderText::Kind::Left, x, y, std::move(text), weight});
  }

  // A label, its colon and its value; the colon and the value in normal
  // weight.
  void LabelledValue(int x, int y, std::string label, FontWeight labelWeight, double colonCm,
                     double valueCm, std::string value) {
    Add(x, y, std::move(label), labelWeight);
    Add(x + d_.X(colonCm), y, ":");
    Add(x + d_.X(valueCm), y, std::move(value));
  }

  // The box's title in bold, centred between its edges.
  void BoxTitle(const DotRect& box, MessageId message) {
    texts_.push_back({HeaderText::Kind::Centred, box.left, box.top + d_.Y(0.1), Msg(message),
                      FontWeight::Bold, box.right});
  }

  std::string Msg(MessageId id) const { return MessageUtf8(id, language_); }
  int Row(int top, int k) const { return top + k * pitch_; }

  // The file name with an "A" for its ninth character; a name too short to
  // have one is printed as it is.
  static std::string PrintedFileName(std::string name) {
    if (name.size() > 8) name[8] = 'A';
    return name;
  }

  const SheetPage& page_;
  Resolution d_;
  int language_;
  int pitch_;
  std::vector<HeaderText> texts_;
};

// Draws the form's texts. Every text is set at 10 points; one that would
// reach the next text drawn on its line (its colon, its "=", the next cell,
// or a text of the neighbouring box on the same line) is set smaller, a point
// at a time down to 6, keeping the foot of its row. A text that only crosses
// a box's edge, with nothing after it on its line, stays at 10 points: long
// lines run over the edges, as the form has always let them. Colons and
// equals signs are never set smaller.
class HeaderPainter {
 public:
  explicit HeaderPainter(Canvas& canvas) : c_(canvas) {}

  void Draw(const std::vector<HeaderText>& texts) {
    for (const HeaderText& t : texts) {
      if (t.text.empty()) continue;
      Weight(t.weight);
      if (t.kind == HeaderText::Kind::Centred) {
        const int width = c_.TextExtent(t.text).width;
        c_.Text(t.x + (t.right - t.x - width) / 2, t.y, t.text);
        continue;
      }
      const std::optional<int> next = NextOnItsLine(texts, t);
      if (!next || IsSeparator(t.text)) {
        c_.Text(t.x, t.y, t.text);
        continue;
      }
      int points = kTextPoints;
      TextSize size = c_.TextExtent(t.text);
      const int fullHeight = size.height;
      while (points > kSmallestPoints && t.x + size.width >= *next) {
        c_.SetFont(--points, weight_, kBlack);
        size = c_.TextExtent(t.text);
      }
      c_.Text(t.x, t.y + fullHeight - size.height, t.text);
      if (points != kTextPoints) c_.SetFont(kTextPoints, weight_, kBlack);
    }
  }

  void Weight(FontWeight weight) {
    if (weight == weight_) return;
    c_.SetFont(kTextPoints, weight, kBlack);
    weight_ = weight;
  }

 private:
  // The form's colons and equals signs keep their size: they are what a
  // label must keep clear of, and their columns leave room for them.
  static bool IsSeparator(std::string_view text) { return text == ":" || text == "="; }

  // Where the nearest text drawn after `t` on its line begins, if any.
  static std::optional<int> NextOnItsLine(const std::vector<HeaderText>& texts,
                                          const HeaderText& t) {
    std::optional<int> next;
    for (const HeaderText& other : texts) {
      if (other.kind != HeaderText::Kind::Left || other.y != t.y || other.x <= t.x ||
          other.text.empty()) {
        continue;
      }
      next = next ? std::min(*next, other.x) : other.x;
    }
    return next;
  }

  Canvas& c_;
  FontWeight weight_ = FontWeight::Normal;
};

void TitleBand(Canvas& c, const SheetPage& page, Resolution d, const DotRect& band,
               const DotRect& company) {
  c.SetFont(kTitlePoints, FontWeight::Bold, kBlack);
  const int y = band.top + d.Y(0.2);
  c.Text(band.left + d.X(0.1), y, kProductName);
  const int logoLeft = band.right - d.X(3) - d.X(1);
  const int logoBottom = company.top - d.Y(0.1);
  c.Picture({logoLeft, logoBottom - d.Y(1), logoLeft + d.X(3), logoBottom});
  const int from = band.left + d.X(0.2) + c.TextExtent(kProductName).width;
  const int to = band.right - d.X(0.2) - c.TextExtent(kTitleRightWord).width;
  const int width = c.TextExtent(page.sheet.SheetTitle).width;
  c.Text(from + (to - from - width) / 2, y, page.sheet.SheetTitle);
  c.SetFont(kTextPoints, FontWeight::Normal, kBlack);
}

// The recorder's version text, right-aligned at the foot of the comments
// band, in the weight the band leaves: bold after a protocol.
void Footer(Canvas& c, const SheetPage& page, Resolution d, const DotRect& band) {
  const std::string& version = page.settings.versionText;
  const std::string text =
      DecodeToUtf8(std::string_view(version.data(), std::min(version.find('\0'), version.size())),
                   CodePage::Dos850);
  const int width = c.TextExtent(text).width;
  const int y = band.bottom - kTextPoints * (d.DpiY / 96) - d.Y(0.2);
  c.Text(band.right - d.X(0.1) - width, y, text);
  c.SetFont(kTextPoints, FontWeight::Normal, kBlack);
}

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

  TitleBand(canvas, page, dots, b.title, b.company);
  HeaderLayout layout(page, dots);
  layout.Company(b.company);
  layout.Customer(b.customer);
  layout.Identification(b.identification, b.customer);
  layout.Parameters(b.parameters);
  layout.Results(b.results);
  layout.CommentsOrProtocol(b.comments);
  HeaderPainter painter(canvas);
  painter.Draw(layout.Take());
  // After a protocol the footer stays bold; after comments it is normal.
  painter.Weight(page.sheet.WithProtocol ? FontWeight::Bold : FontWeight::Normal);
  Footer(canvas, page, dots, b.comments);
}

}  // namespace tesmora
