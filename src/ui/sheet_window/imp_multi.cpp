#include "ui/sheet_window/imp_multi.h"

#include <QCoreApplication>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/common/dialog_frame.h"

namespace tesmora::ui {
namespace {

constexpr QSize kDesignedSize(243, 64);

}  // namespace

TImpMulti::TImpMulti(const LanguageState& language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      language_(language) {
  setObjectName("ImpMulti");
  setModal(false);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignCenter);
  nomFichierPrint = new QLabel(QStringLiteral("-----"), this);
  nomFichierPrint->setObjectName("nomFichierPrint");
  nomFichierPrint->setAlignment(Qt::AlignCenter);
  auto* column = new QVBoxLayout(this);
  column->addWidget(Label1);
  column->addWidget(nomFichierPrint);
  Relabel();
  resize(kDesignedSize);
  CentreOnPrimaryScreen(*this);
}

void TImpMulti::Relabel() {
  setWindowTitle(Message(msg::kMultiplePrinting, language_));
  Label1->setText(Message(msg::kPrintingInProgress, language_));
  NameControlsForReader(*this,
                        {{"nomFichierPrint", UiString(UiText::SheetInPreparation, language_), {}}});
}

void TImpMulti::ShowFileName(const std::string& name) {
  nomFichierPrint->setText(QString::fromStdString(name));
  nomFichierPrint->repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString TImpMulti::shownFileName() const { return nomFichierPrint->text(); }

void TImpMulti::showEvent(QShowEvent* event) {
  Relabel();
  nomFichierPrint->setText(QStringLiteral("-----"));
  FixSizeAtLeast(*this, kDesignedSize);
  QDialog::showEvent(event);
}

}  // namespace tesmora::ui
