#include "shell/port_open_error.h"

#include <gtest/gtest.h>

#include <set>

#include "shell/message_table.h"

namespace tesmora {
namespace {

using platform::OpenError;
using platform::OpenFailure;

constexpr int kEnglish = 1;

TEST(PortOpeningErrorText, EachCauseAddsItsOwnLineUnderTheOpeningError) {
  const struct {
    OpenError error;
    std::string text;
  } cases[] = {
      {{OpenFailure::NoDevice, ""},
       "COM3. OPENING ERROR\nNo such device: check that the adapter is plugged in and that this "
       "is the right port."},
      {{OpenFailure::PermissionDenied, "uucp"},
       "COM3. OPENING ERROR\nPermission denied: the user must be a member of the group uucp, "
       "then log out and log in again."},
      {{OpenFailure::HeldElsewhere, ""},
       "COM3. OPENING ERROR\nDevice busy: another program is using it; close that program, then "
       "try again."},
      // A cause we cannot name adds nothing.
      {{OpenFailure::Other, ""}, "COM3. OPENING ERROR"},
      {{OpenFailure::None, ""}, "COM3. OPENING ERROR"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PortOpeningErrorText("COM3", c.error, kEnglish), c.text);
  }
}

TEST(PortOpeningErrorText, EveryLanguageSaysEachCauseInItsOwnWords) {
  for (int language = 0; language < kLanguageCount; ++language) {
    const std::string first = "COM9. " + MessageUtf8(msg::kOpeningError, language) + "\n";
    std::set<std::string> lines;
    for (const OpenFailure failure :
         {OpenFailure::NoDevice, OpenFailure::PermissionDenied, OpenFailure::HeldElsewhere}) {
      const std::string text = PortOpeningErrorText("COM9", {failure, "labserial"}, language);
      ASSERT_EQ(text.substr(0, first.size()), first) << language;
      const std::string cause = text.substr(first.size());
      EXPECT_EQ(cause.find('\n'), std::string::npos) << language;
      EXPECT_GT(cause.size(), 20u) << language;
      lines.insert(cause);
      if (failure == OpenFailure::PermissionDenied) {
        EXPECT_NE(cause.find("labserial"), std::string::npos) << language << ": " << cause;
        EXPECT_EQ(cause.find("%1"), std::string::npos) << language;
      }
    }
    EXPECT_EQ(lines.size(), 3u) << language;
  }
}

TEST(PortOpeningErrorText, UnknownGroupNamesTheUsualSerialGroup) {
  const std::string text =
      PortOpeningErrorText("COM1", {OpenFailure::PermissionDenied, ""}, kEnglish);
  EXPECT_NE(text.find("group dialout,"), std::string::npos) << text;
}

}  // namespace
}  // namespace tesmora
