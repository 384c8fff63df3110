#include "ui/main_window/main_link.h"

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <thread>
#include <utility>

#include "link/link_session.h"
#include "records/exporter.h"
#include "records/failure_text.h"
#include "shell/message_table.h"
#include "ui/common/dialog_frame.h"
#include "ui/dialogs/copy_window.h"
#include "ui/dialogs/deletion_window.h"
#include "ui/main_window/queued_link_events.h"
#include "ui/main_window/status_panels.h"
#include "ui/pc_pane/pc_pane.h"
#include "ui/recorder_pane/recorder_pane.h"

namespace tesmora::ui {
namespace {

constexpr int kTimer1Interval = 1500;
constexpr int kTimer2Interval = 100;

// Messages that a job on another thread would show while this thread waits
// for the job: they are kept and shown once it has ended.
class HeldMessages : public Prompter {
 public:
  void ShowMessage(std::string_view caption, std::string_view text, PromptIcon icon,
                   std::uint16_t languageId) override {
    held_.push_back({std::string(caption), std::string(text), icon, languageId});
  }
  PromptAnswer Ask(std::string_view, std::string_view, PromptButtons, PromptIcon,
                   std::uint16_t) override {
    return PromptAnswer::Cancel;
  }
  void ShowThrough(Prompter& prompter) const {
    for (const Held& message : held_) {
      prompter.ShowMessage(message.caption, message.text, message.icon, message.languageId);
    }
  }

