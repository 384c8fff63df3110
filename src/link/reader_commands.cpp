// The PC's commands: list, version, get, put and delete, each one exchange.
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
    if (!byte) return AbandonExchange(Message(msg::kCommunicationProblem));
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
  if (!ChecksumHandshake(receiver.sum()))
    return AbandonExchange(Message(msg::kCommunicationProblem));
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
    if (!byte) return AbandonExchange(Message(msg::kCommunicationProblem));
    if (receiver.Feed(*byte)) break;
  }
  phase_ = Phase::Checksum;
  if (!ChecksumHandshake(receiver.sum()))
    return AbandonExchange(Message(msg::kCommunicationProblem));
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
  platform::OverwritePolicy commit = platform::OverwritePolicy::Never;
  WithState([&](LinkState& s) {
    name = FirstName(s.receiveQueue);
    folder = s.destinationFolder;
    commit = s.receiveCommit;
    raw = s.rawMode;
    prefix = s.drivePrefix;
    startup = s.startupDownload;
    deleteWindow = s.deleteWindowShown;
  });
  const std::string path = folder + name;
  phase_ = Phase::None;
  // A name from the recorder never leads outside the destination folder.
  if (!IsSafeRecorderName(name) || !(writer_ = fs_->OpenWriter(path))) {
    ShowError(OpeningErrorText(path));
    WithState([](LinkState& s) { s.receiveQueue.clear(); });
    return AbandonExchange(Message(msg::kCommunicationProblem));
  }
  if (!SendName(raw ? prefix + name : name))
    return AbandonExchange(Message(msg::kCommunicationProblem));
  SetTimeout(kStreamTimeoutMs);
  phase_ = Phase::Receiving;
  if (!startup && !deleteWindow) {
    events_.ShowCopyProgress({name, CopyDirection::FromRecorder, folder, raw});
    WithState([](LinkState& s) { s.copyWindowShown = true; });
  }
  TestFileStreamReceiver receiver(name, raw);
  if (!ReceiveFile(receiver, raw, true)) return;
  const Stored stored = FinishReceivedFile(receiver, raw, folder, name, commit);
  if (stored == Stored::Failed) return;
  CompleteReceive(folder, name, stored == Stored::Yes);
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
    return AbandonExchange(Message(msg::kCommunicationProblem));
  }
  if (!SendName(raw ? prefix + name : name) || !ExpectByte(kPutReady)) {
    return AbandonExchange(Message(msg::kCommunicationProblem));
  }
  if (!deleteWindow) {
    events_.ShowCopyProgress({name, CopyDirection::ToRecorder, folder, raw});
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
    if (!port_.WriteByte(byte)) return AbandonExchange(Message(msg::kCommunicationProblem));
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
  if (!ChecksumHandshake(sum)) return AbandonExchange(Message(msg::kCommunicationProblem));
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
  if (resends >= 2 || LineGone()) return AbandonExchange(Message(msg::kCommunicationProblem));
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
  if (!SendName(raw ? prefix + name : name))
    return AbandonExchange(Message(msg::kCommunicationProblem));
  phase_ = Phase::Receiving;
  WithState([](LinkState& s) { s.deleteWindowShown = true; });
  events_.ShowDeleteProgress(name);
  if (!ExpectByte(kDeleteConfirmed)) return AbandonExchange(Message(msg::kCommunicationProblem));
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

}  // namespace tesmora::link
