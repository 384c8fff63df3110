// The link session against the simulated recorder: what the desktop program
// and the command line do through it, and the batch order it keeps when the
// recorder starts an exchange of its own.
#include "link/link_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <thread>

#include "link_fakes.h"
#include "platform/posix_file_system.h"
#include "platform/posix_serial_port.h"
#include "shell/message_table.h"
#include "simulated_recorder.h"
#include "support/temp_dir.h"
#include "support/wait.h"

namespace tesmora::link {
namespace {

using namespace std::chrono_literals;
using tesmora::testing::ReadBytes;
using tesmora::testing::TempDir;
using tesmora::testing::WriteBytes;
using testing::FakeEvents;
using testing::FakePrompter;

constexpr double kTestScale = 0.25;

// The computer's file system with what can happen while a file is received:
// another file taking its name meanwhile, or the disk filling up.
class ReceivingFileSystem : public platform::PosixFileSystem {
 public:
  // Bytes written into the file at `path` once its writer is open.
  std::map<std::string, std::string> appearing;
  // A received file's bytes after this many fill the disk.
  std::size_t diskFullAfter = std::string::npos;

  std::unique_ptr<platform::FileWriter> OpenWriter(const std::string& path) override {
    auto real = PosixFileSystem::OpenWriter(path);
    if (const auto found = appearing.find(path); real && found != appearing.end()) {
      WriteBytes(path, found->second);
    }
    if (!real || diskFullAfter == std::string::npos) return real;
    return std::make_unique<FillingWriter>(std::move(real), diskFullAfter);
  }

 private:
  class FillingWriter : public platform::FileWriter {
   public:
    FillingWriter(std::unique_ptr<platform::FileWriter> real, std::size_t room)
        : real_(std::move(real)), room_(room) {}
    bool Write(std::string_view bytes) override {
      // What fits goes to the temporary file before the disk is full.
      const std::size_t fits = std::min(room_, bytes.size());
      room_ -= fits;
      full_ = fits < bytes.size();
      return real_->Write(bytes.substr(0, fits)) && !full_;
    }
    platform::FsStatus Commit(platform::OverwritePolicy policy,
                              platform::Durability durability) override {
      return real_->Commit(policy, durability);
    }
    void Discard() override { real_->Discard(); }
    bool diskFull() const override { return full_; }