 private:
  struct Held {
    std::string caption, text;
    PromptIcon icon;
    std::uint16_t languageId;
  };
  std::vector<Held> held_;
};

}  // namespace

MainLink::MainLink(QWidget& window, const std::string& programDirectory, Settings& settings,
                   const LanguageState& language, Prompter& prompter,
                   const MainWindowOptions& options, RecorderPane& recorder, PcPane& pc,
                   StatusPanels& status)
    : QObject(&window),
      programDirectory_(programDirectory),
      settings_(settings),
      language_(language),
      prompter_(prompter),
      options_(options),
      recorder_(recorder),
      pc_(pc),
      status_(status) {
  setObjectName("MainLink");
  exporter_ = std::make_shared<Exporter>(programDirectory_, settings_.startupWorkingDirectory);
  queuedEvents_ = std::make_unique<QueuedLinkEvents>(static_cast<link::LinkEvents&>(*this), this);
  session_ =
      std::make_unique<link::LinkSession>(port_, *queuedEvents_, prompter_, options_.linkTiming);
  link::LinkSeed seed;
  seed.language = language_;
  seed.exportDataMode = settings_.ExportDataMode != 0;
  seed.autoSaveDirectory = settings_.AutoSaveDirectory;
  seed.programFilesDirectory = settings_.startupWorkingDirectory;
  seed.startupPhase = true;
  // The user is asked before a received file replaces one on the PC.
  seed.receivedFiles = platform::OverwritePolicy::Ask;
  session_->Seed(seed);
  // An adapter still to be plugged in is waited for: its arrival starts the
  // start-up sequence, as after a hang-up.
  awaitingDevice_ = session_->OpenPortAtStart(settings_, settings_.portName) ==
                    link::LinkSession::StartPort::Awaited;
  session_->UseExporter(exporter_);
  session_->Start();
  session_->PrepareStartup(programDirectory_, [this] {
    ShowFailures(exporter_->LoadCustomerAndProtocolLists(language_.LanguageIndex));
  });

  const auto makeTimer = [this](const char* name, int interval) {
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(std::max(1, static_cast<int>(interval * options_.timerScale)));
    return timer;
  };
  Timer1 = makeTimer("Timer1", kTimer1Interval);
  Timer2 = makeTimer("Timer2", kTimer2Interval);
}

MainLink::~MainLink() { ShutDown(); }

void MainLink::AttachProgressWindows(TFenCopie100b* copyWindow, TFenSuiviSup100b* deletionWindow) {
  copyWindow_ = copyWindow;
  deletionWindow_ = deletionWindow;
  copyWindow_->onEscape = [this] { session_->CancelCopy(); };
  copyWindow_->onShown = [this] { session_->CopyWindowShown(); };
  deletionWindow_->onEscape = [this] { session_->CancelDeletion(); };
}

void MainLink::StartTimers() {
  if (!awaitingDevice_) Timer1->start();
}

void MainLink::Timer1Tick() {
  if (!session_->StartupTick()) Timer1->stop();
}

void MainLink::Timer2Tick() {
  Timer2->stop();
  session_->BatchTimerTick();
}

// ---------------------------------------------------------------- commands

void MainLink::LanguageChanged() { session_->SetLanguage(language_); }

void MainLink::SetExportDataMode(bool on) { session_->SetExportDataMode(on); }

void MainLink::Refresh() { session_->Refresh(); }

void MainLink::DeleteOnRecorder(const std::vector<std::string>& names) {
  session_->DeleteFiles(names);
}

void MainLink::CopyRecorderFiles(const std::vector<std::string>& names) {
  session_->CopyRecorderFiles(names);
}

bool MainLink::HasCopiedRecorderFiles() const { return session_->HasCopiedRecorderFiles(); }

void MainLink::ReceiveFromRecorder(const std::vector<std::string>& names,
                                   const std::string& destinationFolder) {
  session_->ReceiveFiles(names, destinationFolder);
}

void MainLink::SwitchAllFilesMode(bool on) { session_->SwitchAllFilesMode(on); }

void MainLink::ChooseMemory(int memoryChoice) { session_->ChooseMemory(memoryChoice); }

bool MainLink::ChangePortTo(const std::string& name, const std::string& previousDevice) {
  // Moving the link takes a second or more (the old port is given time to
  // settle): it runs on a thread of its own while this one keeps painting
  // under the port dialog, which holds the user's input meanwhile. The
  // settings are this thread's alone: the worker only reports.
  HeldMessages held;
  bool moved = false;
  QEventLoop loop;
  const Settings settings = settings_;
  std::thread worker([&] {
    moved = session_->ChangePort(settings, name, held, previousDevice);
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  QApplication::setOverrideCursor(Qt::WaitCursor);
  loop.exec();
  worker.join();
  QApplication::restoreOverrideCursor();
  if (moved) SavePortName(settings_, name);
  held.ShowThrough(prompter_);
  return moved;
}

bool MainLink::BatchRunning() const {
  return session_->BatchRunning() || (copyWindow_ != nullptr && copyWindow_->isVisible()) ||
         (deletionWindow_ != nullptr && deletionWindow_->isVisible());
}

char MainLink::FlashDriveLetter() const { return session_->FlashDriveLetter(); }

std::string MainLink::RecorderVersion() const { return session_->VersionText(); }

std::uint8_t MainLink::BasisFlags() const { return session_->reader().basisFlags().value_or(0); }

link::TRead& MainLink::reader() { return session_->reader(); }

void MainLink::ShowFailures(const std::vector<std::string>& texts) {
  for (const std::string& text : texts) {
    prompter_.ShowMessage(kErrorCaption, text, PromptIcon::Error, language_.MessageLanguageId);
  }
}

// ----------------------------------------------- what the reader hands over

void MainLink::RecorderListCleared() { recorder_.Clear(); }

void MainLink::RecorderRowAdded(const link::RecorderRow& row) { recorder_.AddRow(row); }

void MainLink::RecorderListEnded() { recorder_.ShowRows(); }

void MainLink::RecorderFileCountShown(int count) {
  recorder_.ShowFileCount(count);
  // A list that came through says the line works again.
  if (std::exchange(lineHungUp_, false)) status_.SetText(3, QString());
}

void MainLink::LineBack() {
  // The adapter is back: the start-up sequence runs again and fills the list.
  if (std::exchange(lineHungUp_, false)) status_.SetText(3, QString());
  if (!shutDown_) Timer1->start();
}

void MainLink::LineHungUp() {
  // Said once, where it stays in sight: the line to the recorder is gone.
  lineHungUp_ = true;
  status_.SetText(3, Message(msg::kCommunicationProblem, language_));
}

void MainLink::ProgressWindowsChanged() {
  const bool open = (copyWindow_ != nullptr && copyWindow_->isVisible()) ||
                    (deletionWindow_ != nullptr && deletionWindow_->isVisible());
  if (onProgressWindows) onProgressWindows(open);
}

void MainLink::ShowCopyProgress(const link::CopyWindowContent& content) {
  if (copyWindow_ == nullptr) return;
  copyWindow_->ShowContent(content);
  ProgressWindowsChanged();
}

void MainLink::CopyProgress(link::CopyProgressEvent event) {
  if (copyWindow_ != nullptr) copyWindow_->Progress(event);
}

void MainLink::ProgramBytesSent(std::uint32_t sent, std::uint32_t count) {
  if (copyWindow_ != nullptr) copyWindow_->ProgramProgress(sent, count);
}

void MainLink::CloseCopyWindow() {
  if (copyWindow_ != nullptr) copyWindow_->hide();
  ProgressWindowsChanged();
}

void MainLink::ShowDeleteProgress(const std::string& name) {
  if (deletionWindow_ == nullptr) return;
  deletionWindow_->ShowName(name);
  ProgressWindowsChanged();
}

void MainLink::CloseDeleteWindow() {
  if (deletionWindow_ != nullptr) deletionWindow_->hide();
  ProgressWindowsChanged();
}

// The list dates the row as a fill would: the link's date source says the
// same for every file it stores.
void MainLink::PcFileStored(const std::string& folder, const std::string& name, DateSource) {
  pc_.FileStored(folder, name);
}

void MainLink::ArmBatchTimer() { Timer2->start(); }

void MainLink::BusyCursor(bool busy) {
  if (busy == busyCursor_) return;
  busyCursor_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

// ---------------------------------------------------------------- shutdown

void MainLink::ShutDown() {
  if (shutDown_ || !session_) return;
  shutDown_ = true;
  Timer1->stop();
  Timer2->stop();
  // The thread may be waiting for a window or a message box of this thread:
  // keep carrying those out until it has ended, then release the port.
  session_->RequestStop();
  while (!session_->Ended()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  session_->Stop();
  port_.Purge(false, true);
  port_.Close();
  BusyCursor(false);
}

}  // namespace tesmora::ui
