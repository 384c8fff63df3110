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
using link::RunningSum;

// The recorder gives up on the PC after this long without a byte.
constexpr int kRecorderWaitMs = 3000;
// How far past the PC's reply time-out a late reply comes, so that the PC has
// surely given up on the first one.
constexpr int kPastThePcsWaitMs = 1000;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::uint32_t SumOf(std::string_view bytes) {
  std::uint32_t sum = 0;
  for (const char c : bytes) sum += static_cast<std::uint8_t>(c);
  return sum;
}

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

// --- Exchanges ---------------------------------------------------------------

void SimulatedRecorder::HandleCommand(std::uint8_t command) {
  lineFreeAt_ = Clock::now();
  baud_ = 9600;
  switch (command) {
    case link::kCmdList:
      return ListExchange();
    case link::kCmdVersion:
      return VersionExchange();
    case link::kCmdGetFile:
      return GetExchange();
    case link::kCmdPutFile:
      return PutExchange();
    case link::kCmdDelete:
      return DeleteExchange();
    default: {
      std::lock_guard lock(mutex_);
      // The PC's first answer to a request of ours.
      if (requestAnswered_ < requestSent_) requestAnswered_ = Clock::now();
      return;
    }
  }
}

void SimulatedRecorder::HandleControl(const Control& control) {
  lineFreeAt_ = Clock::now();
  baud_ = 9600;
  switch (control.kind) {
    case Control::Push:
      return PushExchange(control.text);
    case Control::Program:
      return ProgramExchange(control.emergency);
    case Control::Raw:
      return Send(control.text);
  }
}

bool SimulatedRecorder::ReplyTo(std::uint8_t command, int speed) {
  if (TakeFault(Fault::NoReply) != Fault::None) {
    Log("no reply");
    // The PC sends the command once more after its wait; that repeat goes
    // unanswered too, and the recorder is free again right after it.
    const auto start = Clock::now();
    if (ReadByte(link::kReplyTimeoutMs + kPastThePcsWaitMs) == command) {
      std::lock_guard lock(mutex_);
      record_.repeatAfterMs = static_cast<int>(
          std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
    }
    return false;
  }
  if (TakeFault(Fault::LateReply) != Fault::None) {
    Log("late reply");
    // Past the PC's wait, so that it sends the command again; that repeat
    // is the one answered.
    Drain(link::kReplyTimeoutMs + kPastThePcsWaitMs);
  }
  SendByte(static_cast<std::uint8_t>((command & 0xF0) | speed));
  return true;
}

std::optional<std::string> SimulatedRecorder::ReadNameWithEcho() {
  std::string name;
  const bool wrongEcho = TakeFault(Fault::WrongEcho) != Fault::None;
  for (;;) {
    const auto byte = ReadByte(kRecorderWaitMs);
    if (!byte) return std::nullopt;
    if (wrongEcho) {
      Log("wrong echo");
      SendByte(static_cast<std::uint8_t>(*byte ^ 0x01));
      return std::nullopt;
    }
    SendByte(*byte);
    if (*byte == 0) return name;
    if (name.size() > 64) return std::nullopt;
    name.push_back(static_cast<char>(*byte));
  }
}

bool SimulatedRecorder::SendStream(const std::string& wire) {
  if (TakeFault(Fault::TruncatedStream) != Fault::None) {
    Log("truncated stream");
    Send(wire.substr(0, wire.size() / 2));
    return false;
  }
  Send(wire);
  return true;
}

bool SimulatedRecorder::ChecksumHandshake(std::uint32_t sum) {
  std::uint8_t low = static_cast<std::uint8_t>(sum & 0xFF);
  if (TakeFault(Fault::WrongChecksum) != Fault::None) {
    Log("wrong checksum");
    low = static_cast<std::uint8_t>(low + 1);
  }
  SendByte(low);
  const auto echo = ReadByte(kRecorderWaitMs);
  if (!echo || *echo != low) return false;
  const auto second = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
  SendByte(second);
  const auto echo2 = ReadByte(kRecorderWaitMs);
  return echo2 && *echo2 == second;
}

void SimulatedRecorder::ListExchange() {
  const int speed = ChooseSpeed();
  if (!ReplyTo(link::kCmdList, speed)) return;
  const auto echo = ReadByte(kRecorderWaitMs);
  if (!echo || *echo != speed) return;
  SetBaud(speed);
  CheckPcSpeed(speed);
  std::string wire;
  const RecorderContents contents = this->contents();
  for (const RecorderFile& file : contents.tests) {
    wire += file.name + '\0' + file.sample + '\0' + (file.degradation ? "1" : "0") + '\0';
  }
  wire += "\xFF\xFF";
  for (const auto* section : {&contents.diskC, &contents.flash}) {
    for (const RecorderFile& file : *section) {
      wire += file.name + '\0';
      wire.push_back(static_cast<char>(file.dosDate & 0xFF));
      wire.push_back(static_cast<char>(file.dosDate >> 8));
      wire += std::string(2, '\0');
    }
    wire += "\xFF\xFF";
  }
  if (!SendStream(wire)) return;
  // The end markers of the three sections do not count.
  const bool good = ChecksumHandshake(SumOf(wire) - 6 * 0xFF);
  Log(good ? "list" : "list failed");
}

void SimulatedRecorder::VersionExchange() {
  const int speed = ChooseSpeed();
  if (!ReplyTo(link::kCmdVersion, speed)) return;
  const auto echo = ReadByte(kRecorderWaitMs);
  if (!echo || *echo != speed) return;
  SetBaud(speed);
  CheckPcSpeed(speed);
  const std::string version = contents().version;
  std::string wire = version;
  wire.push_back('\0');
  if (!SendStream(wire + "\xFF\xFF")) return;
  const bool good = ChecksumHandshake(SumOf(wire));
  Log(good ? "version" : "version failed");
}

std::vector<RecorderFile>* SimulatedRecorder::SectionOf(const std::string& wireName,
                                                        std::string& bareName) {
  bareName = wireName;
  if (wireName.size() <= 2 || wireName[1] != ':') return &contents_.tests;
  bareName = wireName.substr(2);
  const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(wireName[0])));
  if (drive == 'C') return &contents_.diskC;
  if (drive == std::toupper(static_cast<unsigned char>(contents_.flashLetter))) {
    return &contents_.flash;
  }
  return nullptr;
}

