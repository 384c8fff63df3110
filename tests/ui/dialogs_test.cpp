#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <ostream>
#include <string>
#include <vector>

#include "link/link_fakes.h"
#include "platform/file_io.h"
#include "platform/profile_file.h"
#include "shell/company.h"
#include "shell/window_placement.h"
#include "support/temp_dir.h"
#include "ui/about_box.h"
#include "ui/company_dialog.h"
#include "ui/copy_window.h"
#include "ui/deletion_window.h"
#include "ui/password_dialog.h"
#include "ui/port_dialog.h"
#include "ui/splash_window.h"
#include "window_test_support.h"

namespace tesmora::ui {
namespace {

using tesmora::testing::TempDir;

LanguageState Language(int index) {
  LanguageState state;
  ChooseLanguage(state, index);
  return state;
}

template <typename T>
T* Child(const QWidget& window, const char* name) {
  T* child = window.findChild<T*>(name);
  if (child == nullptr)
    ADD_FAILURE() << "no " << name << " in " << window.objectName().toStdString();
  return child;
}

QString LabelText(const QWidget& window, const char* name) {
  const auto* label = Child<QLabel>(window, name);
  return label != nullptr ? label->text() : QString();
}

void Click(const QWidget& window, const char* button) {
  if (auto* found = Child<QAbstractButton>(window, button)) found->click();
}

void PressEscape(QWidget& window) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&window, &press);
}

// Every text of a shown window must fit its widget, in every language: a
// label narrower than its text, or a wrapped one shorter than its lines, is
// clipped on the screen.
void ExpectNoClippedText(const QWidget& window) {
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (!label->isVisibleTo(&window) || label->text().isEmpty()) continue;
    if (label->wordWrap()) {
      EXPECT_GE(label->height(), label->heightForWidth(label->width()))
          << label->objectName().toStdString();
    } else {
      EXPECT_GE(label->width(), label->minimumSizeHint().width())
          << label->objectName().toStdString() << " \"" << label->text().toStdString() << "\"";
    }
  }
  for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    EXPECT_GE(button->width(), button->minimumSizeHint().width())
        << button->objectName().toStdString();
  }
}

// ---------------------------------------------------------------- password

struct CaptionCase {
  int languageIndex;
  const char* caption;
  const char* prompt;
};

void PrintTo(const CaptionCase& c, std::ostream* out) { *out << "language " << c.languageIndex; }

class PasswordCaptions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(PasswordCaptions, ComeFromTheTableInTheCurrentLanguage) {
  const LanguageState language = Language(GetParam().languageIndex);
  TPasswordDlg dialog(language);
  EXPECT_EQ(dialog.objectName(), "PasswordDlg");
  dialog.open();
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(GetParam().caption));
  EXPECT_EQ(LabelText(dialog, "Label1"), QString::fromUtf8(GetParam().prompt));
  ExpectNoClippedText(dialog);
  dialog.reject();
}

INSTANTIATE_TEST_SUITE_P(FrenchAndEnglish, PasswordCaptions,
                         ::testing::Values(CaptionCase{0, "Afficher tous les fichiers",
                                                       "Veuillez saisir le mot de passe :"},
                                           CaptionCase{1, "Display all files",
                                                       "Please enter the password :"}));

TEST(PasswordDialog, FollowsALanguageChangeBetweenOpenings) {
  LanguageState language = Language(1);
  TPasswordDlg dialog(language);
  dialog.open();
  dialog.reject();
  ChooseLanguage(language, 0);
  dialog.open();
  EXPECT_EQ(dialog.windowTitle(), "Afficher tous les fichiers");
  dialog.reject();
}

