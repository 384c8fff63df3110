#include "records/export_text.h"

#include <algorithm>
#include <cstring>

#include "platform/file_io.h"
#include "platform/file_times.h"
#include "platform/paths.h"
#include "records/byte_reader.h"
#include "records/consistency_results.h"
#include "records/failure_text.h"
#include "records/inflation_results.h"
#include "records/number_format.h"
#include "shell/message_table.h"

namespace tesmora {

namespace {

constexpr char kCr = '\r';
constexpr char kTab = '\t';
constexpr char kDegreeSign = static_cast<char>(0xF8);  // code page 850

// Message numbers of the export text.
enum Message : int {
  kSampleLabel = 36,
  kFlourLabel = 37,
  kLabTemperatureLabel = 38,
  kHygrometryLabel = 39,
  kMoistureLabel = 40,
  kFallingNumberLabel = 41,
  kProteinLabel = 42,
  kStarchDamageLabel = 43,
  kZelenyLabel = 44,
  kAshLabel = 45,
  kWaterAbsorptionLabel = 46,
  kExtractionLabel = 47,
  kWxLengthLabel = 48,
  kMillLabel = 49,
  kResultsTitle = 31,
  kOpeningError = 54,
  kCommentsLabel = 65,
  kFileLabel = 67,
  kCustomerLabel = 68,
  kCurveCountLabel = 114,
  kCurveLabel = 115,
  kMeanColumn = 117,
  kCurveValidated = 118,
  kCurveRejected = 119,
  kPressureColumn = 126,
  kGlutenLabel = 154,
  kProtocolLabel = 176,
  kDegradationLabel = 218,
  kUnexpectedValue = 264,
  kImpossibleExport = 265,
};

// Appends the bytes of messages in the export's language.
class Writer {
 public:
  Writer(std::string& out, int languageIndex) : out_(out), language_(languageIndex) {}

  Writer& Msg(int id) {
    out_ += MessageBytes(id, language_);
    return *this;
  }
  // The message without its last character (for most labels, the colon).
  Writer& Label(int id) {
    const std::string_view text = MessageBytes(id, language_);
    out_ += text.substr(0, text.empty() ? 0 : text.size() - 1);
    return *this;
  }
  Writer& Text(std::string_view text) {
    out_ += text;
    return *this;
  }
  Writer& Char(char c) {
    out_ += c;
    return *this;
  }
  Writer& Tab() { return Char(kTab); }
  Writer& Cr() { return Char(kCr); }
  Writer& Whole(double x) {
    AppendWhole(out_, x);
    return *this;
  }
  Writer& Significant(double x, int digits) {
    AppendSignificant(out_, x, digits);
    return *this;
  }
  Writer& Fixed(double x, int width, int decimals) {
    AppendFixed(out_, x, width, decimals);
    return *this;
  }
  Writer& Integer(long long value) {
    AppendInteger(out_, value);
    return *this;
  }

  std::string& out() { return out_; }

 private:
  std::string& out_;
  int language_;
};

// Walks the text fields after the marker. The recorder ends each field with a
// zero byte; a byte FF (or the end of the file) means no more fields, and so
// does a field that runs past its width.
class FieldReader {
 public:
  FieldReader(ByteSpan copy, std::size_t start) : copy_(copy), position_(start) {}

  bool ended() const { return ended_; }

  // Reads one field of `width` bytes and returns its characters. After it the
  // reader stands at the start of the next field.
  std::string_view Read(std::size_t width) {
    if (ended_) return {};
    const std::size_t start = position_;
    std::size_t i = 0;
    while (true) {
      const int b = ByteAt(start + i);
      if (b == 0xFF) {
        ended_ = true;
        break;
      }
      if (b == 0) break;
      ++i;
    }
    if (i > width) ended_ = true;
    position_ = start + width;
    return Characters(start, i);
  }

  // The customer number: at most two characters, in a field of three bytes.
  std::string_view ReadCustomerNumber() {
    if (ended_) return {};
    const std::size_t start = position_;
    std::size_t i = 0;
    while (i < 2) {
      const int b = ByteAt(start + i);
      if (b == 0xFF) ended_ = true;
      if (b == 0 || b == 0xFF) break;
      ++i;
    }
    position_ = start + 3;
    return Characters(start, i);
  }

