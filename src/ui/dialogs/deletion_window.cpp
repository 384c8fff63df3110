#include "ui/dialogs/deletion_window.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tesmora::ui {
namespace {

constexpr QSize kDesignedSize(300, 110);

void NameControls(QWidget& window, const LanguageState& language) {
  NameControlsForReader(window, {{"zaNomFichSup", UiString(UiText::DeletedFile, language), {}},
                                 {"bEscSup", UiString(UiText::StopAfterFile, language), "ESC"}});
}

}  // namespace

TFenSuiviSup100b::TFenSuiviSup100b(const LanguageState& language, QWidget* parent)
    : BatchProgressDialog(parent), language_(language) {
  setObjectName("FenSuiviSup100b");

  name_ = new QLabel(this);
  name_->setObjectName("zaNomFichSup");
  name_->setAlignment(Qt::AlignCenter);
  auto* column = new QVBoxLayout(this);
  column->addStretch();
  column->addWidget(name_);
  column->addStretch();
  column->addLayout(AddEscapeButton("bEscSup"));

  resize(kDesignedSize);
  NameControls(*this, language_);
  CentreOnPrimaryScreen(*this);
}

void TFenSuiviSup100b::ShowName(const std::string& name) {
  name_->setText(QString::fromStdString(name));
  if (isHidden()) show();
}

void TFenSuiviSup100b::showEvent(QShowEvent* event) {
  setWindowTitle(Message(msg::kDeleteTitle, language_));
  FixSizeAtLeast(*this, kDesignedSize);
  NameControls(*this, language_);
  QDialog::showEvent(event);
}

}  // namespace tesmora::ui