TEST(PasswordDialog, EveryOpeningStartsFromAnEmptyFocusedEdit) {
  const LanguageState language = Language(1);
  TPasswordDlg dialog(language);
  auto* edit = Child<QLineEdit>(dialog, "Password");
  ASSERT_NE(edit, nullptr);
  for (const char* attempt : {"7858", "7859 "}) {
    dialog.open();
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_EQ(dialog.focusWidget(), edit);
    edit->setText(QString::fromUtf8(attempt));
    Click(dialog, "OKBtn");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.typedPassword(), QString::fromUtf8(attempt));
  }
  dialog.open();
  EXPECT_TRUE(dialog.typedPassword().isEmpty());
  Click(dialog, "CancelBtn");
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(PasswordDialog, MasksEveryCharacterWithAStar) {
  const LanguageState language = Language(1);
  TPasswordDlg dialog(language);
  auto* edit = Child<QLineEdit>(dialog, "Password");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
  EXPECT_EQ(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit), '*');
  auto* ok = Child<QPushButton>(dialog, "OKBtn");
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(ok->isDefault());
  EXPECT_EQ(Child<QPushButton>(dialog, "CancelBtn")->text(), "ESC");
}

// ----------------------------------------------------------------- company

std::vector<std::string> EditTexts(const TFormSociete& dialog) {
  std::vector<std::string> texts;
  for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4"}) {
    const auto* edit = Child<QLineEdit>(dialog, name);
    texts.push_back(edit != nullptr ? edit->text().toStdString() : std::string());
  }
  return texts;
}

std::vector<std::string> Lines(const structure_societe& company) {
  return {company.lines.begin(), company.lines.end()};
}

void SetEdit(const TFormSociete& dialog, const char* name, const QString& text) {
  if (auto* edit = Child<QLineEdit>(dialog, name)) edit->setText(text);
}

struct CloseWay {
  const char* name;
  void (*close)(TFormSociete&);
};

void PrintTo(const CloseWay& c, std::ostream* out) { *out << c.name; }

class CompanyClose : public ::testing::TestWithParam<CloseWay> {};

TEST_P(CompanyClose, WithoutAFileShowsTheDefaultsAndWritesThemUnchanged) {
  TempDir program;
  const LanguageState language = Language(1);
  link::testing::FakePrompter prompter;
  TFormSociete dialog(language, program.path(), prompter);
  dialog.open();
  EXPECT_EQ(EditTexts(dialog), Lines(DefaultCompanyLines()));
  SetEdit(dialog, "Edit2", "Somewhere else");
  GetParam().close(dialog);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(Lines(dialog.company()), Lines(DefaultCompanyLines()));
  EXPECT_EQ(Lines(ReadCompanyFile(program.path())), Lines(DefaultCompanyLines()));
  EXPECT_NE(tesmora::testing::ReadBytes(program.File("societe.txt")).find("Ligne4="),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    EveryWayButOk, CompanyClose,
    ::testing::Values(CloseWay{"EscButton", [](TFormSociete& d) { Click(d, "BitBtn2"); }},
                      CloseWay{"EscapeKey", [](TFormSociete& d) { PressEscape(d); }},
                      CloseWay{"CloseBox", [](TFormSociete& d) { d.close(); }}),
    [](const ::testing::TestParamInfo<CloseWay>& info) { return std::string(info.param.name); });

TEST(CompanyDialog, OkStoresAndWritesTheLinesInCodePage1252) {
  TempDir program;
  const LanguageState language = Language(0);
  link::testing::FakePrompter prompter;
  TFormSociete dialog(language, program.path(), prompter);
  dialog.open();
  SetEdit(dialog, "Edit1", QString::fromUtf8("Laboratoire des C\u00e9r\u00e9ales"));
  SetEdit(dialog, "Edit4", QString::fromUtf8("Fran\u00e7e \u20ac"));
  Click(dialog, "BitBtn1");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.company().lines[0],
            "Laboratoire des C\xe9r\xe9"
            "ales");
  EXPECT_EQ(dialog.company().lines[3],
            "Fran\xe7"
            "e \x80");
  const std::string file = tesmora::testing::ReadBytes(program.File("societe.txt"));
  EXPECT_NE(file.find("Ligne1=Laboratoire des C\xe9r\xe9"
                      "ales"),
            std::string::npos)
      << file;
  EXPECT_NE(file.find("Ligne4=Fran\xe7"
                      "e \x80"),
            std::string::npos)
      << file;

  // The next opening shows what was stored, decoded again.
  dialog.open();
  EXPECT_EQ(EditTexts(dialog)[0], "Laboratoire des C\u00e9r\u00e9ales");
  dialog.reject();
}

