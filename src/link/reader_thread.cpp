#include "link/reader_thread.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <utility>

#include "link/copy_window_text.h"
#include "link/name_list.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "records/failure_text.h"
#include "shell/message_table.h"

namespace tesmora::link {

namespace {

constexpr int kMessageOpeningError = 54;
constexpr int kMessageVersion = 286;
constexpr int kMessageCommunication = 287;
constexpr int kMessageDiskFull = 292;

// Reads inside an exchange are cut into slices so that a stop request is seen
// within one slice even during a ten-second wait.
constexpr int kReadSliceMs = 100;

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

TRead::TRead(platform::SerialPort& port, LinkEvents& events, Prompter& prompter, LinkTiming timing)
    : port_(port), events_(events), prompter_(prompter), timing_(timing) {
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

TRead::~TRead() {
  Stop();
  if (wakeFd_ >= 0) ::close(wakeFd_);
}

void TRead::Start() {
  if (thread_.joinable()) return;
  stopping_ = false;
  ended_ = false;
  thread_ = std::thread([this] {
    Execute();
    ended_ = true;
  });
}

void TRead::RequestStop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stopSignal_.notify_all();
  Wake();
}

void TRead::Stop() {
  if (!thread_.joinable()) return;
  RequestStop();
  thread_.join();
}

void TRead::Wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
}

bool TRead::StartCommand(std::uint8_t code) { return StartCommandAfterPause(code, 0); }

bool TRead::StartCommandAfterPause(std::uint8_t code, int realMilliseconds) {
  {
    std::lock_guard lock(mutex_);
    if (busy_) return false;
    busy_ = true;
    pendingCommand_ = code;
    pendingPauseMs_ = realMilliseconds;
  }
  Wake();
  return true;
}

bool TRead::IsBusy() const {
  std::lock_guard lock(mutex_);
  return busy_;
}

bool TRead::IsIdle() const {
  std::lock_guard lock(mutex_);
  const LinkState& s = state_;
  return !busy_ && pendingCommand_ == 0 && s.receiveQueue.empty() && s.sendQueue.empty() &&
         s.deleteQueue.empty() && !s.receiveDone && !s.sendDone && !s.pushDone &&
         s.retryCommand == 0 && !s.copyWindowShown && !s.deleteWindowShown;
}

bool TRead::TakeListDone() {
  return WithState([](LinkState& s) { return std::exchange(s.listDone, false); });
}
bool TRead::TakeVersionDone() {
  return WithState([](LinkState& s) { return std::exchange(s.versionDone, false); });
}
bool TRead::TakeReceiveDone() {
  return WithState([](LinkState& s) { return std::exchange(s.receiveDone, false); });
}
bool TRead::TakeSendDone() {
  return WithState([](LinkState& s) { return std::exchange(s.sendDone, false); });
}
bool TRead::TakePushDone() {
  return WithState([](LinkState& s) { return std::exchange(s.pushDone, false); });
}
bool TRead::TakeLineBack() {
  return WithState([](LinkState& s) { return std::exchange(s.lineBack, false); });
}

void TRead::WatchForDeviceReturn(bool on) { watchReturn_ = on; }

void TRead::AwaitDevice(std::string path) {
  {
    std::lock_guard lock(mutex_);
    awaitedPath_ = std::move(path);
  }
  Wake();
}

void TRead::SetExporter(ExportReceivedFile exporter) {
  std::lock_guard lock(mutex_);
  exporter_ = std::move(exporter);
}

std::array<char, kVersionTextSize> TRead::versionText() const {
  std::lock_guard lock(mutex_);
  return versionText_;
}

std::optional<std::uint8_t> TRead::basisFlags() const {
  std::lock_guard lock(mutex_);
  return basisFlags_;
}

void TRead::ResetPort() {
  {
    std::lock_guard lock(mutex_);
    resetRequested_ = true;
  }
  Wake();
}

bool TRead::RunExclusive(const std::function<void(platform::SerialPort&)>& job) {
  std::unique_lock lock(mutex_);
  if (busy_) return false;
  busy_ = true;
  if (!thread_.joinable()) {
    lock.unlock();
    job(port_);
    lock.lock();
    busy_ = false;
    return true;
  }
  exclusiveJob_ = &job;
  lock.unlock();
  Wake();
  lock.lock();
  jobDone_.wait(lock, [&] { return exclusiveJob_ == nullptr; });
  return true;
}

// --- The thread body -------------------------------------------------------

void TRead::Execute() {
  while (!stopping_) {
    std::uint8_t code = 0;
    int pauseMs = 0;
    bool reset = false;
    bool busy = false;
    const std::function<void(platform::SerialPort&)>* job = nullptr;
    std::string awaited;
    {
      std::lock_guard lock(mutex_);
      job = exclusiveJob_;
      awaited = std::exchange(awaitedPath_, {});
      code = std::exchange(pendingCommand_, 0);
      pauseMs = std::exchange(pendingPauseMs_, 0);
      reset = std::exchange(resetRequested_, false);
      busy = busy_;
    }
    if (!awaited.empty() && job == nullptr && !port_.IsOpen()) {
      // Said as a hang-up is: the line to the recorder is not there.
      returnPath_ = std::move(awaited);
      events_.LineHungUp();
    }
    if (job != nullptr) {
      (*job)(port_);
      // The job chose the port: a device awaited before it is no longer ours
      // to wait for.
      returnPath_.clear();
      hangUpReported_ = port_.HungUp();
      {
        std::lock_guard lock(mutex_);
        exclusiveJob_ = nullptr;
        busy_ = false;
      }
      jobDone_.notify_all();
      continue;
    }
    if (reset) {
      port_.Purge(true, true);
      port_.SetReadTimeout(0);
      SetLinkSpeed(0);
    }
    if (code != 0) {
      RunCommand(code, pauseMs);
      continue;
    }
    if (!busy) {
      port_.SetReadTimeout(0);
      if (const auto byte = port_.ReadByte()) {
        DispatchIdleByte(*byte);
        continue;
      }
    }
    WaitForInput();
  }
}

void TRead::WaitForInput() {
  NoteHangUp();
  // A hung-up line reports itself at every poll and a closed port has
  // nothing to poll: both wait for our own events alone, which cost nothing.
  pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {port_.PollDescriptor(), POLLIN, 0}};
  const bool withPort = fds[1].fd >= 0 && !port_.HungUp() && !IsBusy();
  const int timeout = returnPath_.empty() ? -1 : timing_.Ms(kDeviceReturnCheckMs);
  const int ready = ::poll(fds, withPort ? 2 : 1, timeout);
  if (ready > 0 && (fds[0].revents & POLLIN) != 0) {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
  }
  if (!returnPath_.empty() && !IsBusy()) ReopenReturnedDevice();
}

