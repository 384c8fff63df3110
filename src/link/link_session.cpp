#include "link/link_session.h"

#include <utility>

#include "link/link_protocol.h"
#include "link/port_change.h"
#include "link/received_file_export.h"
#include "link/transfers.h"

namespace tesmora::link {

LinkSession::LinkSession(platform::SerialPort& port, LinkEvents& events, Prompter& prompter,
                         LinkTiming timing)
    : port_(port), events_(events), prompter_(prompter), link_(port, events, prompter, timing) {
  link_.WatchForDeviceReturn(true);
}

LinkSession::~LinkSession() { link_.Stop(); }

void LinkSession::Seed(const LinkSeed& seed) {
  link_.WithState([&](LinkState& s) {
    s.language = seed.language;
    s.ExportDataMode = seed.exportDataMode;
    s.AutoSaveDirectory = seed.autoSaveDirectory;
    s.programFilesDirectory = seed.programFilesDirectory;
    s.startupPhase = seed.startupPhase;
    if (seed.flashDriveLetter != 0) s.flashDriveLetter = seed.flashDriveLetter;
    s.receivedFiles = seed.receivedFiles;
  });
}

void LinkSession::SetLanguage(const LanguageState& language) {
  link_.WithState([&](LinkState& s) { s.language = language; });
}

void LinkSession::SetExportDataMode(bool on) {
  link_.WithState([on](LinkState& s) { s.ExportDataMode = on; });
}

void LinkSession::SetAutoSaveDirectory(const std::string& folder) {
  link_.WithState([&](LinkState& s) { s.AutoSaveDirectory = folder; });
}

void LinkSession::UseExporter(std::shared_ptr<Exporter> exporter) {
  link_.SetExporter(MakeReceivedFileExporter(std::move(exporter), link_, prompter_));
}

void LinkSession::UseFileSystem(platform::FileSystem& fs) { link_.UseFileSystem(fs); }

bool LinkSession::OpenPort(const Settings& settings, std::string_view portName) {
  return link::OpenPort(port_, settings, portName, prompter_, Language());
}

LinkSession::StartPort LinkSession::OpenPortAtStart(const Settings& settings,
                                                    std::string_view portName) {
  if (OpenPort(settings, portName)) return StartPort::Open;
  const std::string device = PortDevicePath(settings, portName);
  if (port_.LastOpenError().failure != platform::OpenFailure::NoDevice ||
      !link::DeviceMayArriveAt(device))
    return StartPort::Failed;
  link_.AwaitDevice(device);
  return StartPort::Awaited;
}

void LinkSession::Start() { link_.Start(); }
void LinkSession::RequestStop() { link_.RequestStop(); }
bool LinkSession::Ended() const { return link_.Ended(); }
void LinkSession::Stop() { link_.Stop(); }

bool LinkSession::ChangePort(const Settings& settings, std::string_view newName, Prompter& messages,
                             std::string_view previousDevice) {
  return link::ChangePort(link_, settings, newName, messages, Language(), previousDevice);
}

bool LinkSession::Refresh() { return !QueuesInUse() && link_.StartCommand(kCmdList); }

bool LinkSession::RequestVersion() { return !QueuesInUse() && link_.StartCommand(kCmdVersion); }

bool LinkSession::ChooseMemory(int memoryChoice) {
  if (QueuesInUse() || memoryChoice < 0 || memoryChoice > 2) return false;
  link::ChooseMemory(link_, memoryChoice);
  return true;
}

void LinkSession::SwitchAllFilesMode(bool on) { link::SwitchAllFilesMode(link_, on); }

void LinkSession::SetMemory(int memoryChoice) {
  link_.WithState([memoryChoice](LinkState& s) {
    s.memoryChoice = memoryChoice;
    s.rawMode = memoryChoice != 0;
    s.allFilesMode = s.rawMode;
  });
}

void LinkSession::CopyRecorderFiles(const std::vector<std::string>& names) {
  if (names.empty()) return;
  copiedRecorderNames_ = names;
  // The names belong to the memory they were listed from.
  copiedDrivePrefix_ = link_.WithState(
      [](LinkState& s) { return DrivePrefixFor(s.memoryChoice, s.flashDriveLetter); });
}

bool LinkSession::HasCopiedRecorderFiles() const { return !copiedRecorderNames_.empty(); }

bool LinkSession::PasteRecorderFiles(const std::string& destinationFolder) {
  if (copiedRecorderNames_.empty() || QueuesInUse()) return false;
  // A paste takes the copied names, as the queue they once were.
  const std::vector<std::string> names = std::exchange(copiedRecorderNames_, {});
  StartReceive(Context(), names, destinationFolder, copiedDrivePrefix_);
  return true;
}

bool LinkSession::ReceiveFiles(const std::vector<std::string>& names,
                               const std::string& destinationFolder) {
  if (names.empty() || QueuesInUse()) return false;
  StartReceive(Context(), names, destinationFolder);
  return true;
}

bool LinkSession::SendFiles(const std::vector<std::string>& names,
                            const std::string& sourceFolder) {
  if (names.empty() || QueuesInUse()) return false;
  return StartSend(Context(), names, sourceFolder);
}

bool LinkSession::DeleteFiles(const std::vector<std::string>& names) {
  if (names.empty() || QueuesInUse()) return false;
  return StartDeletion(Context(), names);
}

void LinkSession::CancelCopy() {
  link_.WithState([](LinkState& s) { s.copyCancelled = true; });
}

void LinkSession::CancelDeletion() {
  link_.WithState([](LinkState& s) { s.deletionCancelled = true; });
}

void LinkSession::CopyWindowShown() {
  link_.WithState([](LinkState& s) { s.copyCancelled = false; });
}

void LinkSession::PrepareStartup(std::string programDirectory, std::function<void()> loadLists) {
  startup_ = std::make_unique<StartupSequence>(std::move(programDirectory), std::move(loadLists));
}

bool LinkSession::StartupTick() {
  if (startup_ == nullptr) return false;
  if (link_.TakeLineBack()) {
    // The recorder may have been changed or its lists edited while the line
    // was away: everything the start-up fetched is fetched again.
    link_.WithState([](LinkState& s) { s.startupPhase = true; });
    startup_->Restart();
  }
  return startup_->Tick(Context());
}

void LinkSession::BatchTimerTick() { link::BatchTimerTick(Context()); }

bool LinkSession::BatchRunning() const {
  return link_.WithState([](const LinkState& s) { return UserBatchRunning(s); });
}

bool LinkSession::QueuesInUse() const {
  return link_.WithState(
      [](const LinkState& s) { return UserBatchRunning(s) || ReceiveQueueInUse(s); });
}

bool LinkSession::IsBusy() const { return link_.IsBusy(); }
bool LinkSession::IsIdle() const { return link_.IsIdle(); }

int LinkSession::RecorderFileCount() const {
  return link_.WithState([](const LinkState& s) { return s.RecorderFileCount; });
}

char LinkSession::FlashDriveLetter() const {
  return link_.WithState([](const LinkState& s) { return s.flashDriveLetter; });
}

std::string LinkSession::VersionText() const { return VersionTextString(link_.versionText()); }

LanguageState LinkSession::Language() const {
  return link_.WithState([](const LinkState& s) { return s.language; });
}

LinkState LinkSession::Snapshot() const {
  return link_.WithState([](const LinkState& s) { return s; });
}

LinkContext LinkSession::Context() { return {link_, prompter_, events_}; }

}  // namespace tesmora::link
