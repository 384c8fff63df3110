#include "ui/dialogs/message_box_prompter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace tesmora::ui {
namespace {

QStringList ButtonTexts(const QMessageBox& box) {
  QStringList texts;
  for (const QAbstractButton* button : box.buttons()) texts << button->text();
  texts.sort();
  return texts;
}

TEST(MessageBoxPrompter, ButtonsFollowTheBoxLanguageAndTheDefaultIsTheSafeOne) {
  MessageBoxPrompter prompter(nullptr);
  const struct {
    std::uint16_t languageId;
    PromptButtons buttons;
    QStringList texts;
    QMessageBox::StandardButton defaultButton;
  } cases[] = {
      {0x040C, PromptButtons::OkCancelDefaultCancel, {"Annuler", "OK"}, QMessageBox::Cancel},
      {0x0407, PromptButtons::YesNoCancel, {"&Ja", "&Nein", "Abbrechen"}, QMessageBox::Yes},
      {0x0816, PromptButtons::OkCancel, {"Cancelar", "OK"}, QMessageBox::Ok},
      {0x0405, PromptButtons::Ok, {"OK"}, QMessageBox::Ok},
      // A language Qt has nothing for keeps Qt's own English buttons.
      {0x0417, PromptButtons::OkCancel, {"&Cancel", "&OK"}, QMessageBox::Ok},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.languageId);
    const auto box =
        prompter.BuildBox("  CONFIRMATION   ", "Voulez-vous vraiment quitter Tesmora ?", c.buttons,
                          PromptIcon::Question, c.languageId);
    QStringList expected = c.texts;
    expected.sort();
    QStringList actual = ButtonTexts(*box);
    // Qt's English texts may or may not carry their mnemonic.
    if (c.languageId == 0x0417) {
      for (QString& text : actual) text.remove('&');
      for (QString& text : expected) text.remove('&');
    }
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(box->defaultButton(), box->button(c.defaultButton));
    EXPECT_EQ(box->windowTitle(), "  CONFIRMATION   ");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
  }
}

TEST(MessageBoxPrompter, ErrorsCarryTheErrorIconAndOneButton) {
  MessageBoxPrompter prompter(nullptr);
  const auto box = prompter.BuildBox("ERROR!!!", "COM9. OPENING ERROR", PromptButtons::Ok,
                                     PromptIcon::Error, 0x0809);
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->buttons().size(), 1);
  EXPECT_EQ(box->text(), "COM9. OPENING ERROR");
}

TEST(MessageBoxPrompter, ABoxComesOverTheModalWindowTheUserIsIn) {
  QWidget owner;
  MessageBoxPrompter prompter(&owner);
  EXPECT_EQ(prompter.BuildBox("Tesmora", "x", PromptButtons::Ok, PromptIcon::Error, 0x0809)
                ->parentWidget(),
            &owner);
  // A window that stays on top of the owner, the sheet window say: a box
  // owned by the owner would open under it, out of reach.
  QDialog modal(&owner, Qt::Window | Qt::WindowStaysOnTopHint);
  QWidget* parent = nullptr;
  QTimer::singleShot(0, [&] {
    parent = prompter.BuildBox("Tesmora", "x", PromptButtons::Ok, PromptIcon::Error, 0x0809)
                 ->parentWidget();
    modal.reject();
  });
  modal.exec();
  EXPECT_EQ(parent, &modal);
}

// A box asked for during work under the hourglass shows the arrow, and the
// hourglass comes back when it closes.
TEST(MessageBoxPrompter, ABoxShowsTheArrowOverTheHourglass) {
  MessageBoxPrompter prompter(nullptr);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  int shapeWhileOpen = -1;
  QTimer::singleShot(0, [&] {
    shapeWhileOpen = QApplication::overrideCursor()->shape();
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    box->button(QMessageBox::Cancel)->click();
  });
  EXPECT_EQ(prompter.Ask("  CONFIRMATION   ", "a.312. Do you want to replace this file?",
                         PromptButtons::YesNoCancel, PromptIcon::Stop, 0x0809),
            PromptAnswer::Cancel);
  EXPECT_EQ(shapeWhileOpen, Qt::ArrowCursor);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QApplication::restoreOverrideCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace tesmora::ui