void TRead::NoteHangUp() {
  const bool hungUp = port_.HungUp();
  if (hungUp && !hangUpReported_) {
    events_.LineHungUp();
    if (watchReturn_) {
      returnPath_ = port_.ReturnPath();
      if (!returnPath_.empty()) port_.Close();
    }
  }
  // A port opened again may hang up again, and that is a new hang-up.
  hangUpReported_ = hungUp;
}

void TRead::ReopenReturnedDevice() {
  if (!port_.Open(returnPath_)) return;  // still away, or not ours yet: the next check
  returnPath_.clear();
  hangUpReported_ = false;
  port_.SetReadTimeout(0);
  SetTimeout(0);
  WithState([](LinkState& s) { s.lineBack = true; });
  events_.LineBack();
}

bool TRead::LineGone() const { return !port_.IsOpen() || port_.HungUp(); }

void TRead::DispatchIdleByte(std::uint8_t byte) {
  const RecorderRequest request = ClassifyIdleByte(byte);
  if (request.kind == RecorderRequestKind::None) return;
  {
    std::lock_guard lock(mutex_);
    // A command started meanwhile purges the line anyway.
    if (busy_) return;
    busy_ = true;
  }
  switch (request.kind) {
    case RecorderRequestKind::Push:
      PushExchange(request.speedCode);
      break;
    case RecorderRequestKind::ProgramSize:
      ProgramSizeExchange(request.emergency, byte);
      break;
    case RecorderRequestKind::ProgramData:
      ProgramDataExchange(request.emergency, request.speedCode);
      break;
    case RecorderRequestKind::None:
      break;
  }
}

