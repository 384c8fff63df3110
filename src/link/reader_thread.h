#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "link/link_events.h"
#include "link/link_protocol.h"
#include "link/link_state.h"
#include "link/link_timeouts.h"
#include "platform/file_system.h"
#include "platform/serial_port.h"
#include "shell/message_ids.h"
#include "shell/prompter.h"

namespace tesmora::link {

// The reader thread: it owns the port while it runs, waits for the recorder's
// requests between exchanges and runs the PC side of every exchange. Commands
// are started from any thread with StartCommand; the exchange itself always
// runs on this thread. Between exchanges it sleeps in poll() on the port and
// a wake-up descriptor, so it costs nothing while idle and still answers a
// request as soon as its byte arrives.
class TRead {
 public:
  TRead(platform::SerialPort& port, LinkEvents& events, Prompter& prompter, LinkTiming timing = {});
  TRead(const TRead&) = delete;
  TRead& operator=(const TRead&) = delete;
  ~TRead();

  void Start();
  // Asks the thread to end and waits for it; an exchange in progress is cut
  // at its next read or pause. The port can be closed afterwards.
  void Stop();
  // The first half of Stop, for a user interface that must keep carrying out
  // the thread's waiting calls (ShowCopyProgress, message boxes) until the
  // thread has ended: ask, keep serving until Ended(), then Stop.
  void RequestStop();
  bool Ended() const { return ended_; }

  // Refused (false, nothing sent) while an exchange runs.
  bool StartCommand(std::uint8_t code);
  // StartCommand after a pause taken on the reader thread, so that the user
  // interface does not stop for it.
  bool StartCommandAfterPause(std::uint8_t code, int realMilliseconds);
  bool IsBusy() const;
  // No exchange running or about to run, no batch under way and no window of
  // one still open: what a caller that drives the link to an end waits for.
  bool IsIdle() const;

  // The shared state, under the link's lock.
  template <typename F>
  auto WithState(F&& f) {
    std::lock_guard lock(mutex_);
    return f(state_);
  }
  template <typename F>
  auto WithState(F&& f) const {
    std::lock_guard lock(mutex_);
    return f(state_);
  }

  // Takes (and clears) a completion flag.
  bool TakeListDone();
  bool TakeVersionDone();
  bool TakeReceiveDone();
  bool TakeSendDone();
  bool TakePushDone();
  bool TakeLineBack();

  // After a hang-up the port is closed (a USB adapter's node stays taken
  // while it is held, and the adapter plugged back would come under another
  // name) and, with this on, its path is tried again every
  // kDeviceReturnCheckMs, asleep meanwhile; when it opens, the line is back
  // at 9600 baud (LinkEvents::LineBack, and the lineBack flag).
  void WatchForDeviceReturn(bool on);
  // A port that did not open because its device is not there yet (the
  // adapter not plugged in): the thread reports LineHungUp and waits for
  // `path` as for a device that went away. A port change ends the wait.
  void AwaitDevice(std::string path);

  void SetExporter(ExportReceivedFile exporter);
  // The file system received files are written into; set before Start.
  void UseFileSystem(platform::FileSystem& fs) { fs_ = &fs; }
  platform::FileSystem& fileSystem() const { return *fs_; }

  // The recorder's version text (ten bytes, zero-terminated when shorter).
  std::array<char, kVersionTextSize> versionText() const;
  // The first byte of the last consistency test received.
  std::optional<std::uint8_t> basisFlags() const;

  // Purge, idle profile and 9600 baud, for a batch ended on the PC's side.
  void ResetPort();

  // Runs `job` on the port while the link is marked busy, on the reader
  // thread when it runs (so that nothing reads the port meanwhile), and
  // returns when it is done. Refused (false) while an exchange runs.
  bool RunExclusive(const std::function<void(platform::SerialPort&)>& job);
  // Sleeps like the protocol's own pauses (scaled; cut short by Stop).
  void Pause(int realMilliseconds);

