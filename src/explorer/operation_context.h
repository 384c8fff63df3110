#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "shell/languages.h"
#include "shell/message_ids.h"
#include "shell/prompter.h"

namespace tesmora::explorer {

// What every file operation works with: the file system, the message boxes
// and the language their texts are in.
struct OperationContext {
  platform::FileSystem& fs;
  Prompter& prompter;
  LanguageState language;
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

// The questions before folder/name is replaced: none when it does not exist;
// else "NAME. Do you want to replace this file?" (Yes, No, Cancel) and, after
// Yes, for a write-protected file "NAME. Read only file.Do you want to
// replace this file?" (OK, Cancel), whose Cancel keeps that file as No does.
std::optional<PromptAnswer> AskBeforeReplacing(const OperationContext& context,
                                               const std::string& folder, const std::string& name);

// "NAME. Not a file ...", or "File cannot be copied" for any other failure
// of a copy.
void ReportCopyFailure(const OperationContext& context, const std::string& name,
                       platform::FsStatus status);

}  // namespace tesmora::explorer
