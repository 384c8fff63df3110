#pragma once

#include <string>

#include "platform/file_system.h"
#include "shell/languages.h"
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

// An error box under the caption "Tesmora": the lead (a file or folder
// name), ". " and the message.
void ReportError(const OperationContext& context, const std::string& lead, int message);

}  // namespace tesmora::explorer