  // The temperature unit letter, in two bytes: 0 when there is none.
  char ReadUnitLetter() {
    const int b = ByteAt(position_);
    position_ += 2;
    if (b == 0xFF) {
      ended_ = true;
      return 0;
    }
    return static_cast<char>(b);
  }

 private:
  // The file's end counts as the end of the fields.
  int ByteAt(std::size_t offset) const { return offset < copy_.size() ? copy_[offset] : 0xFF; }
  std::string_view Characters(std::size_t start, std::size_t count) const {
    if (start >= copy_.size()) return {};
    count = std::min(count, copy_.size() - start);
    return {reinterpret_cast<const char*>(copy_.data()) + start, count};
  }

  ByteSpan copy_;
  std::size_t position_;
  bool ended_ = false;
};

// The leading decimal number of a text, as the recorder's fields hold
// numbers; 0 when there is none.
long LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min(value * 10 + (text[i] - '0'), 1000000L);
  }
  return negative ? -value : value;
}

struct FieldLine {
  int message;
  std::size_t width;
  std::string_view unit;
};

// Writes one field line by the rule all fields share.
void WriteField(Writer& w, FieldReader& fields, const FieldLine& line) {
  w.Label(line.message).Tab();
  w.Text(fields.Read(line.width));
  const int m = line.message;
  if (m != kSampleLabel && m != kFlourLabel && m != kMillLabel && m != kCommentsLabel) {
    w.Tab().Text(line.unit);
  }
  if (m != kLabTemperatureLabel) w.Cr();
}

class ExportComposer {
 public:
  ExportComposer(ByteSpan copy, std::string_view name, const ExportSettings& settings,
                 const CustomerProtocolTables& tables, ExportState& state, std::string& out)
      : copy_(copy),
        name_(name),
        settings_(settings),
        tables_(tables),
        state_(state),
        test_(state.decoded),
        w_(out, settings.languageIndex),
        kind_(KindDigitOf(name)),
        family_(DecodingFamily(kind_)) {}

  // Returns the failure text, or an empty text on success.
  std::string Compose() {
    const std::optional<std::size_t> textBlock = FindTextBlock(copy_);
    if (!textBlock) return UnexpectedValue();
    WriteHeader();
    FieldReader fields(copy_, *textBlock);
    if (!WriteTextFields(fields)) return UnexpectedValue();

    test_.CurveEnabled = {};
    test_.DegradationTest = false;
    const fprotocole* protocol = nullptr;
    if (family_ == TestFamily::Inflation) {
      DecodeInflationTest(copy_, test_);
      ComputeInflationResults(test_, kind_);
      protocol = &tables_.Protocol(test_.ProtocolNumber);
    } else {
      DecodeConsistencyTest(copy_, test_);
      protocol = &tables_.Protocol(test_.ProtocolNumber);
      ComputeConsistencyResults(test_, *protocol);
    }
    if (kind_ >= '3' && kind_ <= '6') {
      w_.Msg(kProtocolLabel).Tab().Text(protocol->Name()).Cr();
      w_.Tab().Integer(protocol->lowerPrMax).Cr();
      w_.Tab().Integer(protocol->targetPrMax).Cr();
    }
    state_.sheet.RowLabels.clear();
    if (family_ == TestFamily::Inflation) {
      WriteInflationResults(*protocol);
      WriteInflationCurves();
    } else {
      WriteConsistencyResults(*protocol);
      WriteConsistencyTable();
    }
    return {};
  }

 private:
  std::string UnexpectedValue() const {
    return FailureText(std::string(name_) + ". ", {kUnexpectedValue, kImpossibleExport},
                       settings_.languageIndex);
  }

