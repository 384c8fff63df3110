#include "ui/dialogs/copy_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/copy_window_texts.h"

namespace tesmora::ui {
namespace {

constexpr QSize kDesignedSize(360, 150);
constexpr int kStep = 10;
constexpr int kFull = 100;

void NameControls(QWidget& window, const LanguageState& language) {
  NameControlsForReader(window, {{"zeNomFich", UiString(UiText::TransferredFile, language), {}},
                                 {"zeExpDest", UiString(UiText::TransferDirection, language), {}},
                                 {"Label1", Message(msg::kTransferInProgress, language), {}},
                                 {"ProgressBar1", UiString(UiText::TransferProgress, language), {}},
                                 {"bEscCopie", UiString(UiText::StopAfterFile, language), "ESC"}});
}

}  // namespace

TFenCopie100b::TFenCopie100b(const LanguageState& language, QWidget* parent)
    : BatchProgressDialog(parent), language_(language) {
  setObjectName("FenCopie100b");

  fileName_ = new QLabel(this);
  fileName_->setObjectName("zeNomFich");
  QFont bold = fileName_->font();
  bold.setBold(true);
  fileName_->setFont(bold);
  direction_ = new QLabel(this);
  direction_->setObjectName("zeExpDest");

  // In raw mode the recorder gives no byte count, so a blinking label stands
  // where the bar would be.
  transferLabel_ = new QLabel(this);
  transferLabel_->setObjectName("Label1");
  transferLabel_->setAlignment(Qt::AlignCenter);
  transferLabel_->hide();
  progress_ = new QProgressBar(this);
  progress_->setObjectName("ProgressBar1");
  progress_->setRange(0, kFull);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  auto* place = new QGridLayout;
  place->addWidget(progress_, 0, 0);
  place->addWidget(transferLabel_, 0, 0);
  place->setRowMinimumHeight(0, progress_->sizeHint().height());

  auto* column = new QVBoxLayout(this);
  column->addWidget(fileName_);
  column->addWidget(direction_);
  column->addLayout(place);
  column->addStretch();
  column->addLayout(AddEscapeButton("bEscCopie"));

  resize(kDesignedSize);
  NameControls(*this, language_);
  CentreOnPrimaryScreen(*this);
}

void TFenCopie100b::ShowContent(const link::CopyWindowContent& content) {
  fileName_->setText(QString::fromStdString(content.fileName));
  direction_->setText(QString::fromStdString(CopyDirectionText(content.direction, content.folder)));
  progress_->setValue(0);
  progress_->setVisible(!content.transferLabel);
  transferLabel_->setVisible(content.transferLabel);
  if (isHidden()) show();
}

void TFenCopie100b::Progress(link::CopyProgressEvent event) {
  switch (event) {
    case link::CopyProgressEvent::Step:
    case link::CopyProgressEvent::StepOne: {
      // A received file's size is not known beforehand: past full, the bar
      // starts again, so that a long transfer still shows it is moving.
      const int step = event == link::CopyProgressEvent::StepOne ? 1 : kStep;
      progress_->setValue(progress_->value() >= kFull ? step
                                                      : std::min(progress_->value() + step, kFull));
      break;
    }
    case link::CopyProgressEvent::ToggleLabel:
      transferLabel_->setVisible(transferLabel_->isHidden());
      break;
    case link::CopyProgressEvent::Full:
      progress_->setValue(kFull);
      break;
  }
}

void TFenCopie100b::ProgramProgress(std::uint32_t sent, std::uint32_t count) {
  for (int step = ProgramProgressSteps(sent, count); step > 0; --step) {
    Progress(link::CopyProgressEvent::StepOne);
  }
}

void TFenCopie100b::showEvent(QShowEvent* event) {
  setWindowTitle(Message(msg::kCopyTitle, language_));
  transferLabel_->setText(Message(msg::kTransferInProgress, language_));
  FixSizeAtLeast(*this, kDesignedSize);
  NameControls(*this, language_);
  QDialog::showEvent(event);
  // Only a real opening starts a new batch; the window system re-showing it
  // (a restore) must not undo a cancel the user has just asked for.
  if (!event->spontaneous() && onShown) onShown();
}

}  // namespace tesmora::ui