void TRead::RunCommand(std::uint8_t code, int pauseMs) {
  if (pauseMs > 0) Pause(pauseMs);
  events_.BusyCursor(true);
  currentCode_ = code;
  port_.Purge(true, true);
  SetLinkSpeed(0);
  SetTimeout(kReplyTimeoutMs);
  phase_ = Phase::AwaitingReply;
  port_.SendImmediate(code);
  const std::optional<int> speed = AwaitReply(code);
  if (!speed) return;
  switch (code) {
    case kCmdList:
      ListExchange(*speed);
      break;
    case kCmdVersion:
      VersionExchange(*speed);
      break;
    case kCmdGetFile:
      GetExchange();
      break;
    case kCmdPutFile:
      PutExchange();
      break;
    case kCmdDelete:
      DeleteExchange();
      break;
    default:
      AbandonExchange(Message(kMessageCommunication));
      break;
  }
}

std::optional<int> TRead::AwaitReply(std::uint8_t code) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    const auto reply = Read();
    if (reply && IsReplyTo(code, *reply)) {
      SetLinkSpeed(SpeedCodeOf(*reply));
      return SpeedCodeOf(*reply);
    }
    // The one repeat of a command: same speed, no purge.
    if (attempt == 0 && !stopping_) port_.SendImmediate(code);
  }
  phase_ = Phase::None;
  AbandonExchange(Message(kMessageCommunication));
  return std::nullopt;
}

// --- Commands --------------------------------------------------------------

void TRead::ListExchange(int speedCode) {
  int memoryChoice = 0;
  int language = 1;
  WithState([&](LinkState& s) {
    s.RecorderFileCount = 0;
    s.recorderNames.clear();
    memoryChoice = s.memoryChoice;
    language = s.language.LanguageIndex;
  });
  events_.RecorderListCleared();
  phase_ = Phase::Receiving;
  port_.SendImmediate(static_cast<std::uint8_t>(speedCode));
  ListStreamReceiver receiver;
  std::optional<ListEntry> entry;
  for (;;) {
    const auto byte = Read();
    if (!byte) return AbandonExchange(Message(kMessageCommunication));
    const bool ended = receiver.Feed(*byte, entry);
    if (entry && entry->section == memoryChoice) {
      const RecorderRow row = RecorderRowFromEntry(*entry, language);
      WithState([&](LinkState& s) {
        ++s.RecorderFileCount;
        s.recorderNames.push_back(row.name);
      });
      events_.RecorderRowAdded(row);
    }
    if (ended) break;
  }
  phase_ = Phase::Checksum;
  if (!ChecksumHandshake(receiver.sum())) return AbandonExchange(Message(kMessageCommunication));
  const int count = WithState([](LinkState& s) {
    s.listDone = true;
    return s.RecorderFileCount;
  });
  events_.RecorderListEnded();
  events_.RecorderFileCountShown(count);
  EndExchange();
}

void TRead::VersionExchange(int speedCode) {
  phase_ = Phase::Receiving;
  port_.SendImmediate(static_cast<std::uint8_t>(speedCode));
  VersionStreamReceiver receiver;
  for (;;) {
    const auto byte = Read();
    if (!byte) return AbandonExchange(Message(kMessageCommunication));
    if (receiver.Feed(*byte)) break;
  }
  phase_ = Phase::Checksum;
  if (!ChecksumHandshake(receiver.sum())) return AbandonExchange(Message(kMessageCommunication));
  {
    std::lock_guard lock(mutex_);
    versionText_ = receiver.text();
    state_.versionDone = true;
  }
  EndExchange();
}