RecorderFile* SimulatedRecorder::Find(const std::string& wireName, bool& raw) {
  std::string name;
  std::vector<RecorderFile>* files = SectionOf(wireName, name);
  raw = name.size() != wireName.size();
  if (files == nullptr) return nullptr;
  for (RecorderFile& file : *files) {
    if (Lower(file.name) == Lower(name)) return &file;
  }
  return nullptr;
}

void SimulatedRecorder::GetExchange() {
  const int speed = ChooseSpeed();
  if (!ReplyTo(link::kCmdGetFile, speed)) return;
  SetBaud(speed);
  const auto name = ReadNameWithEcho();
  if (!name) return;
  CheckPcSpeed(speed);
  std::string wire;
  {
    std::lock_guard lock(mutex_);
    bool raw = false;
    const RecorderFile* file = Find(*name, raw);
    if (file == nullptr) return;
    if (raw) {
      wire = link::EncodeFileForSending(file->bytes, true);
    } else {
      if (file->basisFlags) wire.push_back(static_cast<char>(*file->basisFlags));
      wire += file->bytes + "\xFF\xFF";
    }
  }
  if (!SendStream(wire)) return;
  const bool good = ChecksumHandshake(SumOf(wire) - 2 * 0xFF);
  Log(good ? "get " + *name : "get failed");
}

void SimulatedRecorder::PutExchange() {
  {
    std::lock_guard lock(mutex_);
    ++record_.putOffers;
  }
  const int speed = ChooseSpeed();
  if (!ReplyTo(link::kCmdPutFile, speed)) return;
  SetBaud(speed);
  const auto name = ReadNameWithEcho();
  if (!name) return;
  CheckPcSpeed(speed);
  const bool raw = name->size() > 2 && (*name)[1] == ':';
  SendByte(link::kPutReady);
  const bool wrongAck = TakeFault(Fault::WrongAck) != Fault::None;
  std::string file;
  RunningSum sum;
  int count = 0;
  bool escape = false;
  for (;;) {
    const auto byte = ReadByte(kRecorderWaitMs);
    if (!byte) return;
    sum.Add(*byte);
    bool ended = false;
    if (escape) {
      escape = false;
      if (*byte == 0xFF) {
        ended = true;
      } else {
        file.push_back('\xFF');
        if (!raw) file.push_back(static_cast<char>(*byte));
      }
    } else if (*byte == 0xFF) {
      escape = true;
    } else {
      file.push_back(static_cast<char>(*byte));
    }
    if (++count % link::kPutAckInterval == 0) {
      if (wrongAck) {
        Log("wrong ack");
        SendByte(static_cast<std::uint8_t>(sum.Low() + 1));
        return;
      }
      SendByte(sum.Low());
    }
    if (ended) break;
  }
  if (!ChecksumHandshake(sum.value)) return Log("put failed");
  std::lock_guard lock(mutex_);
  bool rawName = false;
  if (RecorderFile* existing = Find(*name, rawName)) {
    existing->bytes = file;
  } else {
    std::string bare;
    if (std::vector<RecorderFile>* files = SectionOf(*name, bare)) {
      files->push_back({bare, file, "", false, std::nullopt});
    }
  }
  record_.events.push_back("put " + *name);
}

