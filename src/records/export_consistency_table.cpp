#include "records/export_consistency_table.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "records/consistency_results.h"

namespace tesmora::export_text {

void WriteConsistencyResults(Writer& w, const DecodedTest& test, const TestKind& kind,
                             const fprotocole& protocol, std::uint8_t basisFlags) {
  const auto& r = test.ConsistencyResults;
  const double prMax = test.PrMax;
  const double target = protocol.targetPrMax;
  const double lower = protocol.lowerPrMax;
  const bool offTarget = prMax > 1.05 * target || prMax < 0.95 * target;

  w.Msg(msg::kResultsTitle).Cr();
  w.Text("H2O").Tab().Fixed(test.H2O, 3, 1).Tab().Text("%").Cr();
  const auto hydration = [&] {
    WriteHydrationLabel(w, test.ProtocolNumber, protocol);
    w.Tab().Fixed(r[kHydHa], 3, 1).Tab().Text("% b").Cr();
  };
  const auto prMaxLine = [&] { w.Text("PrMax").Tab().Fixed(prMax, 4, 0).Tab().Text("mb").Cr(); };
  if (kind.sheetType == SheetType::Cha) {
    hydration();
    prMaxLine();
    w.Text("TPrMax").Tab().Fixed(r[kTPrMax], 3, 0).Tab().Text("s").Cr();
    w.Text("Stab").Tab().Fixed(r[kStab], 3, 0).Tab().Text("s").Cr();
    w.Text("D250").Tab().Fixed(r[kD250], 3, 0).Tab().Text("mb").Cr();
    w.Text("D450").Tab().Fixed(r[kD450], 3, 0).Tab().Text("mb").Cr();
    w.Text("WAC").Tab().Fixed(r[kWaC], 3, 1).Tab().Text("% b").Cr();
    if (offTarget) {
      if (test.ProtocolNumber == 0) {
        w.Text("HYDHAC");
      } else {
        w.Text("HYD").Integer(protocol.targetPrMax).Text("C");
      }
      w.Tab().Fixed(r[kHydHaC], 3, 1).Tab().Text("% b").Cr();
    }
  } else {
    prMaxLine();
    w.Text("WA").Tab().Fixed(r[kWa], 3, 1).Tab().Text("% b").Cr();
    if (prMax > lower) hydration();
  }

  const BasisValues basis = ConvertToBasis(test, basisFlags);
  const std::string_view unit = basis.b14 ? " % b 14" : " % MS";
  const bool typeTwo = IsTypeTwo(test);
  if (basis.printed && !(typeTwo && lower >= prMax)) {
    w.Text(typeTwo ? "WA      " : "WAC     ").Tab().Fixed(basis.water, 4, 1).Tab().Text(unit);
  }
  w.Cr();
  if (basis.printed && (typeTwo || offTarget)) {
    if (test.ProtocolNumber == 0) {
      w.Text(typeTwo ? "HYDHA   " : "HYDHAC  ");
    } else {
      char target4[16];
      std::snprintf(target4, sizeof target4, "%04d", static_cast<int>(protocol.targetPrMax));
      w.Text("HYD").Text(target4).Text(typeTwo ? " " : "C");
    }
    w.Tab().Fixed(basis.hydration, 4, 1).Tab().Text(unit);
  }
  w.Cr();
}

void WriteConsistencyTable(Writer& w, const DecodedTest& test, SheetTables& sheet) {
  sheet.ConsistencyPressureColumn.fill(0);
  sheet.ConsistencySpareColumn.fill(0);
  sheet.ConsistencyFitColumn.fill(0);
  w.Text("s").Tab().Msg(msg::kPressureColumn).Tab().Msg(msg::kAverageColumn).Tab().Cr();
  std::string time;
  for (int k = 0; k < test.SampleCount; ++k) {
    const double t = SampleTime(test, k);
    const double third =
        test.RecalculationFlag ? SoftenedCurveValue(test, t) : FittedCurveValue(test, t);
    const long long pressure = TruncateSafely(test.SmoothedCurve[k]);
    const long long fitted = TruncateSafely(third);
    time.clear();
    AppendSignificant(time, t, 5);
    w.Text(time).Tab().Integer(pressure).Tab().Integer(fitted).Tab().Cr();
    sheet.RowLabels.push_back(time);
    sheet.ConsistencyPressureColumn[k] = static_cast<float>(pressure);
    sheet.ConsistencyFitColumn[k] = static_cast<float>(fitted);
  }
  sheet.RowLabels.push_back("-1");
}

}  // namespace tesmora::export_text
