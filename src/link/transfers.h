#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/languages.h"
#include "shell/prompter.h"

// The batches of transfers and deletions on the recorder: the queues the user
// operations build, and the drivers the 100 ms batch timer calls between two
// files. They run on the user interface's thread; each file's exchange runs
// on the reader thread.
namespace tesmora::link {

class TRead;
class LinkEvents;
struct LinkState;

// The pieces a batch driver works with.
struct LinkContext {
  TRead& link;
  Prompter& prompter;
  LinkEvents& events;
};

// Whether a PC file name can go to the recorder in normal mode: its
// characters 10 to 12 read as a number, the rule that also lets the File
// menu export them.
bool IsRecorderFormatName(std::string_view name);

// Whether PC files may be dropped on the recorder list: in normal mode only
// when every name is in the recorder's format.
bool AcceptsDropOnRecorderList(const std::vector<std::string>& names, bool rawMode);

// The all-files mode: raw mode and the memory choice follow it. Switching it
// off lists the recorder's test files again. During the start-up downloads,
// raw mode follows it once they end.
void SwitchAllFilesMode(TRead& link, bool on);
// A click on the memory choice: that section is listed.
void ChooseMemory(TRead& link, int memoryChoice);
// The third item of the memory choice: "E (Flash)", or "(Flash)" alone while
// no drive letter is known (a stand-in letter would pass for a real drive).
std::string FlashMemoryItemText(char flashDriveLetter);
// Whether a byte can be the flash drive letter: an ASCII letter.
bool IsDriveLetter(char c);

// Drive prefix of recorder names in raw mode, by memory choice.
std::string DrivePrefixFor(int memoryChoice, char flashDriveLetter);

// Copy from the recorder: the names go to `destinationFolder` (ending with a
// separator). The drive prefix is the memory choice's unless the names were
// copied under another one.
void StartReceive(const LinkContext& context, const std::vector<std::string>& names,
                  const std::string& destinationFolder,
                  const std::optional<std::string>& drivePrefix = std::nullopt);
// Copy to the recorder from `sourceFolder`. Returns false when nothing could
// be queued (recorder full, or no name in the recorder's format).
bool StartSend(const LinkContext& context, const std::vector<std::string>& names,
               const std::string& sourceFolder);
// Deletion on the recorder, after the confirmation question.
bool StartDeletion(const LinkContext& context, const std::vector<std::string>& names);

// What a batch holds, read off the link state.
// The receive queue has names still to come (the start-up downloads included).
bool ReceiveQueueInUse(const LinkState& s);
// A batch of the user's has files still to come.
bool UserQueuesInUse(const LinkState& s);
// ... or one of its progress windows is open.
bool UserBatchRunning(const LinkState& s);

void ContinueReceive(const LinkContext& context);
void ContinueSend(const LinkContext& context);
// The 100 ms batch timer (Timer2) after the reader thread armed it.
void BatchTimerTick(const LinkContext& context);

}  // namespace tesmora::link