// Records the language every message box is shown in as well.
class LanguageRecordingPrompter : public link::testing::FakePrompter {
 public:
  void ShowMessage(std::string_view caption, std::string_view text, PromptIcon icon,
                   std::uint16_t languageId) override {
    languageIds.push_back(languageId);
    FakePrompter::ShowMessage(caption, text, icon, languageId);
  }
  std::vector<std::uint16_t> languageIds;
};

TEST(CompanyDialog, ACharacterOutsideCodePage1252IsRefusedAndNothingChanges) {
  TempDir program;
  const LanguageState language = Language(1);
  LanguageRecordingPrompter prompter;
  TFormSociete dialog(language, program.path(), prompter);
  dialog.open();
  SetEdit(dialog, "Edit1", "New name");
  SetEdit(dialog, "Edit3", QString::fromUtf8("\u0141\u00f3d\u017a"));

  Click(dialog, "BitBtn1");

  // The box goes through the program's prompter, in the message language.
  ASSERT_EQ(prompter.messages().size(), 1u);
  EXPECT_EQ(prompter.captions()[0], "Tesmora");
  EXPECT_EQ(prompter.messages()[0], "Incorrect character");
  EXPECT_EQ(prompter.languageIds, std::vector<std::uint16_t>{language.MessageLanguageId});
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Lines(dialog.company()), Lines(DefaultCompanyLines()));
  EXPECT_FALSE(std::filesystem::exists(program.File("societe.txt")));
  dialog.reject();
}

TEST(CompanyDialog, ReadsAFileWhoseSectionIsInCapitals) {
  TempDir program;
  tesmora::testing::WriteBytes(program.File("societe.txt"),
                               "[SOCIETE]\r\nLigne1=Moulin d'essai\r\nLigne3=Z\xfcrich\r\n");
  const LanguageState language = Language(1);
  link::testing::FakePrompter prompter;
  TFormSociete dialog(language, program.path(), prompter);
  EXPECT_EQ(dialog.company().lines[0], "Moulin d'essai");
  EXPECT_EQ(dialog.company().lines[2], "Z\xfcrich");
  dialog.open();
  const std::vector<std::string> shown = EditTexts(dialog);
  EXPECT_EQ(shown[0], "Moulin d'essai");
  EXPECT_EQ(shown[1], DefaultCompanyLines().lines[1]);
  EXPECT_EQ(shown[2], "Z\u00fcrich");
  dialog.reject();
}

