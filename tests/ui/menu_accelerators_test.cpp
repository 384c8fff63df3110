#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "shell/languages.h"
#include "support/temp_dir.h"
#include "ui/main_window/main_window.h"
#include "window_test_support.h"

namespace tesmora::ui {
namespace {

using link::testing::FakePrompter;
using tesmora::testing::TempDir;
using testing::FastOptions;

// The letter after the caption's "&", lower-cased; none when there is no "&".
QChar Accelerator(const QString& caption) {
  const int at = caption.indexOf(QLatin1Char('&'));
  return at >= 0 && at + 1 < caption.size() ? caption.at(at + 1).toLower() : QChar();
}

// The letters that serve two items of one menu, as "menu:letter", through
// every submenu; each caption is checked to hold one "&" at most.
void SharedAccelerators(const QString& menuName, const QList<QAction*>& items,
                        QStringList& shared) {
  QList<QChar> taken;
  for (const QAction* item : items) {
    if (item->isSeparator()) continue;
    const QString caption = item->text();
    EXPECT_LE(caption.count(QLatin1Char('&')), 1) << caption.toStdString();
    const QChar key = Accelerator(caption);
    if (!key.isNull()) {
      if (taken.contains(key)) shared << menuName + QLatin1Char(':') + key;
      taken << key;
    }
    if (item->menu() != nullptr) {
      SharedAccelerators(item->objectName(), item->menu()->actions(), shared);
    }
  }
}

TEST(MenuAccelerators, NoLetterServesTwoItemsOfOneMenuInAnyLanguage) {
  TempDir program;
  FakePrompter prompter;
  TFPtesm100q window(program.path(), 0x0809, FastOptions(prompter));
  const auto* popup = window.findChild<QMenu*>("PupMnu");
  ASSERT_NE(popup, nullptr);
  for (const int languageIndex : kLanguageMenuOrder) {
    const std::string item(kLanguages[static_cast<std::size_t>(languageIndex)].menuItem);
    window.findChild<QAction*>(QString::fromStdString(item))->trigger();
    ASSERT_EQ(window.language().LanguageIndex, languageIndex);
    QStringList shared;
    SharedAccelerators(QStringLiteral("menu bar"), window.menuBar()->actions(), shared);
    SharedAccelerators(QStringLiteral("popup"), popup->actions(), shared);
    // French keeps its captions as they are stored: "Co&ller" and
    // "S\u00e9&lectionner tout" share the "l" of the Edition menu, and a key
    // press then moves between the two.
    const QStringList expected =
        languageIndex == kFrench ? QStringList{QStringLiteral("Edition1:l")} : QStringList{};
    EXPECT_EQ(shared, expected) << item;
  }
}

}  // namespace
}  // namespace tesmora::ui