  void WriteHeader() {
    const std::string& version = settings_.versionText;
    w_.Text(TextUpToZero(version.data(), version.size())).Cr();
    w_.Tab().Tab().Tab();
    if (const TestKind* kind = FindTestKind(kind_)) w_.Msg(kind->exportTitleMessage);
    if (family_ == TestFamily::Inflation) {
      const int version = TestFileVersion(copy_, TestFamily::Inflation);
      ByteReader reader(copy_, version >= 7 ? 22 : 20);
      if (reader.U8() == 1) w_.Tab().Msg(kDegradationLabel);
    }
    w_.Cr();
    w_.Msg(kFileLabel).Tab().Text(name_).Cr();
    w_.Cr();
    w_.Char('\n').Cr();
  }

  // Returns false when the fields end before the customer number is through.
  bool WriteTextFields(FieldReader& fields) {
    WriteField(w_, fields, {kSampleLabel, 13, {}});
    WriteField(w_, fields, {kFlourLabel, 13, {}});
    WriteField(w_, fields, {kMillLabel, 13, {}});

    w_.Label(kCustomerLabel).Tab().Cr();
    const long customerNumber = LeadingNumber(fields.ReadCustomerNumber());
    if (fields.ended()) return false;
    if (const fclient* customer = tables_.Customer(static_cast<int>(customerNumber))) {
      w_.Text(customer->Field(0)).Cr().Tab();
      w_.Text(customer->Field(1)).Cr().Tab();
      w_.Text(customer->Field(2)).Cr().Tab();
      w_.Text(customer->Field(3)).Cr();
    } else {
      w_.Cr().Tab().Cr().Tab().Cr().Tab().Cr();
    }

    WriteField(w_, fields, {kLabTemperatureLabel, 5, {}});
    if (!fields.ended()) {
      w_.Char(kDegreeSign);
      if (const char unit = fields.ReadUnitLetter(); unit != 0) w_.Char(unit);
    }
    w_.Cr();
    WriteField(w_, fields, {kHygrometryLabel, 6, "%"});
    WriteField(w_, fields, {kMoistureLabel, 6, "%"});
    WriteField(w_, fields, {kFallingNumberLabel, 4, "s"});
    WriteField(w_, fields, {kProteinLabel, 6, "%"});
    WriteField(w_, fields, {kStarchDamageLabel, 6, "UCD"});
    WriteField(w_, fields, {kZelenyLabel, 4, {}});
    WriteField(w_, fields, {kAshLabel, 6, "%"});
    WriteField(w_, fields, {kGlutenLabel, 15, {}});
    WriteField(w_, fields, {kWaterAbsorptionLabel, 6, "%"});
    WriteField(w_, fields, {kExtractionLabel, 6, "%"});
    if (family_ == TestFamily::Inflation) {
      w_.Label(kWxLengthLabel).Tab();
      const std::string_view wx = fields.Read(4);
      w_.Text(wx).Tab().Text("mm").Cr();
      // The recorder keeps x of W(x) as a signed byte.
      test_.WxLength = static_cast<std::int8_t>(static_cast<std::uint8_t>(LeadingNumber(wx)));
    } else {
      w_.Cr();
    }
    if (kind_ == '1' || kind_ == '2') {
      WriteField(w_, fields, {kCommentsLabel, 35, {}});
      WriteField(w_, fields, {kCommentsLabel, 35, {}});
    }
    return true;
  }

  // ---- inflation

