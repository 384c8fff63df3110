#include "link/reader_thread.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <utility>

#include "link/name_list.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "records/failure_text.h"
#include "shell/message_table.h"

namespace tesmora::link {

namespace {

// Reads inside an exchange are cut into slices so that a stop request is seen
// within one slice even during a ten-second wait.
constexpr int kReadSliceMs = 100;

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
      AbandonExchange(Message(msg::kCommunicationProblem));
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
  AbandonExchange(Message(msg::kCommunicationProblem));
  return std::nullopt;
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
