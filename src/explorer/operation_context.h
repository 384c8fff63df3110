#pragma once

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

}  // namespace tesmora::explorer
