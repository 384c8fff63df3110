// What the recorder starts by itself: a pushed test, and its program requests.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <utility>

#include "link/link_timeouts.h"
#include "link/name_list.h"
#include "link/reader_thread.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "records/failure_text.h"
#include "shell/message_table.h"

namespace tesmora::link {

namespace {

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

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
    if (!byte) return AbandonExchange(Message(msg::kCommunicationProblem));
    name.push_back(static_cast<char>(*byte));
  }
  if (!IsSafeRecorderName(name) || !(writer_ = fs_->OpenWriter(autoSave + name))) {
    // Read the rest of the push and drop it, so that the recorder sees a
    // clean end, then say why nothing was stored.
    TestFileStreamReceiver receiver(name, false);
    std::string dropped;
    for (bool ended = false; !ended; dropped.clear()) {
      const auto byte = Read();
      if (!byte) return AbandonExchange(Message(msg::kCommunicationProblem));
      ended = receiver.Feed(*byte, dropped);
    }
    phase_ = Phase::Checksum;
    const bool good = ChecksumHandshake(receiver.sum());
    ShowError(Message(msg::kOpeningError));
    if (!good) return AbandonExchange(Message(msg::kCommunicationProblem));
    return EndExchange();
  }
  currentCode_ = kCmdGetFile;
  WithState([&](LinkState& s) {
    s.push = true;
    s.copyWindowShown = true;
  });
  events_.ShowCopyProgress({name, CopyDirection::FromRecorder, autoSave, false});
  TestFileStreamReceiver receiver(name, false);
  if (!ReceiveFile(receiver, false, true)) return;
  // A pushed test replaces an older file of its name, as it always has: the
  // recorder sends it unasked, and there is nobody to ask in the middle of it.
  if (FinishReceivedFile(receiver, false, autoSave, name, platform::OverwritePolicy::Always) !=
      Stored::Yes) {
    return;
  }
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
    return AbandonExchange(UpperCase(file) + "." + Message(msg::kOpeningError));
  }
  const auto count = static_cast<std::uint32_t>(content->size() - 1);
  announcedProgramBytes_ = count;
  announcedEmergency_ = emergency;
  phase_ = Phase::Sending;
  RunningSum sum;
  for (const std::uint8_t byte : ProgramSizeBytes(count)) {
    sum.Add(byte);
    port_.WriteByte(byte);
    if (!ExpectByte(sum.Low())) return AbandonExchange(Message(msg::kCommunicationProblem));
  }
  SetTimeout(kStreamTimeoutMs);
  phase_ = Phase::Checksum;
  if (!ChecksumHandshake(sum)) return AbandonExchange(Message(msg::kCommunicationProblem));
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
    return AbandonExchange(Message(msg::kCommunicationProblem));
  }
  const std::string_view file = emergency ? kEmergencyProgramFile : kNormalProgramFile;
  const std::string directory = WithState([](LinkState& s) { return s.programFilesDirectory; });
  const auto content = platform::ReadWholeFile(platform::JoinPath(directory, file));
  if (!content || content->empty()) {
    return AbandonExchange(UpperCase(file) + "." + Message(msg::kOpeningError));
  }
  const std::uint32_t count = *announcedProgramBytes_;
  // The file changed since its size was announced.
  if (content->size() - 1 < count) return AbandonExchange(Message(msg::kCommunicationProblem));
  const auto rotationStart = static_cast<std::uint8_t>((*content)[0]);
  const std::uint32_t ackInterval =
      emergency ? kEmergencyProgramAckInterval : kNormalProgramAckInterval;
  WithState([](LinkState& s) { s.copyWindowShown = true; });
  events_.ShowCopyProgress(
      {emergency ? "EMERGENCY" : Message(msg::kVersion), CopyDirection::None, {}, false});
  phase_ = Phase::Sending;
  RunningSum sum;
  bool cancelled = false;
  for (std::uint32_t i = 0; i < count && !cancelled; ++i) {
    cancelled = WithState([](LinkState& s) { return s.copyCancelled; });
    const auto byte =
        RotateProgramByte(static_cast<std::uint8_t>((*content)[1 + i]), rotationStart, i);
    sum.Add(byte);
    port_.WriteByte(byte);
    events_.ProgramBytesSent(i + 1, count);
    if ((i + 1) % ackInterval == 0 && !ExpectByte(sum.Low())) {
      return AbandonExchange(Message(msg::kCommunicationProblem));
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
  if (!ChecksumHandshake(sum)) return AbandonExchange(Message(msg::kCommunicationProblem));
  WithState([](LinkState& s) { s.copyWindowShown = false; });
  events_.CloseCopyWindow();
  EndExchange();
}

}  // namespace tesmora::link