   private:
    std::unique_ptr<platform::FileWriter> real_;
    std::size_t room_;
    bool full_ = false;
  };
};

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
  void StartSession(bool startupPhase = false,
                    platform::OverwritePolicy receivedFiles = platform::OverwritePolicy::Ask) {
    session_ = std::make_unique<LinkSession>(port_, events_, prompter_, LinkTiming{kTestScale});
    LinkSeed seed;
    seed.autoSaveDirectory = autoSave();
    seed.programFilesDirectory = dir_.path();
    seed.startupPhase = startupPhase;
    seed.receivedFiles = receivedFiles;
    session_->Seed(seed);
    session_->UseFileSystem(fs_);
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
      const std::function<bool()>& also = [] { return true; },
      std::chrono::milliseconds bound = tesmora::testing::kWaitBound) {
    return tesmora::testing::WaitUntil(
        [&] {
          if (events_.TakeTimer()) {
            std::this_thread::sleep_for(10ms);  // the timer's interval, a duration
            session_->BatchTimerTick();
          }
          return session_->IsIdle() && also();
        },
        bound);
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
  ReceivingFileSystem fs_;
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

// What a received file does to a PC file of its name, by the policy its
// owner passed down: the desktop program asks, the command line replaces,
// and Never keeps the older file without a word.
TEST_F(SessionAgainstRecorder, AReceivedFileReplacesAnOlderOneAsThePolicySays) {
  struct Case {
    const char* label;
    platform::OverwritePolicy policy;
    std::optional<PromptAnswer> answer;
    bool replaced;
  };
  const Case cases[] = {
      {"Ask, Yes", platform::OverwritePolicy::Ask, PromptAnswer::Yes, true},
      {"Ask, No", platform::OverwritePolicy::Ask, PromptAnswer::No, false},
      {"Always", platform::OverwritePolicy::Always, std::nullopt, true},
      {"Never", platform::OverwritePolicy::Never, std::nullopt, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    StartSession(false, c.policy);
    const std::size_t askedBefore = prompter_.questions().size();
    WriteBytes(received() + "03151234.312", "older");
    if (c.answer) prompter_.Script({*c.answer});
    ASSERT_TRUE(session_->ReceiveFiles({"03151234.312", "04021235.212"}, received()));
    ASSERT_TRUE(RunToIdle());
    const std::vector<std::string> asked =
        c.answer ? std::vector<std::string>{"03151234.312. " + MessageUtf8(msg::kReplaceFile, 1)}
                 : std::vector<std::string>{};
    const std::vector<std::string> questions = prompter_.questions();
    EXPECT_EQ(std::vector<std::string>(questions.begin() + askedBefore, questions.end()), asked);
    EXPECT_EQ(Stored("03151234.312"), c.replaced ? OnRecorder("03151234.312") : "older");
    EXPECT_EQ(Stored("04021235.212"), OnRecorder("04021235.212"));
    EXPECT_EQ(tesmora::testing::EntriesIn(received()), 2);
    EXPECT_TRUE(prompter_.messages().empty());
    session_->Stop();
    std::filesystem::remove_all(received());
    std::filesystem::create_directories(received());
  }
}

// A write-protected PC file is asked about twice before a received file
// replaces it, as a paste in the PC pane does: the replace question, then the
// read-only one, whose Cancel keeps the file.
TEST_F(SessionAgainstRecorder, AWriteProtectedFileIsAskedAboutAgainBeforeItIsReplaced) {
  StartSession();
  const std::string path = received() + "03151234.312";
  WriteBytes(path, "older");
  ::chmod(path.c_str(), 0444);
  const std::string replace = "03151234.312. " + MessageUtf8(msg::kReplaceFile, 1);
  const std::string readOnly =
      "03151234.312. " + MessageUtf8(msg::kReadOnlyFile, 1) + MessageUtf8(msg::kReplaceFile, 1);
  prompter_.Script({PromptAnswer::Yes, PromptAnswer::Cancel});
  ASSERT_TRUE(session_->ReceiveFiles({"03151234.312", "04021235.212"}, received()));
  ASSERT_TRUE(RunToIdle());
  EXPECT_EQ(prompter_.questions(), (std::vector<std::string>{replace, readOnly}));
  EXPECT_EQ(Stored("03151234.312"), "older");
  EXPECT_EQ(Stored("04021235.212"), OnRecorder("04021235.212"));
  EXPECT_EQ(Gets("03151234.312"), 0);

  prompter_.Script({PromptAnswer::Yes, PromptAnswer::Ok});
  ASSERT_TRUE(session_->ReceiveFiles({"03151234.312"}, received()));
  ASSERT_TRUE(RunToIdle());
  EXPECT_EQ(prompter_.questions(),
            (std::vector<std::string>{replace, readOnly, replace, readOnly}));
  EXPECT_EQ(Stored("03151234.312"), OnRecorder("03151234.312"));
}

// A file that takes the name while the recorder's file comes is never
// replaced unasked: it is asked about once the received file is whole, and
// No keeps it, with nothing of the received one left behind.
TEST_F(SessionAgainstRecorder, AFileThatAppearsDuringTheTransferIsAskedAboutThen) {
  fs_.appearing[received() + "03151234.312"] = "appeared meanwhile";
  fs_.appearing[received() + "04021235.212"] = "appeared meanwhile";
  StartSession();
  prompter_.Script({PromptAnswer::No, PromptAnswer::Yes});
  ASSERT_TRUE(session_->ReceiveFiles({"03151234.312", "04021235.212"}, received()));
  ASSERT_TRUE(RunToIdle());
  EXPECT_EQ(prompter_.questions(),
            (std::vector<std::string>{"03151234.312. " + MessageUtf8(msg::kReplaceFile, 1),
                                      "04021235.212. " + MessageUtf8(msg::kReplaceFile, 1)}));
  EXPECT_EQ(Stored("03151234.312"), "appeared meanwhile");
  EXPECT_EQ(Stored("04021235.212"), OnRecorder("04021235.212"));
  EXPECT_EQ(tesmora::testing::EntriesIn(received()), 2);
  EXPECT_TRUE(prompter_.messages().empty());
  // Only the file that was stored is announced to the PC list.
  ASSERT_EQ(events_.stored().size(), 1u);
  EXPECT_EQ(events_.stored()[0].name, "04021235.212");
}

// A disk that fills up mid-file: the message says so, the older file stays
// whole and no part of the new one is left.
TEST_F(SessionAgainstRecorder, AFullDiskLeavesNoPartialFileAndKeepsTheOlderOne) {
  fs_.diskFullAfter = 1000;
  StartSession();
  WriteBytes(received() + "03151234.312", "older");
  prompter_.Script({PromptAnswer::Yes});
  ASSERT_TRUE(session_->ReceiveFiles({"03151234.312"}, received()));
  ASSERT_TRUE(RunToIdle([&] { return !prompter_.messages().empty(); }));
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{MessageUtf8(msg::kDiskFull, 1)});
  EXPECT_EQ(Stored("03151234.312"), "older");
  EXPECT_EQ(tesmora::testing::EntriesIn(received()), 1);
}

}  // namespace
}  // namespace tesmora::link
