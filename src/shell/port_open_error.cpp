#include "shell/port_open_error.h"

#include "shell/message_table.h"

namespace tesmora {

namespace {

constexpr std::string_view kGroupMark = "%1";
// Where the node could not even be looked at, the group that owns serial
// devices on nearly every distribution.
constexpr std::string_view kUsualSerialGroup = "dialout";

std::string CauseLine(const platform::OpenError& error, int languageIndex) {
  switch (error.failure) {
    case platform::OpenFailure::NoDevice:
      return MessageUtf8(msg::kNoDevice, languageIndex);
    case platform::OpenFailure::PermissionDenied: {
      std::string text = MessageUtf8(msg::kPermissionDenied, languageIndex);
      const std::size_t mark = text.find(kGroupMark);
      if (mark != std::string::npos) {
        text.replace(mark, kGroupMark.size(),
                     error.deviceGroup.empty() ? kUsualSerialGroup : error.deviceGroup);
      }
      return text;
    }
    case platform::OpenFailure::HeldElsewhere:
      return MessageUtf8(msg::kDeviceBusy, languageIndex);
    case platform::OpenFailure::None:
    case platform::OpenFailure::Other:
      break;
  }
  return {};
}

}  // namespace

std::string PortOpeningErrorText(std::string_view portName, const platform::OpenError& error,
                                 int languageIndex) {
  std::string text = std::string(portName) + ". " + MessageUtf8(msg::kOpeningError, languageIndex);
  const std::string cause = CauseLine(error, languageIndex);
  if (!cause.empty()) text += "\n" + cause;
  return text;
}

}  // namespace tesmora
