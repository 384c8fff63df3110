// The adapter unplugged and plugged back, played by the simulated recorder:
// its pseudo-terminal stands for the device node and a symbolic link for the
// device's stable name, re-pointed at the new terminal when it "comes back".
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "link/link_protocol.h"
#include "link/link_session.h"
#include "link/port_change.h"
#include "link_fakes.h"
#include "platform/posix_serial_port.h"
#include "platform/profile_file.h"
#include "shell/message_table.h"
#include "shell/settings.h"
#include "simulated_recorder.h"
#include "support/temp_dir.h"
#include "support/wait.h"

namespace tesmora::link {
namespace {

using namespace std::chrono_literals;
using tesmora::testing::EntriesIn;
using tesmora::testing::TempDir;
using tesmora::testing::WaitUntil;
using tesmora::testing::WriteBytes;
using testing::FakeEvents;
using testing::FakePrompter;

constexpr double kScale = 0.25;

sim::RecorderContents Contents(std::vector<std::string> names, std::size_t size = 400) {
  sim::RecorderContents contents;
  for (const std::string& name : names) {
    contents.tests.push_back({name, std::string(size, 'a'), "WHEAT", false, std::nullopt});
  }
  contents.diskC = {{"flash.cnf", "E\r\n", "", false, std::nullopt}};
  contents.flash = {{"cliente.txt", std::string(2 + 140, 'c'), "", false, std::nullopt},
                    {"protocol.txt", std::string(2 + 20, 'p'), "", false, std::nullopt}};
  contents.flashLetter = 'E';
  return contents;
}

class AdapterUnplugged : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(received());
    std::filesystem::create_directories(programs());
  }
  void TearDown() override {
    if (session_) session_->Stop();
    port_.Close();
    Unplug();
  }

  // A recorder on a fresh pseudo-terminal, reached through the stable name.
  void PlugIn(sim::RecorderContents contents, bool emulateLine = false) {
    recorder_ = std::make_unique<sim::SimulatedRecorder>(
        std::move(contents), sim::SimOptions{0, false, emulateLine, kScale});
    ASSERT_TRUE(recorder_->Open());
    recorderThread_ = std::thread([this] { recorder_->Run(); });
    // Re-pointed in one step, as udev replaces a link.
    const std::string fresh = stableName() + ".new";
    ASSERT_EQ(::symlink(recorder_->devicePath().c_str(), fresh.c_str()), 0);
    std::filesystem::rename(fresh, stableName());
  }
  // The recorder and its terminal go, and udev takes the stable name away.
  void Unplug() {
    if (recorder_) recorder_->Stop();
    if (recorderThread_.joinable()) recorderThread_.join();
    recorder_.reset();
    std::filesystem::remove(stableName());
  }
  void StartSession() {
    ASSERT_TRUE(port_.Open(stableName()));
    MakeSession();
    session_->Start();
  }
  void MakeSession() {
    session_ = std::make_unique<LinkSession>(port_, events_, prompter_, LinkTiming{kScale});
    LinkSeed seed;
    seed.startupPhase = false;
    seed.autoSaveDirectory = received();
    seed.programFilesDirectory = programs();
    session_->Seed(seed);
    session_->PrepareStartup(programs(), [this] { ++listLoads_; });
  }
  // The desktop program's start: COM1 bound to the stable name in the
  // settings, the port opened (or awaited), then the reader thread started.
  LinkSession::StartPort StartProgram(const std::string& device) {
    Settings settings = LoadSettings(dir_.path(), dir_.path());
    platform::WriteProfileString(settings.settingsPath, "PORTS", "COM1", device);
    MakeSession();
    const LinkSession::StartPort opened = session_->OpenPortAtStart(settings, "COM1");
    session_->Start();
    return opened;
  }
  // The owner's 1500 ms timer, started when the line is back, until the
  // start-up sequence stops it; its batch timer meanwhile carries the
  // downloads from one file to the next.
  bool RunStartupTimer() {
    const auto tick = std::chrono::milliseconds(LinkTiming{kScale}.Ms(1500));
    auto next = std::chrono::steady_clock::now() + tick;
    return WaitUntil([&] {
      if (events_.TakeTimer()) session_->BatchTimerTick();
      if (std::chrono::steady_clock::now() < next) return false;
      next += tick;
      return !session_->StartupTick();
    });
  }
  // What must not happen is given the time it would take at the link's pace
  // (`ms` before scaling): a duration, with no event to wait for.
  static void NothingHappensFor(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(LinkTiming{kScale}.Ms(ms)));
  }
  bool RunToIdle() {
    return WaitUntil([&] {
      if (events_.TakeTimer()) session_->BatchTimerTick();
      return session_->IsIdle();
    });
  }
  // Some of the file under way has gone over the line: the copy window has
  // moved on at least one step.
  bool ProgressSeen() const {
    const auto progress = events_.progress();
    return !progress.empty() && !progress.back().empty();
  }
  std::vector<std::string> RowNames() const {
    std::vector<std::string> names;
    for (const RecorderRow& row : events_.rows()) names.push_back(row.name);
    return names;
  }
  std::string stableName() const { return dir_.File("usb-KALDIRONE-if00-port0"); }
  std::string received() const { return dir_.path() + "/received/"; }
  std::string programs() const { return dir_.path() + "/programs"; }

  TempDir dir_;
  FakeEvents events_;
  FakePrompter prompter_;
  platform::PosixSerialPort port_;
  std::unique_ptr<sim::SimulatedRecorder> recorder_;
  std::thread recorderThread_;
  std::unique_ptr<LinkSession> session_;
  int listLoads_ = 0;
};

