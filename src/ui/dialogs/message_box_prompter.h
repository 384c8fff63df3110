#pragma once

#include <QObject>
#include <QString>
#include <QTranslator>
#include <map>
#include <memory>

#include "shell/prompter.h"

class QMessageBox;
class QWidget;

namespace tesmora::ui {

// The message boxes of the desktop program. A box's buttons follow its
// language identifier (the MessageLanguageId of the moment) through Qt's own
// translations, whatever language the rest of the program speaks. Called
// from another thread, the box is shown on the user interface's thread and
// the caller waits for the answer.
class MessageBoxPrompter : public QObject, public Prompter {
  Q_OBJECT

 public:
  explicit MessageBoxPrompter(QWidget* owner);
  ~MessageBoxPrompter() override;

  void ShowMessage(std::string_view caption, std::string_view text, PromptIcon icon,
                   std::uint16_t languageId) override;
  PromptAnswer Ask(std::string_view caption, std::string_view text, PromptButtons buttons,
                   PromptIcon icon, std::uint16_t languageId) override;

  // The box as it will be shown, not yet shown (the caller owns it).
  std::unique_ptr<QMessageBox> BuildBox(std::string_view caption, std::string_view text,
                                        PromptButtons buttons, PromptIcon icon,
                                        std::uint16_t languageId);

 private:
  PromptAnswer Run(std::string_view caption, std::string_view text, PromptButtons buttons,
                   PromptIcon icon, std::uint16_t languageId);
  // Qt's translations for the identifier's language; null for English or a
  // language Qt has none for.
  const QTranslator* TranslatorFor(std::uint16_t languageId);

  QWidget* owner_;
  std::map<QString, std::unique_ptr<QTranslator>> translators_;
};

}  // namespace tesmora::ui
