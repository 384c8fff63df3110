#pragma once

#include <string>
#include <string_view>

#include "platform/serial_port.h"

namespace tesmora {

// The text of the box shown when a port does not open: the port name, ". ",
// msg::kOpeningError ("COM3. OPENING ERROR"), and, when the cause is known, a second
// line that says it in the user's language (no such device; permission denied,
// with the group to join and a new login; the device held by another program).
std::string PortOpeningErrorText(std::string_view portName, const platform::OpenError& error,
                                 int languageIndex);

}  // namespace tesmora
