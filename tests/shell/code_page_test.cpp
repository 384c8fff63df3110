#include "shell/code_page.h"

#include <gtest/gtest.h>

namespace tesmora {
namespace {

TEST(CodePage, DecodesEachPageByItsOwnTable) {
  // The same byte is a different letter in the two pages.
  EXPECT_EQ(DecodeByte(CodePage::Dos850, 0x80), U'\u00C7');       // Ç
  EXPECT_EQ(DecodeByte(CodePage::Windows1252, 0x80), U'\u20AC');  // €
  EXPECT_EQ(DecodeByte(CodePage::Dos850, 0x82), U'\u00E9');       // é
  EXPECT_EQ(DecodeByte(CodePage::Windows1252, 0xE9), U'\u00E9');  // é
  EXPECT_EQ(DecodeByte(CodePage::Dos850, 0xF8), U'\u00B0');       // °, the temperature unit
  EXPECT_EQ(DecodeByte(CodePage::Windows1252, 0x8A), U'\u0160');  // Š
  EXPECT_EQ(DecodeByte(CodePage::Dos850, 'A'), U'A');
  EXPECT_EQ(DecodeToUtf8("R\xe9pertoire", CodePage::Windows1252), "R\u00e9pertoire");
  EXPECT_EQ(DecodeToUtf8("DEGRADA\x80\xc7O", CodePage::Dos850), "DEGRADA\u00c7\u00c3O");
}

TEST(CodePage, EveryByteRoundTripsExceptUndefinedOnes) {
  for (const CodePage page : {CodePage::Dos850, CodePage::Windows1252}) {
    for (int b = 0; b < 256; ++b) {
      const char32_t c = DecodeByte(page, static_cast<unsigned char>(b));
      const bool undefined = c >= 0x80 && c < 0xA0;  // 1252's holes
      if (undefined) {
        EXPECT_EQ(EncodeChar(page, c), std::nullopt) << b;
      } else {
        EXPECT_EQ(EncodeChar(page, c), static_cast<unsigned char>(b)) << b;
      }
    }
  }
}

TEST(CodePage, EncodingStopsAtTheFirstCharacterThePageLacks) {
  EncodeResult r = EncodeFromUtf8("Zmie\u0144 port", CodePage::Windows1252);  // ń
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.badChar, U'\u0144');
  EXPECT_EQ(r.badOffset, 4u);

  r = EncodeFromUtf8("\u0160koda", CodePage::Windows1252);  // Š is in 1252...
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.bytes, "\x8akoda");
  r = EncodeFromUtf8("\u0160koda", CodePage::Dos850);  // ...but not in 850
  EXPECT_FALSE(r.ok);

  for (const char* malformed : {"\xc3", "\xc3(", "\xe2\x82", "\xc0\xaf", "\xed\xa0\x80", "\xff"}) {
    r = EncodeFromUtf8(malformed, CodePage::Dos850);
    EXPECT_FALSE(r.ok) << malformed;
    EXPECT_EQ(r.badChar, U'\uFFFD');
  }
}

}  // namespace
}  // namespace tesmora
