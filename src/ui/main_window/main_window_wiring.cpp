// The frame's wiring: which handler each menu item, toolbar button, shortcut,
// pane signal and timer runs, and the one popup of the tree and both lists.
#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QTimer>
#include <QTreeWidget>
#include <utility>

#include "ui/main_window/main_actions.h"
#include "ui/main_window/main_link.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/pane_focus.h"
#include "ui/main_window/pc_commands.h"
#include "ui/main_window/status_panels.h"
#include "ui/pc_pane/pc_pane.h"
#include "ui/recorder_pane/recorder_pane.h"

namespace tesmora::ui {

void TFPtesm100q::ConnectActions() {
  MainActions& a = *actions_;
  connect(a.Fichier, &QMenu::aboutToShow, this, &TFPtesm100q::FichierClick);
  connect(a.Config, &QMenu::aboutToShow, this, &TFPtesm100q::ConfigClick);
  connect(a.Edition1, &QMenu::aboutToShow, this, &TFPtesm100q::Edition1Click);
  const std::pair<QAction*, void (TFPtesm100q::*)()> commands[] = {
      {a.Supprimer1, &TFPtesm100q::Supprimer1Click},
      {a.Rafraichir, &TFPtesm100q::RafraichirClick},
      {a.Port, &TFPtesm100q::PortClick},
      {a.ExportAuto, &TFPtesm100q::ExportAutoClick},
      {a.AllFiles, &TFPtesm100q::AllFilesClick},
      {a.mSociete, &TFPtesm100q::mSocieteClick},
      {a.Copier1, &TFPtesm100q::Copier1Click},
      {a.SelectAllPC, &TFPtesm100q::SelectAllPCClick},
      {a.SelectAllKald, &TFPtesm100q::SelectAllKaldClick},
      {a.Apropos, &TFPtesm100q::AproposClick},
      {a.Copier, &TFPtesm100q::Copier1Click},
      {a.Supprimer, &TFPtesm100q::Supprimer1Click},
  };
  for (const auto& [action, handler] : commands) {
    connect(action, &QAction::triggered, this, Guarded(handler));
  }
  // Exit asks the close question, which refuses during a batch itself.
  connect(a.Exit, &QAction::triggered, this, &QWidget::close);
  for (int index = 0; index < static_cast<int>(a.languages.size()); ++index) {
    connect(a.languages[static_cast<std::size_t>(index)], &QAction::triggered, this, [this, index] {
      if (AcceptsCommands()) SelectLanguage(index);
      actions_->ShowLanguage(language_.LanguageIndex);
    });
  }
  connect(a.ctrlF, &QShortcut::activated, this, Guarded(&TFPtesm100q::FichierClick));
  connect(a.ctrlC, &QShortcut::activated, this, [this] {
    if (!AcceptsCommands()) return;
    Edition1Click();
    if (actions_->Copier1->isEnabled()) Copier1Click();
  });
  pcCommands_->Connect(
      a, [this] { Edition1Click(); }, [this] { return Focus(); });
  connect(recorderPane_, &RecorderPane::countTextChanged, this,
          [this](const QString& text) { statusPanels_->SetText(0, text); });
  connect(recorderPane_, &RecorderPane::memoryChosen, this, [this](int choice) {
    if (AcceptsCommands()) ChoixDiskClick(choice);
  });
  // One popup serves the tree and both lists.
  for (QWidget* control :
       {static_cast<QWidget*>(recorderPane_->list()), static_cast<QWidget*>(pcPane_->list()),
        static_cast<QWidget*>(pcPane_->tree())}) {
    connect(control, &QWidget::customContextMenuRequested, this,
            [this, control](const QPoint& at) { ShowPopup(control, at); });
  }
  connect(link_->Timer1, &QTimer::timeout, this, &TFPtesm100q::Timer1Timer);
  connect(link_->Timer2, &QTimer::timeout, this, &TFPtesm100q::Timer2Timer);
}

void TFPtesm100q::ShowPopup(QWidget* control, const QPoint& at) {
  if (!AcceptsCommands()) return;
  auto* view = static_cast<QTreeWidget*>(control);
  if (view == pcPane_->tree()) {
    QTreeWidgetItem* node = view->itemAt(at);
    if (node != nullptr) view->setCurrentItem(node);
    PopupHit_ = TreePopupHit(node != nullptr, pcPane_->SelectedNode());
    focus_->Set(PaneFocus::FolderTree);
  } else {
    PopupHit_ = view->itemAt(at) != nullptr;
    focus_->Set(view == recorderPane_->list() ? PaneFocus::RecorderList : PaneFocus::PcList);
  }
  control->setFocus(Qt::PopupFocusReason);
  ListPCPupMnuPopup();
  actions_->PupMnu->popup(view->viewport()->mapToGlobal(at));
}

}  // namespace tesmora::ui
