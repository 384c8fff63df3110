// What a screen reader hears of the labels: their text, whatever it becomes,
// with what they are as their description.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QTest>

#include "pc_window_fixture.h"
#include "shell/message_table.h"
#include "ui/dialogs/splash_window.h"

namespace tesmora::ui {
namespace {

using testing::kWaitMs;
using testing::WhenIdle;
using testing::WriteFile;

std::string Heard(QObject* control, QAccessible::Text what = QAccessible::Name) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
  return face != nullptr ? face->text(what).toStdString() : "<no interface>";
}

// Every label that shows a text is heard by that text, also after it
// changes; a label that shows only a picture is named by what it shows.
void ExpectEveryLabelHeardByItsText(QWidget& window) {
  const QString probe = QStringLiteral("13 File(s)");
  for (QLabel* label : window.findChildren<QLabel*>()) {
    const std::string component = label->objectName().toStdString();
    if (!label->pixmap().isNull()) {
      EXPECT_FALSE(Heard(label).empty()) << component;
      continue;
    }
    label->setText(probe);
    EXPECT_EQ(Heard(label), probe.toStdString()) << component;
  }
}

class ReaderNames : public testing::PcPaneWindow {};

TEST_F(ReaderNames, TheFileCountPanelIsHeardByItsCount) {
  WriteFile(home_.File("03151234.312"), std::string(400, '2'));
  WriteFile(home_.File("03161235.312"), std::string(400, '2'));
  Start(testing::RecorderWithTests({}));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !Busy() && List()->topLevelItemCount() == 2; }, kWaitMs));
  QLabel* panel = window_->findChild<QLabel*>("StatusPanel4");
  ASSERT_NE(panel, nullptr);
  const std::string count = "2" + MessageUtf8(msg::kFilesListed, 1);
  EXPECT_EQ(panel->text().toStdString(), count);
  EXPECT_EQ(Heard(panel), count);
  // What the panel is comes with it.
  EXPECT_EQ(Heard(panel, QAccessible::Description), "Number of files in the folder");
}

TEST_F(ReaderNames, TheNewFolderDialogReadsTheParentFoldersPath) {
  Start(testing::RecorderWithTests({}));
  FocusTree();
  auto* dialog = window_->findChild<QDialog*>("FenNewRep");
  std::string pathHeard, captionHeard;
  window_->FichierClick();
  ASSERT_TRUE(window_->findChild<QAction*>("NewRep")->isEnabled());
  WhenIdle([&] {
    pathHeard = Heard(dialog->findChild<QLabel*>("zaRepCourant"));
    captionHeard = Heard(dialog->findChild<QLabel*>("zaRepCour"));
    dialog->reject();
  });
  window_->findChild<QAction*>("NewRep")->trigger();
  EXPECT_EQ(pathHeard, home_.path());
  EXPECT_EQ(captionHeard, MessageUtf8(msg::kCurrentFolderLabel, 1));
}

TEST_F(ReaderNames, EveryLabelOfEveryWindowIsHeardByItsText) {
  Start(testing::RecorderWithTests({}));
  // Shown, each window has named its controls as it does for the user.
  QList<QDialog*> shown;
  for (QDialog* dialog : window_->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
    // The sheet window loads sheets when shown; its labels are named when
    // it is made.
    if (dialog->objectName() == "ficheGraphique") continue;
    dialog->open();
    shown << dialog;
  }
  QTest::qWait(0);
  ExpectEveryLabelHeardByItsText(*window_);
  for (QDialog* dialog : shown) dialog->reject();

  TSplash_dlg splash;
  splash.show();
  ExpectEveryLabelHeardByItsText(splash);
}

}  // namespace
}  // namespace tesmora::ui