  void WriteInflationResults(const fprotocole& protocol) {
    const bool ratioForm = kind_ == '3' || kind_ == '6';
    const bool degradation = test_.DegradationTest;
    const InflationResults& s1 = test_.SeriesResults[0];
    const InflationResults& s2 = test_.SeriesResults[1];
    const auto ratio = [this](float value) { w_.Significant(value, value > 1 ? 3 : 2); };

    w_.Msg(kResultsTitle);
    if (degradation) w_.Tab().Tab().Tab().Msg(kResultsTitle).Char(' ').Msg(kDegradationLabel);
    w_.Cr();

    w_.Text(ratioForm ? "T" : "P").Tab().Whole(s1.P).Tab().Text("mmH2O");
    if (degradation) w_.Tab().Tab().Whole(s2.P).Tab().Text("mmH2O");
    w_.Cr();
    w_.Text(ratioForm ? "A" : "L").Tab().Whole(s1.L).Tab().Text("mm");
    if (degradation) w_.Tab().Tab().Whole(s2.L).Tab().Text("mm");
    w_.Cr();
    w_.Text(ratioForm ? "Ex" : "G").Tab().Significant(s1.G, 3);
    if (degradation) w_.Tab().Tab().Tab().Significant(s2.G, 3);
    w_.Cr();
    w_.Text(ratioForm ? "Sb" : "W").Tab().Whole(s1.W).Tab().Text("10e-4J");
    if (degradation) w_.Tab().Tab().Whole(s2.W).Tab().Text("10e-4J");
    w_.Cr();
    w_.Text(ratioForm ? "T/A" : "P/L").Tab();
    ratio(s1.PL);
    if (degradation) {
      w_.Tab().Tab().Tab();
      ratio(s2.PL);
    }
    w_.Cr();
    w_.Text(ratioForm ? "Iec" : "Ie").Tab().Significant(100.0f * s1.Ie, 3).Tab().Text("%");
    if (degradation) w_.Tab().Tab().Significant(100.0f * s2.Ie, 3).Tab().Text("%");
    w_.Cr();
    w_.Text(ratioForm ? "Sb(" : "W(").Text(TextUpToZero(s1.WxLabel.data(), s1.WxLabel.size()));
    w_.Text(")").Tab().Whole(s1.Wx).Tab().Text("10e-4J");
    if (degradation) {
      w_.Tab().Tab().Whole(s2.Wx).Tab().Text("10e-4J").Cr();
      w_.Text("Idp").Tab().Fixed(test_.Idp, 5, 1).Tab().Text("%");
    }
    w_.Cr();
    if (kind_ == '3') {
      WriteHydrationLabel(protocol);
      w_.Tab().Fixed(s1.HydHa, 3, 1).Tab().Text("%b");
      if (degradation) w_.Tab().Tab().Fixed(s2.HydHa, 3, 1).Tab().Text("%b");
      w_.Cr();
    }
  }

  void WriteHydrationLabel(const fprotocole& protocol) {
    if (test_.ProtocolNumber == 0) {
      w_.Text("HYDHA");
    } else {
      w_.Text("HYD").Integer(protocol.targetPrMax);
    }
  }

  float Pressure(int raw) const { return InflationPressure(test_, static_cast<float>(raw)); }

  void CurveCell(int raw) {
    const float p = std::max(Pressure(raw), 0.0f);
    w_.Significant(p, p >= 100 ? 4 : 3);
  }

  // The cell of a mean curve in row r; empty once the curve has ended.
  void MeanCell(int series, int row) {
    const auto& mean = test_.MeanCurves[series];
    if (row >= meanLengths_[series]) return;
    float p = Pressure(mean[row]);
    if (p > 2000 || p < 0) p = 0;
    w_.Significant(p, p >= 100 ? 4 : 3);
  }

  void WriteInflationCurves() {
    const int n = test_.CurveCount;
    const bool degradation = test_.DegradationTest;
    const int firstSeries = test_.FirstSeriesCurveCount;

    w_.Msg(kCurveCountLabel).Tab().Integer(n);
    if (degradation) {
      w_.Text("(").Integer(firstSeries).Text("/").Integer(n - firstSeries).Text(")");
    }
    w_.Cr();
    for (int k = 0; k < n; ++k) {
      w_.Msg(kCurveLabel).Char(static_cast<char>('1' + k)).Tab();
      if (test_.CurveEnabled[k]) {
        w_.Msg(kCurveValidated).Tab().Text("1");
      } else {
        w_.Msg(kCurveRejected).Tab().Text("0");
      }
      w_.Cr();
    }
    w_.Text("L(mm)").Tab().Msg(kMeanColumn).Tab();
    for (int k = 1; k <= n; ++k) {
      w_.Msg(kCurveLabel).Char(static_cast<char>('0' + k)).Tab();
      if (degradation && k == firstSeries) w_.Msg(kMeanColumn).Tab();
    }
    w_.Cr();
    WriteInflationTable();
  }