void SimulatedRecorder::DeleteExchange() {
  const int speed = ChooseSpeed();
  if (!ReplyTo(link::kCmdDelete, speed)) return;
  SetBaud(speed);
  const auto name = ReadNameWithEcho();
  if (!name) return;
  CheckPcSpeed(speed);
  if (TakeFault(Fault::DeletionRefused) != Fault::None) {
    Log("deletion refused");
    SendByte(0x0B);
    return;
  }
  std::lock_guard lock(mutex_);
  std::string bare;
  if (std::vector<RecorderFile>* files = SectionOf(*name, bare)) {
    std::erase_if(*files, [&](const RecorderFile& f) { return Lower(f.name) == Lower(bare); });
  }
  SendByte(link::kDeleteConfirmed);
  record_.events.push_back("delete " + *name);
}

void SimulatedRecorder::PushExchange(const std::string& name) {
  std::string wire;
  {
    std::lock_guard lock(mutex_);
    bool raw = false;
    const RecorderFile* file = Find(name, raw);
    // An unknown name is pushed as an empty file: tests use it for names
    // that must be refused.
    if (file != nullptr && file->basisFlags) wire.push_back(static_cast<char>(*file->basisFlags));
    if (file != nullptr) wire += file->bytes;
  }
  const int speed = ChooseSpeed();
  {
    std::lock_guard lock(mutex_);
    requestSent_ = Clock::now();
  }
  SendByte(static_cast<std::uint8_t>(0x10 | speed));
  const auto echo = ReadByte(kRecorderWaitMs);
  {
    std::lock_guard lock(mutex_);
    requestAnswered_ = Clock::now();
  }
  if (!echo || *echo != speed) return Log("push not answered");
  SetBaud(speed);
  CheckPcSpeed(speed);
  std::string pushName = name.substr(0, link::kPushNameLength);
  pushName.resize(link::kPushNameLength, ' ');
  Send(pushName);
  if (!SendStream(wire + "\xFF\xFF")) return;
  const bool good = ChecksumHandshake(SumOf(wire));
  Log(good ? "push " + name : "push failed");
}

void SimulatedRecorder::ProgramExchange(bool emergency) {
  const std::uint8_t sizeRequest = emergency ? 0xC0 : 0x60;
  {
    std::lock_guard lock(mutex_);
    requestSent_ = Clock::now();
  }
  SendByte(sizeRequest);
  const auto echo = ReadByte(kRecorderWaitMs);
  {
    std::lock_guard lock(mutex_);
    requestAnswered_ = Clock::now();
  }
  if (!echo || *echo != sizeRequest) return Log("program size not answered");
  RunningSum sum;
  std::uint32_t count = 0;
  for (int i = 0; i < 3; ++i) {
    const auto byte = ReadByte(kRecorderWaitMs);
    if (!byte) return Log("program size cut");
    sum.Add(*byte);
    count = count << 8 | *byte;
    SendByte(sum.Low());
  }
  if (!ChecksumHandshake(sum.value)) return Log("program size failed");
  const int speed = ChooseSpeed();
  SendByte(static_cast<std::uint8_t>((emergency ? 0x90 : 0x80) | speed));
  SetBaud(speed);
  const std::uint32_t ackInterval =
      emergency ? link::kEmergencyProgramAckInterval : link::kNormalProgramAckInterval;
  std::string rotated;
  RunningSum dataSum;
  for (std::uint32_t i = 0; i < count; ++i) {
    const auto byte = ReadByte(kRecorderWaitMs);
    if (!byte) return Log("program data cut");
    dataSum.Add(*byte);
    rotated.push_back(static_cast<char>(*byte));
    if ((i + 1) % ackInterval == 0) SendByte(dataSum.Low());
  }
  CheckPcSpeed(speed);
  if (!ChecksumHandshake(dataSum.value)) return Log("program data failed");
  const std::string expected = emergency ? contents().emergencyProgram : contents().normalProgram;
  bool ok = expected.size() == count + 1;
  for (std::uint32_t i = 0; ok && i < count; ++i) {
    const auto original = link::UnrotateProgramByte(static_cast<std::uint8_t>(rotated[i]),
                                                    static_cast<std::uint8_t>(expected[0]), i);
    ok = original == static_cast<std::uint8_t>(expected[1 + i]);
  }
  std::lock_guard lock(mutex_);
  ++(ok ? record_.programsOk : record_.programsBad);
  record_.events.push_back(std::string(emergency ? "emergency" : "normal") +
                           (ok ? " program ok" : " program bad"));
}

std::vector<RecorderFile> LoadFolder(const std::string& folder) {
  std::vector<RecorderFile> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().filename().string();
    if (name == "samples.txt") continue;
    if (auto bytes = platform::ReadWholeFile(entry.path().string())) {
      files.push_back({name, std::move(*bytes), "", false, std::nullopt});
    }
  }
  std::sort(files.begin(), files.end(),
            [](const RecorderFile& a, const RecorderFile& b) { return a.name < b.name; });
  return files;
}

}  // namespace tesmora::sim
