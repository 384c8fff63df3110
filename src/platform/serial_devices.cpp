// Read from sysfs and the device folders rather than through a serial
// library: the roots must be parameters so that the listing runs on a sample
// tree, and the stable names under /dev/serial/by-id are udev's, which such a
// library does not report.
#include "platform/serial_devices.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/file_io.h"

namespace tesmora::platform {

namespace fs = std::filesystem;

namespace {

// The families in the order they are offered: adapters before on-board ports.
constexpr std::array<std::string_view, 3> kFamilies{"ttyUSB", "ttyACM", "ttyS"};

struct KernelName {
  std::size_t family = 0;
  int number = 0;
};

std::optional<KernelName> ParseKernelName(std::string_view name) {
  for (std::size_t family = 0; family < kFamilies.size(); ++family) {
    const std::string_view prefix = kFamilies[family];
    if (!name.starts_with(prefix) || name.size() == prefix.size() ||
        name.size() > prefix.size() + 4)
      continue;
    int number = 0;
    for (const char c : name.substr(prefix.size())) {
      if (c < '0' || c > '9') return std::nullopt;
      number = number * 10 + (c - '0');
    }
    return KernelName{family, number};
  }
  return std::nullopt;
}

std::string FirstLine(const fs::path& file) {
  std::string text = ReadWholeFile(file.string()).value_or(std::string());
  const std::size_t end = text.find_first_of("\r\n");
  if (end != std::string::npos) text.resize(end);
  return text;
}

fs::path TtyFolder(const SerialDeviceRoots& roots, const std::string& name) {
  return fs::path(roots.sys) / "class" / "tty" / name;
}

// Without a known port type the node is a UART the kernel only might have.
bool IsRealOnBoardPort(const SerialDeviceRoots& roots, const std::string& name) {
  const fs::path folder = TtyFolder(roots, name);
  std::error_code error;
  if (fs::exists(folder / "type", error)) {
    const std::string type = FirstLine(folder / "type");
    return !type.empty() && type.find_first_not_of('0') != std::string::npos;
  }
  return fs::exists(folder / "device" / "driver", error);
}

// The USB device above the tty: the first folder up from its device that
// names a vendor.
std::string UsbDescription(const SerialDeviceRoots& roots, const std::string& name) {
  std::error_code error;
  fs::path folder = fs::canonical(TtyFolder(roots, name) / "device", error);
  if (error) return {};
  for (int level = 0; level < 4 && !folder.empty(); ++level, folder = folder.parent_path()) {
    if (!fs::exists(folder / "idVendor", error)) continue;
    std::string description;
    for (const char* attribute : {"manufacturer", "product"}) {
      const std::string text = FirstLine(folder / attribute);
      if (text.empty()) continue;
      if (!description.empty()) description += ' ';
      description += text;
    }
    const std::string serial = FirstLine(folder / "serial");
    if (!serial.empty()) description += (description.empty() ? "" : ", ") + ("serial " + serial);
    return description;
  }
  return {};
}

std::vector<std::string> EntryNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::string ResolveDevicePath(const std::string& path) {
  std::error_code error;
  const fs::path resolved = fs::canonical(path, error);
  return error ? path : resolved.string();
}

std::vector<SerialDevice> ListSerialDevices(const SerialDeviceRoots& roots) {
  struct Kernel {
    KernelName order;
    std::string name;
    std::string path;      // as listed under the dev root
    std::string resolved;  // for matching the stable names' targets
  };
  std::vector<Kernel> kernel;
  for (const std::string& name : EntryNames(roots.dev)) {
    const std::optional<KernelName> parsed = ParseKernelName(name);
    if (!parsed) continue;
    if (kFamilies[parsed->family] == "ttyS" && !IsRealOnBoardPort(roots, name)) continue;
    const std::string path = (fs::path(roots.dev) / name).string();
    kernel.push_back({*parsed, name, path, ResolveDevicePath(path)});
  }
  std::sort(kernel.begin(), kernel.end(), [](const Kernel& a, const Kernel& b) {
    return std::pair(a.order.family, a.order.number) < std::pair(b.order.family, b.order.number);
  });

  std::vector<SerialDevice> devices;
  std::vector<bool> named(kernel.size(), false);
  for (const std::string& link : EntryNames(roots.byId)) {
    const std::string stable = (fs::path(roots.byId) / link).string();
    const std::string target = ResolveDevicePath(stable);
    const auto match = std::find_if(kernel.begin(), kernel.end(),
                                    [&](const Kernel& k) { return k.resolved == target; });
    // A stable name whose device has gone (or is no serial port we know)
    // is nothing to offer.
    if (match == kernel.end()) continue;
    const auto index = static_cast<std::size_t>(match - kernel.begin());
    if (named[index]) continue;  // one stable name for a device is enough
    named[index] = true;
    devices.push_back({stable, match->path, UsbDescription(roots, match->name)});
  }
  for (std::size_t i = 0; i < kernel.size(); ++i) {
    if (!named[i]) devices.push_back({{}, kernel[i].path, UsbDescription(roots, kernel[i].name)});
  }
  return devices;
}

}  // namespace tesmora::platform
