#include "ui/dialogs/port_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/port_choice_texts.h"
#include "ui/common/dialog_frame.h"

namespace tesmora::ui {
namespace {

constexpr QSize kDesignedSize(240, 290);
constexpr int kPortsPerRow = 3;
// A connected device is marked beside its name, so that presence does not
// rest on colour alone.
const QString kConnectedMark = QStringLiteral(" \u2713");

void NameControls(QWidget& dialog, const LanguageState& language) {
  NameControlsForReader(dialog, {{"bbCancel", UiString(UiText::Cancel, language), "ESC"},
                                 {"cbDevice", UiString(UiText::PortDevice, language),
                                  UiString(UiText::PortDeviceHint, language)}});
}

QString Presence(bool present, const LanguageState& language) {
  return UiString(present ? UiText::DeviceConnected : UiText::DeviceAbsent, language);
}

}  // namespace

TChoixCom::TChoixCom(const LanguageState& language, std::function<std::string()> currentPort,
                     ChangePort changePort, PortDevicesSource devices, QWidget* parent)
    : QDialog(parent),
      language_(language),
      currentPort_(std::move(currentPort)),
      changePort_(std::move(changePort)),
      devices_(std::move(devices)) {
  setObjectName("ChoixCom");

  ports_ = new QButtonGroup(this);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  for (int i = 0; i < kPortNameCount; ++i) {
    auto* button = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), this);
    button->setObjectName(QStringLiteral("rbCom%1").arg(i + 1));
    ports_->addButton(button, i + 1);
    auto* device = new QLabel(this);
    device->setObjectName(QStringLiteral("lbCom%1").arg(i + 1));
    device->setBuddy(button);
    rowDevices_.push_back(device);
    const int row = i / kPortsPerRow, column = 2 * (i % kPortsPerRow);
    grid->addWidget(button, row, column);
    grid->addWidget(device, row, column + 1);
    grid->setColumnMinimumWidth(column + 1, 60);
    if (column > 0) grid->setColumnMinimumWidth(column, 0);
  }
  for (int column = 2; column < 2 * kPortsPerRow; column += 2) {
    grid->setColumnStretch(column - 1, 1);  // a gap after each device name
  }
  connect(ports_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) ShowChosenPort();
  });

  auto* chosen = new QGroupBox(this);
  chosen->setObjectName("gbDevice");
  chosenDevice_ = new QLabel(chosen);
  chosenDevice_->setObjectName("lbDevice");
  chosenDevice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  deviceList_ = new QComboBox(chosen);
  deviceList_->setObjectName("cbDevice");
  deviceList_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  hint_ = new QLabel(chosen);
  hint_->setObjectName("lbHint");
  hint_->setWordWrap(true);
  auto* chosenColumn = new QVBoxLayout(chosen);
  chosenColumn->addWidget(chosenDevice_);
  chosenColumn->addWidget(deviceList_);
  chosenColumn->addWidget(hint_);

  const auto [ok, cancel] = AddOkEscButtons(*this, "bbOK", "bbCancel");
  connect(ok, &QPushButton::clicked, this, &TChoixCom::bbOKClick);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* column = new QVBoxLayout(this);
  column->addLayout(grid);
  column->addWidget(chosen);
  column->addStretch();
  column->addLayout(buttons);

  resize(kDesignedSize);
  NameControls(*this, language_);
  // Filled once now so that every control has its text and name before the
  // first showing, which fills it afresh.
  ShowChoices();
  ShowChosenPort();
  CentreOnPrimaryScreen(*this);
}

void TChoixCom::showEvent(QShowEvent* event) {
  setWindowTitle(Message(msg::kPortSelection, language_));
  NameControls(*this, language_);
  ShowChoices();
  const QString current = QString::fromStdString(currentPort_ ? currentPort_() : std::string());
  // An exclusive group refuses to uncheck its last button; lift the rule while
  // clearing so that an unknown port shows no choice at all.
  ports_->setExclusive(false);
  for (QAbstractButton* button : ports_->buttons()) button->setChecked(button->text() == current);
  ports_->setExclusive(true);
  ShowChosenPort();
  QDialog::showEvent(event);
}

