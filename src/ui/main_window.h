#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "link/link_events.h"
#include "link/reader_thread.h"
#include "link/recorder_list.h"
#include "link/startup_sequence.h"
#include "platform/posix_serial_port.h"
#include "shell/company.h"
#include "shell/languages.h"
#include "shell/main_window_rules.h"
#include "shell/settings.h"
#include "shell/window_placement.h"

class QAction;
class QActionGroup;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;
class QTreeWidget;

namespace tesmora {
class Exporter;
}  // namespace tesmora

namespace tesmora::ui {

class MessageBoxPrompter;
class QueuedLinkEvents;
class TAffVersion;
class TChoixCom;
class TFenCopie100b;
class TFenSuiviSup100b;
class TFormSociete;
class TPasswordDlg;

struct MainWindowOptions {
  // Where message boxes go; null shows real ones. A replacement must be
  // callable from the reader thread too.
  Prompter* prompter = nullptr;
  // The protocol's waits, and the two timers' intervals, as a fraction of
  // the real ones (tests run them faster).
  link::LinkTiming linkTiming{};
  double timerScale = 1.0;
};

// The main window: the recorder pane on the left, the PC pane on the right,
// the menus, toolbar and status bar. It owns the application's state, every
// other window, the serial port and the reader thread that runs the link.
class TFPtesm100q : public QMainWindow, private link::LinkEvents {
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

  const LanguageState& language() const { return language_; }
  const Settings& settings() const { return settings_; }
  const structure_societe& company() const;
  link::TRead& link() { return *link_; }
  bool portOpen() const { return port_.IsOpen(); }
  int RecorderFileCount() const { return RecorderFileCount_; }
  bool AllFilesMode() const;
  bool ExportDataMode() const { return settings_.ExportDataMode != 0; }
  // The rows of the recorder list in their order on screen.
  const std::vector<link::RecorderRow>& recorderRows() const { return recorderRows_; }
  QString statusPanelText(int panel) const;

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
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What the reader thread hands over, carried out on this thread.
  void RecorderListCleared() override;
  void RecorderRowAdded(const link::RecorderRow& row) override;
  void RecorderListEnded() override;
  void RecorderFileCountShown(int count) override;
  void ShowCopyProgress(const link::CopyWindowContent& content) override;
  void CopyProgress(link::CopyProgressEvent event) override;
  void CloseCopyWindow() override;
  void ShowDeleteProgress(const std::string& name) override;
  void CloseDeleteWindow() override;
  void PcFileStored(const std::string& folder, const std::string& name,
                    DateSource dateSource) override;
  void ArmBatchTimer() override;
  void BusyCursor(bool busy) override;

  QAction* AddItem(QMenu* menu, const char* objectName, int image = -1);
  QMenu* AddMenu(QMenu* parent, const char* objectName);
  void BuildPanes();
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void ScaleToScreen();
  void StartLink();
  void ShutDownLink();

  link::LinkContext Context();
  PaneFocus Focus() const;
  int SelectedNodeState() const;
  std::vector<std::string> SelectedRecorderNames() const;
  void FillRecorderList();
  void SetStatusPanel(int panel, const QString& text);
  // Status panel 0: the recorder's file count, or a text of counts.
  void ShowRecorderFileCount();
  void SetRecorderPanel(const std::string& text);
  void SetBatchRunning(bool running);
  void DeleteOnRecorder();
  void ChangePortTo(const std::string& name);
  void ShowFailures(const std::vector<std::string>& texts);
  QAction* Item(const char* objectName) const;

  std::string programDirectory_;
  MainWindowOptions options_;
  LanguageState language_;
  Settings settings_;
  int RecorderFileCount_ = 0;
  int PcFileCount_ = 0;
  int ClipboardSource_ = kClipboardNone;
  bool PopupHit_ = false;
  PaneFocus lastFocus_ = PaneFocus::Other;
  link::RecorderSortState sortState_;
  std::vector<link::RecorderRow> recorderRows_;
  bool busyCursor_ = false;
  bool linkShutDown_ = false;
  bool closeConfirmed_ = false;
  QMetaObject::Connection focusConnection_;

  // Message boxes: the real ones unless the options bring a replacement.
  std::unique_ptr<MessageBoxPrompter> messageBoxes_;
  Prompter* prompter_ = nullptr;

  // Widgets.
  QWidget* Panel2 = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QWidget* Panel3 = nullptr;
  QWidget* Panel1 = nullptr;
  QSplitter* paneSplitter_ = nullptr;
  QSplitter* pcSplitter_ = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QGroupBox* ChoixDisk = nullptr;
  QButtonGroup* choixDiskButtons_ = nullptr;
  QTreeWidget* ListKald = nullptr;
  QTreeWidget* tvRepPc = nullptr;
  QTreeWidget* ListFichPC = nullptr;
  std::array<QLabel*, kStatusPanelCount> statusPanels_{};
  QMenu* PupMnu = nullptr;
  QActionGroup* languageGroup_ = nullptr;
  QTimer* Timer1 = nullptr;
  QTimer* Timer2 = nullptr;

  // Owned windows, created after this one.
  TPasswordDlg* PasswordDlg = nullptr;
  TFenCopie100b* FenCopie100b = nullptr;
  TChoixCom* ChoixCom = nullptr;
  TFenSuiviSup100b* FenSuiviSup100b = nullptr;
  TAffVersion* AffVersion = nullptr;
  TFormSociete* FormSociete = nullptr;

  // The link. Declared last so that the reader thread is gone before
  // anything it calls.
  std::shared_ptr<Exporter> exporter_;
  std::unique_ptr<QueuedLinkEvents> queuedEvents_;
  platform::PosixSerialPort port_;
  std::unique_ptr<link::TRead> link_;
  std::unique_ptr<link::StartupSequence> startup_;
};

}  // namespace tesmora::ui
