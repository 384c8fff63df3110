#include "sheet/sheet_rows.h"

#include "sheet/sheet_units.h"
#include "shell/code_page.h"

namespace tesmora {

namespace {

std::string Stored(const std::string& field) { return DecodeToUtf8(field, CodePage::Dos850); }

class Rows {
 public:
  explicit Rows(const SheetPage& page) : separator_(page.settings.decimalSeparator) {}

  // A value printed as its field stores it.
  void AsStored(int column, int row, MessageId message, const std::string& field,
                std::string_view unit = {}) {
    rows_.push_back({column, row, message, field.empty() ? "" : Stored(field) + std::string(unit)});
  }
  // A numeric field to `decimals` decimals.
  void Number(int column, int row, MessageId message, const std::string& field, int decimals,
              std::string_view unit) {
    std::string value;
    if (!field.empty())
      value = DecimalsText(NumberFromText(field), decimals, separator_) + std::string(unit);
    rows_.push_back({column, row, message, value});
  }
  void Moisture(int column, int row, MessageId message, const std::string& field) {
    const double moisture = NumberFromText(field);
    std::string value;
    if (!field.empty() && moisture > 0) value = DecimalsText(moisture, 2, separator_) + " %";
    rows_.push_back({column, row, message, value});
  }
  std::vector<SampleRow> Take() { return std::move(rows_); }

 private:
  std::string_view separator_;
  std::vector<SampleRow> rows_;
};

}  // namespace

std::vector<SampleRow> SampleRows(const SheetPage& page) {
  const SampleTexts& t = page.test->decoded.Texts;
  Rows rows(page);
  rows.Number(0, 0, msg::kLabTemperatureLabel, t.Temperature, 1, " \u00B0C");
  rows.AsStored(0, 1, msg::kFlourLabel, t.Flour);
  rows.Moisture(0, 2, msg::kMoistureLabel, t.Moisture);
  rows.Number(0, 3, msg::kProteinLabel, t.Protein, 2, " %");
  rows.Number(0, 4, msg::kStarchDamageLabel, t.StarchDamage, 2, " UCD");
  rows.AsStored(0, 5, msg::kZelenyLabel, t.Zeleny);
  rows.Number(0, 6, msg::kAshLabel, t.Ash, 2, " %");
  rows.AsStored(0, 7, msg::kGlutenLabel, t.Gluten);
  rows.Number(1, 0, msg::kHygrometryLabel, t.Hygrometry, 1, " %");
  rows.AsStored(1, 1, msg::kMillLabel, t.Mill);
  rows.AsStored(1, 3, msg::kFallingNumberLabel, t.FallingNumber, " s");
  const SheetType type = page.sheet.Type;
  if (type == SheetType::Aha || type == SheetType::Ahc) {
    rows.Number(1, 4, msg::kWaterAbsorptionLabel, t.WaterAbsorption, 1, " %");
  }
  rows.Number(1, 6, msg::kExtractionLabel, t.Extraction, 2, " %");
  return rows.Take();
}

std::vector<ResultRow> ResultRows(const SheetPage& page) {
  const DecodedTest& test = page.test->decoded;
  const std::string_view sep = page.settings.decimalSeparator;
  const auto value = [sep](double x, int decimals, std::string_view unit = {}) {
    return DecimalsText(x, decimals, sep) + std::string(unit);
  };
  const InflationResults& s = test.SeriesResults[0];
  const auto& r = test.ConsistencyResults;
  // Ie is kept as a fraction; the sheet shows it as the export does, in %.
  const double iePercent = 100.0f * s.Ie;
  const std::string wx = Stored(test.Texts.WxText);
  constexpr std::string_view kWork = " 10E-4J";
  constexpr std::string_view kBasis15 = " % b 15";
  switch (page.sheet.Type) {
    case SheetType::Ahc:
      return {{"P", value(s.P, 0, " mmH2O")},
              {"L", value(s.L, 0, " mm")},
              {"G", value(s.G, 1)},
              {"W", value(s.W, 0, kWork)},
              {"P/L", value(s.PL, 2)},
              {"Ie", value(iePercent, 1, " %")},
              {"W (" + wx + ")", value(s.Wx, 0, kWork)}};
    case SheetType::Aha:
      return {{"T", value(s.P, 0, " mmH2O")},
              {"A", value(s.L, 0, " mm")},
              {"Ex", value(s.G, 1)},
              {"Fb", value(s.W, 0, kWork)},
              {" T/A", value(s.PL, 2)},
              {"Iec", value(iePercent, 1, " %")},
              {"Fb (" + wx + ")", value(s.Wx, 0, kWork)},
              {"HYDHA", value(s.HydHa, 1, kBasis15)}};
    case SheetType::Chc:
      return {{"H2O", value(test.H2O, 2, " %")},
              {"PrMax", value(test.PrMax, 0, " mb")},
              {"Wa", value(r[kWa], 1, kBasis15)},
              {"HYDHA", value(r[kHydHa], 1, kBasis15)}};
    case SheetType::Cha:
      return {{"H2O", value(test.H2O, 2, " %"), 2.0}, {"HYDHA", value(r[kHydHa], 1, kBasis15)},
              {"PrMax", value(test.PrMax, 0, " mb")}, {"TPrMax", value(r[kTPrMax], 0, " s")},
              {"To1", value(r[kStab], 0, " s")},      {"D250", value(r[kD250], 0, " mb")},
              {"D450", value(r[kD450], 0, " mb")},    {"WAC", value(r[kWaC], 1, kBasis15)}};
  }
  return {};
}

}  // namespace tesmora