// Unplugged while idle: the hang-up is said once, nothing else happens while
// the device is away, and the device back under its name brings the line
// back and, through the start-up sequence, the new recorder's list.
TEST_F(AdapterUnplugged, DeviceBackUnderItsNameBringsTheRecorderListBack) {
  PlugIn(Contents({"03151234.312"}));
  StartSession();
  ASSERT_TRUE(session_->Refresh());
  ASSERT_TRUE(RunToIdle());
  EXPECT_EQ(RowNames(), std::vector<std::string>{"03151234.312"});

  Unplug();
  ASSERT_TRUE(WaitUntil([&] { return events_.hangUps() == 1; }));
  NothingHappensFor(3000);
  EXPECT_EQ(events_.hangUps(), 1);
  EXPECT_EQ(events_.linesBack(), 0);
  EXPECT_FALSE(port_.IsOpen());

  PlugIn(Contents({"04021235.212", "12241236.111"}));
  ASSERT_TRUE(WaitUntil([&] { return events_.linesBack() == 1; }));
  EXPECT_TRUE(port_.IsOpen());
  EXPECT_EQ(platform::ReadBaudRate(port_.PollDescriptor()), 9600);
  ASSERT_TRUE(RunStartupTimer()) << testing::Joined(prompter_.messages());
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"04021235.212", "12241236.111"}));
  EXPECT_EQ(session_->RecorderFileCount(), 2);
  EXPECT_EQ(events_.countShown(), 2);
  EXPECT_EQ(listLoads_, 1);  // the lists were fetched again as well
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(events_.hangUps(), 1);
}

// A transfer cut by the hang-up ends as a failed transfer: msg::kCommunicationProblem, no
// file left behind (not even a partial one), and it is not tried again, not
// even when the device comes back.
TEST_F(AdapterUnplugged, TransferCutByTheHangUpFailsAndIsNotRetried) {
  PlugIn(Contents({"03151234.312"}, 6000), true);
  StartSession();
  ASSERT_TRUE(session_->ReceiveFiles({"03151234.312"}, received()));
  ASSERT_TRUE(WaitUntil([&] { return ProgressSeen(); }));  // some of the file has arrived
  Unplug();
  ASSERT_TRUE(RunToIdle());
  EXPECT_EQ(prompter_.messages(),
            std::vector<std::string>{MessageUtf8(msg::kCommunicationProblem, 1)});
  EXPECT_EQ(EntriesIn(received()), 0);
  EXPECT_FALSE(events_.copyWindowOpen());
  EXPECT_FALSE(session_->BatchRunning());

  PlugIn(Contents({"03151234.312"}));
  ASSERT_TRUE(WaitUntil([&] { return events_.linesBack() == 1; }));
  NothingHappensFor(3000);
  const auto events = recorder_->record().events;
  EXPECT_EQ(std::count(events.begin(), events.end(), "get 03151234.312"), 0);
  EXPECT_EQ(EntriesIn(received()), 0);
}

