#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "shell/message_ids.h"

namespace tesmora {

// A message box text as the program shows it: a leading text (a file name,
// often followed by ". ") and message texts run together, each decoded from
// its own code page into UTF-8.
std::string FailureText(std::string_view lead, std::initializer_list<MessageId> messages,
                        int languageIndex);

// The caption of every error box of the records layer.
inline constexpr std::string_view kErrorCaption = "Tesmora";

}  // namespace tesmora
