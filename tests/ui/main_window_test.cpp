#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>

#include "shell/message_table.h"
#include "support/temp_dir.h"

namespace tesmora::ui {
namespace {

using testing::TempDir;

QString TextOf(const TFPtesm100q& window, const char* item) {
  const auto* action = window.findChild<QAction*>(item);
  return action != nullptr ? action->text() : QStringLiteral("<missing>");
}

TEST(MainWindow, FrenchLocaleCaptionsFromColumnZero) {
  TempDir program;
  TFPtesm100q window(program.path(), 0x040C);
  EXPECT_EQ(window.windowTitle(), "TESMORA 3.06");
  EXPECT_EQ(TextOf(window, "Fichier"), "&Fichier");
  EXPECT_EQ(TextOf(window, "Port"), QString::fromUtf8("Liaison s\u00e9rie"));
  EXPECT_EQ(TextOf(window, "mSociete"), QString::fromUtf8("Soci\u00e9t\u00e9"));
  EXPECT_EQ(TextOf(window, "SelectAllKald"), "Kaldirone");
  EXPECT_EQ(window.findChild<QLabel*>("Label3")->text(), "ORDINATEUR");
  EXPECT_TRUE(window.findChild<QAction*>("Franais1")->isChecked());
}

TEST(MainWindow, LanguageMenuRelabelsAtOnce) {
  TempDir program;
  TFPtesm100q window(program.path(), 0x0413);  // Dutch: English
  EXPECT_EQ(TextOf(window, "Fichier"), "&File");
  EXPECT_EQ(window.language().MessageLanguageId, 0x0413);

  window.findChild<QAction*>("Deutsch1")->trigger();
  EXPECT_EQ(window.language().LanguageIndex, 5);
  EXPECT_EQ(window.language().MessageLanguageId, 1031);
  EXPECT_TRUE(window.findChild<QAction*>("Deutsch1")->isChecked());
  EXPECT_FALSE(window.findChild<QAction*>("English1")->isChecked());
  EXPECT_NE(TextOf(window, "Fichier"), "&File");
  EXPECT_EQ(TextOf(window, "Langue1"), QString::fromStdString(MessageUtf8(354, 5)));
}

TEST(MainWindow, StartUpReadsSettingsAndCompanyFromTheProgramDirectory) {
  TempDir program;
  testing::WriteBytes(program.File("tesmora.ini"), "[LIAISON]\nPort=COM4\n");
  testing::WriteBytes(program.File("societe.txt"), "[Societe]\nLigne1=Lab\n");
  TFPtesm100q window(program.path(), 0x0409);
  EXPECT_EQ(window.settings().portName, "COM4");
  EXPECT_EQ(window.company().lines[0], "Lab");
}

}  // namespace
}  // namespace tesmora::ui
