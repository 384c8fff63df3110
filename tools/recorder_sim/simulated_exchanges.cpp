// The recorder's side of each exchange: the PC's commands (list, version,
// get, put, delete) and what the recorder starts itself (push, program).
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <thread>

#include "link/link_protocol.h"
#include "link/link_timeouts.h"
#include "platform/file_io.h"
#include "simulated_recorder.h"

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

}  // namespace

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
