// tesmora-cli's recorder commands, run as a program against the simulated
// recorder on a pseudo-terminal.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/profile_file.h"
#include "simulated_recorder.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/wait.h"

namespace tesmora {
namespace {

using tesmora::testing::CommandRun;
using tesmora::testing::ReadBytes;
using tesmora::testing::RunCommand;
using tesmora::testing::TempDir;
using tesmora::testing::WaitUntil;

class CliAgainstRecorder : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::RecorderContents contents;
    contents.tests = {
        {"03151234.312", std::string("\x01\x02\xFF\x03\x04", 5), "WHEAT 7", true, std::nullopt},
        {"04021235.412", "abc", "FLOUR", false, 0x0C}};
    recorder_ = std::make_unique<sim::SimulatedRecorder>(contents, sim::SimOptions{});
    ASSERT_TRUE(recorder_->Open());
    thread_ = std::thread([this] { recorder_->Run(); });
    const std::string ini = home_.File("tesmora.ini");
    ASSERT_TRUE(platform::WriteProfileString(ini, "LIAISON", "Port", "COM3"));
    ASSERT_TRUE(platform::WriteProfileString(ini, "PORTS", "COM3", recorder_->devicePath()));
    ASSERT_TRUE(platform::WriteProfileString(ini, "PORTS", "COM9", home_.File("no-port")));
    ASSERT_TRUE(
        platform::WriteProfileString(ini, "REPERTOIRE", "Sauvegarde Auto", home_.path() + "/"));
  }
  void TearDown() override {
    if (listen_.joinable()) StopListen();
    if (recorder_) recorder_->Stop();
    if (thread_.joinable()) thread_.join();
  }

  CommandRun Cli(const std::string& arguments) {
    return RunCommand("cd '" + home_.path() + "' && TESMORA_HOME='" + home_.path() +
                      "' LC_ALL=en_GB.UTF-8 LC_MESSAGES=en_GB.UTF-8 LANG=en_GB.UTF-8 " +
                      TESMORA_CLI + " " + arguments + " 2>&1");
  }

  // `tesmora-cli listen` in the background, its output going to a file that
  // the test reads as it grows.
  void StartListen(const std::string& arguments) {
    listen_ = std::thread([this, arguments] {
      listenRun_ = Cli("listen " + arguments + " >'" + ListenLog() + "' 2>&1 & echo $! >'" +
                       home_.File("listen.pid") + "'; wait $!");
    });
  }
  std::string ListenLog() const { return home_.File("listen.log"); }
  bool Printed(const std::string& text) const {
    return ReadBytes(ListenLog()).find(text) != std::string::npos;
  }
  bool RecorderDid(const std::string& event) const {
    const std::vector<std::string> events = recorder_->record().events;
    return std::find(events.begin(), events.end(), event) != events.end();
  }
  // Interrupted as from the terminal; its exit status and all it printed.
  CommandRun StopListen() {
    std::string pid;
    EXPECT_TRUE(WaitUntil([&] {
      pid = ReadBytes(home_.File("listen.pid"));
      return pid.ends_with("\n");
    }));
    if (!pid.empty()) ::kill(std::stoi(pid), SIGTERM);
    listen_.join();
    CommandRun run = listenRun_;
    run.output = ReadBytes(ListenLog());
    return run;
  }

  TempDir home_;
  std::unique_ptr<sim::SimulatedRecorder> recorder_;
  std::thread thread_;
  std::thread listen_;
  CommandRun listenRun_;
};

TEST_F(CliAgainstRecorder, ListPrintsOneTabSeparatedRowPerTestFile) {
  const CommandRun run = Cli("list");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output,
            "03151234.312\tAHA\tWHEAT 7\tYES\t15/03/12\n"
            "04021235.412\tCHC\tFLOUR\tNO\t02/04/12\n");
}

TEST_F(CliAgainstRecorder, GetStoresTheFileAndVersionPrintsTheText) {
  TempDir to;
  const CommandRun get = Cli("get 03151234.312 --to '" + to.path() + "'");
  EXPECT_EQ(get.status, 0) << get.output;
  EXPECT_EQ(ReadBytes(to.File("03151234.312")), std::string("\x01\x02\xFF\x03\x04", 5));
  const CommandRun version = Cli("version");
  EXPECT_EQ(version.status, 0) << version.output;
  EXPECT_EQ(version.output, "KAL V2.41\n");
}

