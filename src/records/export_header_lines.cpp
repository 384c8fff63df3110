#include "records/export_header_lines.h"

#include <algorithm>
#include <cstdint>

#include "records/byte_reader.h"

namespace tesmora::export_text {

namespace {

constexpr char kDegreeSign = static_cast<char>(0xF8);  // code page 850

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
  MessageId message;
  std::size_t width;
  std::string_view unit;
};

// Writes one field line by the rule all fields share and keeps the field's
// characters in `kept`.
void WriteField(Writer& w, FieldReader& fields, const FieldLine& line, std::string& kept) {
  w.Label(line.message).Tab();
  kept = fields.Read(line.width);
  w.Text(kept);
  const MessageId m = line.message;
  if (m != msg::kSampleLabel && m != msg::kFlourLabel && m != msg::kMillLabel &&
      m != msg::kCommentsLabel) {
    w.Tab().Text(line.unit);
  }
  if (m != msg::kLabTemperatureLabel) w.Cr();
}

}  // namespace

void WriteHeader(Writer& w, ByteSpan copy, std::string_view testFileName, const TestKind* kind,
                 TestFamily family, std::string_view versionText) {
  w.Text(TextUpToZero(versionText.data(), versionText.size())).Cr();
  w.Tab().Tab().Tab();
  if (kind != nullptr) w.Msg(kind->exportTitleMessage);
  if (family == TestFamily::Inflation) {
    const int version = TestFileVersion(copy, TestFamily::Inflation);
    ByteReader reader(copy, version >= 7 ? 22 : 20);
    if (reader.U8() == 1) w.Tab().Msg(msg::kDegradationLabel);
  }
  w.Cr();
  w.Msg(msg::kFileNameLabel).Tab().Text(testFileName).Cr();
  w.Cr();
  w.Char('\n').Cr();
}

bool WriteTextFields(Writer& w, ByteSpan copy, std::size_t textBlock, const TestKind* kind,
                     TestFamily family, const CustomerProtocolTables& tables, DecodedTest& test) {
  FieldReader fields(copy, textBlock);
  SampleTexts& texts = test.Texts;
  texts = {};
  WriteField(w, fields, {msg::kSampleLabel, 13, {}}, texts.Sample);
  WriteField(w, fields, {msg::kFlourLabel, 13, {}}, texts.Flour);
  WriteField(w, fields, {msg::kMillLabel, 13, {}}, texts.Mill);

  w.Label(msg::kCustomerLabel).Tab().Cr();
  const long customerNumber = LeadingNumber(fields.ReadCustomerNumber());
  if (fields.ended()) return false;
  if (const fclient* customer = tables.Customer(static_cast<int>(customerNumber))) {
    w.Text(customer->Field(0)).Cr().Tab();
    w.Text(customer->Field(1)).Cr().Tab();
    w.Text(customer->Field(2)).Cr().Tab();
    w.Text(customer->Field(3)).Cr();
  } else {
    w.Cr().Tab().Cr().Tab().Cr().Tab().Cr();
  }

  WriteField(w, fields, {msg::kLabTemperatureLabel, 5, {}}, texts.Temperature);
  if (!fields.ended()) {
    w.Char(kDegreeSign);
    if (const char unit = fields.ReadUnitLetter(); unit != 0) w.Char(unit);
  }
  w.Cr();
  WriteField(w, fields, {msg::kHygrometryLabel, 6, "%"}, texts.Hygrometry);
  WriteField(w, fields, {msg::kMoistureLabel, 6, "%"}, texts.Moisture);
  WriteField(w, fields, {msg::kFallingNumberLabel, 4, "s"}, texts.FallingNumber);
  WriteField(w, fields, {msg::kProteinLabel, 6, "%"}, texts.Protein);
  WriteField(w, fields, {msg::kStarchDamageLabel, 6, "UCD"}, texts.StarchDamage);
  WriteField(w, fields, {msg::kZelenyLabel, 4, {}}, texts.Zeleny);
  WriteField(w, fields, {msg::kAshLabel, 6, "%"}, texts.Ash);
  WriteField(w, fields, {msg::kGlutenLabel, 15, {}}, texts.Gluten);
  WriteField(w, fields, {msg::kWaterAbsorptionLabel, 6, "%"}, texts.WaterAbsorption);
  WriteField(w, fields, {msg::kExtractionLabel, 6, "%"}, texts.Extraction);
  if (family == TestFamily::Inflation) {
    w.Label(msg::kWxLengthLabel).Tab();
    texts.WxText = fields.Read(4);
    const std::string_view wx = texts.WxText;
    w.Text(wx).Tab().Text("mm").Cr();
    // The recorder keeps x of W(x) as a signed byte.
    test.WxLength = static_cast<std::int8_t>(static_cast<std::uint8_t>(LeadingNumber(wx)));
  } else {
    w.Cr();
  }
  // An unknown kind has neither comments nor a protocol.
  if (kind != nullptr && !kind->carriesProtocol) {
    WriteField(w, fields, {msg::kCommentsLabel, 35, {}}, texts.Comment1);
    WriteField(w, fields, {msg::kCommentsLabel, 35, {}}, texts.Comment2);
  }
  return true;
}

void WriteProtocolLines(Writer& w, const fprotocole& protocol) {
  w.Msg(msg::kProtocolLabel).Tab().Text(protocol.Name()).Cr();
  w.Tab().Integer(protocol.lowerPrMax).Cr();
  w.Tab().Integer(protocol.targetPrMax).Cr();
}

}  // namespace tesmora::export_text
