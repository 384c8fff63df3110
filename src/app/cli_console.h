#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/link_events.h"
#include "link/recorder_list.h"
#include "shell/prompter.h"

namespace tesmora::cli {

// The terminal as the link's user interface: messages go to standard error,
// questions are answered yes (the command line asked for the work already),
// the batch timer is a flag the main loop polls.
class ConsoleSession : public link::LinkEvents, public Prompter {
 public:
  explicit ConsoleSession(bool verbose) : verbose_(verbose) {}

  void ShowMessage(std::string_view, std::string_view text, PromptIcon icon,
                   std::uint16_t) override;
  PromptAnswer Ask(std::string_view, std::string_view, PromptButtons buttons, PromptIcon,
                   std::uint16_t) override {
    return buttons == PromptButtons::YesNoCancel ? PromptAnswer::Yes : PromptAnswer::Ok;
  }

  void RecorderListCleared() override {
    std::lock_guard lock(mutex_);
    rows_.clear();
  }
  void RecorderRowAdded(const link::RecorderRow& row) override {
    std::lock_guard lock(mutex_);
    rows_.push_back(row);
  }
  void RecorderListEnded() override {}
  void RecorderFileCountShown(int) override {}
  void ShowCopyProgress(const link::CopyWindowContent&) override {}
  void CopyProgress(link::CopyProgressEvent) override {}
  void ProgramBytesSent(std::uint32_t, std::uint32_t) override {}
  void CloseCopyWindow() override {}
  void ShowDeleteProgress(const std::string& name) override;
  void CloseDeleteWindow() override {}
  void PcFileStored(const std::string& folder, const std::string& name, DateSource) override;
  void ArmBatchTimer() override {
    std::lock_guard lock(mutex_);
    timerArmed_ = true;
  }
  void BusyCursor(bool) override {}
  void LineHungUp() override;
  void LineBack() override;

  bool TakeTimer() {
    std::lock_guard lock(mutex_);
    return std::exchange(timerArmed_, false);
  }
  int errors() const {
    std::lock_guard lock(mutex_);
    return errors_;
  }
  std::vector<link::RecorderRow> rows() const {
    std::lock_guard lock(mutex_);
    return rows_;
  }

 private:
  bool verbose_;
  mutable std::mutex mutex_;
  int errors_ = 0;
  bool timerArmed_ = false;
  std::vector<link::RecorderRow> rows_;
};

}  // namespace tesmora::cli