  // The L text of row r: the length of bubble the row stands for, in mm.
  void LengthText(std::string& text, int row) const {
    const float length =
        static_cast<float>(row) * static_cast<float>(test_.SampleIntervalMs) * 0.001f * 5.506f;
    text.clear();
    AppendSignificant(text, length, length >= 10 ? 3 : 2);
  }

  // Rows are written across the curves in turn. A curve that has ended leaves
  // its cell empty, so each value stays in its own column however the curves
  // end; the mean of series 2 of a degradation test sits after the last
  // curve of series 1.
  void WriteInflationTable() {
    const int n = test_.CurveCount;
    const bool degradation = test_.DegradationTest;
    const int firstSeries = test_.FirstSeriesCurveCount;
    const int secondMeanColumn = firstSeries - 1;
    std::array<bool, kMaxCurves> active{};
    std::array<int, kMaxCurves> lengths{};
    for (int j = 0; j < n; ++j) {
      active[j] = true;
      lengths[j] = CurveLength(test_.Curves[j]);
    }
    const auto inFirstSeries = [&](int j) { return !degradation || j < firstSeries; };
    const auto seriesEnded = [&](bool first) {
      for (int j = 0; j < n; ++j) {
        if (active[j] && inFirstSeries(j) == first) return false;
      }
      return true;
    };
    const auto goOn = [&] {
      const bool firstEnded = seriesEnded(true);
      if (!degradation) return !firstEnded;
      return !(firstEnded && seriesEnded(false));
    };
    meanLengths_ = {CurveLength(test_.MeanCurves[0]), CurveLength(test_.MeanCurves[1])};
    const auto secondMeanCell = [&](int row) {
      w_.Tab();
      MeanCell(1, row);
    };

    std::vector<std::string>& labels = state_.sheet.RowLabels;
    std::string label;
    w_.Text("0").Tab();
    MeanCell(0, 0);
    w_.Tab();
    int row = 0;
    int j = 0;
    while (goOn()) {
      bool secondMeanWritten = false;
      if (row >= lengths[j]) {
        active[j] = false;
      } else {
        CurveCell(test_.Curves[j][row]);
      }
      if (degradation && !seriesEnded(false) && j == secondMeanColumn) {
        secondMeanCell(row);
        secondMeanWritten = true;
      }
      if (!goOn()) break;
      do {
        if (j == n - 1) {
          ++row;
          LengthText(label, row);
          if (labels.size() < kMaxRowLabels) labels.push_back(label);
          w_.Cr().Text(label).Tab();
          if (!seriesEnded(true)) MeanCell(0, row);
          w_.Tab();
          j = 0;
        } else {
          if (degradation && !seriesEnded(false) && j == secondMeanColumn && !secondMeanWritten) {
            secondMeanCell(row);
          }
          w_.Tab();
          ++j;
        }
        // Only the cell of the column where the advance started counts as written.
        secondMeanWritten = false;
      } while (!active[j]);
    }
    labels.push_back("-1");
  }

  // ---- consistency