TEST(CompanyDialog, LabelsAndCaptionInTheCurrentLanguage) {
  TempDir program;
  const LanguageState czech = Language(7);
  link::testing::FakePrompter prompter;
  TFormSociete dialog(czech, program.path(), prompter);
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
  dialog.open();
  EXPECT_EQ(dialog.windowTitle(), "Firma");
  EXPECT_EQ(LabelText(dialog, "Label1"), QString::fromUtf8("R\u00c1DEK 1"));
  // Lines 2 to 4 are recorder texts in the other code page.
  EXPECT_EQ(LabelText(dialog, "Label2"), QString::fromUtf8("R\u00c1DEK 2"));
  EXPECT_EQ(LabelText(dialog, "Label4"), QString::fromUtf8("R\u00c1DEK 4"));
  dialog.reject();
}

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
  for (int language = 0; language < 8; ++language) {
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

// -------------------------------------------------------- copy and deletion

int BarValue(const QWidget& window) {
  const auto* bar = Child<QProgressBar>(window, "ProgressBar1");
  return bar != nullptr ? bar->value() : -1;
}

bool Visible(const QWidget& window, const char* name) {
  const auto* child = Child<QWidget>(window, name);
  return child != nullptr && child->isVisibleTo(&window);
}

TEST(CopyWindow, ShowContentFillsTheLabelsAndOpensOnce) {
  const LanguageState language = Language(1);
  TFenCopie100b window(language);
  EXPECT_FALSE(window.isModal());
  EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
  int shown = 0;
  window.onShown = [&] { ++shown; };

  window.ShowContent({"T0012345.TES", "KALDIRONE --> 'Tests'", false});
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), "Copy...");
  EXPECT_EQ(LabelText(window, "zeNomFich"), "T0012345.TES");
  EXPECT_TRUE(Child<QLabel>(window, "zeNomFich")->font().bold());
  EXPECT_EQ(LabelText(window, "zeExpDest"), "KALDIRONE --> 'Tests'");
  EXPECT_TRUE(Visible(window, "ProgressBar1"));
  EXPECT_FALSE(Visible(window, "Label1"));
  ExpectNoClippedText(window);

  // The next file of the batch reuses the open window.
  window.Progress(link::CopyProgressEvent::Step);
  window.ShowContent({"T0012346.TES", "KALDIRONE --> 'Tests'", false});
  EXPECT_EQ(LabelText(window, "zeNomFich"), "T0012346.TES");
  EXPECT_EQ(BarValue(window), 0);
  EXPECT_EQ(shown, 1);

  window.hide();
  window.ShowContent({"T0012347.TES", "'Tests' --> KALDIRONE", false});
  EXPECT_EQ(shown, 2);
}

struct ProgressCase {
  const char* name;
  std::vector<link::CopyProgressEvent> events;
  int value;
};

void PrintTo(const ProgressCase& c, std::ostream* out) { *out << c.name; }

class CopyProgressBar : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(CopyProgressBar, MovesByTenAndStartsAgainPastFull) {
  const LanguageState language = Language(1);
  TFenCopie100b window(language);
  window.ShowContent({"T1.TES", "x", false});
  for (link::CopyProgressEvent event : GetParam().events) window.Progress(event);
  EXPECT_EQ(BarValue(window), GetParam().value);
}

using E = link::CopyProgressEvent;
INSTANTIATE_TEST_SUITE_P(
    Events, CopyProgressBar,
    ::testing::Values(ProgressCase{"ThreeSteps", {E::Step, E::Step, E::Step}, 30},
                      ProgressCase{"Full", {E::Step, E::Full}, 100},
                      ProgressCase{"TenStepsFill", std::vector<E>(10, E::Step), 100},
                      ProgressCase{"StepsPastFullStartAgain", std::vector<E>(12, E::Step), 20},
                      ProgressCase{"StepAfterFull", {E::Full, E::Step}, 10},
                      ProgressCase{"ToggleLeavesTheBar", {E::Step, E::ToggleLabel}, 10},
                      ProgressCase{"StepsOfOne", {E::StepOne, E::StepOne, E::Step}, 12},
                      ProgressCase{"HundredStepsOfOneFillOnce", std::vector<E>(100, E::StepOne),
                                   100},
                      ProgressCase{"StepOfOnePastFullStartsAgain", {E::Full, E::StepOne}, 1}),
    [](const ::testing::TestParamInfo<ProgressCase>& info) {
      return std::string(info.param.name);
    });

TEST(CopyWindow, RawModeBlinksTheLabelInPlaceOfTheBar) {
  const LanguageState language = Language(5);
  TFenCopie100b window(language);
  window.ShowContent({"EMERGENCY", "", true});
  EXPECT_EQ(LabelText(window, "Label1"), QString::fromUtf8("\u00dcBERTRAGUNG L\u00c4UFT"));
  EXPECT_TRUE(Visible(window, "Label1"));
  EXPECT_FALSE(Visible(window, "ProgressBar1"));
  window.Progress(E::ToggleLabel);
  EXPECT_FALSE(Visible(window, "Label1"));
  window.Progress(E::ToggleLabel);
  EXPECT_TRUE(Visible(window, "Label1"));
  EXPECT_FALSE(Visible(window, "ProgressBar1"));

  // A following byte-counted transfer brings the bar back.
  window.ShowContent({"T1.TES", "x", false});
  EXPECT_FALSE(Visible(window, "Label1"));
  EXPECT_TRUE(Visible(window, "ProgressBar1"));
}

