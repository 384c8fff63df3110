// The link session against the simulated recorder: what the desktop program
// and the command line do through it, and the batch order it keeps when the
// recorder starts an exchange of its own.
#include "link/link_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "link_fakes.h"
#include "platform/posix_serial_port.h"
#include "shell/message_table.h"
#include "simulated_recorder.h"
#include "support/temp_dir.h"

namespace tesmora::link {
namespace {

using namespace std::chrono_literals;
using tesmora::testing::ReadBytes;
using tesmora::testing::TempDir;
using tesmora::testing::WriteBytes;
using testing::FakeEvents;
using testing::FakePrompter;

constexpr double kTestScale = 0.25;

sim::RecorderFile TestOnRecorder(const std::string& name, std::size_t size) {
  return {name, std::string(size, static_cast<char>(name[9])), "SAMPLE", false, std::nullopt};
}

class SessionAgainstRecorder : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::RecorderContents contents;
    contents.tests = {TestOnRecorder("03151234.312", 3000), TestOnRecorder("04021235.212", 2500),
                      TestOnRecorder("12241236.111", 2000), TestOnRecorder("05051237.312", 1500)};
    recorder_ = std::make_unique<sim::SimulatedRecorder>(
        std::move(contents), sim::SimOptions{0, false, false, kTestScale});
    ASSERT_TRUE(recorder_->Open());
    recorderThread_ = std::thread([this] { recorder_->Run(); });
    ASSERT_TRUE(port_.Open(recorder_->devicePath()));
    std::filesystem::create_directories(autoSave());
    std::filesystem::create_directories(received());
  }
  void StartSession(bool startupPhase = false) {
    session_ = std::make_unique<LinkSession>(port_, events_, prompter_, LinkTiming{kTestScale});
    LinkSeed seed;
    seed.autoSaveDirectory = autoSave();
    seed.programFilesDirectory = dir_.path();
    seed.startupPhase = startupPhase;
    session_->Seed(seed);
    session_->Start();
  }
  void TearDown() override {
    if (session_) session_->Stop();
    port_.Close();
    if (recorder_) recorder_->Stop();
    if (recorderThread_.joinable()) recorderThread_.join();
  }

  // Runs the batch timer whenever the reader thread arms it, as the owner's
  // 100 ms timer does, until the link has come to rest.
  bool RunToIdle(
      const std::function<bool()>& also = [] { return true; }, std::chrono::seconds bound = 30s) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (std::chrono::steady_clock::now() < deadline) {
      if (events_.TakeTimer()) {
        std::this_thread::sleep_for(10ms);
        session_->BatchTimerTick();
      }
      if (session_->IsIdle() && also()) return true;
      std::this_thread::sleep_for(2ms);
    }
    return false;
  }
  int Gets(const std::string& name) {
    const auto events = recorder_->record().events;
    return static_cast<int>(std::count(events.begin(), events.end(), "get " + name));
  }
  std::string received() const { return dir_.path() + "/received/"; }
  std::string autoSave() const { return dir_.path() + "/auto/"; }
  std::string Stored(const std::string& name) { return ReadBytes(received() + name); }
  std::string OnRecorder(const std::string& name) {
    for (const auto& file : recorder_->contents().tests) {
      if (file.name == name) return file.bytes;
    }
    return {};
  }

  TempDir dir_;
  FakeEvents events_;
  FakePrompter prompter_;
  std::unique_ptr<sim::SimulatedRecorder> recorder_;
  std::thread recorderThread_;
  platform::PosixSerialPort port_;
  std::unique_ptr<LinkSession> session_;
};

// The recorder pushes a finished test right after the first file of a batch:
// the push is stored in the automatic save folder, and the batch goes on with
// its next file into its own folder, once the link is free again.
TEST_F(SessionAgainstRecorder, PushBetweenTwoFilesOfABatchLetsTheBatchGoOn) {
  events_.onCopyWindow = [this](int shown) {
    if (shown == 1) recorder_->RequestPush("05051237.312");
  };
  StartSession();
  ASSERT_TRUE(session_->ReceiveFiles({"03151234.312", "04021235.212", "12241236.111"}, received()));
  ASSERT_TRUE(RunToIdle());
  EXPECT_TRUE(prompter_.messages().empty());
  for (const std::string name : {"03151234.312", "04021235.212", "12241236.111"}) {
    EXPECT_EQ(Stored(name), OnRecorder(name)) << name;
    EXPECT_EQ(Gets(name), 1) << name;
  }
  EXPECT_EQ(ReadBytes(autoSave() + "05051237.312"), OnRecorder("05051237.312"));
  EXPECT_FALSE(std::filesystem::exists(received() + "05051237.312"));
  EXPECT_FALSE(events_.copyWindowOpen());
  EXPECT_FALSE(session_->BatchRunning());
}

