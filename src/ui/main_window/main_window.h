#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/recorder_list.h"
#include "shell/application_state.h"
#include "shell/company.h"
#include "shell/languages.h"
#include "shell/main_window_rules.h"
#include "shell/settings.h"
#include "ui/main_window/main_link.h"

class QSplitter;

namespace tesmora::link {
class TRead;
}  // namespace tesmora::link

namespace tesmora::ui {

class MainActions;
class MessageBoxPrompter;
class PaneFocusWatch;
class PcCommands;
class PcPane;
class RecorderPane;
class SheetCommands;
class StatusPanels;
class TAffVersion;
class TChoixCom;
class TFenCopie100b;
class TFenSuiviSup100b;
class TFormSociete;
class TPasswordDlg;

// The main window, a frame: it creates its parts (the actions, the recorder
// pane, the PC pane, the status panels and the link adapter), lays them out,
// keeps the application's state and routes each command to the part that
// owns it. It owns every other window.
class TFPtesm100q : public QMainWindow {
  Q_OBJECT

 public:
  // `localeId` is the user's default locale identifier (platform/locale.h).
  // Creation reads the settings, opens the port, starts the reader thread
  // and the start-up sequence's timer.
  TFPtesm100q(const std::string& programDirectory, std::uint32_t localeId,
              MainWindowOptions options = {}, QWidget* parent = nullptr);
  ~TFPtesm100q() override;

  // The other windows, created once in their fixed order after this one.
  void CreateOwnedWindows();
  // The sheet commands and windows, once the owned windows are created.
  SheetCommands* sheets() const { return sheets_; }

  const LanguageState& language() const { return language_; }
  const Settings& settings() const { return settings_; }
  const structure_societe& company() const;
  link::TRead& link();
  bool portOpen() const;
  int RecorderFileCount() const;
  bool AllFilesMode() const { return state_.allFilesMode; }
  bool ExportDataMode() const { return settings_.ExportDataMode != 0; }
  // The rows of the recorder list in their order on screen.
  const std::vector<link::RecorderRow>& recorderRows() const;
  QString statusPanelText(int panel) const;
  // A copy or a deletion is under way: the window takes no command and
  // cannot be closed meanwhile.
  bool BatchRunning() const;

  // Relabels every caption that comes from the message table.
  void ApplyLanguage();
  // What a click on a language's menu item does.
  void SelectLanguage(int languageIndex);

  // Recorder files copied into a PC folder (ending with a separator): what a
  // drop of recorder rows on a folder, or a paste there, starts.
  void ReceiveFromRecorder(const std::vector<std::string>& names,
                           const std::string& destinationFolder);

  // Handlers of the menus, keys and controls.
  void FichierClick();
  void Edition1Click();
  void ConfigClick();
  void ListPCPupMnuPopup();
  void RafraichirClick();
  void Supprimer1Click();
  void Copier1Click();
  void SelectAllPCClick();
  void SelectAllKaldClick();
  void ExportAutoClick();
  void AllFilesClick();
  void PortClick();
  void AproposClick();
  void mSocieteClick();
  void ChoixDiskClick(int memoryChoice);
  void ListKaldColumnClick(int column);
  void ListKaldSelectionChanged();
  void Timer1Timer();
  void Timer2Timer();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ConnectActions();
  // A command that runs only while no batch is under way.
  std::function<void()> Guarded(void (TFPtesm100q::*handler)());
  bool AcceptsCommands() const;
  void ShowPopup(QWidget* control, const QPoint& at);
  void SetBatchRunning(bool running);

  PaneFocus Focus() const;
  void ChangePortTo(const std::string& name, const std::string& previousDevice = {});

  std::string programDirectory_;
  MainWindowOptions options_;
  LanguageState language_;
  Settings settings_;
  ApplicationState state_;
  int ClipboardSource_ = kClipboardNone;
  bool PopupHit_ = false;
  bool closeConfirmed_ = false;

  // Message boxes: the real ones unless the options bring a replacement.
  std::unique_ptr<MessageBoxPrompter> messageBoxes_;
  Prompter* prompter_ = nullptr;

  // The parts.
  QWidget* Panel2 = nullptr;
  QSplitter* Splitter2 = nullptr;
  RecorderPane* recorderPane_ = nullptr;
  PcPane* pcPane_ = nullptr;
  PcCommands* pcCommands_ = nullptr;
  MainActions* actions_ = nullptr;
  PaneFocusWatch* focus_ = nullptr;
  std::unique_ptr<StatusPanels> statusPanels_;

  // Owned windows, created after this one.
  TPasswordDlg* PasswordDlg = nullptr;
  TFenCopie100b* FenCopie100b = nullptr;
  TChoixCom* ChoixCom = nullptr;
  TFenSuiviSup100b* FenSuiviSup100b = nullptr;
  TAffVersion* AffVersion = nullptr;
  SheetCommands* sheets_ = nullptr;  // the sheet window and TImpMulti
  TFormSociete* FormSociete = nullptr;

  // The link, last: the reader thread is gone before the parts it tells.
  MainLink* link_ = nullptr;
};

}  // namespace tesmora::ui