TEST(CopyWindow, EscButtonAndKeyAskTheOwnerAndLeaveItOpen) {
  const LanguageState language = Language(1);
  TFenCopie100b window(language);
  int escapes = 0;
  int shown = 0;
  window.onEscape = [&] { ++escapes; };
  window.onShown = [&] { ++shown; };
  window.ShowContent({"T1.TES", "x", false});
  Click(window, "bEscCopie");
  EXPECT_EQ(escapes, 1);
  PressEscape(window);
  EXPECT_EQ(escapes, 2);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(shown, 1);
  // The owner can still close it.
  window.close();
  EXPECT_FALSE(window.isVisible());
}

TEST(DeletionWindow, ShowsEachNameAndEscAsksTheOwner) {
  const LanguageState language = Language(0);
  TFenSuiviSup100b window(language);
  EXPECT_FALSE(window.isModal());
  EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
  int escapes = 0;
  window.onEscape = [&] { ++escapes; };
  window.ShowName("T0000001.TES");
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), "Suppression ...");
  EXPECT_EQ(LabelText(window, "zaNomFichSup"), "T0000001.TES");
  window.ShowName("T0000002.TES");
  EXPECT_EQ(LabelText(window, "zaNomFichSup"), "T0000002.TES");
  Click(window, "bEscSup");
  PressEscape(window);
  EXPECT_EQ(escapes, 2);
  EXPECT_TRUE(window.isVisible());
  window.close();
  EXPECT_FALSE(window.isVisible());
}

// ------------------------------------------------------------------- about

struct NoticeCase {
  int languageIndex;
  const char* caption;
  bool french;
};

void PrintTo(const NoticeCase& c, std::ostream* out) { *out << "language " << c.languageIndex; }

class AboutNotice : public ::testing::TestWithParam<NoticeCase> {};

TEST_P(AboutNotice, FrenchOnlyForTheFrenchColumn) {
  const LanguageState language = Language(GetParam().languageIndex);
  TAffVersion box(language, [] { return std::string(); });
  box.open();
  EXPECT_EQ(box.windowTitle(), QString::fromUtf8(GetParam().caption));
  const QString notice = LabelText(box, "txtLicence");
  EXPECT_EQ(notice.contains("logiciel"), GetParam().french) << notice.toStdString();
  EXPECT_EQ(notice.contains("software"), !GetParam().french) << notice.toStdString();
  ExpectNoClippedText(box);
  box.reject();
}

INSTANTIATE_TEST_SUITE_P(Languages, AboutNotice,
                         ::testing::Values(NoticeCase{0, "A propos de Tesmora", true},
                                           NoticeCase{1, "About Tesmora", false},
                                           NoticeCase{3, "Informazioni su Tesmora", false},
                                           NoticeCase{7, "O programu Tesmora", false}));

TEST(AboutBox, RecorderVersionIsEmptyUntilTheRecorderAnswers) {
  const LanguageState language = Language(1);
  std::string reported;
  TAffVersion box(language, [&] { return reported; });
  EXPECT_EQ(box.objectName(), "AffVersion");
  box.open();
  EXPECT_TRUE(LabelText(box, "zeVersionKaldirone").isEmpty());
  EXPECT_EQ(LabelText(box, "zaTesmora"), "v");
  EXPECT_EQ(LabelText(box, "zaVersionTesmora"), "3.06");
  box.reject();

  reported = "V2.14\xe9";  // bytes from the link, shown as Latin-1
  box.open();
  EXPECT_EQ(LabelText(box, "zeVersionKaldirone"), QString::fromUtf8("V2.14\u00e9"));

  // The recorder may answer while the box stays open behind another window.
  reported = "V2.15";
  QEvent activation(QEvent::WindowActivate);
  QApplication::sendEvent(&box, &activation);
  EXPECT_EQ(LabelText(box, "zeVersionKaldirone"), "V2.15");
  box.reject();
}