  void WriteConsistencyResults(const fprotocole& protocol) {
    const auto& r = test_.ConsistencyResults;
    const double prMax = test_.PrMax;
    const double target = protocol.targetPrMax;
    const double lower = protocol.lowerPrMax;
    const bool offTarget = prMax > 1.05 * target || prMax < 0.95 * target;

    w_.Msg(kResultsTitle).Cr();
    w_.Text("H2O").Tab().Fixed(test_.H2O, 3, 1).Tab().Text("%").Cr();
    const auto hydration = [&] {
      WriteHydrationLabel(protocol);
      w_.Tab().Fixed(r[kHydHa], 3, 1).Tab().Text("% b").Cr();
    };
    const auto prMaxLine = [&] { w_.Text("PrMax").Tab().Fixed(prMax, 4, 0).Tab().Text("mb").Cr(); };
    if (kind_ == '5') {
      hydration();
      prMaxLine();
      w_.Text("TPrMax").Tab().Fixed(r[kTPrMax], 3, 0).Tab().Text("s").Cr();
      w_.Text("Stab").Tab().Fixed(r[kStab], 3, 0).Tab().Text("s").Cr();
      w_.Text("D250").Tab().Fixed(r[kD250], 3, 0).Tab().Text("mb").Cr();
      w_.Text("D450").Tab().Fixed(r[kD450], 3, 0).Tab().Text("mb").Cr();
      w_.Text("WAC").Tab().Fixed(r[kWaC], 3, 1).Tab().Text("% b").Cr();
      if (offTarget) {
        if (test_.ProtocolNumber == 0) {
          w_.Text("HYDHAC");
        } else {
          w_.Text("HYD").Integer(protocol.targetPrMax).Text("C");
        }
        w_.Tab().Fixed(r[kHydHaC], 3, 1).Tab().Text("% b").Cr();
      }
    } else {
      prMaxLine();
      w_.Text("WA").Tab().Fixed(r[kWa], 3, 1).Tab().Text("% b").Cr();
      if (prMax > lower) hydration();
    }

    const BasisValues basis = ConvertToBasis(test_, settings_.basisFlags);
    const std::string_view unit = basis.b14 ? " % b 14" : " % MS";
    const bool typeTwo = IsTypeTwo(test_);
    if (basis.printed && !(typeTwo && lower >= prMax)) {
      w_.Text(typeTwo ? "WA      " : "WAC     ").Tab().Fixed(basis.water, 4, 1).Tab().Text(unit);
    }
    w_.Cr();
    if (basis.printed && (typeTwo || offTarget)) {
      if (test_.ProtocolNumber == 0) {
        w_.Text(typeTwo ? "HYDHA   " : "HYDHAC  ");
      } else {
        char target4[16];
        std::snprintf(target4, sizeof target4, "%04d", static_cast<int>(protocol.targetPrMax));
        w_.Text("HYD").Text(target4).Text(typeTwo ? " " : "C");
      }
      w_.Tab().Fixed(basis.hydration, 4, 1).Tab().Text(unit);
    }
    w_.Cr();
  }

  void WriteConsistencyTable() {
    SheetTables& sheet = state_.sheet;
    sheet.ConsistencyPressureColumn.fill(0);
    sheet.ConsistencySpareColumn.fill(0);
    sheet.ConsistencyFitColumn.fill(0);
    w_.Text("s").Tab().Msg(kPressureColumn).Tab().Msg(kMeanColumn).Tab().Cr();
    std::string time;
    for (int k = 0; k < test_.SampleCount; ++k) {
      const double t = SampleTime(test_, k);
      const double third =
          test_.RecalculationFlag ? SoftenedCurveValue(test_, t) : FittedCurveValue(test_, t);
      const long long pressure = TruncateSafely(test_.SmoothedCurve[k]);
      const long long fitted = TruncateSafely(third);
      time.clear();
      AppendSignificant(time, t, 5);
      w_.Text(time).Tab().Integer(pressure).Tab().Integer(fitted).Tab().Cr();
      sheet.RowLabels.push_back(time);
      sheet.ConsistencyPressureColumn[k] = static_cast<float>(pressure);
      sheet.ConsistencyFitColumn[k] = static_cast<float>(fitted);
    }
    sheet.RowLabels.push_back("-1");
  }

  ByteSpan copy_;
  std::string_view name_;
  const ExportSettings& settings_;
  const CustomerProtocolTables& tables_;
  ExportState& state_;
  DecodedTest& test_;
  Writer w_;
  char kind_;
  TestFamily family_;
  std::array<int, 2> meanLengths_{};
};

// The softened curve as "ble_soft.tmp" holds it: little-endian f32 values.
std::string SoftenedCurveBytes(const DecodedTest& test) {
  std::string bytes(static_cast<std::size_t>(test.SampleCount) * 4, '\0');
  for (int k = 0; k < test.SampleCount; ++k) {
    std::uint32_t bits;
    std::memcpy(&bits, &test.SoftenedCurve[k], 4);
    for (int b = 0; b < 4; ++b) bytes[k * 4 + b] = static_cast<char>(bits >> (8 * b));
  }
  return bytes;
}

}  // namespace