void TRead::GetExchange() {
  std::string name, folder, prefix;
  bool raw = false, startup = false, deleteWindow = false;
  WithState([&](LinkState& s) {
    name = FirstName(s.receiveQueue);
    folder = s.destinationFolder;
    raw = s.rawMode;
    prefix = s.drivePrefix;
    startup = s.startupDownload;
    deleteWindow = s.deleteWindowShown;
  });
  const std::string path = folder + name;
  phase_ = Phase::None;
  // A name from the recorder never leads outside the destination folder.
  if (!IsSafeRecorderName(name) || !writer_.Open(path)) {
    ShowError(OpeningErrorText(path));
    WithState([](LinkState& s) { s.receiveQueue.clear(); });
    return AbandonExchange(Message(kMessageCommunication));
  }
  if (!SendName(raw ? prefix + name : name)) return AbandonExchange(Message(kMessageCommunication));
  SetTimeout(kStreamTimeoutMs);
  phase_ = Phase::Receiving;
  if (!startup && !deleteWindow) {
    events_.ShowCopyProgress({name, ReceiveDirectionText(folder), raw});
    WithState([](LinkState& s) { s.copyWindowShown = true; });
  }
  TestFileStreamReceiver receiver(name, raw);
  if (!ReceiveFile(receiver, raw, true)) return;
  if (!FinishReceivedFile(receiver, raw)) return;
  CompleteReceive(folder, name);
}

void TRead::PutExchange() {
  std::string name, folder, prefix;
  bool raw = false, deleteWindow = false;
  WithState([&](LinkState& s) {
    name = FirstName(s.sendQueue);
    folder = s.sourceFolder;
    raw = s.rawMode;
    prefix = s.drivePrefix;
    deleteWindow = s.deleteWindowShown;
  });
  phase_ = Phase::None;
  const std::string path = folder + name;
  const std::optional<std::string> content = platform::ReadWholeFile(path);
  if (!content) {
    ShowError(OpeningErrorText(path));
    WithState([](LinkState& s) { s.sendQueue.clear(); });
    return AbandonExchange(Message(kMessageCommunication));
  }
  if (!SendName(raw ? prefix + name : name) || !ExpectByte(kPutReady)) {
    return AbandonExchange(Message(kMessageCommunication));
  }
  if (!deleteWindow) {
    events_.ShowCopyProgress({name, SendDirectionText(folder), raw});
    WithState([](LinkState& s) { s.copyWindowShown = true; });
  }
  SetTimeout(kSendAckTimeoutMs);
  phase_ = Phase::Sending;
  const std::string wire = EncodeFileForSending(*content, raw);
  const std::size_t progressStep = content->size() > 10 ? content->size() / 10 : 0;
  RunningSum sum;
  for (std::size_t i = 0; i < wire.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(wire[i]);
    sum.Add(byte);
    if (!port_.WriteByte(byte)) return AbandonExchange(Message(kMessageCommunication));
    const std::size_t sent = i + 1;
    if (progressStep != 0 && sent % progressStep == 0)
      events_.CopyProgress(CopyProgressEvent::Step);
    if (sent % kPutAckInterval == 0) {
      const auto ack = Read();
      if (!ack || *ack != sum.Low()) return AcknowledgementFailed(ack.has_value());
    }
  }
  SetTimeout(kStreamTimeoutMs);
  phase_ = Phase::Checksum;
  if (!ChecksumHandshake(sum)) return AbandonExchange(Message(kMessageCommunication));
  WithState([](LinkState& s) { s.resendCount = 0; });
  EndExchange();
  WithState([](LinkState& s) { RemoveFirstName(s.sendQueue); });
  Pause(kSettlePauseMs);
  WithState([](LinkState& s) { s.sendDone = true; });
  events_.ArmBatchTimer();
}

