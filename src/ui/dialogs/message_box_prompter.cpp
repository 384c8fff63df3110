#include "ui/dialogs/message_box_prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QThread>

#include "platform/locale.h"
#include "ui/common/dialog_frame.h"

namespace tesmora::ui {

namespace {

QMessageBox::Icon IconOf(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Information:
      return QMessageBox::Information;
    case PromptIcon::Question:
      return QMessageBox::Question;
    case PromptIcon::Error:
    case PromptIcon::Stop:
      break;
  }
  return QMessageBox::Critical;
}

// Qt's own button texts, as its platform theme names them.
struct ButtonText {
  QMessageBox::StandardButton button;
  const char* source;
};
constexpr ButtonText kButtonTexts[] = {
    {QMessageBox::Ok, "OK"},
    {QMessageBox::Cancel, "Cancel"},
    {QMessageBox::Yes, "&Yes"},
    {QMessageBox::No, "&No"},
};

PromptAnswer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Ok:
      return PromptAnswer::Ok;
    case QMessageBox::Yes:
      return PromptAnswer::Yes;
    case QMessageBox::No:
      return PromptAnswer::No;
    default:
      return PromptAnswer::Cancel;
  }
}

}  // namespace

MessageBoxPrompter::MessageBoxPrompter(QWidget* owner) : owner_(owner) {}

MessageBoxPrompter::~MessageBoxPrompter() = default;

const QTranslator* MessageBoxPrompter::TranslatorFor(std::uint16_t languageId) {
  const std::string_view iso = platform::IsoLanguageOfLocaleId(languageId);
  if (iso.empty() || iso == "en") return nullptr;
  // Qt ships its Portuguese for Brazil only; it serves Portugal as well.
  QString file = QStringLiteral("qtbase_") + FromUtf8(iso);
  if (iso == "pt") file += QStringLiteral("_BR");
  auto found = translators_.find(file);
  if (found == translators_.end()) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      translator.reset();
    }
    found = translators_.emplace(file, std::move(translator)).first;
  }
  return found->second.get();
}

std::unique_ptr<QMessageBox> MessageBoxPrompter::BuildBox(std::string_view caption,
                                                          std::string_view text,
                                                          PromptButtons buttons, PromptIcon icon,
                                                          std::uint16_t languageId) {
  // Over the modal window the user is in, if any: owned by the main window,
  // a box would open under a window kept on top of it (the sheet window).
  QWidget* parent = QApplication::activeModalWidget();
  if (parent == nullptr || !parent->isVisible()) parent = owner_;
  auto box = std::make_unique<QMessageBox>(IconOf(icon), FromUtf8(caption), FromUtf8(text),
                                           QMessageBox::NoButton, parent);
  switch (buttons) {
    case PromptButtons::Ok:
      box->setStandardButtons(QMessageBox::Ok);
      box->setDefaultButton(QMessageBox::Ok);
      break;
    case PromptButtons::OkCancel:
      box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box->setDefaultButton(QMessageBox::Ok);
      break;
    case PromptButtons::OkCancelDefaultCancel:
      box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box->setDefaultButton(QMessageBox::Cancel);
      break;
    case PromptButtons::YesNoCancel:
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box->setDefaultButton(QMessageBox::Yes);
      break;
  }
  box->setEscapeButton(buttons == PromptButtons::Ok ? QMessageBox::Ok : QMessageBox::Cancel);
  if (const QTranslator* translator = TranslatorFor(languageId)) {
    for (const ButtonText& entry : kButtonTexts) {
      QAbstractButton* button = box->button(entry.button);
      if (button == nullptr) continue;
      const QString translated = translator->translate("QPlatformTheme", entry.source);
      if (!translated.isEmpty()) button->setText(translated);
    }
  }
  return box;
}

PromptAnswer MessageBoxPrompter::Run(std::string_view caption, std::string_view text,
                                     PromptButtons buttons, PromptIcon icon,
                                     std::uint16_t languageId) {
  if (QThread::currentThread() != thread()) {
    PromptAnswer answer = PromptAnswer::Cancel;
    QMetaObject::invokeMethod(
        this, [&] { answer = Run(caption, text, buttons, icon, languageId); },
        Qt::BlockingQueuedConnection);
    return answer;
  }
  const std::unique_ptr<QMessageBox> box = BuildBox(caption, text, buttons, icon, languageId);
  // The box waits for the user: it shows the arrow even while the work that
  // asks it keeps the hourglass over the windows.
  const bool busy = QApplication::overrideCursor() != nullptr;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int answer = box->exec();
  if (busy) QApplication::restoreOverrideCursor();
  return AnswerOf(answer);
}

void MessageBoxPrompter::ShowMessage(std::string_view caption, std::string_view text,
                                     PromptIcon icon, std::uint16_t languageId) {
  Run(caption, text, PromptButtons::Ok, icon, languageId);
}

PromptAnswer MessageBoxPrompter::Ask(std::string_view caption, std::string_view text,
                                     PromptButtons buttons, PromptIcon icon,
                                     std::uint16_t languageId) {
  return Run(caption, text, buttons, icon, languageId);
}

}  // namespace tesmora::ui
