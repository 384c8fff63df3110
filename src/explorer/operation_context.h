#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "shell/ask_replace.h"
#include "shell/languages.h"
#include "shell/message_ids.h"
#include "shell/prompter.h"

namespace tesmora::explorer {

// What every file operation works with: the file system, the message boxes
// and the language their texts are in, and what a copy, move or export does
// to a file of its name in the target folder (the owner of the message
// boxes says; the user is asked unless it says otherwise).
struct OperationContext {
  platform::FileSystem& fs;
  Prompter& prompter;
  LanguageState language;
  platform::OverwritePolicy overwrite = platform::OverwritePolicy::Ask;
};

// "  CONFIRMATION   " over OK and Cancel with a question mark; true for OK.
bool Confirm(const OperationContext& context, const std::string& text);

// "NAME. Read only file." and the question `message` (what is about to
// happen to the file) over OK and Cancel; true for OK.
bool ConfirmWriteProtected(const OperationContext& context, const std::string& name,
                           MessageId message);

// An error box under the caption "Tesmora": the lead (a file or folder
// name), ". " and the message.
void ReportError(const OperationContext& context, const std::string& lead, MessageId message);

// Whether folder/name is a pipe, a socket or a device (itself or at the end
// of its link). Such a file is listed but never opened: this says so ("NAME.
// Not a file ...: it is left out") and the operation goes on without it.
bool LeftOutAsSpecial(const OperationContext& context, const std::string& folder,
                      const std::string& name);
// The names of `names` that are no such file, in their order.
std::vector<std::string> WithoutSpecialFiles(const OperationContext& context,
                                             const std::string& folder,
                                             const std::vector<std::string>& names);

// The questions before folder/name is written, under the context's policy
// (`DecideReplace`): with Ask, none when it does not exist; else "NAME. Do
// you want to replace this file?" (Yes, No, Cancel) and, after Yes, for a
// write-protected file "NAME. Read only file.Do you want to replace this
// file?" (OK, Cancel), whose Cancel keeps that file as No does.
ReplaceDecision AskBeforeReplacing(const OperationContext& context, const std::string& folder,
                                   const std::string& name);

// Writes one file as `decision` says, by `write` (given the commit's
// policy). A file that took the name while it was written is asked about
// then, as `AskBeforeReplacing` asks, and written over only after Yes:
// nothing is lost unasked. The answer that stopped it, if any, is in
// `decision` afterwards (No, or Cancel).
platform::FsStatus WriteAsDecided(
    const OperationContext& context, const std::string& folder, const std::string& name,
    ReplaceDecision& decision,
    const std::function<platform::FsStatus(platform::OverwritePolicy)>& write);

// "NAME. Not a file ...", or "File cannot be copied" for any other failure
// of a copy.
void ReportCopyFailure(const OperationContext& context, const std::string& name,
                       platform::FsStatus status);

}  // namespace tesmora::explorer