void TRead::AcknowledgementFailed(bool byteArrived) {
  const int resends = WithState([](LinkState& s) { return ++s.resendCount; });
  // A line that has gone will not take the file a second time: the send
  // fails now, as any cut transfer does, and nothing offers it again.
  if (resends >= 2 || LineGone()) return AbandonExchange(Message(kMessageCommunication));
  phase_ = Phase::None;
  // A wrong byte means the recorder is still there but lost count: give it
  // time to give up on its side before the file is offered again.
  if (byteArrived) Pause(kResendPauseMs);
  {
    std::lock_guard lock(mutex_);
    busy_ = false;
  }
  StartCommand(kCmdPutFile);
}

void TRead::DeleteExchange() {
  std::string name, prefix;
  bool raw = false;
  WithState([&](LinkState& s) {
    name = FirstName(s.deleteQueue);
    raw = s.rawMode;
    prefix = s.drivePrefix;
  });
  phase_ = Phase::None;
  if (!SendName(raw ? prefix + name : name)) return AbandonExchange(Message(kMessageCommunication));
  phase_ = Phase::Receiving;
  WithState([](LinkState& s) { s.deleteWindowShown = true; });
  events_.ShowDeleteProgress(name);
  if (!ExpectByte(kDeleteConfirmed)) return AbandonExchange(Message(kMessageCommunication));
  phase_ = Phase::None;
  Pause(kSettlePauseMs);
  bool more = false;
  WithState([&](LinkState& s) {
    RemoveFirstName(s.deleteQueue);
    more = !s.deleteQueue.empty() && !s.deletionCancelled;
    if (!more) {
      s.deleteQueue.clear();
      s.deletionCancelled = false;
      s.deleteWindowShown = false;
    }
  });
  {
    std::lock_guard lock(mutex_);
    busy_ = false;
  }
  events_.BusyCursor(false);
  if (more) {
    StartCommand(kCmdDelete);
    return;
  }
  events_.CloseDeleteWindow();
  StartCommandAfterPause(kCmdList, kRelistPauseMs);
}

// --- Requests from the recorder --------------------------------------------

void TRead::PushExchange(int speedCode) {
  currentCode_ = kCodePush;
  SetLinkSpeed(speedCode);
  SetTimeout(kShortTimeoutMs);
  port_.Purge(true, false);
  port_.SendImmediate(static_cast<std::uint8_t>(speedCode));
  phase_ = Phase::Receiving;
  // A push may come between two files of the user's batch: it keeps to its
  // own name and leaves the batch's queue alone.
  const std::string autoSave = WithState([](LinkState& s) { return s.AutoSaveDirectory; });
  std::string name;
  while (name.size() < kPushNameLength) {
    const auto byte = Read();
    if (!byte) return AbandonExchange(Message(kMessageCommunication));
    name.push_back(static_cast<char>(*byte));
  }
  if (!IsSafeRecorderName(name) || !writer_.Open(autoSave + name)) {
    // Read the rest of the push and drop it, so that the recorder sees a
    // clean end, then say why nothing was stored.
    TestFileStreamReceiver receiver(name, false);
    std::string dropped;
    for (bool ended = false; !ended; dropped.clear()) {
      const auto byte = Read();
      if (!byte) return AbandonExchange(Message(kMessageCommunication));
      ended = receiver.Feed(*byte, dropped);
    }
    phase_ = Phase::Checksum;
    const bool good = ChecksumHandshake(receiver.sum());
    ShowError(Message(kMessageOpeningError));
    if (!good) return AbandonExchange(Message(kMessageCommunication));
    return EndExchange();
  }
  currentCode_ = kCmdGetFile;
  WithState([&](LinkState& s) {
    s.push = true;
    s.copyWindowShown = true;
  });
  events_.ShowCopyProgress({name, ReceiveDirectionText(autoSave), false});
  TestFileStreamReceiver receiver(name, false);
  if (!ReceiveFile(receiver, false, true)) return;
  if (!FinishReceivedFile(receiver, false)) return;
  CompleteReceive(autoSave, name);
}

