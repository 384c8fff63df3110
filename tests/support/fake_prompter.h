#pragma once

#include <deque>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "shell/prompter.h"

namespace tesmora::testing {

// Records every message and question; answers questions from a script, and
// with Yes or OK once the script is used up.
class FakePrompter : public Prompter {
 public:
  // One question as it was put: what the box showed and offered.
  struct Question {
    std::string caption, text;
    PromptButtons buttons;
    PromptIcon icon;
  };

  // Called as each message or question is put, before it is answered: a
  // test looks at what the program shows meanwhile (its cursor, its windows).
  std::function<void()> onPrompt;

  void ShowMessage(std::string_view caption, std::string_view text, PromptIcon icon,
                   std::uint16_t) override {
    if (onPrompt) onPrompt();
    std::lock_guard lock(mutex_);
    captions_.emplace_back(caption);
    messages_.emplace_back(text);
    icons_.push_back(icon);
  }
  PromptAnswer Ask(std::string_view caption, std::string_view text, PromptButtons buttons,
                   PromptIcon icon, std::uint16_t) override {
    if (onPrompt) onPrompt();
    std::lock_guard lock(mutex_);
    questions_.emplace_back(text);
    asked_.push_back({std::string(caption), std::string(text), buttons, icon});
    if (!answers_.empty()) {
      const PromptAnswer answer = answers_.front();
      answers_.pop_front();
      return answer;
    }
    return buttons == PromptButtons::YesNoCancel ? PromptAnswer::Yes : PromptAnswer::Ok;
  }
  void Script(std::initializer_list<PromptAnswer> answers) {
    std::lock_guard lock(mutex_);
    answers_.insert(answers_.end(), answers);
  }
  std::vector<std::string> messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
  }
  std::vector<std::string> captions() const {
    std::lock_guard lock(mutex_);
    return captions_;
  }
  std::vector<PromptIcon> icons() const {
    std::lock_guard lock(mutex_);
    return icons_;
  }
  std::vector<std::string> questions() const {
    std::lock_guard lock(mutex_);
    return questions_;
  }
  std::vector<Question> asked() const {
    std::lock_guard lock(mutex_);
    return asked_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> messages_, captions_, questions_;
  std::vector<PromptIcon> icons_;
  std::vector<Question> asked_;
  std::deque<PromptAnswer> answers_;
};

}  // namespace tesmora::testing
