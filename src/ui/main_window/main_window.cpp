#include "ui/main_window/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "platform/paths.h"
#include "records/failure_text.h"
#include "shell/message_table.h"
#include "shell/ui_texts.h"
#include "shell/window_placement.h"
#include "ui/common/dialog_frame.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/company_dialog.h"
#include "ui/dialogs/copy_window.h"
#include "ui/dialogs/deletion_window.h"
#include "ui/dialogs/message_box_prompter.h"
#include "ui/dialogs/password_dialog.h"
#include "ui/dialogs/port_dialog.h"
#include "ui/main_window/main_actions.h"
#include "ui/main_window/main_layout.h"
#include "ui/main_window/pane_focus.h"
#include "ui/main_window/pc_commands.h"
#include "ui/main_window/sheet_commands.h"
#include "ui/main_window/status_panels.h"
#include "ui/pc_pane/pc_pane.h"
#include "ui/recorder_pane/recorder_pane.h"

namespace tesmora::ui {

namespace {}  // namespace

TFPtesm100q::TFPtesm100q(const std::string& programDirectory, std::uint32_t localeId,
                         MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      programDirectory_(programDirectory),
      options_(options),
      language_(LanguageFromLocale(localeId)) {
  setObjectName("FPtesm100q");
  setWindowTitle(FromUtf8(kApplicationTitle));
  if (options_.prompter != nullptr) {
    prompter_ = options_.prompter;
  } else {
    messageBoxes_ = std::make_unique<MessageBoxPrompter>(this);
    prompter_ = messageBoxes_.get();
  }

  const MainPanes panes = BuildMainPanes(*this, language_);
  Panel2 = panes.Panel2;
  Splitter2 = panes.Splitter2;
  recorderPane_ = panes.recorder;
  pcPane_ = panes.pc;
  actions_ = new MainActions(*this, language_);
  statusPanels_ = std::make_unique<StatusPanels>(*statusBar(), language_);
  ScaleToScreen(*this, panes, *statusPanels_);

  settings_ = LoadSettings(programDirectory_, platform::CurrentWorkingDirectory());
  link_ = new MainLink(*this, programDirectory_, settings_, language_, *prompter_, options_,
                       *recorderPane_, *pcPane_, *statusPanels_);
  link_->onProgressWindows = [this](bool open) { SetBatchRunning(open); };
  pcCommands_ = new PcCommands(
      {*this, language_, settings_, *prompter_, ClipboardSource_, *pcPane_, *recorderPane_, *link_,
       *statusPanels_, [this] { return AcceptsCommands(); }, state_,
       [this](const auto& names, const auto& folder) { ReceiveFromRecorder(names, folder); }},
      options_);
  ConnectActions();
  statusPanels_->SetText(1, FromUtf8(settings_.portName));
  recorderPane_->EmitFileCount();
  ApplyLanguage();
  focus_ = new PaneFocusWatch(*this, *recorderPane_->list(), *pcPane_);
  focus_->onRecorderListLeft = [this] { recorderPane_->EmitFileCount(); };
  focus_->onDeleteKey = Guarded(&TFPtesm100q::Supprimer1Click);
  link_->StartTimers();
}

TFPtesm100q::~TFPtesm100q() {
  // Hiding moves the keyboard focus out of the panes, whose focus-out
  // handlers write to the status panels: it must happen while they live,
  // not in QWidget's destructor after this class's members are gone.
  hide();
  delete focus_;
  // The link tells the panes what changed: it goes first.
  delete link_;
  link_ = nullptr;
}

std::function<void()> TFPtesm100q::Guarded(void (TFPtesm100q::*handler)()) {
  return [this, handler] {
    if (AcceptsCommands()) (this->*handler)();
  };
}

bool TFPtesm100q::AcceptsCommands() const { return !BatchRunning(); }

bool TFPtesm100q::BatchRunning() const { return link_ != nullptr && link_->BatchRunning(); }

void TFPtesm100q::CreateOwnedWindows() {
  // The order is the program's.
  pcCommands_->CreateDialogs();
  PasswordDlg = new TPasswordDlg(language_, this);
  FenCopie100b = new TFenCopie100b(language_, this);
  ChoixCom = new TChoixCom(
      language_, [this] { return settings_.portName; },
      std::bind_front(&TFPtesm100q::ChangePortTo, this),
      {&settings_, options_.serialDevices, [this] { return portOpen(); }}, this);
  FenSuiviSup100b = new TFenSuiviSup100b(language_, this);
  AffVersion = new TAffVersion(
      language_, [this] { return link_->RecorderVersion(); }, this);
  sheets_ = new SheetCommands(*this, language_, *prompter_, *link_, *actions_, *pcPane_,
                              [this]() -> const structure_societe& { return company(); });
  FormSociete = new TFormSociete(language_, programDirectory_, *prompter_, this);
  link_->AttachProgressWindows(FenCopie100b, FenSuiviSup100b);
}

void TFPtesm100q::ChangePortTo(const std::string& name, const std::string& previousDevice) {
  if (link_->ChangePortTo(name, previousDevice))
    statusPanels_->SetText(1, FromUtf8(settings_.portName));
}

// ---------------------------------------------------------------- language

void TFPtesm100q::ApplyLanguage() {
  actions_->Relabel();
  recorderPane_->Relabel();
  pcPane_->Relabel();
  statusPanels_->Relabel();
  statusPanels_->SetText(2,
                         FromUtf8(ExportModePanelText(ExportDataMode(), language_.LanguageIndex)));
  const int lang = language_.LanguageIndex;
  NameForReader(*this, windowTitle());
  NameForReader(*Panel2, windowTitle());
  NameForReader(*Splitter2, FromUtf8(UiTextUtf8(UiText::PaneDivider, lang)));
}

void TFPtesm100q::SelectLanguage(int languageIndex) {
  ChooseLanguage(language_, languageIndex);
  link_->LanguageChanged();
  actions_->ShowLanguage(language_.LanguageIndex);
  ApplyLanguage();
  // The file count is a text of the language too; it should not wait for the
  // next list to change.
  ListKaldSelectionChanged();
}

void TFPtesm100q::showEvent(QShowEvent* event) {
  setWindowTitle(FromUtf8(kApplicationTitle));
  ApplyLanguage();
  QMainWindow::showEvent(event);
}

void TFPtesm100q::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    recorderPane_->EmitFileCount();
  }
  QMainWindow::changeEvent(event);
}