TEST_F(CliAgainstRecorder, DeleteRemovesTheFilesOnTheRecorder) {
  const CommandRun run = Cli("delete 03151234.312");
  EXPECT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(recorder_->contents().tests.size(), 1u);
  EXPECT_EQ(recorder_->contents().tests[0].name, "04021235.412");
}

// The recorder's end of the line goes away while `listen` waits: the hang-up
// is said once, and an interruption still ends the command cleanly.
TEST_F(CliAgainstRecorder, ListenSaysOnceThatTheLineHungUp) {
  StartListen("");
  // Listening: it has asked for the version first.
  ASSERT_TRUE(WaitUntil([&] { return RecorderDid("version"); }));
  // The pseudo-terminal goes with the recorder, as an unplugged adapter does.
  recorder_->Stop();
  thread_.join();
  recorder_.reset();
  ASSERT_TRUE(WaitUntil([&] { return Printed("has hung up"); }));
  // A duration, not an event: the time in which a repeated message would come.
  std::this_thread::sleep_for(std::chrono::milliseconds(2000));
  const CommandRun run = StopListen();
  EXPECT_EQ(run.status, 0) << run.output;
  const std::string line = "tesmora-cli: the line to the recorder has hung up\n";
  const std::size_t first = run.output.find(line);
  ASSERT_NE(first, std::string::npos) << run.output;
  EXPECT_EQ(run.output.find(line, first + 1), std::string::npos) << run.output;
}

// Unplugged and plugged back under its stable name (a link re-pointed at the
// new terminal): `listen` says the line hung up, then that it is back, and
// stores what the recorder pushes afterwards.
TEST_F(CliAgainstRecorder, ListenSurvivesAnUnpluggedAdapter) {
  const std::string stable = home_.File("usb-KALDIRONE-if00-port0");
  std::filesystem::create_symlink(recorder_->devicePath(), stable);
  ASSERT_TRUE(platform::WriteProfileString(home_.File("tesmora.ini"), "PORTS", "COM4", stable));
  StartListen("--port COM4");
  ASSERT_TRUE(WaitUntil([&] { return RecorderDid("version"); }));
  recorder_->Stop();
  thread_.join();
  recorder_.reset();
  std::filesystem::remove(stable);
  ASSERT_TRUE(WaitUntil([&] { return Printed("has hung up"); }));

  sim::RecorderContents contents;
  contents.tests = {{"05051237.312", "pushed", "WHEAT", false, std::nullopt}};
  recorder_ = std::make_unique<sim::SimulatedRecorder>(contents, sim::SimOptions{});
  ASSERT_TRUE(recorder_->Open());
  thread_ = std::thread([this] { recorder_->Run(); });
  std::filesystem::create_symlink(recorder_->devicePath(), stable);
  ASSERT_TRUE(WaitUntil([&] { return Printed("is back"); }));
  recorder_->RequestPush("05051237.312");
  ASSERT_TRUE(WaitUntil([&] { return Printed(home_.path() + "/05051237.312\n"); }));
  const CommandRun run = StopListen();

  EXPECT_EQ(run.status, 0) << run.output;
  const std::size_t hungUp = run.output.find("the line to the recorder has hung up\n");
  const std::size_t back = run.output.find("the line to the recorder is back\n");
  ASSERT_NE(hungUp, std::string::npos) << run.output;
  ASSERT_NE(back, std::string::npos) << run.output;
  EXPECT_LT(hungUp, back);
  EXPECT_NE(run.output.find(home_.path() + "/05051237.312\n", back), std::string::npos)
      << run.output;
  EXPECT_EQ(ReadBytes(home_.File("05051237.312")), "pushed");
}

TEST_F(CliAgainstRecorder, FailuresPrintTheProgramsMessageAndUsageErrorsExit2) {
  const CommandRun noPort = Cli("list --port COM9");
  EXPECT_EQ(noPort.status, 1);
  EXPECT_EQ(noPort.output,
            "COM9. OPENING ERROR\n"
            "No such device: check that the adapter is plugged in and that this is the right "
            "port.\n");
  EXPECT_EQ(Cli("get").status, 2);
  EXPECT_EQ(Cli("list --memory 5").status, 2);
  EXPECT_EQ(Cli("version extra").status, 2);
  EXPECT_EQ(Cli("delete ../x").status, 2);
  const CommandRun help = Cli("put --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("usage: tesmora-cli put"), std::string::npos);
}

}  // namespace
}  // namespace tesmora
