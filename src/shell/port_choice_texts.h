#pragma once

#include <string>
#include <string_view>

#include "shell/port_binding.h"

namespace tesmora {

// Longest device name shown beside a port name; a longer one (a stable name)
// is cut with an ellipsis there and shown whole under the ports.
inline constexpr std::size_t kRowDeviceLabelLength = 14;

// The offered device a row's port name stands for, or -1 when its device is
// not present.
int OfferedDeviceOfRow(const PortChoices& choices, const PortRow& row);

// What the port dialog shows beside a port name: the kernel's name of the
// device present (ttyUSB0), or the last part of the path when the device is
// not there.
std::string RowDeviceLabel(const PortChoices& choices, const PortRow& row);

// A device as the dialog offers it: what a person recognises first (maker,
// product, serial number; `unnamed` when the system knows none), then its
// node, then the port names that stand for it now.
std::string OfferedDeviceText(const OfferedDevice& offered, std::string_view unnamed);

}  // namespace tesmora
