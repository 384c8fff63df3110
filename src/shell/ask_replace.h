#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "shell/languages.h"
#include "shell/message_table.h"
#include "shell/prompter.h"

namespace tesmora {

// The overwrite question that PC copies, transfers and exports share: none
// when the file does not exist, else the answer to "NAME. Do you want to
// replace this file?" (Yes, No or Cancel). Whether the file exists is the
// caller's to say: on the PC it is the folder, on the recorder its list.
std::optional<PromptAnswer> AskReplace(Prompter& prompter, bool exists, std::string_view name,
                                       const LanguageState& language);

// "NAME. Read only file." and the question `message` (what is about to
// happen to the file) over OK and Cancel; true for OK.
bool ConfirmWriteProtected(Prompter& prompter, const LanguageState& language, std::string_view name,
                           MessageId message);

// What becomes of one PC file about to be written under a name.
struct ReplaceDecision {
  // The question's answer when there was one. No skips the file (asked, or
  // an existing file kept by the policy Never); Cancel also stops the rest.
  std::optional<PromptAnswer> answer;
  // What the write's commit does to a file it finds under the name: Always
  // only where the user (or the policy) gave that file up, so that a file
  // that appears while the new one is written is never lost unasked.
  platform::OverwritePolicy commit = platform::OverwritePolicy::Never;
  bool Writes() const { return answer != PromptAnswer::No && answer != PromptAnswer::Cancel; }
};

// The one place where a PC file about to be written at folder/name is
// decided about, before the write. Always replaces and Never keeps an
// existing file without a word. Ask asks about an existing one: "NAME. Do
// you want to replace this file?" (Yes, No, Cancel) and, after Yes, for a
// write-protected file "NAME. Read only file.Do you want to replace this
// file?" (OK, Cancel), whose Cancel keeps that file as No does.
ReplaceDecision DecideReplace(Prompter& prompter, platform::FileSystem& fs,
                              const std::string& folder, const std::string& name,
                              const LanguageState& language, platform::OverwritePolicy policy);

}  // namespace tesmora
