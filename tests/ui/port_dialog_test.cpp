// The serial port dialog: its ports, the device beside each, and the binding
// of a port name to a device by its stable name.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "platform/file_io.h"
#include "platform/profile_file.h"
#include "support/temp_dir.h"
#include "ui/dialogs/port_dialog.h"
#include "window_test_support.h"

namespace tesmora::ui {
namespace {

using tesmora::testing::TempDir;
using testing::Child;
using testing::Click;
using testing::ExpectNoClippedText;
using testing::LabelText;
using testing::Language;
using testing::PressEscape;

// -------------------------------------------------------------------- port

struct PortDialogProbe {
  std::string current = "COM5";
  std::vector<std::string> changes;
  LanguageState language = Language(1);
  TChoixCom dialog{
      language, [this] { return current; },
      [this](const std::string& name, const std::string&) { changes.push_back(name); }};

  std::vector<std::string> Checked() const {
    std::vector<std::string> checked;
    for (const QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
      if (button->isChecked()) checked.push_back(button->objectName().toStdString());
    }
    return checked;
  }
};

struct CheckedCase {
  const char* current;
  std::vector<std::string> checked;
};

void PrintTo(const CheckedCase& c, std::ostream* out) { *out << "current \"" << c.current << '"'; }

class PortShown : public ::testing::TestWithParam<CheckedCase> {};

TEST_P(PortShown, ChecksTheCurrentPortOnly) {
  PortDialogProbe probe;
  probe.dialog.open();  // first with COM5, so that clearing is exercised too
  probe.dialog.reject();
  probe.current = GetParam().current;
  probe.dialog.open();
  EXPECT_EQ(probe.Checked(), GetParam().checked);
  probe.dialog.reject();
}

INSTANTIATE_TEST_SUITE_P(Names, PortShown,
                         ::testing::Values(CheckedCase{"COM1", {"rbCom1"}},
                                           CheckedCase{"COM27", {"rbCom27"}},
                                           CheckedCase{"COM12", {"rbCom12"}},
                                           CheckedCase{"COM28", {}}, CheckedCase{"com3", {}},
                                           CheckedCase{"", {}}));

TEST(PortDialog, TwentySevenPortsThreeToARowInRowOrder) {
  PortDialogProbe probe;
  probe.dialog.open();
  EXPECT_EQ(probe.dialog.windowTitle(), "Port selection");
  EXPECT_EQ(probe.dialog.findChildren<QRadioButton*>().size(), 27);
  for (int i = 1; i <= 27; ++i) {
    const auto* button = Child<QRadioButton>(probe.dialog, qPrintable(QString("rbCom%1").arg(i)));
    const auto* rowStart =
        Child<QRadioButton>(probe.dialog, qPrintable(QString("rbCom%1").arg((i - 1) / 3 * 3 + 1)));
    ASSERT_TRUE(button != nullptr && rowStart != nullptr);
    EXPECT_EQ(button->text(), QString("COM%1").arg(i));
    EXPECT_EQ(button->y(), rowStart->y()) << i;
    if (i > 3) {
      const auto* above =
          Child<QRadioButton>(probe.dialog, qPrintable(QString("rbCom%1").arg(i - 3)));
      EXPECT_EQ(button->x(), above->x()) << i;
      EXPECT_GT(button->y(), above->y()) << i;
    }
  }
  ExpectNoClippedText(probe.dialog);
  probe.dialog.reject();
}

TEST(PortDialog, OkOnTheCurrentPortChangesNothing) {
  PortDialogProbe probe;
  probe.dialog.open();
  Click(probe.dialog, "bbOK");
  EXPECT_TRUE(probe.changes.empty());
  EXPECT_EQ(probe.dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(probe.dialog.isVisible());
}

TEST(PortDialog, OkWithNothingCheckedChangesNothing) {
  PortDialogProbe probe;
  probe.current = "COM99";
  probe.dialog.open();
  Click(probe.dialog, "bbOK");
  EXPECT_TRUE(probe.changes.empty());
  EXPECT_EQ(probe.dialog.result(), QDialog::Accepted);
}

TEST(PortDialog, OkOnAnotherPortMovesTheLinkOnce) {
  PortDialogProbe probe;
  probe.dialog.open();
  Click(probe.dialog, "rbCom12");
  Click(probe.dialog, "bbOK");
  EXPECT_EQ(probe.changes, std::vector<std::string>{"COM12"});
  EXPECT_FALSE(probe.dialog.isVisible());
}

TEST(PortDialog, EscLeavesThePortAlone) {
  PortDialogProbe probe;
  probe.dialog.open();
  Click(probe.dialog, "rbCom12");
  Click(probe.dialog, "bbCancel");
  EXPECT_TRUE(probe.changes.empty());
  EXPECT_EQ(probe.dialog.result(), QDialog::Rejected);
}

// The dialog on a sample machine: one USB adapter (ttyUSB0, with its stable
// name), no on-board port; COM2 bound to an adapter that is not there.
class PortBinding : public ::testing::Test {
 protected:
  static constexpr char kSettings[] =
      "[LIAISON]\nPort=COM1\n; kept as written\n[EXPORT]\nMode=1\n[PORTS]\nCOM2=/dev/ttyUSB7\n"
      "[REPERTOIRE]\nSauvegarde Auto=/tmp/\n";

  PortBinding() {
    tesmora::testing::WriteBytes(program_.File("tesmora.ini"), kSettings);
    settings_ = LoadSettings(program_.path(), program_.path());
  }
  std::unique_ptr<TChoixCom> Dialog(const LanguageState& language) {
    return std::make_unique<TChoixCom>(
        language, [this] { return current_; },
        [this](const std::string& name, const std::string& previous) {
          moves_.push_back({name, previous});
        },
        PortDevicesSource{&settings_, devices_.roots(), {}});
  }
  std::string SettingsText() const {
    return platform::ReadWholeFile(program_.File("tesmora.ini")).value_or("");
  }
  static QStringList Items(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) items << list.itemText(i);
    return items;
  }

  TempDir program_, nodes_;
  testing::SampleSerialDevices devices_{nodes_.File("pty")};
  Settings settings_;
  std::string current_ = "COM1";
  std::vector<std::pair<std::string, std::string>> moves_;
  LanguageState english_ = Language(1);
};

TEST_F(PortBinding, BesideEachPortItsDeviceAndWhetherItIsConnected) {
  tesmora::testing::WriteBytes(nodes_.File("pty"), "");
  platform::WriteProfileString(settings_.settingsPath, "PORTS", "COM4", devices_.stablePath());
  const auto dialog = Dialog(english_);
  dialog->open();
  const struct {
    const char* label;
    const char* text;
    bool connected;
  } rows[] = {{"lbCom1", "ttyS0", false},
              {"lbCom2", "ttyUSB7", false},
              {"lbCom4", "ttyUSB0 \u2713", true},
              {"lbCom27", "ttyS26", false}};
  for (const auto& row : rows) {
    const auto* label = Child<QLabel>(*dialog, row.label);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8(row.text)) << row.label;
    EXPECT_EQ(label->isEnabled(), row.connected) << row.label;
    // Heard by its text, described by its port, device and presence.
    EXPECT_TRUE(label->accessibleName().isEmpty()) << row.label;
    EXPECT_TRUE(
        label->accessibleDescription().endsWith(row.connected ? ", connected" : ", not connected"))
        << row.label;
  }
  EXPECT_EQ(Child<QLabel>(*dialog, "lbCom4")->accessibleDescription(),
            QString::fromStdString("COM4: " + devices_.stablePath() + ", connected"));
  const auto* list = Child<QComboBox>(*dialog, "cbDevice");
  // COM1 is checked: its device is not there, the adapter is offered.
  EXPECT_EQ(Items(*list), QStringList({QString::fromUtf8("/dev/ttyS0 \u2013 not connected"),
                                       QString::fromUtf8("FTDI FT232R USB UART, serial A50285BI "
                                                         "\u2013 ttyUSB0 (COM4)")}));
  EXPECT_EQ(list->currentIndex(), 0);
  EXPECT_EQ(LabelText(*dialog, "lbDevice"), "COM1 \u2192 /dev/ttyS0, not connected");
  Click(*dialog, "rbCom4");
  EXPECT_EQ(list->count(), 1);
  EXPECT_EQ(list->currentData().toInt(), 0);
  EXPECT_EQ(LabelText(*dialog, "lbDevice"),
            QString::fromStdString("COM4 \u2192 " + devices_.stablePath() + ", connected"));
  EXPECT_EQ(list->accessibleName(), "Device of the chosen port");
  ExpectNoClippedText(*dialog);
  dialog->reject();
}

// The link talks through the current port: its device is there, even one
// that is no adapter the listing knows.
TEST_F(PortBinding, TheCurrentPortOpenOnTheLinkIsConnected) {
  for (const bool open : {false, true}) {
    TChoixCom dialog(
        english_, [] { return std::string("COM2"); }, [](const std::string&, const std::string&) {},
        PortDevicesSource{&settings_, devices_.roots(), [open] { return open; }});
    dialog.open();
    EXPECT_EQ(Child<QLabel>(dialog, "lbCom2")->isEnabled(), open);
    EXPECT_EQ(LabelText(dialog, "lbDevice"),
              QString("COM2 \u2192 /dev/ttyUSB7, ") + (open ? "connected" : "not connected"));
    EXPECT_FALSE(Child<QLabel>(dialog, "lbCom1")->isEnabled());
    dialog.reject();
  }
}

TEST_F(PortBinding, NoTextIsClippedInAnyLanguage) {
  tesmora::testing::WriteBytes(nodes_.File("pty"), "");
  for (int language = 0; language < kLanguageCount; ++language) {
    const LanguageState state = Language(language);
    const auto dialog = Dialog(state);
    dialog->open();
    ExpectNoClippedText(*dialog);
    dialog->reject();
  }
}

// Choosing a port name and a device writes the binding by the stable name,
// keeps every other line of the file, and moves the link; rebinding the
// current name says which device it stood for, so the link can go back.
TEST_F(PortBinding, ChoosingADeviceBindsItByItsStableNameAndMovesTheLink) {
  tesmora::testing::WriteBytes(nodes_.File("pty"), "");
  const struct {
    const char* port;
    bool chooseDevice;
    std::string binding;  // the line added to [PORTS], if any
    std::pair<std::string, std::string> move;
  } cases[] = {
      {"rbCom3", true, "COM3=" + devices_.stablePath(), {"COM3", ""}},
      {"rbCom1", true, "COM1=" + devices_.stablePath(), {"COM1", "/dev/ttyS0"}},
      {"rbCom2", false, "", {"COM2", ""}},
  };
  for (const auto& c : cases) {
    tesmora::testing::WriteBytes(program_.File("tesmora.ini"), kSettings);
    moves_.clear();
    const auto dialog = Dialog(english_);
    dialog->open();
    Click(*dialog, c.port);
    auto* list = Child<QComboBox>(*dialog, "cbDevice");
    if (c.chooseDevice) list->setCurrentIndex(list->findData(0));
    Click(*dialog, "bbOK");
    std::string expected = kSettings;
    if (!c.binding.empty()) {
      const std::size_t at = expected.find("[REPERTOIRE]");
      expected.insert(at, c.binding + "\n");
    }
    EXPECT_EQ(SettingsText(), expected) << c.port;
    EXPECT_EQ(moves_, (std::vector<std::pair<std::string, std::string>>{c.move})) << c.port;
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
  }
}

TEST_F(PortBinding, TheDeviceAlreadyBoundIsNotWrittenAgainAndTheSamePortMovesNothing) {
  tesmora::testing::WriteBytes(nodes_.File("pty"), "");
  platform::WriteProfileString(settings_.settingsPath, "PORTS", "COM1", devices_.nodePath());
  const std::string before = SettingsText();
  const auto dialog = Dialog(english_);
  dialog->open();
  EXPECT_EQ(Child<QComboBox>(*dialog, "cbDevice")->currentData().toInt(), 0);
  Click(*dialog, "bbOK");
  EXPECT_EQ(SettingsText(), before);
  EXPECT_TRUE(moves_.empty());
}

TEST_F(PortBinding, WithoutAnyDeviceTheDialogSaysSoAndOffersNone) {
  const auto dialog = std::make_unique<TChoixCom>(
      english_, [] { return std::string("COM1"); }, [](const std::string&, const std::string&) {},
      PortDevicesSource{&settings_, {nodes_.path(), nodes_.path(), nodes_.path()}, {}});
  dialog->open();
  EXPECT_EQ(LabelText(*dialog, "lbHint"), "No serial device was found on this computer.");
  EXPECT_FALSE(Child<QComboBox>(*dialog, "cbDevice")->isEnabled());
  dialog->reject();
}

}  // namespace
}  // namespace tesmora::ui