// ------------------------------------------------------------------ splash

TEST(Splash, FramelessHalfTransparentInTheUpperPartOfTheScreen) {
  TSplash_dlg splash;
  EXPECT_EQ(splash.objectName(), "Splash_dlg");
  EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(splash.size(), QSize(406, 136));
  EXPECT_NEAR(splash.windowOpacity(), 150.0 / 255.0, 0.01);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const WindowOrigin origin = SplashOrigin(screen.width(), screen.height(), 406, 136);
  EXPECT_EQ(splash.pos(), QPoint(screen.left() + origin.left, screen.top() + origin.top));
  EXPECT_EQ(LabelText(splash, "zaTesmora"), "Tesmora :");
  EXPECT_EQ(LabelText(splash, "zaVersionTesmora"), "3.06");
  const auto* mark = Child<QLabel>(splash, "zaTesmora");
  EXPECT_TRUE(mark->font().bold() && mark->font().italic());
  EXPECT_EQ(mark->font().pixelSize(), 13);
  EXPECT_NE(Child<QWidget>(splash, "Image1"), nullptr);
  splash.show();
  ExpectNoClippedText(splash);
}

TEST(ProgressWindows, TheWindowManagersCloseIsIgnored) {
  const LanguageState language = Language(1);
  TFenCopie100b copy(language);
  copy.ShowContent({"T0012345.TES", "'Tests' --> KALDIRONE", false});
  TFenSuiviSup100b deletion(language);
  deletion.ShowName("T0012345.TES");
  for (QDialog* window : std::initializer_list<QDialog*>{&copy, &deletion}) {
    // Alt+F4 or a close box: the window system's close event.
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    qApp->notify(window, &close);  // as delivered, spontaneous still
    EXPECT_FALSE(close.isAccepted()) << window->objectName().toStdString();
    EXPECT_TRUE(window->isVisible()) << window->objectName().toStdString();
  }
}

// ------------------------------------------------ placement and every text

TEST(MinorWindows, CentredOnThePrimaryScreenWhenCreated) {
  const LanguageState language = Language(1);
  TempDir program;
  TPasswordDlg password(language);
  link::testing::FakePrompter prompter;
  TFormSociete company(language, program.path(), prompter);
  TChoixCom port(
      language, [] { return std::string("COM1"); }, [](const std::string&, const std::string&) {});
  TFenCopie100b copy(language);
  TFenSuiviSup100b deletion(language);
  TAffVersion about(language, [] { return std::string(); });
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  for (const QWidget* window : std::initializer_list<const QWidget*>{&password, &company, &port,
                                                                     &copy, &deletion, &about}) {
    const WindowOrigin origin =
        CentredOrigin(screen.width(), screen.height(), window->width(), window->height());
    EXPECT_EQ(window->pos(), QPoint(screen.left() + origin.left, screen.top() + origin.top))
        << window->objectName().toStdString();
  }
}

class EveryLanguage : public ::testing::TestWithParam<int> {};

TEST_P(EveryLanguage, NoTextIsClipped) {
  const LanguageState language = Language(GetParam());
  TempDir program;
  TPasswordDlg password(language);
  password.open();
  ExpectNoClippedText(password);
  link::testing::FakePrompter prompter;
  TFormSociete company(language, program.path(), prompter);
  company.open();
  ExpectNoClippedText(company);
  TFenCopie100b copy(language);
  copy.ShowContent({"T0012345.TES", "'Tests' --> KALDIRONE", true});
  ExpectNoClippedText(copy);
  TFenSuiviSup100b deletion(language);
  deletion.ShowName("T0012345.TES");
  ExpectNoClippedText(deletion);
  password.reject();
  company.reject();
}

INSTANTIATE_TEST_SUITE_P(AllEight, EveryLanguage, ::testing::Range(0, 8));

}  // namespace
}  // namespace tesmora::ui
