#pragma once

#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "link/link_fakes.h"
#include "link/reader_thread.h"
#include "platform/profile_file.h"
#include "platform/serial_devices.h"
#include "simulated_recorder.h"
#include "support/temp_dir.h"
#include "ui/main_window/main_window.h"

namespace tesmora::ui::testing {

// Waits run faster in the window tests, on both ends of the line.
inline constexpr double kLinkScale = 0.25;
inline constexpr double kTimerScale = 0.1;

// How long a window test waits with QTest::qWaitFor for what it expects: a
// generous bound for a loaded machine; the wait ends as soon as it holds.
inline constexpr int kWaitMs = 30000;

// Runs `action` on the next pass of the event loop: how a test answers a
// modal dialog that the code under test opens with exec().
inline void WhenIdle(std::function<void()> action) {
  QTimer::singleShot(0, [action = std::move(action)] { action(); });
}

// A simulated recorder serving on its own thread.
class RunningRecorder {
 public:
  // emulateLine: bytes take the time of a 9600 baud line.
  explicit RunningRecorder(sim::RecorderContents contents, bool emulateLine = false)
      : recorder_(std::move(contents), sim::SimOptions{0, false, emulateLine, kLinkScale}) {
    opened_ = recorder_.Open();
    if (opened_) thread_ = std::thread([this] { recorder_.Run(); });
  }
  ~RunningRecorder() {
    recorder_.Stop();
    if (thread_.joinable()) thread_.join();
  }
  bool opened() const { return opened_; }
  sim::SimulatedRecorder& operator*() { return recorder_; }
  sim::SimulatedRecorder* operator->() { return &recorder_; }

 private:
  sim::SimulatedRecorder recorder_;
  bool opened_ = false;
  std::thread thread_;
};

// A program directory whose settings name `port` and map port names to
// devices.
inline void WriteSettings(const tesmora::testing::TempDir& program, const std::string& port,
                          std::initializer_list<std::pair<std::string, std::string>> devices) {
  const std::string path = program.File("tesmora.ini");
  platform::WriteProfileString(path, "LIAISON", "Port", port);
  platform::WriteProfileString(path, "EXPORT", "Mode", "0");
  platform::WriteProfileString(path, "REPERTOIRE", "Sauvegarde Auto", program.path() + "/");
  for (const auto& [name, device] : devices) {
    platform::WriteProfileString(path, "PORTS", name, device);
  }
}

// A machine's serial devices in a folder: one USB adapter, ttyUSB0 (a link
// to `node`, a pseudo-terminal or any file), with its maker, product and
// serial number and a stable name, and nothing else.
class SampleSerialDevices {
 public:
  static constexpr const char* kStableName = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";

  explicit SampleSerialDevices(const std::string& node) {
    namespace fs = std::filesystem;
    const std::string usb = Path("sys/devices/usb1/1-1");
    for (const std::string& folder :
         {Path("dev/serial/by-id"), Path("sys/class/tty/ttyUSB0"), usb + "/1-1:1.0/ttyUSB0"}) {
      fs::create_directories(folder);
    }
    fs::create_symlink(node, Path("dev/ttyUSB0"));
    fs::create_symlink("../../ttyUSB0", stablePath());
    fs::create_directory_symlink(usb + "/1-1:1.0/ttyUSB0", Path("sys/class/tty/ttyUSB0/device"));
    tesmora::testing::WriteBytes(usb + "/idVendor", "0403\n");
    tesmora::testing::WriteBytes(usb + "/manufacturer", "FTDI\n");
    tesmora::testing::WriteBytes(usb + "/product", "FT232R USB UART\n");
    tesmora::testing::WriteBytes(usb + "/serial", "A50285BI\n");
  }
  platform::SerialDeviceRoots roots() const {
    return {Path("dev"), Path("dev/serial/by-id"), Path("sys")};
  }
  std::string stablePath() const { return Path("dev/serial/by-id/") + kStableName; }
  std::string nodePath() const { return Path("dev/ttyUSB0"); }

 private:
  std::string Path(const std::string& relative) const { return dir_.path() + "/" + relative; }
  tesmora::testing::TempDir dir_;
};

inline MainWindowOptions FastOptions(Prompter& prompter) {
  MainWindowOptions options;
  options.prompter = &prompter;
  options.linkTiming = link::LinkTiming{kLinkScale};
  options.timerScale = kTimerScale;
  // No drives but the network root: a window test never browses the machine
  // it runs on. A test of the PC pane names a folder of its own.
  options.drives = platform::DriveSources{"", "", "", ""};
  return options;
}

}  // namespace tesmora::ui::testing