// ------------------------------------------------------------ menu rules

PaneFocus TFPtesm100q::Focus() const { return focus_->Focus(); }

void TFPtesm100q::FichierClick() {
  const FileMenuEnabling enabling = FileMenuRules(
      Focus(), pcPane_->SelectedNode(), recorderPane_->SelectedCount(), pcPane_->Selection());
  actions_->NewRep->setEnabled(enabling.NewRep);
  actions_->Supprimer1->setEnabled(enabling.Supprimer1);
  actions_->ExportManuelle->setEnabled(enabling.ExportManuelle);
}

void TFPtesm100q::Edition1Click() {
  const EditMenuEnabling enabling =
      EditMenuRules(Focus(), pcPane_->SelectedNode(), ClipboardSource_,
                    recorderPane_->SelectedCount(), pcPane_->Selection().count);
  actions_->Copier1->setEnabled(enabling.Copier1);
  actions_->Coller1->setEnabled(enabling.Coller1);
}

void TFPtesm100q::ConfigClick() {
  if (ExportDataMode()) actions_->ExportAuto->setChecked(true);
}

void TFPtesm100q::ListPCPupMnuPopup() {
  const PcSelectionFacts pc = pcPane_->Selection();
  const PopupMenuState state =
      PopupMenuRules(Focus(), PopupHit_, pcPane_->SelectedNode(), ClipboardSource_, pc);
  PopupHit_ = false;
  actions_->ShowPopupItems(state, pcPane_->PcFileCount() > 0);
}

// ---------------------------------------------------------------- commands

void TFPtesm100q::RafraichirClick() { link_->Refresh(); }

void TFPtesm100q::Supprimer1Click() {
  if (Focus() == PaneFocus::RecorderList) link_->DeleteOnRecorder(recorderPane_->SelectedNames());
  pcCommands_->Delete(Focus());
}

void TFPtesm100q::Copier1Click() {
  if (Focus() == PaneFocus::PcList) pcCommands_->CopyPcFiles();
  if (Focus() != PaneFocus::RecorderList) return;
  const std::vector<std::string> names = recorderPane_->SelectedNames();
  if (names.empty()) return;
  ClipboardSource_ = kClipboardRecorder;
  link_->CopyRecorderFiles(names);
}

void TFPtesm100q::ReceiveFromRecorder(const std::vector<std::string>& names,
                                      const std::string& destinationFolder) {
  if (names.empty() || !AcceptsCommands()) return;
  ClipboardSource_ = kClipboardNone;
  link_->ReceiveFromRecorder(names, destinationFolder);
}

void TFPtesm100q::SelectAllPCClick() { pcPane_->SelectAll(); }

void TFPtesm100q::SelectAllKaldClick() { recorderPane_->SelectAll(); }

