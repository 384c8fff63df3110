#include "shell/port_choice_texts.h"

#include <algorithm>

namespace tesmora {

namespace {

std::string_view LastPart(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

int OfferedDeviceOfRow(const PortChoices& choices, const PortRow& row) {
  for (std::size_t i = 0; i < choices.devices.size(); ++i) {
    const std::vector<std::string>& names = choices.devices[i].portNames;
    if (std::find(names.begin(), names.end(), row.portName) != names.end()) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::string RowDeviceLabel(const PortChoices& choices, const PortRow& row) {
  const int offered = OfferedDeviceOfRow(choices, row);
  std::string label(LastPart(offered >= 0 ? choices.devices[offered].device.devicePath
                                          : std::string_view(row.devicePath)));
  if (label.size() > kRowDeviceLabelLength) {
    // Cut on a character boundary of the UTF-8 text, then mark the cut.
    std::size_t cut = kRowDeviceLabelLength - 1;
    while (cut > 0 && (static_cast<unsigned char>(label[cut]) & 0xC0) == 0x80) --cut;
    label = label.substr(0, cut) + "\u2026";
  }
  return label;
}

std::string OfferedDeviceText(const OfferedDevice& offered, std::string_view unnamed) {
  const platform::SerialDevice& device = offered.device;
  std::string text = device.description.empty() ? std::string(unnamed) : device.description;
  text += " \u2013 ";
  text += LastPart(device.devicePath);
  if (!offered.portNames.empty()) {
    text += " (";
    for (std::size_t i = 0; i < offered.portNames.size(); ++i) {
      if (i > 0) text += ", ";
      text += offered.portNames[i];
    }
    text += ')';
  }
  return text;
}

}  // namespace tesmora
