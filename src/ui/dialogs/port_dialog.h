#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "platform/serial_devices.h"
#include "shell/languages.h"
#include "shell/port_binding.h"
#include "shell/settings.h"

class QButtonGroup;
class QComboBox;
class QLabel;

namespace tesmora::ui {

// Where the dialog reads the port bindings and the devices present; tests
// point the roots at a sample tree. Without settings, every port name has its
// default device and nothing can be bound.
struct PortDevicesSource {
  const Settings* settings = nullptr;
  platform::SerialDeviceRoots roots{};
  // The link has the current port open: its device is there, whether or not
  // it is one the listing knows (a pseudo-terminal, say).
  std::function<bool()> currentPortOpen;
};

// The serial port the link uses, COM1 to COM27, each with the device it
// stands for and whether that device is connected, and the serial devices
// of the machine to bind the chosen name to. The binding is written here (on
// the window's thread); the owner moves the link, given the chosen name and,
// when the current name was bound anew, the device it stood for before.
class TChoixCom : public QDialog {
  Q_OBJECT

 public:
  using ChangePort = std::function<void(const std::string& name, const std::string& previous)>;

  TChoixCom(const LanguageState& language, std::function<std::string()> currentPort,
            ChangePort changePort, PortDevicesSource devices = {}, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowChoices();
  void ShowChosenPort();
  void bbOKClick();

  const LanguageState& language_;
  std::function<std::string()> currentPort_;
  ChangePort changePort_;
  PortDevicesSource devices_;
  PortChoices choices_;
  QButtonGroup* ports_ = nullptr;
  std::vector<QLabel*> rowDevices_;
  QLabel* chosenDevice_ = nullptr;
  QLabel* hint_ = nullptr;
  QComboBox* deviceList_ = nullptr;
};

}  // namespace tesmora::ui
