#pragma once

namespace tesmora::cli {

// `tesmora-cli ports`: the serial devices present, each with its stable name,
// its node, what the system knows of it and the port names that stand for
// it; then the port names bound to a device that is not there. argv[0] is
// "ports". Returns 0 when devices were listed, 1 when there is none, 2 on
// wrong usage.
int RunPortsCommand(int argc, char** argv);

extern const char* const kPortsCommandUsage;

}  // namespace tesmora::cli
