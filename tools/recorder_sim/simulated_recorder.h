#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// A recorder on the other end of a pseudo-terminal: it plays the recorder's
// side of every exchange so that the link can be run and tested without the
// instrument. The exchange logic is this class; the program around it only
// reads options and control lines.
namespace tesmora::sim {

struct RecorderFile {
  std::string name;
  std::string bytes;  // as stored (test files in their stuffed form)
  std::string sample;
  bool degradation = false;
  std::optional<std::uint8_t> basisFlags;  // consistency tests: sent before the file
  std::uint16_t dosDate = 0x5C8F;          // 15/04/2026
};

struct RecorderContents {
  std::vector<RecorderFile> tests;  // section 0
  std::vector<RecorderFile> diskC;  // section 1
  std::vector<RecorderFile> flash;  // section 2
  char flashLetter = 'D';
  std::string version = "KAL V2.41";
  // What the recorder expects to receive for its two programs (the files as
  // the PC holds them, rotation byte first); empty: not checked.
  std::string normalProgram;
  std::string emergencyProgram;
};

enum class Fault {
  None,
  NoReply,
  LateReply,
  WrongEcho,
  TruncatedStream,
  WrongChecksum,
  WrongAck,
  DeletionRefused
};
// Names as the control channel takes them ("no-reply", "late-reply", ...).
std::optional<Fault> FaultFromName(const std::string& name);

struct SimOptions {
  int speedCode = 0;         // speed code of every exchange
  bool randomSpeed = false;  // or a random one of 0 to 3 per exchange
  bool emulateLine = false;  // 10 bits a byte at the baud rate in force
  double timeScale = 1.0;    // scales the recorder's own waits like the link's
};

// What has happened, for tests and the program's log.
struct SimRecord {
  int putOffers = 0;
  int programsOk = 0;
  int programsBad = 0;
  int repeatAfterMs = -1;
  int speedChecks = 0;      // times the PC's speed was looked at during an exchange
  int speedMismatches = 0;  // and found other than the speed code says  // how long after an
                            // unanswered command its repeat came
  std::vector<std::string> events;
};

class SimulatedRecorder {
 public:
  SimulatedRecorder(RecorderContents contents, SimOptions options);
  SimulatedRecorder(const SimulatedRecorder&) = delete;
  SimulatedRecorder& operator=(const SimulatedRecorder&) = delete;
  ~SimulatedRecorder();

  // Opens the pseudo-terminal; the link opens devicePath().
  bool Open();
  const std::string& devicePath() const { return devicePath_; }

  // Serves exchanges until Stop.
  void Run();
  void Stop();

  // Control, from any thread; each takes effect between exchanges.
  void RequestPush(const std::string& name);
  void RequestProgram(bool emergency);
  // The fault hits the next `times` exchanges that can have it.
  void SetFault(Fault fault, int times = 1);
  void SendRaw(const std::string& bytes);
  void SetSpeedCode(int code);

  // Thread-safe copies.
  RecorderContents contents() const;
  SimRecord record() const;
  // Time at which the last request byte (push or program) went out and at
  // which the PC's first answer to it arrived.
  std::pair<std::chrono::steady_clock::time_point, std::chrono::steady_clock::time_point>
  lastRequestTimes() const;

 private:
  struct Control {
    enum Kind { Push, Program, Raw } kind;
    std::string text;
    bool emergency = false;
  };

  void HandleCommand(std::uint8_t command);
  void HandleControl(const Control& control);
  void ListExchange();
  void VersionExchange();
  void GetExchange();
  void PutExchange();
  void DeleteExchange();
  void PushExchange(const std::string& name);
  void ProgramExchange(bool emergency);

  int ChooseSpeed();
  bool ReplyTo(std::uint8_t command, int speed);
  std::optional<std::string> ReadNameWithEcho();
  bool SendStream(const std::string& wire);
  bool ChecksumHandshake(std::uint32_t sum);
  std::optional<std::uint8_t> ReadByte(int realMs);
  void Send(const std::string& bytes);
  void SendByte(std::uint8_t byte) { Send(std::string(1, static_cast<char>(byte))); }
  void Drain(int realMs);
  bool StopRequested();
  void SetBaud(int speedCode);
  void CheckPcSpeed(int speedCode);
  Fault TakeFault(Fault wanted);
  void Log(const std::string& event);
  int Ms(int realMs) const;
  // The section a name with its drive prefix lies in, and the name without it.
  std::vector<RecorderFile>* SectionOf(const std::string& wireName, std::string& bareName);
  RecorderFile* Find(const std::string& wireName, bool& raw);
  void Wake();

  mutable std::mutex mutex_;
  RecorderContents contents_;
  SimOptions options_;
  SimRecord record_;
  Fault fault_ = Fault::None;
  int faultTimes_ = 0;
  std::deque<Control> controls_;
  bool stopping_ = false;
  std::chrono::steady_clock::time_point requestSent_{}, requestAnswered_{};

  int master_ = -1;
  int slave_ = -1;
  int wakePipe_[2] = {-1, -1};
  int stopPipe_[2] = {-1, -1};
  std::string devicePath_;
  int baud_ = 9600;
  std::chrono::steady_clock::time_point lineFreeAt_{};
  std::uint32_t randomState_ = 12345;
};

// Reads a folder into recorder files (one per regular file, sorted by name).
std::vector<RecorderFile> LoadFolder(const std::string& folder);

}  // namespace tesmora::sim
