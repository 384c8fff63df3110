#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "link/link_events.h"
#include "platform/serial_port.h"
#include "shell/prompter.h"
#include "support/fake_prompter.h"

namespace tesmora::link {
inline void PrintTo(CopyProgressEvent event, std::ostream* out) {
  static const char* const kNames[] = {"Step", "StepOne", "ToggleLabel", "Full"};
  *out << kNames[static_cast<int>(event)];
}
}  // namespace tesmora::link

namespace tesmora::link::testing {

inline std::string Joined(const std::vector<std::string>& texts) {
  std::string all;
  for (const std::string& text : texts) all += "[" + text + "]";
  return all;
}

using FakePrompter = tesmora::testing::FakePrompter;

struct StoredFile {
  std::string folder, name;
  DateSource source;
};

// Keeps what the reader thread handed to the user interface.
class FakeEvents : public LinkEvents {
 public:
  void RecorderListCleared() override {
    std::lock_guard lock(mutex_);
    rows_.clear();
    countShown_ = -1;
  }
  void RecorderRowAdded(const RecorderRow& row) override {
    std::lock_guard lock(mutex_);
    rows_.push_back(row);
  }
  void RecorderListEnded() override {}
  void RecorderFileCountShown(int count) override {
    std::lock_guard lock(mutex_);
    countShown_ = count;
    ++listsShown_;
  }
  void ShowCopyProgress(const CopyWindowContent& content) override {
    std::function<void(int)> hook;
    int shown = 0;
    {
      std::lock_guard lock(mutex_);
      copyWindows_.push_back(content);
      copyWindowOpen_ = true;
      hook = onCopyWindow;
      shown = static_cast<int>(copyWindows_.size());
    }
    if (hook) hook(shown);
  }
  void CopyProgress(CopyProgressEvent event) override {
    std::lock_guard lock(mutex_);
    if (!copyWindows_.empty()) progress_.resize(copyWindows_.size());
    if (!progress_.empty()) progress_.back().push_back(event);
  }
  // The bar's one-point steps, as the copy window takes them.
  void ProgramBytesSent(std::uint32_t sent, std::uint32_t count) override {
    for (int step = ProgramProgressSteps(sent, count); step > 0; --step) {
      CopyProgress(CopyProgressEvent::StepOne);
    }
  }
  void CloseCopyWindow() override {
    std::lock_guard lock(mutex_);
    copyWindowOpen_ = false;
  }
  void ShowDeleteProgress(const std::string& name) override {
    std::lock_guard lock(mutex_);
    deleteNames_.push_back(name);
    deleteWindowOpen_ = true;
  }
  void CloseDeleteWindow() override {
    std::lock_guard lock(mutex_);
    deleteWindowOpen_ = false;
  }
  void PcFileStored(const std::string& folder, const std::string& name,
                    DateSource source) override {
    std::lock_guard lock(mutex_);
    stored_.push_back({folder, name, source});
  }
  void ArmBatchTimer() override {
    std::lock_guard lock(mutex_);
    timerArmed_ = true;
  }
  void BusyCursor(bool) override {}
  void LineHungUp() override {
    std::lock_guard lock(mutex_);
    ++hangUps_;
  }
  void LineBack() override {
    std::lock_guard lock(mutex_);
    ++linesBack_;
  }

  // Called (on the reader thread) each time the copy window is shown, with
  // the number of times it has been shown; set before the link starts.
  std::function<void(int)> onCopyWindow;

  bool TakeTimer() {
    std::lock_guard lock(mutex_);
    return std::exchange(timerArmed_, false);
  }
  std::vector<RecorderRow> rows() const {
    std::lock_guard lock(mutex_);
    return rows_;
  }
  int countShown() const {
    std::lock_guard lock(mutex_);
    return countShown_;
  }
  int listsShown() const {
    std::lock_guard lock(mutex_);
    return listsShown_;
  }
  std::vector<CopyWindowContent> copyWindows() const {
    std::lock_guard lock(mutex_);
    return copyWindows_;
  }
  bool copyWindowOpen() const {
    std::lock_guard lock(mutex_);
    return copyWindowOpen_;
  }
  bool deleteWindowOpen() const {
    std::lock_guard lock(mutex_);
    return deleteWindowOpen_;
  }
  std::vector<std::string> deleteNames() const {
    std::lock_guard lock(mutex_);
    return deleteNames_;
  }
  std::vector<StoredFile> stored() const {
    std::lock_guard lock(mutex_);
    return stored_;
  }
  // The progress events of each copy window shown, in order.
  std::vector<std::vector<CopyProgressEvent>> progress() const {
    std::lock_guard lock(mutex_);
    auto all = progress_;
    all.resize(copyWindows_.size());
    return all;
  }
  int hangUps() const {
    std::lock_guard lock(mutex_);
    return hangUps_;
  }
  int linesBack() const {
    std::lock_guard lock(mutex_);
    return linesBack_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<RecorderRow> rows_;
  int countShown_ = -1;
  int listsShown_ = 0;
  std::vector<CopyWindowContent> copyWindows_;
  bool copyWindowOpen_ = false;
  bool deleteWindowOpen_ = false;
  std::vector<std::string> deleteNames_;
  std::vector<StoredFile> stored_;
  std::vector<std::vector<CopyProgressEvent>> progress_;
  int hangUps_ = 0;
  int linesBack_ = 0;
  bool timerArmed_ = false;
};

// A port that counts how often the link reads it and keeps the bytes sent
// on their own, passing everything on to the real port beneath.
class CountingPort : public platform::SerialPort {
 public:
  explicit CountingPort(platform::SerialPort& inner) : inner_(inner) {}
  bool Open(const std::string& devicePath) override { return inner_.Open(devicePath); }
  void Close() override { inner_.Close(); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool SetSpeedCode(int code) override { return inner_.SetSpeedCode(code); }
  void SetReadTimeout(int milliseconds) override { inner_.SetReadTimeout(milliseconds); }
  void Purge(bool output, bool input) override { inner_.Purge(output, input); }
  bool SendImmediate(std::uint8_t byte) override {
    {
      std::lock_guard lock(mutex_);
      sent_.push_back(byte);
    }
    return inner_.SendImmediate(byte);
  }
  bool WriteByte(std::uint8_t byte) override { return inner_.WriteByte(byte); }
  std::optional<std::uint8_t> ReadByte() override {
    ++reads_;
    return inner_.ReadByte();
  }
  bool HasBufferedInput() const override { return inner_.HasBufferedInput(); }
  int PollDescriptor() const override { return inner_.PollDescriptor(); }
  bool HungUp() const override { return inner_.HungUp(); }
  platform::OpenError LastOpenError() const override { return inner_.LastOpenError(); }
  std::string ReturnPath() const override { return inner_.ReturnPath(); }

  long reads() const { return reads_; }
  std::vector<std::uint8_t> sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
  }

 private:
  platform::SerialPort& inner_;
  std::atomic<long> reads_{0};
  mutable std::mutex mutex_;
  std::vector<std::uint8_t> sent_;
};

}  // namespace tesmora::link::testing