ComposedExport ComposeExportText(ByteSpan copy, std::string_view testFileName,
                                 const ExportSettings& settings,
                                 const CustomerProtocolTables& tables, ExportState& state) {
  ComposedExport result;
  result.text.reserve(32 * 1024);
  ExportComposer composer(copy, testFileName, settings, tables, state, result.text);
  result.failure = composer.Compose();
  result.ok = result.failure.empty();
  if (!result.ok) result.text.clear();
  return result;
}

Exporter::Exporter(std::string programDirectory, std::string workingDirectory)
    : programDirectory_(std::move(programDirectory)),
      workingDirectory_(std::move(workingDirectory)),
      state_(std::make_unique<ExportState>()),
      tables_(std::make_unique<CustomerProtocolTables>()) {}

Exporter::Outcome Exporter::ExportTestFile(std::string_view directory,
                                           std::string_view testFileName,
                                           const ExportSettings& settings,
                                           std::string_view outputDirectory) {
  const std::string_view folder = outputDirectory.empty() ? directory : outputDirectory;
  return Export(directory, testFileName, settings,
                platform::JoinPath(folder, ExportFileName(testFileName)), false);
}

Exporter::Outcome Exporter::ExportForSheet(std::string_view directory,
                                           std::string_view testFileName,
                                           const ExportSettings& settings) {
  return Export(directory, testFileName, settings,
                platform::JoinPath(programDirectory_, kSheetExportFileName), true);
}

Exporter::Outcome Exporter::Export(std::string_view directory, std::string_view testFileName,
                                   const ExportSettings& settings, const std::string& exportPath,
                                   bool forSheet) {
  std::lock_guard lock(mutex_);
  Outcome outcome;
  const int language = settings.languageIndex;
  const std::string name(testFileName);
  const auto fail = [&](std::string message) {
    outcome.messages.push_back(std::move(message));
    return outcome;
  };
  const std::string openingFailure =
      FailureText(name + ". ", {kOpeningError, kImpossibleExport}, language);

  const std::optional<std::string> file =
      platform::ReadWholeFile(platform::JoinPath(directory, name));
  if (!file) return fail(openingFailure);
  const ByteSpan fileBytes(reinterpret_cast<const std::uint8_t*>(file->data()), file->size());

  const TestFamily family = DecodingFamily(KindDigitOf(testFileName));
  PreparedCopy prepared = PrepareTestCopy(fileBytes, family, testFileName, language);
  if (prepared.version == 0) return fail(prepared.failure);
  const std::string_view copyText(reinterpret_cast<const char*>(prepared.bytes.data()),
                                  prepared.bytes.size());
  if (!platform::OverwriteFile(platform::JoinPath(programDirectory_, kTestCopyFileName),
                               copyText)) {
    return fail(FailureText("doxel.tmp.", {kOpeningError}, language));
  }

  ComposedExport composed =
      ComposeExportText(prepared.bytes, testFileName, settings, *tables_, *state_);
  if (!composed.ok) return fail(composed.failure);
  const DecodedTest& decoded = state_->decoded;
  if (family == TestFamily::Consistency && decoded.RecalculationFlag) {
    // Nothing reads this file back: the recalculation keeps its curve in
    // memory, so a folder that cannot take it costs no result.
    platform::OverwriteFile(platform::JoinPath(workingDirectory_, kSoftenedCurveFileName),
                            SoftenedCurveBytes(decoded));
  }

  if (!platform::WriteFileAtomically(exportPath, composed.text,
                                     platform::Durability::Replaceable)) {
    return fail(openingFailure);
  }
  if (!forSheet) {
    if (const auto date = TestDateFromName(testFileName)) {
      platform::SetFileCreationDate(exportPath, *date);
    }
  }
  outcome.ok = true;
  outcome.exportPath = exportPath;
  return outcome;
}

std::vector<std::string> Exporter::LoadCustomerAndProtocolLists(int languageIndex) {
  std::lock_guard lock(mutex_);
  return tesmora::LoadCustomerAndProtocolLists(programDirectory_, *tables_, languageIndex);
}

ExportState Exporter::LastState() const {
  std::lock_guard lock(mutex_);
  return *state_;
}

CustomerProtocolTables Exporter::Tables() const {
  std::lock_guard lock(mutex_);
  return *tables_;
}

}  // namespace tesmora
