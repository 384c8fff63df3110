#include "ui/main_window/main_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTreeWidget>

#include "platform/profile_file.h"
#include "shell/menu_captions.h"
#include "shell/message_table.h"
#include "shell/port_open_error.h"
#include "support/temp_dir.h"
#include "window_test_support.h"

namespace tesmora::ui {
namespace {

using link::testing::FakePrompter;
using tesmora::testing::TempDir;
using testing::FastOptions;

QString TextOf(const QObject& window, std::string_view item) {
  const auto* action = window.findChild<QAction*>(QString::fromUtf8(item.data(), item.size()));
  return action != nullptr ? action->text() : QStringLiteral("<missing>");
}

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

TEST(MainWindow, OwnsEveryOtherWindowInCreationOrder) {
  TempDir program;
  FakePrompter prompter;
  TFPtesm100q window(program.path(), 0x0409, FastOptions(prompter));
  window.CreateOwnedWindows();
  QStringList order;
  for (const QDialog* dialog : window.findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
    order << dialog->objectName();
  }
  EXPECT_EQ(order, QStringList({"RepSaveAuto100d", "FenNewRep", "PasswordDlg", "FenCopie100b",
                                "ChoixCom", "FenSuiviSup100b", "AffVersion", "ficheGraphique",
                                "ImpMulti", "FormSociete"}));
}

TEST(MainWindow, EveryCaptionComesFromTheLanguagesColumn) {
  for (const auto& [locale, language] : {std::pair{0x040Cu, 0}, std::pair{0x0809u, 1}}) {
    TempDir program;
    FakePrompter prompter;
    TFPtesm100q window(program.path(), locale, FastOptions(prompter));
    SCOPED_TRACE(language);
    EXPECT_EQ(window.windowTitle(), "TESMORA 3.06");
    for (const MenuCaption& caption : kMainMenuCaptions) {
      EXPECT_EQ(TextOf(window, caption.item), Utf8(MessageUtf8(caption.message, language)))
          << caption.item;
    }
    const auto* popup = window.findChild<QMenu*>("PupMnu");
    ASSERT_NE(popup, nullptr);
    for (const MenuCaption& caption : kPopupMenuCaptions) {
      EXPECT_EQ(TextOf(*popup, caption.item), Utf8(MessageUtf8(caption.message, language)))
          << caption.item;
    }
    const auto* recorderList = window.findChild<QTreeWidget*>("ListKald");
    const MessageId recorderHeaders[] = {msg::kNameColumn, msg::kTypeColumn, msg::kSampleColumn,
                                         msg::kDegradationColumn, msg::kDateColumn};
    for (int column = 0; column < 5; ++column) {
      EXPECT_EQ(recorderList->headerItem()->text(column),
                Utf8(MessageUtf8(recorderHeaders[column], language)));
    }
    const auto* pcList = window.findChild<QTreeWidget*>("ListFichPC");
    EXPECT_EQ(pcList->headerItem()->text(2), Utf8(MessageUtf8(msg::kDateColumn, language)));
    // The fixed texts stay as they are in every language.
    EXPECT_EQ(TextOf(window, "SelectAllKald"), "Kaldirone");
    EXPECT_EQ(window.findChild<QLabel*>("Label2")->text(), "KALDIRONE");
    EXPECT_EQ(TextOf(window, "Franais1"), QString::fromUtf8("Fran\u00e7ais"));
  }
}

TEST(MainWindow, FrenchCaptionsReadAsFrench) {
  TempDir program;
  FakePrompter prompter;
  TFPtesm100q window(program.path(), 0x040C, FastOptions(prompter));
  EXPECT_EQ(TextOf(window, "Fichier"), "&Fichier");
  EXPECT_EQ(TextOf(window, "Port"), QString::fromUtf8("Liaison s\u00e9rie"));
  EXPECT_EQ(TextOf(window, "mSociete"), QString::fromUtf8("Soci\u00e9t\u00e9"));
  EXPECT_EQ(window.findChild<QLabel*>("Label3")->text(), "ORDINATEUR");
  EXPECT_TRUE(window.findChild<QAction*>("Franais1")->isChecked());
}

TEST(MainWindow, LanguageMenuRelabelsAtOnceAndKeepsExportPanel) {
  for (const bool exportMode : {true, false}) {
    TempDir program;
    platform::WriteProfileString(program.File("tesmora.ini"), "EXPORT", "Mode",
                                 exportMode ? "1" : "0");
    FakePrompter prompter;
    TFPtesm100q window(program.path(), 0x0413, FastOptions(prompter));  // Dutch: English
    SCOPED_TRACE(exportMode);
    EXPECT_EQ(TextOf(window, "Fichier"), "&File");
    EXPECT_EQ(window.language().MessageLanguageId, 0x0413);
    EXPECT_EQ(window.statusPanelText(2), exportMode ? "Export data mode" : "");

    window.findChild<QAction*>("Deutsch1")->trigger();
    EXPECT_EQ(window.language().LanguageIndex, 5);
    EXPECT_EQ(window.language().MessageLanguageId, 1031);
    EXPECT_TRUE(window.findChild<QAction*>("Deutsch1")->isChecked());
    EXPECT_FALSE(window.findChild<QAction*>("English1")->isChecked());
    EXPECT_EQ(TextOf(window, "Fichier"), Utf8(MessageUtf8(msg::kFileMenu, 5)));
    EXPECT_EQ(window.statusPanelText(2),
              exportMode ? Utf8(MessageUtf8(msg::kExportDataMode, 5)) : "");
    // The link's messages follow the menu too.
    EXPECT_EQ(
        window.link().WithState([](link::LinkState& s) { return s.language.MessageLanguageId; }),
        1031);
  }
}

TEST(MainWindow, ExportDataModeSwitchWritesTheSettingAtOnce) {
  TempDir program;
  platform::WriteProfileString(program.File("tesmora.ini"), "EXPORT", "Mode", "2");
  FakePrompter prompter;
  TFPtesm100q window(program.path(), 0x0809, FastOptions(prompter));
  EXPECT_TRUE(window.ExportDataMode());
  window.ConfigClick();  // opening the menu shows the mode's mark
  QAction* item = window.findChild<QAction*>("ExportAuto");
  EXPECT_TRUE(item->isChecked());

  item->trigger();
  EXPECT_FALSE(window.ExportDataMode());
  EXPECT_EQ(platform::ReadProfileString(program.File("tesmora.ini"), "EXPORT", "Mode", ""), "0");
  EXPECT_EQ(window.statusPanelText(2), "");
  EXPECT_FALSE(window.link().WithState([](link::LinkState& s) { return s.ExportDataMode; }));

  item->trigger();
  EXPECT_EQ(platform::ReadProfileString(program.File("tesmora.ini"), "EXPORT", "Mode", ""), "1");
  EXPECT_EQ(window.statusPanelText(2), "Export data mode");
  EXPECT_TRUE(window.link().WithState([](link::LinkState& s) { return s.ExportDataMode; }));
}

TEST(MainWindow, StartUpReadsSettingsAndCompanyAndReportsAPortThatDoesNotOpen) {
  TempDir program;
  testing::WriteSettings(program, "COM4", {{"COM4", program.File("no-such-device")}});
  platform::WriteProfileString(program.File("societe.txt"), "Societe", "Ligne1", "Lab");
  FakePrompter prompter;
  TFPtesm100q window(program.path(), 0x0409, FastOptions(prompter));
  window.CreateOwnedWindows();
  EXPECT_EQ(window.settings().portName, "COM4");
  EXPECT_EQ(window.company().lines[0], "Lab");
  EXPECT_EQ(window.statusPanelText(1), "COM4");
  EXPECT_FALSE(window.portOpen());
  ASSERT_EQ(prompter.messages().size(), 1u);
  // The port's name and msg::kOpeningError, then what is wrong with it.
  EXPECT_EQ(prompter.messages()[0],
            PortOpeningErrorText("COM4", {platform::OpenFailure::NoDevice, ""}, 1));
  EXPECT_TRUE(prompter.messages()[0].starts_with("COM4. OPENING ERROR\n"));
  EXPECT_EQ(prompter.captions()[0], "ERROR!!!");
}

TEST(MainWindow, DisplayAllFilesAsksThePasswordEachTime) {
  TempDir program;
  FakePrompter prompter;
  TFPtesm100q window(program.path(), 0x0809, FastOptions(prompter));
  window.CreateOwnedWindows();
  QAction* item = window.findChild<QAction*>("AllFiles");
  auto* dialog = window.findChild<QDialog*>("PasswordDlg");
  auto* choice = window.findChild<QWidget*>("ChoixDisk");
  const auto answer = [&](const char* typed, bool ok) {
    testing::WhenIdle([=] {
      auto* edit = dialog->findChild<QLineEdit*>("Password");
      edit->setText(typed);
      ok ? dialog->accept() : dialog->reject();
    });
    item->trigger();
  };

  answer("7859 ", true);  // a trailing blank is a different password
  EXPECT_FALSE(window.AllFilesMode());
  EXPECT_FALSE(item->isChecked());
  ASSERT_FALSE(prompter.messages().empty());
  EXPECT_EQ(prompter.messages().back(), "Access denied");
  EXPECT_EQ(prompter.captions().back(), "Tesmora");
  EXPECT_FALSE(choice->isVisibleTo(&window));

  const std::size_t messages = prompter.messages().size();
  answer("7859", false);  // cancelled: nothing happens
  EXPECT_FALSE(window.AllFilesMode());
  EXPECT_FALSE(item->isChecked());
  EXPECT_EQ(prompter.messages().size(), messages);

  answer("7859", true);
  EXPECT_TRUE(window.AllFilesMode());
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(choice->isVisibleTo(&window));
  EXPECT_TRUE(window.link().WithState([](link::LinkState& s) { return s.rawMode; }));
  EXPECT_EQ(prompter.messages().size(), messages);

  item->trigger();  // switching off needs no password
  EXPECT_FALSE(window.AllFilesMode());
  EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(choice->isVisibleTo(&window));
  EXPECT_FALSE(window.link().WithState([](link::LinkState& s) { return s.rawMode; }));
}

TEST(MainWindow, EditMenuShowsItsKeysAndTheFileMenuTellsOfCtrlF) {
  TempDir program;
  FakePrompter prompter;
  TFPtesm100q window(program.path(), 0x0809, FastOptions(prompter));
  EXPECT_EQ(window.findChild<QAction*>("Copier1")->shortcut(), QKeySequence("Ctrl+C"));
  EXPECT_EQ(window.findChild<QAction*>("Coller1")->shortcut(), QKeySequence("Ctrl+V"));
  const QAction* file = window.findChild<QMenu*>("Fichier")->menuAction();
  EXPECT_EQ(file->toolTip(),
            "File (" + QKeySequence("Ctrl+F").toString(QKeySequence::NativeText) + ")");
}

TEST(MainWindow, ScreenReadersTellTheTreeAndTheListsApartInTheCurrentLanguage) {
  TempDir program;
  FakePrompter prompter;
  TFPtesm100q window(program.path(), 0x0809, FastOptions(prompter));
  window.CreateOwnedWindows();
  const auto names = [&] {
    QStringList texts;
    for (const char* control : {"ListKald", "tvRepPc", "ListFichPC"}) {
      texts << window.findChild<QWidget*>(control)->accessibleName();
    }
    return texts;
  };
  const QStringList english = names();
  EXPECT_EQ(english, QStringList({"Files on the KALDIRONE", "Folders of the computer",
                                  "Files of the selected folder"}));
  // The lists describe themselves by their columns.
  EXPECT_EQ(window.findChild<QWidget*>("ListKald")->accessibleDescription(),
            "Name, Type, Sample, Degradation, Date");

  // Every named control of the window carries a name for a screen reader;
  // a label is heard by its text, and one without a text says what it is.
  const auto expectEveryControlNamed = [&] {
    for (QWidget* control : window.findChildren<QWidget*>()) {
      const QString component = control->objectName();
      if (component.isEmpty() || component.startsWith("qt_") || control->isWindow()) continue;
      const QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(control);
      ASSERT_NE(heard, nullptr) << component.toStdString();
      const auto* label = qobject_cast<const QLabel*>(control);
      if (label != nullptr && label->text().isEmpty()) {
        EXPECT_FALSE(heard->text(QAccessible::Description).isEmpty()) << component.toStdString();
      } else {
        EXPECT_FALSE(heard->text(QAccessible::Name).isEmpty()) << component.toStdString();
      }
    }
  };
  expectEveryControlNamed();

  window.findChild<QAction*>("Franais1")->trigger();
  const QStringList french = names();
  EXPECT_EQ(french, QStringList({"Fichiers du KALDIRONE", "Dossiers de l'ordinateur",
                                 QString::fromUtf8("Fichiers du dossier s\u00e9lectionn\u00e9")}));
  EXPECT_EQ(window.findChild<QWidget*>("Panel1")->accessibleName(), "ORDINATEUR");
  expectEveryControlNamed();
}

}  // namespace
}  // namespace tesmora::ui
