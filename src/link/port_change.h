#pragma once

#include <string>
#include <string_view>

#include "platform/serial_port.h"
#include "shell/languages.h"
#include "shell/prompter.h"
#include "shell/settings.h"

namespace tesmora::link {

class TRead;

// Opens the port a name stands for (the [PORTS] mapping of the settings, or
// COMn -> /dev/ttyS(n-1)). A failure shows "NAME. OPENING ERROR" with the
// caption "ERROR!!!", and under it the cause when it is known, and returns
// false; the program carries on without it.
bool OpenPort(platform::SerialPort& port, const Settings& settings, std::string_view portName,
              Prompter& prompter, const LanguageState& language);

// Whether a device that is not there may still come to `path`, so that the
// link can wait for it: an adapter's node or a stable name may, when the
// adapter is plugged in. A pseudo-terminal's numbered node never brings back
// the same far end, and an on-board port does not arrive later.
bool DeviceMayArriveAt(std::string_view path);

// The port dialog's confirmation: moves the link to another port. The same
// name changes nothing, unless the dialog has just bound it to another
// device: then `previousDevice` is the one it stood for, and the link moves
// to the new one. When the new port does not open, the old one is opened
// again. Returns true when the link moved; the caller then saves the new
// name, on the thread that owns the settings.
bool ChangePort(TRead& link, const Settings& settings, std::string_view newName, Prompter& prompter,
                const LanguageState& language, std::string_view previousDevice = {});

}  // namespace tesmora::link
