#include "ui/pc_pane/new_folder_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/dialog_frame.h"

namespace tesmora::ui {
namespace {
constexpr QSize kDesignedSize(359, 109);
}  // namespace

TFenNewRep::TFenNewRep(const LanguageState& language, QWidget* parent)
    : QDialog(parent), language_(language) {
  setObjectName("FenNewRep");
  zaRepCour = new QLabel(this);
  zaRepCour->setObjectName("zaRepCour");
  zaRepCourant = new QLabel(this);
  zaRepCourant->setObjectName("zaRepCourant");
  zaRepCourant->setMinimumWidth(237);
  zaNomNewRep = new QLabel(this);
  zaNomNewRep->setObjectName("zaNomNewRep");
  zeNewRep = new QLineEdit(this);
  zeNewRep->setObjectName("zeNewRep");
  zeNewRep->setMinimumWidth(177);
  zaNomNewRep->setBuddy(zeNewRep);
  const auto [ok, esc] = AddOkEscButtons(*this, "bbOK", "bbCancel");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* grid = new QGridLayout(this);
  grid->addWidget(zaRepCour, 0, 0, 1, 2);
  grid->addWidget(zaRepCourant, 1, 0, 1, 2);
  grid->addWidget(zaNomNewRep, 2, 0);
  grid->addWidget(zeNewRep, 2, 1);
  grid->addWidget(ok, 0, 2, 2, 1);
  grid->addWidget(esc, 2, 2);
  resize(kDesignedSize);
  Relabel();
  CentreOnPrimaryScreen(*this);
}

void TFenNewRep::Relabel() {
  setWindowTitle(Message(msg::kNewFolderTitle, language_));
  zaRepCour->setText(Message(msg::kCurrentFolderLabel, language_));
  zaNomNewRep->setText(Message(msg::kNameLabel, language_));
  findChild<QPushButton*>("bbCancel")->setText(Message(msg::kEscLabel, language_));
  NameControlsForReader(*this, {{"zaRepCourant", Message(msg::kCurrentFolderLabel, language_), {}},
                                {"zeNewRep", Message(msg::kNameLabel, language_),
                                 Message(msg::kCurrentFolderLabel, language_)},
                                {"bbCancel", UiString(UiText::Cancel, language_), "ESC"}});
}

void TFenNewRep::showEvent(QShowEvent* event) {
  Relabel();
  FixSizeAtLeast(*this, kDesignedSize);
  // Emptied each time, with the focus in it.
  zeNewRep->clear();
  zeNewRep->setFocus();
  QDialog::showEvent(event);
}

std::optional<std::string> TFenNewRep::Ask(const std::string& parentPath) {
  zaRepCourant->setText(FromUtf8(parentPath));
  if (exec() != QDialog::Accepted) return std::nullopt;
  return zeNewRep->text().toStdString();
}

}  // namespace tesmora::ui
