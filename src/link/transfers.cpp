#include "link/transfers.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "link/link_events.h"
#include "link/name_list.h"
#include "link/reader_thread.h"
#include "link/recorder_list.h"
#include "records/failure_text.h"
#include "records/test_names.h"
#include "shell/ask_replace.h"
#include "shell/message_table.h"

namespace tesmora::link {

namespace {

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

LanguageState LanguageOf(TRead& link) {
  return link.WithState([](LinkState& s) { return s.language; });
}

// The next file's command. The recorder may have started an exchange of its
// own (a push) in the pause between two files: the batch then waits for the
// link and the batch timer offers the command again.
void StartNextFile(const LinkContext& context, std::uint8_t code) {
  if (context.link.StartCommand(code)) return;
  context.link.WithState([code](LinkState& s) { s.retryCommand = code; });
  context.events.ArmBatchTimer();
}

// A push has been stored: its copy window closes unless a batch of the
// user's is using it.
void PushEnded(const LinkContext& context) {
  const bool close = context.link.WithState([](LinkState& s) {
    s.push = false;
    return !UserQueuesInUse(s) && std::exchange(s.copyWindowShown, false);
  });
  if (close) context.events.CloseCopyWindow();
}

// Asks about the first names of a queue until one is to be transferred:
// names answered No leave the queue. Returns the last answer.
std::optional<PromptAnswer> AskAboutFirstNames(const LinkContext& context, std::string& queue,
                                               const auto& exists) {
  const LanguageState language = LanguageOf(context.link);
  std::optional<PromptAnswer> answer;
  while (!queue.empty()) {
    const std::string name(FirstName(queue));
    answer = AskReplace(context.prompter, exists(name), name, language);
    if (answer != PromptAnswer::No) break;
    RemoveFirstName(queue);
  }
  return answer;
}

}  // namespace

bool IsRecorderFormatName(std::string_view name) { return ExtensionReadsAsInteger(name); }

bool AcceptsDropOnRecorderList(const std::vector<std::string>& names, bool rawMode) {
  return rawMode || std::all_of(names.begin(), names.end(),
                                [](const std::string& name) { return IsRecorderFormatName(name); });
}

void SwitchAllFilesMode(TRead& link, bool on) {
  const bool downloading = link.WithState([&](LinkState& s) {
    s.allFilesMode = on;
    if (!on) s.memoryChoice = 0;
    // A start-up download needs its raw mode and its drive to the end; the
    // choice takes effect when the downloads are over.
    if (s.startupDownload) return true;
    s.rawMode = on;
    s.drivePrefix.clear();
    return false;
  });
  if (!on && !downloading) link.StartCommand(kCmdList);
}

void ChooseMemory(TRead& link, int memoryChoice) {
  if (memoryChoice < 0 || memoryChoice > 2) return;
  link.WithState([&](LinkState& s) { s.memoryChoice = memoryChoice; });
  link.StartCommand(kCmdList);
}

std::string FlashMemoryItemText(char flashDriveLetter) {
  return IsDriveLetter(flashDriveLetter) ? std::string(1, flashDriveLetter) + " (Flash)"
                                         : std::string("(Flash)");
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string DrivePrefixFor(int memoryChoice, char flashDriveLetter) {
  switch (memoryChoice) {
    case 1:
      return "c:";
    case 2:
      // Without a flash drive letter the name goes without a prefix rather
      // than with a zero byte that would end it on the line.
      return flashDriveLetter == 0 ? std::string() : std::string(1, flashDriveLetter) + ":";
    default:
      return {};
  }
}

void StartReceive(const LinkContext& context, const std::vector<std::string>& names,
                  const std::string& destinationFolder,
                  const std::optional<std::string>& drivePrefix) {
  context.link.WithState([&](LinkState& s) {
    s.receiveQueue.clear();
    for (const std::string& name : names) AppendName(s.receiveQueue, name);
    s.destinationFolder = destinationFolder;
    s.drivePrefix = drivePrefix.value_or(DrivePrefixFor(s.memoryChoice, s.flashDriveLetter));
    s.copyCancelled = false;
    s.lastAnswer = 0;
  });
  ContinueReceive(context);
}

bool StartSend(const LinkContext& context, const std::vector<std::string>& names,
               const std::string& sourceFolder) {
  const LanguageState language = LanguageOf(context.link);
  const auto [raw, count] = context.link.WithState([](LinkState& s) {
    return std::pair{s.rawMode, s.RecorderFileCount};
  });
  if (count >= kRecorderCapacity) {
    context.prompter.ShowMessage(kErrorCaption,
                                 MessageUtf8(msg::kRecorderFull, language.LanguageIndex),
                                 PromptIcon::Error, language.MessageLanguageId);
    return false;
  }
  std::string queue;
  bool skipped = false;
  for (const std::string& name : names) {
    if (!raw && !IsRecorderFormatName(name)) {
      if (!skipped) {
        context.prompter.ShowMessage(kErrorCaption,
                                     MessageUtf8(msg::kNotRecorderFormat, language.LanguageIndex),
                                     PromptIcon::Information, language.MessageLanguageId);
      }
      skipped = true;
      continue;
    }
    AppendName(queue, name);
  }
  context.link.WithState([&](LinkState& s) {
    s.sendQueue += queue;
    s.sourceFolder = sourceFolder;
    s.filesSentInBatch = 0;
    s.lastAnswer = 0;
    s.copyCancelled = false;
    s.drivePrefix = DrivePrefixFor(s.memoryChoice, s.flashDriveLetter);
  });
  if (queue.empty()) return false;
  ContinueSend(context);
  return true;
}

bool StartDeletion(const LinkContext& context, const std::vector<std::string>& names) {
  if (names.empty()) return false;
  const LanguageState language = LanguageOf(context.link);
  const std::string text =
      names.size() == 1
          ? names.front() + ". " + MessageUtf8(msg::kRemoveFile, language.LanguageIndex)
          : MessageUtf8(msg::kRemoveFiles, language.LanguageIndex);
  const PromptAnswer answer = context.prompter.Ask(
      MessageUtf8(msg::kConfirmation, language.LanguageIndex), text, PromptButtons::OkCancel,
      PromptIcon::Question, language.MessageLanguageId);
  if (answer != PromptAnswer::Ok) return false;
  context.link.WithState([&](LinkState& s) {
    s.deleteQueue.clear();
    for (const std::string& name : names) AppendName(s.deleteQueue, name);
    s.deletionCancelled = false;
    s.drivePrefix = DrivePrefixFor(s.memoryChoice, s.flashDriveLetter);
  });
  return context.link.StartCommand(kCmdDelete);
}

bool ReceiveQueueInUse(const LinkState& s) {
  return !s.receiveQueue.empty() || s.receiveDone || s.retryCommand == kCmdGetFile;
}

bool UserQueuesInUse(const LinkState& s) {
  return (ReceiveQueueInUse(s) && !s.startupDownload) || !s.sendQueue.empty() || s.sendDone ||
         s.retryCommand == kCmdPutFile || !s.deleteQueue.empty();
}

bool UserBatchRunning(const LinkState& s) {
  return UserQueuesInUse(s) || s.copyWindowShown || s.deleteWindowShown;
}

void ContinueReceive(const LinkContext& context) {
  std::string queue, folder;
  bool cancelled = false, startup = false;
  platform::OverwritePolicy policy = platform::OverwritePolicy::Ask;
  context.link.WithState([&](LinkState& s) {
    queue = s.receiveQueue;
    folder = s.destinationFolder;
    cancelled = s.copyCancelled;
    startup = s.startupDownload;
    policy = s.receivedFiles;
  });
  // The start-up downloads are the program's own files: each replaces the
  // last one.
  ReplaceDecision decision{std::nullopt, platform::OverwritePolicy::Always};
  if (!cancelled && !startup) {
    const LanguageState language = LanguageOf(context.link);
    // The names answered No (or kept by the policy) leave the queue.
    while (!queue.empty()) {
      const std::string name(FirstName(queue));
      decision = DecideReplace(context.prompter, context.link.fileSystem(), folder, name, language,
                               policy);
      if (decision.Writes() || decision.answer == PromptAnswer::Cancel) break;
      RemoveFirstName(queue);
    }
  }
  const std::optional<PromptAnswer> answer = decision.answer;
  const bool stop = queue.empty() || answer == PromptAnswer::Cancel || cancelled;
  bool closeWindow = false;
  context.link.WithState([&](LinkState& s) {
    s.receiveQueue = stop ? std::string() : queue;
    s.lastAnswer = answer ? static_cast<int>(*answer) + 1 : 0;
    s.receiveCommit = decision.commit;
    if (!stop) return;
    if (!std::exchange(s.startupDownload, false)) {
      closeWindow = std::exchange(s.copyWindowShown, false);
    } else if (s.listsStep == 0) {
      s.listsStep = 1;
    } else {
      s.startupPhase = false;
      s.rawMode = s.allFilesMode;
      s.listsReady = true;
    }
  });
  if (stop) {
    if (closeWindow) context.events.CloseCopyWindow();
    return;
  }
  StartNextFile(context, kCmdGetFile);
}

void ContinueSend(const LinkContext& context) {
  std::string queue;
  bool cancelled = false;
  std::vector<std::string> recorderNames;
  context.link.WithState([&](LinkState& s) {
    queue = s.sendQueue;
    cancelled = s.copyCancelled;
    recorderNames = s.recorderNames;
  });
  std::optional<PromptAnswer> answer;
  if (!cancelled) {
    answer = AskAboutFirstNames(context, queue, [&](const std::string& name) {
      const std::string upper = UpperCase(name);
      return std::any_of(recorderNames.begin(), recorderNames.end(),
                         [&](const std::string& row) { return UpperCase(row) == upper; });
    });
  }
  const LanguageState language = LanguageOf(context.link);
  if (queue.empty() || answer == PromptAnswer::Cancel || cancelled) {
    const bool sentSome = context.link.WithState([&](LinkState& s) {
      s.sendQueue.clear();
      s.lastAnswer = answer ? static_cast<int>(*answer) + 1 : 0;
      s.copyWindowShown = false;
      return s.filesSentInBatch != 0;
    });
    if (sentSome) {
      context.events.CloseCopyWindow();
      // The recorder list shows the new files once they are all there.
      context.link.StartCommandAfterPause(kCmdList, kRelistPauseMs);
    }
    return;
  }
  const bool full = context.link.WithState([&](LinkState& s) {
    s.sendQueue = queue;
    s.lastAnswer = answer ? static_cast<int>(*answer) + 1 : 0;
    ++s.filesSentInBatch;
    if (s.filesSentInBatch + s.RecorderFileCount < kRecorderCapacity) return false;
    s.sendQueue.clear();
    s.copyWindowShown = false;
    return true;
  });
  if (full) {
    context.prompter.ShowMessage(kErrorCaption,
                                 MessageUtf8(msg::kRecorderFull, language.LanguageIndex),
                                 PromptIcon::Error, language.MessageLanguageId);
    context.events.CloseCopyWindow();
    context.link.ResetPort();
    return;
  }
  StartNextFile(context, kCmdPutFile);
}

void BatchTimerTick(const LinkContext& context) {
  if (context.link.TakePushDone()) PushEnded(context);
  const auto [retry, cancelled] = context.link.WithState([](LinkState& s) {
    return std::pair{std::exchange(s.retryCommand, 0), s.copyCancelled};
  });
  if (retry == kCmdGetFile && cancelled) {
    ContinueReceive(context);
  } else if (retry == kCmdPutFile && cancelled) {
    ContinueSend(context);
  } else if (retry != 0) {
    StartNextFile(context, retry);
  }
  if (context.link.TakeReceiveDone()) ContinueReceive(context);
  if (context.link.TakeSendDone()) ContinueSend(context);
}

}  // namespace tesmora::link
