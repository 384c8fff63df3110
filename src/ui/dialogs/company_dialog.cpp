#include "ui/dialogs/company_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "records/failure_text.h"
#include "shell/code_page.h"
#include "shell/message_table.h"
#include "ui/common/dialog_frame.h"

namespace tesmora::ui {
namespace {

constexpr QSize kDesignedSize(398, 198);
// Line 1 has a message of its own; lines 2 to 4 reuse the recorder's labels.
constexpr std::array<MessageId, 4> kLabelMessages{msg::kLine1, msg::kLine2, msg::kLine3,
                                                  msg::kLine4};

void NameControls(QWidget& dialog, const LanguageState& language) {
  const auto line = [&](std::size_t i) { return Message(kLabelMessages[i], language); };
  NameControlsForReader(dialog, {{"Label1", line(0), {}},
                                 {"Label2", line(1), {}},
                                 {"Label3", line(2), {}},
                                 {"Label4", line(3), {}},
                                 {"Edit1", line(0), {}},
                                 {"Edit2", line(1), {}},
                                 {"Edit3", line(2), {}},
                                 {"Edit4", line(3), {}},
                                 {"BitBtn2", UiString(UiText::Cancel, language), "ESC"}});
}

}  // namespace

TFormSociete::TFormSociete(const LanguageState& language, std::string programDirectory,
                           Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      language_(language),
      programDirectory_(std::move(programDirectory)),
      prompter_(prompter),
      company_(ReadCompanyFile(programDirectory_)) {
  setObjectName("FormSociete");

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(6);
  for (int i = 0; i < 4; ++i) {
    labels_[i] = new QLabel(this);
    labels_[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    labels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edits_[i] = new QLineEdit(this);
    edits_[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
    edits_[i]->setMinimumWidth(265);
    labels_[i]->setBuddy(edits_[i]);
    grid->addWidget(labels_[i], i, 0);
    grid->addWidget(edits_[i], i, 1);
  }

  const auto [ok, cancel] = AddOkEscButtons(*this, "BitBtn1", "BitBtn2");
  connect(ok, &QPushButton::clicked, this, &TFormSociete::BitBtn1Click);
  for (QPushButton* button : {ok, cancel}) button->setMinimumSize(89, 33);

  // ESC under the start of the edits, OK under their end.
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cancel);
  buttons->addStretch();
  buttons->addWidget(ok);
  grid->addLayout(buttons, 4, 1);
  grid->setRowMinimumHeight(4, 33);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(8, 8, 24, 8);
  column->addStretch();
  column->addLayout(grid);
  column->addStretch();

  resize(kDesignedSize);
  NameControls(*this, language_);
  CentreOnPrimaryScreen(*this);
}

void TFormSociete::showEvent(QShowEvent* event) {
  setWindowTitle(Message(msg::kCompany, language_));
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i]->setText(Message(kLabelMessages[i], language_));
    edits_[i]->setText(
        QString::fromStdString(DecodeToUtf8(company_.lines[i], CodePage::Windows1252)));
  }
  FixSizeAtLeast(*this, kDesignedSize);
  NameControls(*this, language_);
  QDialog::showEvent(event);
}

void TFormSociete::BitBtn1Click() {
  structure_societe typed;
  for (std::size_t i = 0; i < edits_.size(); ++i) {
    EncodeResult line = EncodeFromUtf8(edits_[i]->text().toStdString(), CodePage::Windows1252);
    if (!line.ok) {
      // The sheet prints 8-bit lines; a character they cannot hold would be
      // lost silently, so the user corrects it while the dialog is open.
      prompter_.ShowMessage(kErrorCaption, MessageUtf8(msg::kIncorrectCharacter, language_),
                            PromptIcon::Error, language_.MessageLanguageId);
      edits_[i]->setFocus();
      return;
    }
    typed.lines[i] = std::move(line.bytes);
  }
  company_ = std::move(typed);
  accept();
}

void TFormSociete::done(int result) {
  // A failed write is not reported: the lines stay in memory for this run.
  WriteCompanyFile(programDirectory_, company_);
  QDialog::done(result);
}

}  // namespace tesmora::ui
