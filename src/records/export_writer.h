#pragma once

#include <string>
#include <string_view>

#include "records/customer_protocol_lists.h"
#include "records/number_format.h"
#include "shell/message_table.h"

// The pieces every part of the export text is written with. Only the files
// that compose the export include this.
namespace tesmora::export_text {

inline constexpr char kCr = '\r';
inline constexpr char kTab = '\t';

// Appends the bytes of messages in the export's language.
class Writer {
 public:
  Writer(std::string& out, int languageIndex) : out_(out), language_(languageIndex) {}

  Writer& Msg(MessageId id) {
    out_ += MessageBytes(id, language_);
    return *this;
  }
  // The message without its last character (for most labels, the colon).
  Writer& Label(MessageId id) {
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

 private:
  std::string& out_;
  int language_;
};

// "HYDHA" without a protocol, else "HYD" and the protocol's target PrMax:
// the hydration line of both families starts so.
inline void WriteHydrationLabel(Writer& w, int protocolNumber, const fprotocole& protocol) {
  if (protocolNumber == 0) {
    w.Text("HYDHA");
  } else {
    w.Text("HYD").Integer(protocol.targetPrMax);
  }
}

}  // namespace tesmora::export_text
