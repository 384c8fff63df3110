// Steps the exchanges share: names, echoes, checksums, a received file from
// its stream to its completion, and the end of an exchange, good or failed.
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
#include "shell/ask_replace.h"
#include "shell/message_table.h"

namespace tesmora::link {

// --- Steps shared by the exchanges ------------------------------------------

bool TRead::SendName(const std::string& name) {
  for (std::size_t i = 0; i <= name.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(i < name.size() ? name[i] : 0);
    port_.SendImmediate(byte);
    if (!ExpectByte(byte)) {
      DiscardFile();
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
      AbandonExchange(Message(msg::kCommunicationProblem));
      return false;
    }
    out.clear();
    if (receiver.Feed(*byte, out)) break;
    if (out.empty()) continue;
    if (!writer_->Write(out)) {
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

TRead::Stored TRead::FinishReceivedFile(const TestFileStreamReceiver& receiver, bool rawMode,
                                        const std::string& folder, const std::string& name,
                                        platform::OverwritePolicy commit) {
  phase_ = Phase::Checksum;
  if (!ChecksumHandshake(receiver.sum())) {
    AbandonExchange(Message(msg::kCommunicationProblem));
    return Stored::Failed;
  }
  // Only a complete, checked file takes its name.
  platform::FsStatus status = writer_->Commit(commit, platform::Durability::Precious);
  if (status == platform::FsStatus::Exists) {
    // A file took the name while this one came: it is asked about now.
    const LanguageState language = WithState([](LinkState& s) { return s.language; });
    const ReplaceDecision decision =
        DecideReplace(prompter_, *fs_, folder, name, language, platform::OverwritePolicy::Ask);
    if (!decision.Writes()) {
      DiscardFile();
      if (decision.answer == PromptAnswer::Cancel) {
        WithState([](LinkState& s) { s.copyCancelled = true; });
      }
      return Stored::Kept;
    }
    status = writer_->Commit(decision.commit, platform::Durability::Precious);
  }
  if (status != platform::FsStatus::Ok) {
    ReportWriteFailure();
    return Stored::Failed;
  }
  writer_.reset();
  if (!rawMode && receiver.basisFlags()) {
    std::lock_guard lock(mutex_);
    basisFlags_ = receiver.basisFlags();
  }
  return Stored::Yes;
}

void TRead::DiscardFile() {
  if (writer_) writer_->Discard();
  writer_.reset();
}

void TRead::CompleteReceive(const std::string& folder, const std::string& name, bool stored) {
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
  if (!startup && stored) {
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
  const bool diskFull = writer_ && writer_->diskFull();
  AbandonExchange(diskFull ? Message(msg::kDiskFull) : std::string("Write error"));
}

void TRead::AbandonExchange(const std::string& text) {
  events_.BusyCursor(false);
  switch (currentCode_) {
    case kCmdGetFile:
      DiscardFile();
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
      DiscardFile();
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

std::string TRead::Message(MessageId id) const {
  return MessageUtf8(id, WithState([](const LinkState& s) { return s.language.LanguageIndex; }));
}

std::string TRead::OpeningErrorText(const std::string& path) const {
  return path + ". " + Message(msg::kOpeningError);
}

void TRead::ShowError(const std::string& text) {
  if (stopping_) return;
  const auto languageId = WithState([](LinkState& s) { return s.language.MessageLanguageId; });
  prompter_.ShowMessage(kErrorCaption, text, PromptIcon::Error, languageId);
}

}  // namespace tesmora::link
