#pragma once

#include <optional>
#include <string_view>

#include "shell/languages.h"
#include "shell/prompter.h"

namespace tesmora {

// The overwrite question that PC copies, transfers and exports share: none
// when the file does not exist, else the answer to "NAME. Do you want to
// replace this file?" (Yes, No or Cancel). Whether the file exists is the
// caller's to say: on the PC it is the folder, on the recorder its list.
std::optional<PromptAnswer> AskReplace(Prompter& prompter, bool exists, std::string_view name,
                                       const LanguageState& language);

}  // namespace tesmora
