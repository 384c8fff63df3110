#pragma once

// What the tests of the small windows share: a language, a named child, a
// click, the Escape key and the check that no text is clipped.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QWidget>

#include "shell/languages.h"

namespace tesmora::ui::testing {

inline LanguageState Language(int index) {
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

inline QString LabelText(const QWidget& window, const char* name) {
  const auto* label = Child<QLabel>(window, name);
  return label != nullptr ? label->text() : QString();
}

inline void Click(const QWidget& window, const char* button) {
  if (auto* found = Child<QAbstractButton>(window, button)) found->click();
}

inline void PressEscape(QWidget& window) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&window, &press);
}

// Every text of a shown window must fit its widget, in every language: a
// label narrower than its text, or a wrapped one shorter than its lines, is
// clipped on the screen.
inline void ExpectNoClippedText(const QWidget& window) {
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

}  // namespace tesmora::ui::testing
