#include "ui/dialogs/password_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/dialog_frame.h"

namespace tesmora::ui {
namespace {

constexpr QSize kDesignedSize(260, 93);

void NameControls(QWidget& dialog, const LanguageState& language) {
  NameControlsForReader(dialog, {{"Label1", Message(msg::kEnterPassword, language), {}},
                                 {"Password", Message(msg::kEnterPassword, language), {}},
                                 {"CancelBtn", UiString(UiText::Cancel, language), "ESC"}});
}

}  // namespace

TPasswordDlg::TPasswordDlg(const LanguageState& language, QWidget* parent)
    : QDialog(parent), language_(language) {
  setObjectName("PasswordDlg");

  prompt_ = new QLabel(this);
  prompt_->setObjectName("Label1");
  password_ = new QLineEdit(this);
  password_->setObjectName("Password");
  password_->setEchoMode(QLineEdit::Password);
  // Styles mask with a dot of their own; the users know the star.
  password_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
  prompt_->setBuddy(password_);

  const auto [ok, cancel] = AddOkEscButtons(*this, "OKBtn", "CancelBtn");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(8, 8, 8, 8);
  column->setSpacing(4);
  column->addWidget(prompt_);
  column->addWidget(password_);
  column->addStretch();
  column->addLayout(buttons);

  resize(kDesignedSize);
  NameControls(*this, language_);
  CentreOnPrimaryScreen(*this);
}

QString TPasswordDlg::typedPassword() const { return password_->text(); }

void TPasswordDlg::showEvent(QShowEvent* event) {
  setWindowTitle(Message(msg::kDisplayAllFilesTitle, language_));
  prompt_->setText(Message(msg::kEnterPassword, language_));
  // A refused attempt must not stay in the edit for the next one.
  password_->clear();
  password_->setFocus();
  FixSizeAtLeast(*this, kDesignedSize);
  NameControls(*this, language_);
  QDialog::showEvent(event);
}

}  // namespace tesmora::ui
