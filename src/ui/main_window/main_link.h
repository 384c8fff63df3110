#pragma once

#include <QObject>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/link_events.h"
#include "link/link_state.h"
#include "platform/file_system.h"
#include "platform/mount_table.h"
#include "platform/posix_serial_port.h"
#include "platform/serial_devices.h"
#include "shell/languages.h"
#include "shell/prompter.h"
#include "shell/settings.h"

class QTimer;
class QWidget;

namespace tesmora {
class Exporter;
}  // namespace tesmora

namespace tesmora::link {
class LinkSession;
class TRead;
}  // namespace tesmora::link

namespace tesmora::ui {

class PcPane;
class QueuedLinkEvents;
class RecorderPane;
class StatusPanels;
class TFenCopie100b;
class TFenSuiviSup100b;

struct MainWindowOptions {
  // Where message boxes go; null shows real ones. A replacement must be
  // callable from the reader thread too.
  Prompter* prompter = nullptr;
  // The protocol's waits, and the two timers' intervals, as a fraction of
  // the real ones (tests run them faster).
  link::LinkTiming linkTiming{};
  double timerScale = 1.0;
  // Where the port dialog looks for the serial devices present.
  platform::SerialDeviceRoots serialDevices{};
  // Where the PC pane's drives come from: the machine's when none are given
  // (tests point the tree at a folder of their own).
  std::optional<platform::DriveSources> drives;
  // The PC pane's file system: the machine's, on the drives above, when none
  // is given (tests bring one with folders that hang).
  std::shared_ptr<platform::FileSystem> fileSystem;
  // How long the folder tree and the PC list wait for a folder's listing
  // before they take it as not answering (a hung network share).
  std::chrono::milliseconds listingWait{4000};
};

// The main window's side of the recorder link: the one file of the window
// that talks to the link session (port, start-up sequence, batches,
// cancelling, port change) and that receives the link's events, carried to
// this thread by `QueuedLinkEvents`, telling the panes and the progress
// windows what changed. The main window's handlers call it.
class MainLink : public QObject, private link::LinkEvents {
  Q_OBJECT

 public:
  // Opens the port named in the settings and starts the reader thread; the
  // start-up sequence's timer `Timer1` is armed by StartTimers().
  MainLink(QWidget& window, const std::string& programDirectory, Settings& settings,
           const LanguageState& language, Prompter& prompter, const MainWindowOptions& options,
           RecorderPane& recorder, PcPane& pc, StatusPanels& status);
  ~MainLink() override;

  void AttachProgressWindows(TFenCopie100b* copyWindow, TFenSuiviSup100b* deletionWindow);
  // Called with true when a progress window opens and false when the last
  // one closes.
  std::function<void(bool)> onProgressWindows;

  void StartTimers();
  void Timer1Tick();
  void Timer2Tick();

  // --- what the window's commands ask of the link -----------------------
  void LanguageChanged();
  void SetExportDataMode(bool on);
  void Refresh();
  void DeleteOnRecorder(const std::vector<std::string>& names);
  // Copy with the recorder list focused: the names wait here until they are
  // pasted; a copy never touches a queue, which a running batch may be using.
  void CopyRecorderFiles(const std::vector<std::string>& names);
  bool HasCopiedRecorderFiles() const;
  void ReceiveFromRecorder(const std::vector<std::string>& names,
                           const std::string& destinationFolder);
  void SwitchAllFilesMode(bool on);
  void ChooseMemory(int memoryChoice);
  // Moves the link to another port on a thread of its own, while this one
  // keeps painting; its messages are shown once it is done. When the link
  // moved, this thread saves the new name in the settings and returns true.
  // `previousDevice`: the device the current name stood for before the port
  // dialog bound it to another one (the link then moves to that one).
  bool ChangePortTo(const std::string& name, const std::string& previousDevice = {});

  // --- what the window shows ---------------------------------------------
  // A batch of the user's is under way, or a progress window is open. The
  // window then accepts no command and no close.
  bool BatchRunning() const;
  char FlashDriveLetter() const;
  std::string RecorderVersion() const;
  // The basis byte of the last consistency test the recorder sent (0 before
  // one came), and the exporter the sheets load their tests through.
  std::uint8_t BasisFlags() const;
  const std::shared_ptr<Exporter>& exporter() const { return exporter_; }
  bool PortOpen() const { return port_.IsOpen(); }
  link::LinkSession& session() { return *session_; }
  link::TRead& reader();

  // Ends the reader thread (serving its waiting calls meanwhile) and
  // releases the port. Safe to call twice.
  void ShutDown();

 private:
  void RecorderListCleared() override;
  void RecorderRowAdded(const link::RecorderRow& row) override;
  void RecorderListEnded() override;
  void RecorderFileCountShown(int count) override;
  void ShowCopyProgress(const link::CopyWindowContent& content) override;
  void CopyProgress(link::CopyProgressEvent event) override;
  void ProgramBytesSent(std::uint32_t sent, std::uint32_t count) override;
  void CloseCopyWindow() override;
  void ShowDeleteProgress(const std::string& name) override;
  void CloseDeleteWindow() override;
  void PcFileStored(const std::string& folder, const std::string& name,
                    DateSource dateSource) override;
  void ArmBatchTimer() override;
  void BusyCursor(bool busy) override;
  void LineHungUp() override;
  void LineBack() override;

  void ShowFailures(const std::vector<std::string>& texts);
  void ProgressWindowsChanged();

  std::string programDirectory_;
  Settings& settings_;
  const LanguageState& language_;
  Prompter& prompter_;
  MainWindowOptions options_;
  RecorderPane& recorder_;
  PcPane& pc_;
  StatusPanels& status_;
  bool lineHungUp_ = false;
  bool awaitingDevice_ = false;
  TFenCopie100b* copyWindow_ = nullptr;
  TFenSuiviSup100b* deletionWindow_ = nullptr;
  bool busyCursor_ = false;
  bool shutDown_ = false;

 public:
  QTimer* Timer1 = nullptr;
  QTimer* Timer2 = nullptr;

 private:
  // Declared last so that the reader thread is gone before anything it
  // calls.
  std::shared_ptr<Exporter> exporter_;
  std::unique_ptr<QueuedLinkEvents> queuedEvents_;
  platform::PosixSerialPort port_;
  std::unique_ptr<link::LinkSession> session_;
};

}  // namespace tesmora::ui