void TFPtesm100q::ExportAutoClick() {
  // The action has already toggled its mark; the mode follows it.
  const bool on = actions_->ExportAuto->isChecked();
  SaveExportDataMode(settings_, on);
  link_->SetExportDataMode(on);
  statusPanels_->SetText(2, FromUtf8(ExportModePanelText(on, language_.LanguageIndex)));
}

void TFPtesm100q::AllFilesClick() {
  // The action toggles its mark on a click; the mark shows the mode, which
  // the password decides.
  actions_->AllFiles->setChecked(state_.allFilesMode);
  std::optional<std::string> typed;
  if (NeedsAllFilesPassword(state_) && PasswordDlg != nullptr &&
      PasswordDlg->exec() == QDialog::Accepted) {
    typed = PasswordDlg->typedPassword().toStdString();
  }
  const AllFilesSwitch outcome = SwitchAllFilesMode(state_, typed);
  if (outcome == AllFilesSwitch::AccessDenied) {
    prompter_->ShowMessage(kErrorCaption, MessageUtf8(msg::kAccessDenied, language_),
                           PromptIcon::Error, language_.MessageLanguageId);
  }
  if (outcome != AllFilesSwitch::On && outcome != AllFilesSwitch::Off) return;
  const bool on = state_.allFilesMode;
  actions_->AllFiles->setChecked(on);
  link_->SwitchAllFilesMode(on);
  recorderPane_->ShowMemoryChoice(on, on ? link_->FlashDriveLetter() : 0);
  // The list's rules changed: the folder is listed again under them.
  pcPane_->FillList();
}

void TFPtesm100q::ChoixDiskClick(int memoryChoice) { link_->ChooseMemory(memoryChoice); }

void TFPtesm100q::PortClick() {
  if (ChoixCom != nullptr) ChoixCom->exec();
}

void TFPtesm100q::AproposClick() {
  if (AffVersion != nullptr) AffVersion->exec();
}

void TFPtesm100q::mSocieteClick() {
  if (FormSociete != nullptr) FormSociete->exec();
}

void TFPtesm100q::ListKaldColumnClick(int column) { recorderPane_->ListKaldColumnClick(column); }

void TFPtesm100q::ListKaldSelectionChanged() { recorderPane_->EmitSelectionCount(); }

void TFPtesm100q::Timer1Timer() { link_->Timer1Tick(); }

void TFPtesm100q::Timer2Timer() { link_->Timer2Tick(); }

void TFPtesm100q::SetBatchRunning(bool running) {
  // The menus, toolbar and panes wait while a batch runs; the progress
  // windows stay usable, for their ESC.
  menuBar()->setEnabled(!running);
  actions_->ToolBar1->setEnabled(!running);
  Panel2->setEnabled(!running);
}

// ------------------------------------------------------------------- close

void TFPtesm100q::closeEvent(QCloseEvent* event) {
  // Closing in the middle of a batch would cut a file short; the progress
  // window's ESC stops the batch first.
  if (!closeConfirmed_ && BatchRunning()) {
    event->ignore();
    return;
  }
  if (!closeConfirmed_) {
    const PromptAnswer answer = prompter_->Ask(
        MessageUtf8(msg::kConfirmation, language_), MessageUtf8(msg::kExitQuestion, language_),
        PromptButtons::OkCancelDefaultCancel, PromptIcon::Question, language_.MessageLanguageId);
    if (answer != PromptAnswer::Ok) {
      event->ignore();
      return;
    }
    closeConfirmed_ = true;
  }
  link_->ShutDown();
  // The other windows belong to this one and go with it.
  for (QWidget* window :
       {static_cast<QWidget*>(FenCopie100b), static_cast<QWidget*>(FenSuiviSup100b)}) {
    if (window != nullptr) window->hide();
  }
  event->accept();
}

// ---------------------------------------------------------------- queries

link::TRead& TFPtesm100q::link() { return link_->reader(); }
bool TFPtesm100q::portOpen() const { return link_->PortOpen(); }
int TFPtesm100q::RecorderFileCount() const { return recorderPane_->RecorderFileCount(); }

const std::vector<link::RecorderRow>& TFPtesm100q::recorderRows() const {
  return recorderPane_->rows();
}

QString TFPtesm100q::statusPanelText(int panel) const { return statusPanels_->Text(panel); }

const structure_societe& TFPtesm100q::company() const {
  static const structure_societe defaults = DefaultCompanyLines();
  return FormSociete != nullptr ? FormSociete->company() : defaults;
}

}  // namespace tesmora::ui