void TRead::ProgramSizeExchange(bool emergency, std::uint8_t request) {
  currentCode_ = kCodeProgramSize;
  SetTimeout(kShortTimeoutMs);
  port_.SendImmediate(request);
  const std::string_view file = emergency ? kEmergencyProgramFile : kNormalProgramFile;
  const std::string directory = WithState([](LinkState& s) { return s.programFilesDirectory; });
  const auto content = platform::ReadWholeFile(platform::JoinPath(directory, file));
  if (!content || content->empty()) {
    return AbandonExchange(UpperCase(file) + "." + Message(kMessageOpeningError));
  }
  const auto count = static_cast<std::uint32_t>(content->size() - 1);
  announcedProgramBytes_ = count;
  announcedEmergency_ = emergency;
  phase_ = Phase::Sending;
  RunningSum sum;
  for (const std::uint8_t byte : ProgramSizeBytes(count)) {
    sum.Add(byte);
    port_.WriteByte(byte);
    if (!ExpectByte(sum.Low())) return AbandonExchange(Message(kMessageCommunication));
  }
  SetTimeout(kStreamTimeoutMs);
  phase_ = Phase::Checksum;
  if (!ChecksumHandshake(sum)) return AbandonExchange(Message(kMessageCommunication));
  EndExchange();
}

void TRead::ProgramDataExchange(bool emergency, int speedCode) {
  currentCode_ = kCodeProgramData;
  port_.Purge(true, true);
  SetLinkSpeed(speedCode);
  SetTimeout(kProgramDataTimeoutMs);
  // Without a size request for this same program the count to send is
  // unknown: the request is refused.
  if (!announcedProgramBytes_ || announcedEmergency_ != emergency) {
    return AbandonExchange(Message(kMessageCommunication));
  }
  const std::string_view file = emergency ? kEmergencyProgramFile : kNormalProgramFile;
  const std::string directory = WithState([](LinkState& s) { return s.programFilesDirectory; });
  const auto content = platform::ReadWholeFile(platform::JoinPath(directory, file));
  if (!content || content->empty()) {
    return AbandonExchange(UpperCase(file) + "." + Message(kMessageOpeningError));
  }
  const std::uint32_t count = *announcedProgramBytes_;
  // The file changed since its size was announced.
  if (content->size() - 1 < count) return AbandonExchange(Message(kMessageCommunication));
  const auto rotationStart = static_cast<std::uint8_t>((*content)[0]);
  const std::uint32_t ackInterval =
      emergency ? kEmergencyProgramAckInterval : kNormalProgramAckInterval;
  WithState([](LinkState& s) { s.copyWindowShown = true; });
  events_.ShowCopyProgress({emergency ? "EMERGENCY" : Message(kMessageVersion), "", false});
  phase_ = Phase::Sending;
  RunningSum sum;
  bool cancelled = false;
  for (std::uint32_t i = 0; i < count && !cancelled; ++i) {
    cancelled = WithState([](LinkState& s) { return s.copyCancelled; });
    const auto byte =
        RotateProgramByte(static_cast<std::uint8_t>((*content)[1 + i]), rotationStart, i);
    sum.Add(byte);
    port_.WriteByte(byte);
    for (int step = ProgramProgressSteps(i + 1, count); step > 0; --step) {
      events_.CopyProgress(CopyProgressEvent::StepOne);
    }
    if ((i + 1) % ackInterval == 0 && !ExpectByte(sum.Low())) {
      return AbandonExchange(Message(kMessageCommunication));
    }
  }
  if (cancelled) {
    events_.CloseCopyWindow();
    WithState([](LinkState& s) { s.copyWindowShown = false; });
    phase_ = Phase::None;
    {
      std::lock_guard lock(mutex_);
      busy_ = false;
    }
    SetTimeout(0);
    SetLinkSpeed(0);
    return;
  }
  SetTimeout(kStreamTimeoutMs);
  phase_ = Phase::Checksum;
  if (!ChecksumHandshake(sum)) return AbandonExchange(Message(kMessageCommunication));
  WithState([](LinkState& s) { s.copyWindowShown = false; });
  events_.CloseCopyWindow();
  EndExchange();
}