  const LinkTiming& timing() const { return timing_; }

 private:
  enum class Phase { None, AwaitingReply, Receiving, Sending, Checksum };

  void Execute();
  void WaitForInput();
  // Reports a hang-up of the line the first time it is met.
  void NoteHangUp();
  // Opens the port again when its device has come back.
  void ReopenReturnedDevice();
  // The line has hung up or the port is closed: nothing will come.
  bool LineGone() const;
  void DispatchIdleByte(std::uint8_t byte);
  void RunCommand(std::uint8_t code, int pauseMs);

  // Exchanges; each reports and cleans up its own failure.
  void ListExchange(int speedCode);
  void VersionExchange(int speedCode);
  void GetExchange();
  void PutExchange();
  void DeleteExchange();
  void PushExchange(int speedCode);
  void ProgramSizeExchange(bool emergency, std::uint8_t request);
  void ProgramDataExchange(bool emergency, int speedCode);

  // The reply's speed code, or nothing once the exchange is abandoned.
  std::optional<int> AwaitReply(std::uint8_t code);
  bool SendName(const std::string& name);
  bool ExpectByte(std::uint8_t value);
  bool ChecksumHandshake(const RunningSum& sum);
  // Receives a test-file stream into the open writer; false after a failure
  // it has already reported.
  bool ReceiveFile(TestFileStreamReceiver& receiver, bool rawMode, bool showProgress);
  // A good checksum ends the exchange and the file takes its name as
  // `commit` says, unless the one there is kept (Kept); Failed has been
  // reported.
  enum class Stored { Yes, Kept, Failed };
  Stored FinishReceivedFile(const TestFileStreamReceiver& receiver, bool rawMode,
                            const std::string& folder, const std::string& name,
                            platform::OverwritePolicy commit);
  void AcknowledgementFailed(bool byteArrived);
  void CompleteReceive(const std::string& folder, const std::string& name, bool stored = true);
  // The file being received is given up, and nothing of it stays.
  void DiscardFile();
  void AbandonExchange(const std::string& text);
  void ReportWriteFailure();
  // Success: busy cleared, then back to 9600 baud and the idle profile unless
  // a chained command is already waiting.
  void EndExchange();
  void Wake();
  std::string Message(MessageId id) const;
  std::string OpeningErrorText(const std::string& path) const;
  void ShowError(const std::string& text);

  void SetLinkSpeed(int code);
  void SetTimeout(int realMilliseconds);
  std::optional<std::uint8_t> Read();

  platform::SerialPort& port_;
  LinkEvents& events_;
  Prompter& prompter_;
  LinkTiming timing_;

  mutable std::mutex mutex_;
  LinkState state_;
  bool busy_ = false;
  bool resetRequested_ = false;
  const std::function<void(platform::SerialPort&)>* exclusiveJob_ = nullptr;
  std::condition_variable jobDone_;
  std::uint8_t pendingCommand_ = 0;
  std::string awaitedPath_;
  int pendingPauseMs_ = 0;
  std::array<char, kVersionTextSize> versionText_{};
  std::optional<std::uint8_t> basisFlags_;
  ExportReceivedFile exporter_;

  // Reader-thread state of the exchange in progress.
  std::uint8_t currentCode_ = 0;
  Phase phase_ = Phase::None;
  int timeoutMs_ = 0;
  bool hangUpReported_ = false;
  std::atomic<bool> watchReturn_{false};
  // The path to open again while the device is away; empty otherwise.
  std::string returnPath_;
  platform::FileSystem* fs_ = &platform::LocalFileSystem();
  std::unique_ptr<platform::FileWriter> writer_;
  std::optional<std::uint32_t> announcedProgramBytes_;
  bool announcedEmergency_ = false;

  std::atomic<bool> stopping_{false};
  std::atomic<bool> ended_{false};
  std::condition_variable stopSignal_;
  int wakeFd_ = -1;
  std::thread thread_;
};

}  // namespace tesmora::link
