#include "simulated_recorder.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <thread>

#include "link/link_protocol.h"
#include "link/link_timeouts.h"
#include "platform/file_io.h"
#include "platform/posix_serial_port.h"

namespace tesmora::sim {

namespace {

using Clock = std::chrono::steady_clock;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

std::optional<Fault> FaultFromName(const std::string& name) {
  static const std::pair<const char*, Fault> kNames[] = {
      {"none", Fault::None},
      {"no-reply", Fault::NoReply},
      {"late-reply", Fault::LateReply},
      {"wrong-echo", Fault::WrongEcho},
      {"truncated-stream", Fault::TruncatedStream},
      {"wrong-checksum", Fault::WrongChecksum},
      {"wrong-ack", Fault::WrongAck},
      {"deletion-refused", Fault::DeletionRefused},
  };
  for (const auto& [text, fault] : kNames) {
    if (name == text) return fault;
  }
  return std::nullopt;
}

SimulatedRecorder::SimulatedRecorder(RecorderContents contents, SimOptions options)
    : contents_(std::move(contents)), options_(options) {
  if (::pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) != 0) wakePipe_[0] = wakePipe_[1] = -1;
  if (::pipe2(stopPipe_, O_CLOEXEC | O_NONBLOCK) != 0) stopPipe_[0] = stopPipe_[1] = -1;
}

SimulatedRecorder::~SimulatedRecorder() {
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
  for (const int fd : {wakePipe_[0], wakePipe_[1], stopPipe_[0], stopPipe_[1]}) {
    if (fd >= 0) ::close(fd);
  }
}

bool SimulatedRecorder::Open() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return false;
  char name[128];
  if (::ptsname_r(master_, name, sizeof name) != 0) return false;
  devicePath_ = name;
  // Our own handle on the PC's end, to see the speed the PC has set there.
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  // Raw on our side too, so that no byte is translated or echoed.
  termios settings{};
  if (::tcgetattr(master_, &settings) == 0) {
    ::cfmakeraw(&settings);
    ::tcsetattr(master_, TCSANOW, &settings);
  }
  return true;
}

void SimulatedRecorder::Run() {
  for (;;) {
    std::optional<Control> control;
    {
      std::lock_guard lock(mutex_);
      if (stopping_) return;
      if (!controls_.empty()) {
        control = controls_.front();
        controls_.pop_front();
      }
    }
    if (control) {
      HandleControl(*control);
      continue;
    }
    pollfd fds[2] = {{master_, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0 && errno != EINTR) return;
    if (fds[1].revents & POLLIN) {
      char drain[64];
      while (::read(wakePipe_[0], drain, sizeof drain) > 0) {
      }
    }
    if (fds[0].revents & POLLIN) {
      if (const auto byte = ReadByte(0)) HandleCommand(*byte);
    } else if (fds[0].revents & (POLLHUP | POLLERR)) {
      // Nobody has the terminal open: wait for a control or a stop.
      pollfd wake{wakePipe_[0], POLLIN, 0};
      ::poll(&wake, 1, 50);
    }
  }
}

void SimulatedRecorder::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  Wake();
  // Also ends the waits inside an exchange.
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(stopPipe_[1], &byte, 1);
}

void SimulatedRecorder::Wake() {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(wakePipe_[1], &byte, 1);
}

void SimulatedRecorder::RequestPush(const std::string& name) {
  {
    std::lock_guard lock(mutex_);
    controls_.push_back({Control::Push, name});
  }
  Wake();
}

void SimulatedRecorder::RequestProgram(bool emergency) {
  {
    std::lock_guard lock(mutex_);
    controls_.push_back({Control::Program, {}, emergency});
  }
  Wake();
}

void SimulatedRecorder::SendRaw(const std::string& bytes) {
  {
    std::lock_guard lock(mutex_);
    controls_.push_back({Control::Raw, bytes});
  }
  Wake();
}

void SimulatedRecorder::SetFault(Fault fault, int times) {
  std::lock_guard lock(mutex_);
  fault_ = fault;
  faultTimes_ = times;
}

void SimulatedRecorder::SetSpeedCode(int code) {
  std::lock_guard lock(mutex_);
  options_.speedCode = code;
  options_.randomSpeed = false;
}

RecorderContents SimulatedRecorder::contents() const {
  std::lock_guard lock(mutex_);
  return contents_;
}

SimRecord SimulatedRecorder::record() const {
  std::lock_guard lock(mutex_);
  return record_;
}