// --- Steps shared by the exchanges ------------------------------------------

bool TRead::SendName(const std::string& name) {
  for (std::size_t i = 0; i <= name.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(i < name.size() ? name[i] : 0);
    port_.SendImmediate(byte);
    if (!ExpectByte(byte)) {
      writer_.Discard();
      return false;
    }
  }
  return true;
}

bool TRead::ExpectByte(std::uint8_t value) {
  const auto byte = Read();
  return byte && *byte == value;
}

bool TRead::ChecksumHandshake(const RunningSum& sum) {
  const auto low = Read();
  if (!low || *low != sum.Low()) return false;
  port_.SendImmediate(*low);
  SetTimeout(kShortTimeoutMs);
  const auto second = Read();
  if (!second || *second != sum.Second()) return false;
  port_.SendImmediate(*second);
  return true;
}

bool TRead::ReceiveFile(TestFileStreamReceiver& receiver, bool rawMode, bool showProgress) {
  std::string out;
  std::size_t written = 0;
  for (;;) {
    const auto byte = Read();
    if (!byte) {
      AbandonExchange(Message(kMessageCommunication));
      return false;
    }
    out.clear();
    if (receiver.Feed(*byte, out)) break;
    if (out.empty()) continue;
    if (!writer_.Write(out)) {
      ReportWriteFailure();
      return false;
    }
    for (std::size_t i = 0; i < out.size(); ++i) {
      if (showProgress && ++written % 200 == 0) {
        events_.CopyProgress(rawMode ? CopyProgressEvent::ToggleLabel : CopyProgressEvent::Step);
      }
    }
  }
  if (showProgress) events_.CopyProgress(CopyProgressEvent::Full);
  return true;
}

bool TRead::FinishReceivedFile(const TestFileStreamReceiver& receiver, bool rawMode) {
  phase_ = Phase::Checksum;
  if (!ChecksumHandshake(receiver.sum())) {
    AbandonExchange(Message(kMessageCommunication));
    return false;
  }
  // Only a complete, checked file takes its name.
  if (!writer_.Commit()) {
    ReportWriteFailure();
    return false;
  }
  if (!rawMode && receiver.basisFlags()) {
    std::lock_guard lock(mutex_);
    basisFlags_ = receiver.basisFlags();
  }
  return true;
}

void TRead::CompleteReceive(const std::string& folder, const std::string& name) {
  bool startup = false, exportMode = false, raw = false, push = false;
  std::string autoSave;
  ExportReceivedFile exporter;
  WithState([&](LinkState& s) {
    startup = s.startupDownload && !s.push;
    exportMode = s.ExportDataMode;
    raw = s.rawMode;
    push = s.push;
    autoSave = s.AutoSaveDirectory;
  });
  {
    std::lock_guard lock(mutex_);
    exporter = exporter_;
  }
  if (!startup) {
    events_.PcFileStored(folder, name, raw ? DateSource::LastWriteTime : DateSource::FromName);
    if (exportMode && !raw) {
      const std::string directory = push ? autoSave : folder;
      // A batch of the user's under way keeps its own destination.
      if (push) {
        WithState([&](LinkState& s) {
          if (s.receiveQueue.empty()) s.destinationFolder = autoSave;
        });
      }
      if (exporter && exporter(directory, name)) {
        events_.PcFileStored(directory, ExportFileName(name), DateSource::CreationTime);
      }
    }
  }
  // The exporter has run while the link was still busy.
  EndExchange();
  if (!push) WithState([](LinkState& s) { RemoveFirstName(s.receiveQueue); });
  Pause(kSettlePauseMs);
  WithState([push](LinkState& s) { (push ? s.pushDone : s.receiveDone) = true; });
  events_.ArmBatchTimer();
}

