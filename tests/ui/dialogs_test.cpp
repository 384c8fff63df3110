#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <ostream>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "link/link_fakes.h"
#include "shell/company.h"
#include "shell/window_placement.h"
#include "support/temp_dir.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/company_dialog.h"
#include "ui/dialogs/copy_window.h"
#include "ui/dialogs/deletion_window.h"
#include "ui/dialogs/password_dialog.h"
#include "ui/dialogs/port_dialog.h"
#include "ui/dialogs/splash_window.h"
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

  window.ShowContent({"T0012345.TES", CopyDirection::FromRecorder, "/lab/Tests/", false});
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
  window.ShowContent({"T0012346.TES", CopyDirection::FromRecorder, "/lab/Tests/", false});
  EXPECT_EQ(LabelText(window, "zeNomFich"), "T0012346.TES");
  EXPECT_EQ(BarValue(window), 0);
  EXPECT_EQ(shown, 1);

  window.hide();
  window.ShowContent({"T0012347.TES", CopyDirection::ToRecorder, "/lab/Tests/", false});
  EXPECT_EQ(LabelText(window, "zeExpDest"), "'Tests' --> KALDIRONE");
  EXPECT_EQ(shown, 2);
}

// A program's bytes, as the link counts them, run the bar once to 100.
TEST(CopyWindow, ProgramBytesRunTheBarOnceToFull) {
  const LanguageState language = Language(1);
  TFenCopie100b window(language);
  window.ShowContent({"EMERGENCY", CopyDirection::None, "", false});
  EXPECT_EQ(LabelText(window, "zeExpDest"), "");
  constexpr std::uint32_t kCount = 4550;
  for (std::uint32_t sent = 1; sent <= kCount / 2; ++sent) window.ProgramProgress(sent, kCount);
  EXPECT_EQ(BarValue(window), 50);
  for (std::uint32_t sent = kCount / 2 + 1; sent <= kCount; ++sent) {
    window.ProgramProgress(sent, kCount);
  }
  EXPECT_EQ(BarValue(window), 100);
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
  window.ShowContent({"T1.TES", CopyDirection::ToRecorder, "/lab/x/", false});
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
  window.ShowContent({"EMERGENCY", CopyDirection::None, "", true});
  EXPECT_EQ(LabelText(window, "Label1"), QString::fromUtf8("\u00dcBERTRAGUNG L\u00c4UFT"));
  EXPECT_TRUE(Visible(window, "Label1"));
  EXPECT_FALSE(Visible(window, "ProgressBar1"));
  window.Progress(E::ToggleLabel);
  EXPECT_FALSE(Visible(window, "Label1"));
  window.Progress(E::ToggleLabel);
  EXPECT_TRUE(Visible(window, "Label1"));
  EXPECT_FALSE(Visible(window, "ProgressBar1"));

  // A following byte-counted transfer brings the bar back.
  window.ShowContent({"T1.TES", CopyDirection::ToRecorder, "/lab/x/", false});
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
  window.ShowContent({"T1.TES", CopyDirection::ToRecorder, "/lab/x/", false});
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
  copy.ShowContent({"T0012345.TES", CopyDirection::ToRecorder, "/lab/Tests/", false});
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
  copy.ShowContent({"T0012345.TES", CopyDirection::ToRecorder, "/lab/Tests/", true});
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