std::pair<Clock::time_point, Clock::time_point> SimulatedRecorder::lastRequestTimes() const {
  std::lock_guard lock(mutex_);
  return {requestSent_, requestAnswered_};
}

Fault SimulatedRecorder::TakeFault(Fault wanted) {
  std::lock_guard lock(mutex_);
  if (fault_ != wanted || faultTimes_ <= 0) return Fault::None;
  if (--faultTimes_ == 0) fault_ = Fault::None;
  return wanted;
}

void SimulatedRecorder::Log(const std::string& event) {
  std::lock_guard lock(mutex_);
  record_.events.push_back(event);
}

int SimulatedRecorder::Ms(int realMs) const {
  return std::max(1, static_cast<int>(realMs * options_.timeScale));
}

int SimulatedRecorder::ChooseSpeed() {
  std::lock_guard lock(mutex_);
  if (!options_.randomSpeed) return options_.speedCode;
  randomState_ = randomState_ * 1103515245u + 12345u;
  return static_cast<int>((randomState_ >> 16) % 4);
}

void SimulatedRecorder::CheckPcSpeed(int speedCode) {
  // Codes without a rate leave the PC at the 9600 baud every exchange starts at.
  const int rate = platform::BaudRateOfSpeedCode(speedCode);
  const int expected = rate == 0 ? 9600 : rate;
  if (slave_ < 0) return;
  const int actual = platform::ReadBaudRate(slave_);
  std::lock_guard lock(mutex_);
  ++record_.speedChecks;
  if (actual != expected) {
    ++record_.speedMismatches;
    record_.events.push_back("PC at " + std::to_string(actual) + " baud instead of " +
                             std::to_string(expected));
  }
}

void SimulatedRecorder::SetBaud(int speedCode) {
  const int baud = platform::BaudRateOfSpeedCode(speedCode);
  if (baud != 0) baud_ = baud;
}

std::optional<std::uint8_t> SimulatedRecorder::ReadByte(int realMs) {
  pollfd fds[2] = {{master_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
  const int timeout = realMs == 0 ? 0 : Ms(realMs);
  for (;;) {
    const int ready = ::poll(fds, 2, timeout);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0 || (fds[0].revents & POLLIN) == 0) return std::nullopt;
    std::uint8_t byte = 0;
    const ssize_t n = ::read(master_, &byte, 1);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n != 1) return std::nullopt;
    if (options_.emulateLine) {
      // The byte cannot have arrived faster than the line carries it.
      const auto byteTime = std::chrono::microseconds(10'000'000 / baud_);
      lineFreeAt_ = std::max(lineFreeAt_ + byteTime, Clock::now());
      std::this_thread::sleep_until(lineFreeAt_);
    }
    return byte;
  }
}

void SimulatedRecorder::Send(const std::string& bytes) {
  if (!options_.emulateLine) {
    WriteAll(master_, bytes);
    return;
  }
  // Bytes go out in small batches, each when the line would have carried
  // its last byte: the average rate is the line's without a sleep per byte.
  constexpr std::size_t kBatch = 16;
  const auto byteTime = std::chrono::nanoseconds(10'000'000'000LL / baud_);
  auto due = std::max(lineFreeAt_, Clock::now());
  for (std::size_t i = 0; i < bytes.size(); i += kBatch) {
    const std::size_t count = std::min(kBatch, bytes.size() - i);
    due += byteTime * count;
    std::this_thread::sleep_until(due);
    // A recorder switched off (or unplugged) stops in the middle of a stream.
    if (StopRequested()) return;
    if (!WriteAll(master_, std::string_view(bytes.data() + i, count))) return;
  }
  lineFreeAt_ = std::chrono::time_point_cast<Clock::duration>(due);
}

bool SimulatedRecorder::StopRequested() {
  std::lock_guard lock(mutex_);
  return stopping_;
}

void SimulatedRecorder::Drain(int realMs) {
  const auto until = Clock::now() + std::chrono::milliseconds(Ms(realMs));
  while (Clock::now() < until) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    pollfd fds[2] = {{master_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    if (::poll(fds, 2, static_cast<int>(left.count()) + 1) <= 0) continue;
    if (fds[1].revents & POLLIN) return;
    if (fds[0].revents & POLLIN) {
      char junk[256];
      [[maybe_unused]] const ssize_t n = ::read(master_, junk, sizeof junk);
    }
  }
}

}  // namespace tesmora::sim
