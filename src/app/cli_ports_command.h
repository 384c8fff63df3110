#pragma once

#include "app/cli_command.h"

namespace tesmora::cli {

// `tesmora-cli ports`: the serial devices present, each with its stable name,
// its node, what the system knows of it and the port names that stand for
// it; then the port names bound to a device that is not there. Exits 0 when
// devices were listed, 1 when there is none, 2 on wrong usage.
extern const Command kPortsCommand;

}  // namespace tesmora::cli