void TChoixCom::ShowChoices() {
  // Read afresh at each showing: adapters come and go while the program runs.
  choices_ = ReadPortChoices(devices_.settings != nullptr ? *devices_.settings : Settings{},
                             devices_.roots);
  const std::string current = currentPort_ ? currentPort_() : std::string();
  const bool currentOpen = devices_.currentPortOpen && devices_.currentPortOpen();
  for (std::size_t i = 0; i < choices_.rows.size() && i < rowDevices_.size(); ++i) {
    PortRow& row = choices_.rows[i];
    row.present = row.present || (currentOpen && row.portName == current);
    QLabel& label = *rowDevices_[i];
    label.setText(FromUtf8(RowDeviceLabel(choices_, row)) + (row.present ? kConnectedMark : ""));
    label.setEnabled(row.present);
    label.setToolTip(FromUtf8(row.devicePath));
    DescribeLabelForReader(label, FromUtf8(row.portName + ": " + row.devicePath) +
                                      QStringLiteral(", ") + Presence(row.present, language_));
  }
  auto* chosen = findChild<QGroupBox*>("gbDevice");
  chosen->setTitle(UiString(UiText::PortDevice, language_));
  NameForReader(*chosen, chosen->title());
}

void TChoixCom::ShowChosenPort() {
  const int id = ports_->checkedId();
  const bool chosen = id >= 1 && id <= static_cast<int>(choices_.rows.size());
  deviceList_->clear();
  deviceList_->setEnabled(chosen && devices_.settings != nullptr && !choices_.devices.empty());
  if (chosen) {
    const PortRow& row = choices_.rows[static_cast<std::size_t>(id - 1)];
    chosenDevice_->setText(FromUtf8(row.portName + " \u2192 " + row.devicePath) +
                           QStringLiteral(", ") + Presence(row.present, language_));
    // The device the name stands for now comes first when it is not listed,
    // so that leaving the list alone keeps the binding.
    const int offered = OfferedDeviceOfRow(choices_, row);
    if (offered < 0) {
      deviceList_->addItem(
          FromUtf8(row.devicePath) + QStringLiteral(" \u2013 ") + Presence(row.present, language_),
          -1);
    }
    const std::string unnamed(UiTextUtf8(UiText::SerialPortDevice, language_.LanguageIndex));
    for (std::size_t i = 0; i < choices_.devices.size(); ++i) {
      deviceList_->addItem(FromUtf8(OfferedDeviceText(choices_.devices[i], unnamed)),
                           static_cast<int>(i));
    }
    deviceList_->setCurrentIndex(std::max(0, deviceList_->findData(offered)));
  } else {
    chosenDevice_->clear();
  }
  hint_->setText(UiString(
      choices_.devices.empty() ? UiText::NoSerialDevice : UiText::PortDeviceHint, language_));
  DescribeLabelForReader(*chosenDevice_, UiString(UiText::PortDevice, language_));
  DescribeLabelForReader(*hint_, {});
  FixSizeAtLeast(*this, kDesignedSize);
}

void TChoixCom::bbOKClick() {
  const int id = ports_->checkedId();
  if (id < 1 || id > static_cast<int>(choices_.rows.size())) return accept();
  const PortRow& row = choices_.rows[static_cast<std::size_t>(id - 1)];
  const std::string current = currentPort_ ? currentPort_() : std::string();
  const int device = deviceList_->currentData().isValid() ? deviceList_->currentData().toInt() : -1;
  bool rebound = false;
  if (device >= 0 && device != OfferedDeviceOfRow(choices_, row) && devices_.settings != nullptr) {
    if (!BindPort(*devices_.settings, row.portName,
                  choices_.devices[static_cast<std::size_t>(device)].device)) {
      // Nothing was written, so the link stays where it is.
      hint_->setText(UiString(UiText::SettingsNotWritten, language_));
      FixSizeAtLeast(*this, kDesignedSize);
      return;
    }
    rebound = true;
  }
  if ((row.portName != current || rebound) && changePort_) {
    changePort_(row.portName, rebound && row.portName == current ? row.devicePath : std::string());
  }
  accept();
}

}  // namespace tesmora::ui
