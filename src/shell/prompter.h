#pragma once

#include <cstdint>
#include <string_view>

namespace tesmora {

// Buttons and icons of the message boxes the program shows.
// OkCancelDefaultCancel: a question whose safe answer is Cancel (the exit
// question), so that Enter does not take the drastic way.
enum class PromptButtons { Ok, OkCancel, OkCancelDefaultCancel, YesNoCancel };
enum class PromptIcon { Error, Information, Question, Stop };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// Every message box goes through this interface so that the core never opens
// a window: the desktop program shows real boxes, the command-line program
// prints, and tests script the answers. Texts are UTF-8; languageId is the
// MessageLanguageId the box's own buttons follow.
class Prompter {
 public:
  virtual ~Prompter() = default;
  // A message with an OK button (errors and information).
  virtual void ShowMessage(std::string_view caption, std::string_view text, PromptIcon icon,
                           std::uint16_t languageId) = 0;
  // A question; returns the button chosen.
  virtual PromptAnswer Ask(std::string_view caption, std::string_view text, PromptButtons buttons,
                           PromptIcon icon, std::uint16_t languageId) = 0;
};

}  // namespace tesmora
