#include "ui/port_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialog_frame.h"

namespace tesmora::ui {
namespace {

constexpr QSize kDesignedSize(240, 290);
constexpr int kPortCount = 27;
constexpr int kPortsPerRow = 3;

void NameControls(QWidget& dialog, const LanguageState& language) {
  NameControlsForReader(dialog, {{"bbCancel", UiString(UiText::Cancel, language), "ESC"}});
}

}  // namespace

TChoixCom::TChoixCom(const LanguageState& language, std::function<std::string()> currentPort,
                     std::function<void(const std::string&)> changePort, QWidget* parent)
    : QDialog(parent),
      language_(language),
      currentPort_(std::move(currentPort)),
      changePort_(std::move(changePort)) {
  setObjectName("ChoixCom");

  ports_ = new QButtonGroup(this);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(16);
  for (int i = 0; i < kPortCount; ++i) {
    auto* button = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), this);
    button->setObjectName(QStringLiteral("rbCom%1").arg(i + 1));
    ports_->addButton(button, i + 1);
    grid->addWidget(button, i / kPortsPerRow, i % kPortsPerRow);
  }

  const auto [ok, cancel] = AddOkEscButtons(*this, "bbOK", "bbCancel");
  connect(ok, &QPushButton::clicked, this, &TChoixCom::bbOKClick);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* column = new QVBoxLayout(this);
  column->addLayout(grid);
  column->addStretch();
  column->addLayout(buttons);

  resize(kDesignedSize);
  NameControls(*this, language_);
  CentreOnPrimaryScreen(*this);
}

void TChoixCom::showEvent(QShowEvent* event) {
  setWindowTitle(Message(324, language_));
  const QString current = QString::fromStdString(currentPort_ ? currentPort_() : std::string());
  // An exclusive group refuses to uncheck its last button; lift the rule while
  // clearing so that an unknown port shows no choice at all.
  ports_->setExclusive(false);
  for (QAbstractButton* button : ports_->buttons()) button->setChecked(button->text() == current);
  ports_->setExclusive(true);
  FixSizeAtLeast(*this, kDesignedSize);
  NameControls(*this, language_);
  QDialog::showEvent(event);
}

void TChoixCom::bbOKClick() {
  if (const QAbstractButton* chosen = ports_->checkedButton()) {
    const std::string name = chosen->text().toStdString();
    const std::string current = currentPort_ ? currentPort_() : std::string();
    if (name != current && changePort_) changePort_(name);
  }
  accept();
}

}  // namespace tesmora::ui