void TRead::EndExchange() {
  phase_ = Phase::None;
  bool chained = false;
  {
    std::lock_guard lock(mutex_);
    busy_ = false;
    chained = pendingCommand_ != 0;
  }
  events_.BusyCursor(false);
  if (chained) return;
  Pause(kSettlePauseMs);
  SetTimeout(0);
  SetLinkSpeed(0);
}

void TRead::ReportWriteFailure() {
  AbandonExchange(writer_.diskFull() ? Message(kMessageDiskFull) : std::string("Write error"));
}

void TRead::AbandonExchange(const std::string& text) {
  events_.BusyCursor(false);
  switch (currentCode_) {
    case kCmdGetFile:
      writer_.Discard();
      // A failed push is no file of the user's batch.
      WithState([](LinkState& s) {
        if (s.push) return;
        s.receiveQueue.clear();
        // The start-up sequence starts again from its beginning later.
        s.startupDownload = false;
      });
      break;
    case kCmdPutFile:
      WithState([](LinkState& s) {
        s.sendQueue.clear();
        s.resendCount = 0;
      });
      break;
    case kCmdList: {
      WithState([](LinkState& s) {
        s.RecorderFileCount = 0;
        s.recorderNames.clear();
      });
      events_.RecorderListCleared();
      events_.RecorderFileCountShown(0);
      if (phase_ == Phase::Receiving || phase_ == Phase::Checksum) events_.RecorderListEnded();
      break;
    }
    case kCmdDelete: {
      const bool shown = WithState([](LinkState& s) {
        s.deleteQueue.clear();
        return std::exchange(s.deleteWindowShown, false);
      });
      if (shown) events_.CloseDeleteWindow();
      break;
    }
    default:
      writer_.Discard();
      break;
  }
  ShowError(text);
  phase_ = Phase::None;
  bool copyWindow = false;
  {
    std::lock_guard lock(mutex_);
    busy_ = false;
    state_.push = false;
    copyWindow = std::exchange(state_.copyWindowShown, false);
  }
  if (copyWindow) events_.CloseCopyWindow();
  port_.Purge(true, true);
  SetTimeout(0);
  SetLinkSpeed(0);
}

std::string TRead::Message(int id) const {
  return MessageUtf8(id, WithState([](const LinkState& s) { return s.language.LanguageIndex; }));
}

std::string TRead::OpeningErrorText(const std::string& path) const {
  return path + ". " + Message(kMessageOpeningError);
}

void TRead::ShowError(const std::string& text) {
  if (stopping_) return;
  const auto languageId = WithState([](LinkState& s) { return s.language.MessageLanguageId; });
  prompter_.ShowMessage(kErrorCaption, text, PromptIcon::Error, languageId);
}

// --- Port helpers ------------------------------------------------------------

void TRead::SetLinkSpeed(int code) {
  port_.SetSpeedCode(code);
  Pause(kSettlePauseMs);
}

void TRead::SetTimeout(int realMilliseconds) { timeoutMs_ = timing_.Ms(realMilliseconds); }

std::optional<std::uint8_t> TRead::Read() {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_);
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    port_.SetReadTimeout(static_cast<int>(std::clamp<long long>(left, 0, kReadSliceMs)));
    if (const auto byte = port_.ReadByte()) return byte;
    if (LineGone()) {
      // Such a port answers at once and will not answer otherwise: the
      // read still takes its whole time-out, as the protocol counts on, but
      // asleep (a stop request ends the sleep).
      NoteHangUp();
      std::unique_lock lock(mutex_);
      stopSignal_.wait_until(lock, deadline, [this] { return stopping_.load(); });
      return std::nullopt;
    }
    if (stopping_ || left <= 0) return std::nullopt;
  }
}

void TRead::Pause(int realMilliseconds) {
  std::unique_lock lock(mutex_);
  stopSignal_.wait_for(lock, std::chrono::milliseconds(timing_.Ms(realMilliseconds)),
                       [this] { return stopping_.load(); });
}

}  // namespace tesmora::link
