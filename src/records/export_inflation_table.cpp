#include "records/export_inflation_table.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "records/byte_reader.h"
#include "records/inflation_results.h"

namespace tesmora::export_text {

namespace {

// The pressure cells of one test: curves and mean curves alike.
class PressureCells {
 public:
  PressureCells(Writer& w, const DecodedTest& test)
      : w_(w),
        test_(test),
        meanLengths_{CurveLength(test.MeanCurves[0]), CurveLength(test.MeanCurves[1])} {}

  void Curve(int raw) {
    const float p = std::max(Pressure(raw), 0.0f);
    w_.Significant(p, p >= 100 ? 4 : 3);
  }

  // The cell of a mean curve in row r; empty once the curve has ended.
  void Mean(int series, int row) {
    const auto& mean = test_.MeanCurves[series];
    if (row >= meanLengths_[series]) return;
    float p = Pressure(mean[row]);
    if (p > 2000 || p < 0) p = 0;
    w_.Significant(p, p >= 100 ? 4 : 3);
  }

 private:
  float Pressure(int raw) const { return InflationPressure(test_, static_cast<float>(raw)); }

  Writer& w_;
  const DecodedTest& test_;
  std::array<int, 2> meanLengths_;
};

// The L text of row r: the length of bubble the row stands for, in mm.
void LengthText(std::string& text, const DecodedTest& test, int row) {
  const float length =
      static_cast<float>(row) * static_cast<float>(test.SampleIntervalMs) * 0.001f * 5.506f;
  text.clear();
  AppendSignificant(text, length, length >= 10 ? 3 : 2);
}

// Rows are written across the curves in turn. A curve that has ended leaves
// its cell empty, so each value stays in its own column however the curves
// end; the mean of series 2 of a degradation test sits after the last
// curve of series 1.
void WriteInflationTable(Writer& w, const DecodedTest& test, SheetTables& sheet) {
  const int n = test.CurveCount;
  const bool degradation = test.DegradationTest;
  const int firstSeries = test.FirstSeriesCurveCount;
  const int secondMeanColumn = firstSeries - 1;
  std::array<bool, kMaxCurves> active{};
  std::array<int, kMaxCurves> lengths{};
  for (int j = 0; j < n; ++j) {
    active[j] = true;
    lengths[j] = CurveLength(test.Curves[j]);
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
  PressureCells cells(w, test);
  const auto secondMeanCell = [&](int row) {
    w.Tab();
    cells.Mean(1, row);
  };

  std::vector<std::string>& labels = sheet.RowLabels;
  std::string label;
  w.Text("0").Tab();
  cells.Mean(0, 0);
  w.Tab();
  int row = 0;
  int j = 0;
  while (goOn()) {
    bool secondMeanWritten = false;
    if (row >= lengths[j]) {
      active[j] = false;
    } else {
      cells.Curve(test.Curves[j][row]);
    }
    if (degradation && !seriesEnded(false) && j == secondMeanColumn) {
      secondMeanCell(row);
      secondMeanWritten = true;
    }
    if (!goOn()) break;
    do {
      if (j == n - 1) {
        ++row;
        LengthText(label, test, row);
        if (labels.size() < kMaxRowLabels) labels.push_back(label);
        w.Cr().Text(label).Tab();
        if (!seriesEnded(true)) cells.Mean(0, row);
        w.Tab();
        j = 0;
      } else {
        if (degradation && !seriesEnded(false) && j == secondMeanColumn && !secondMeanWritten) {
          secondMeanCell(row);
        }
        w.Tab();
        ++j;
      }
      // Only the cell of the column where the advance started counts as written.
      secondMeanWritten = false;
    } while (!active[j]);
  }
  labels.push_back("-1");
}

}  // namespace

void WriteInflationResults(Writer& w, const DecodedTest& test, const TestKind* kind,
                           const fprotocole& protocol) {
  const bool ratioForm = kind != nullptr && kind->sheetType == SheetType::Aha;
  const bool degradation = test.DegradationTest;
  const InflationResults& s1 = test.SeriesResults[0];
  const InflationResults& s2 = test.SeriesResults[1];
  const auto ratio = [&w](float value) { w.Significant(value, value > 1 ? 3 : 2); };

  w.Msg(msg::kResultsTitle);
  if (degradation)
    w.Tab().Tab().Tab().Msg(msg::kResultsTitle).Char(' ').Msg(msg::kDegradationLabel);
  w.Cr();

  w.Text(ratioForm ? "T" : "P").Tab().Whole(s1.P).Tab().Text("mmH2O");
  if (degradation) w.Tab().Tab().Whole(s2.P).Tab().Text("mmH2O");
  w.Cr();
  w.Text(ratioForm ? "A" : "L").Tab().Whole(s1.L).Tab().Text("mm");
  if (degradation) w.Tab().Tab().Whole(s2.L).Tab().Text("mm");
  w.Cr();
  w.Text(ratioForm ? "Ex" : "G").Tab().Significant(s1.G, 3);
  if (degradation) w.Tab().Tab().Tab().Significant(s2.G, 3);
  w.Cr();
  w.Text(ratioForm ? "Sb" : "W").Tab().Whole(s1.W).Tab().Text("10e-4J");
  if (degradation) w.Tab().Tab().Whole(s2.W).Tab().Text("10e-4J");
  w.Cr();
  w.Text(ratioForm ? "T/A" : "P/L").Tab();
  ratio(s1.PL);
  if (degradation) {
    w.Tab().Tab().Tab();
    ratio(s2.PL);
  }
  w.Cr();
  w.Text(ratioForm ? "Iec" : "Ie").Tab().Significant(100.0f * s1.Ie, 3).Tab().Text("%");
  if (degradation) w.Tab().Tab().Significant(100.0f * s2.Ie, 3).Tab().Text("%");
  w.Cr();
  w.Text(ratioForm ? "Sb(" : "W(").Text(TextUpToZero(s1.WxLabel.data(), s1.WxLabel.size()));
  w.Text(")").Tab().Whole(s1.Wx).Tab().Text("10e-4J");
  if (degradation) {
    w.Tab().Tab().Whole(s2.Wx).Tab().Text("10e-4J").Cr();
    w.Text("Idp").Tab().Fixed(test.Idp, 5, 1).Tab().Text("%");
  }
  w.Cr();
  if (kind != nullptr && kind->inflationHydration) {
    WriteHydrationLabel(w, test.ProtocolNumber, protocol);
    w.Tab().Fixed(s1.HydHa, 3, 1).Tab().Text("%b");
    if (degradation) w.Tab().Tab().Fixed(s2.HydHa, 3, 1).Tab().Text("%b");
    w.Cr();
  }
}

void WriteInflationCurves(Writer& w, const DecodedTest& test, SheetTables& sheet) {
  const int n = test.CurveCount;
  const bool degradation = test.DegradationTest;
  const int firstSeries = test.FirstSeriesCurveCount;

  w.Msg(msg::kCurveCountLabel).Tab().Integer(n);
  if (degradation) {
    w.Text("(").Integer(firstSeries).Text("/").Integer(n - firstSeries).Text(")");
  }
  w.Cr();
  for (int k = 0; k < n; ++k) {
    w.Msg(msg::kCurveLabel).Char(static_cast<char>('1' + k)).Tab();
    if (test.CurveEnabled[k]) {
      w.Msg(msg::kCurveEnabled).Tab().Text("1");
    } else {
      w.Msg(msg::kCurveDisabled).Tab().Text("0");
    }
    w.Cr();
  }
  w.Text("L(mm)").Tab().Msg(msg::kAverageColumn).Tab();
  for (int k = 1; k <= n; ++k) {
    w.Msg(msg::kCurveLabel).Char(static_cast<char>('0' + k)).Tab();
    if (degradation && k == firstSeries) w.Msg(msg::kAverageColumn).Tab();
  }
  w.Cr();
  WriteInflationTable(w, test, sheet);
}

}  // namespace tesmora::export_text