// The same for a file on its way to the recorder: the missing acknowledgement
// of a line that has gone is no reason to offer the file again.
TEST_F(AdapterUnplugged, SendCutByTheHangUpFailsAndIsNotOfferedAgain) {
  PlugIn(Contents({}), true);
  StartSession();
  WriteBytes(dir_.File("06061238.312"), std::string(6000, 'b'));
  ASSERT_TRUE(session_->SendFiles({"06061238.312"}, dir_.path() + "/"));
  ASSERT_TRUE(WaitUntil([&] { return ProgressSeen(); }));  // some of the file has gone
  const int offers = recorder_->record().putOffers;
  Unplug();
  ASSERT_TRUE(RunToIdle());
  EXPECT_EQ(offers, 1);
  EXPECT_EQ(prompter_.messages(),
            std::vector<std::string>{MessageUtf8(msg::kCommunicationProblem, 1)});
  EXPECT_TRUE(session_->Snapshot().sendQueue.empty());

  PlugIn(Contents({}));
  ASSERT_TRUE(WaitUntil([&] { return events_.linesBack() == 1; }));
  NothingHappensFor(8000);
  EXPECT_EQ(recorder_->record().putOffers, 0);
  EXPECT_EQ(prompter_.messages().size(), 1u);
}

// The adapter not plugged in yet when the program starts: the opening error
// says so, the line is said to be gone, and the reader waits asleep; plugged
// in, the device opens at 9600 baud and the start-up sequence fills the list.
TEST_F(AdapterUnplugged, AdapterMissingAtStartIsWaitedForAndBringsTheListWhenPluggedIn) {
  ASSERT_EQ(StartProgram(stableName()), LinkSession::StartPort::Awaited);
  EXPECT_EQ(prompter_.messages(),
            std::vector<std::string>{"COM1. " + MessageUtf8(msg::kOpeningError, 1) + "\n" +
                                     MessageUtf8(msg::kNoDevice, 1)});
  ASSERT_TRUE(WaitUntil([&] { return events_.hangUps() == 1; }));
  NothingHappensFor(3000);
  EXPECT_EQ(events_.hangUps(), 1);
  EXPECT_EQ(events_.linesBack(), 0);
  EXPECT_FALSE(port_.IsOpen());

  PlugIn(Contents({"04021235.212"}));
  ASSERT_TRUE(WaitUntil([&] { return events_.linesBack() == 1; }));
  EXPECT_TRUE(port_.IsOpen());
  EXPECT_EQ(platform::ReadBaudRate(port_.PollDescriptor()), 9600);
  ASSERT_TRUE(RunStartupTimer()) << testing::Joined(prompter_.messages());
  EXPECT_EQ(RowNames(), std::vector<std::string>{"04021235.212"});
  EXPECT_EQ(listLoads_, 1);
  EXPECT_EQ(prompter_.messages().size(), 1u);
}

// A path that cannot bring the recorder is not waited for: the start goes on
// as with any failed open, and nothing opens later.
TEST_F(AdapterUnplugged, NumberedPseudoTerminalMissingAtStartIsNotWaitedFor) {
  ASSERT_EQ(StartProgram("/dev/pts/987654"), LinkSession::StartPort::Failed);
  EXPECT_EQ(prompter_.messages().size(), 1u);
  NothingHappensFor(2000);
  EXPECT_EQ(events_.hangUps(), 0);
  EXPECT_FALSE(port_.IsOpen());
}

TEST(DeviceMayArrive, AdaptersAndStableNamesYesPseudoTerminalsAndOnBoardPortsNo) {
  const struct {
    const char* path;
    bool awaited;
  } cases[] = {
      {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", true},
      {"/dev/ttyUSB0", true},
      {"/dev/ttyACM1", true},
      {"/home/lab/kaldirone", true},  // a link of the user's
      {"/dev/ttyS0", false},
      {"/dev/ttyS12", false},
      {"/dev/ttyStm", true},  // not an on-board port's node
      {"/dev/pts/3", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(DeviceMayArriveAt(c.path), c.awaited) << c.path;
}

}  // namespace
}  // namespace tesmora::link