// The same during a send: the next file is offered once the push is stored,
// in this batch and not with the next one.
TEST_F(SessionAgainstRecorder, PushBetweenTwoFilesOfASendBatchLetsTheBatchGoOn) {
  events_.onCopyWindow = [this](int shown) {
    if (shown == 1) recorder_->RequestPush("05051237.312");
  };
  StartSession();
  ASSERT_TRUE(session_->Refresh());
  ASSERT_TRUE(RunToIdle());
  for (const char* name : {"06061238.312", "06061239.312"}) {
    WriteBytes(dir_.path() + "/" + name, std::string(700, 'a'));
  }
  ASSERT_TRUE(session_->SendFiles({"06061238.312", "06061239.312"}, dir_.path() + "/"));
  ASSERT_TRUE(RunToIdle());
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(recorder_->record().putOffers, 2);
  EXPECT_EQ(OnRecorder("06061238.312"), std::string(700, 'a'));
  EXPECT_EQ(OnRecorder("06061239.312"), std::string(700, 'a'));
  EXPECT_EQ(ReadBytes(autoSave() + "05051237.312"), OnRecorder("05051237.312"));
  EXPECT_TRUE(session_->Snapshot().sendQueue.empty());
}

// A copy made while a batch runs waits in the clipboard: the running queue is
// left alone, no file is fetched twice, and no question is asked. A paste
// (or another drop) is refused until the batch has ended.
TEST_F(SessionAgainstRecorder, CopyDuringABatchLeavesTheRunningQueueAlone) {
  bool pasteRefused = false, dropRefused = false;
  events_.onCopyWindow = [&](int shown) {
    if (shown != 2) return;
    session_->CopyRecorderFiles({"03151234.312"});
    pasteRefused = !session_->PasteRecorderFiles(received());
    dropRefused = !session_->ReceiveFiles({"05051237.312"}, received());
  };
  StartSession();
  ASSERT_TRUE(session_->ReceiveFiles({"03151234.312", "04021235.212", "12241236.111"}, received()));
  EXPECT_TRUE(session_->BatchRunning());
  ASSERT_TRUE(RunToIdle());
  EXPECT_TRUE(pasteRefused);
  EXPECT_TRUE(dropRefused);
  EXPECT_TRUE(prompter_.questions().empty());
  for (const std::string name : {"03151234.312", "04021235.212", "12241236.111"}) {
    EXPECT_EQ(Gets(name), 1) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(received() + "05051237.312"));

  // Once the batch is over the copied name can be pasted; it exists now.
  events_.onCopyWindow = nullptr;
  prompter_.Script({PromptAnswer::Yes});
  ASSERT_TRUE(session_->HasCopiedRecorderFiles());
  ASSERT_TRUE(session_->PasteRecorderFiles(received()));
  ASSERT_TRUE(RunToIdle());
  EXPECT_EQ(prompter_.questions(),
            std::vector<std::string>{"03151234.312. " + MessageUtf8(msg::kReplaceFile, 1)});
  EXPECT_EQ(Gets("03151234.312"), 2);
  EXPECT_FALSE(session_->HasCopiedRecorderFiles());
}

// A recorder that did not answer at start leaves the program in its start-up
// phase until the downloads are done, which may be long. What the user copies
// meanwhile, and what the recorder pushes, is received as at any other time:
// with its window, its question and its export.
TEST_F(SessionAgainstRecorder, FilesOfTheStartupPhaseThatAreNoDownloadsAreReceivedAsAnyOther) {
  StartSession(/*startupPhase=*/true);
  std::vector<std::string> exported;
  session_->reader().SetExporter([&](const std::string&, const std::string& name) {
    exported.push_back(name);
    return false;
  });
  session_->SetExportDataMode(true);
  WriteBytes(received() + "03151234.312", "older");
  prompter_.Script({PromptAnswer::Yes});
  ASSERT_TRUE(session_->ReceiveFiles({"03151234.312", "04021235.212"}, received()));
  ASSERT_TRUE(RunToIdle());
  EXPECT_EQ(prompter_.questions(),
            std::vector<std::string>{"03151234.312. " + MessageUtf8(msg::kReplaceFile, 1)});
  EXPECT_EQ(events_.copyWindows().size(), 2u);
  EXPECT_EQ(Stored("03151234.312"), OnRecorder("03151234.312"));
  recorder_->RequestPush("05051237.312");
  ASSERT_TRUE(RunToIdle([&] { return events_.stored().size() == 3u; }));
  EXPECT_EQ(exported, (std::vector<std::string>{"03151234.312", "04021235.212", "05051237.312"}));
  const LinkState state = session_->Snapshot();
  EXPECT_TRUE(state.startupPhase);
  EXPECT_EQ(state.listsStep, 0);
}

// The language the session is given is the one its messages and questions use.
TEST_F(SessionAgainstRecorder, MessagesFollowTheSessionsLanguage) {
  StartSession();
  session_->SetLanguage({5, 1031});
  WriteBytes(received() + "03151234.312", "older");
  prompter_.Script({PromptAnswer::No});
  ASSERT_TRUE(session_->ReceiveFiles({"03151234.312"}, received()));
  ASSERT_TRUE(RunToIdle());
  EXPECT_EQ(prompter_.questions(),
            std::vector<std::string>{"03151234.312. " + MessageUtf8(msg::kReplaceFile, 5)});
  EXPECT_EQ(Stored("03151234.312"), "older");
  EXPECT_EQ(session_->Snapshot().language.LanguageIndex, 5);
}

}  // namespace
}  // namespace tesmora::link
