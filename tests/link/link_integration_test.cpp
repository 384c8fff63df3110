// The real link against the simulated recorder over a pseudo-terminal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "fixtures/test_file_writer.h"
#include "link/link_protocol.h"
#include "link/name_list.h"
#include "link/port_change.h"
#include "link/reader_thread.h"
#include "link/received_file_export.h"
#include "link/startup_sequence.h"
#include "link/transfers.h"
#include "link_fakes.h"
#include "platform/posix_serial_port.h"
#include "platform/profile_file.h"
#include "shell/message_table.h"
#include "simulated_recorder.h"
#include "support/temp_dir.h"
#include "support/wait.h"

namespace tesmora::link {
namespace {

using namespace std::chrono_literals;
using sim::Fault;
using sim::RecorderContents;
using sim::RecorderFile;
using tesmora::testing::EntriesIn;
using tesmora::testing::ReadBytes;
using tesmora::testing::TempDir;
using tesmora::testing::WriteBytes;
using testing::FakeEvents;
using testing::FakePrompter;

// Time-outs and pauses at a quarter of the recorder's, on both sides: short enough for a
// fast suite, long enough for a loaded machine.
constexpr double kTestScale = 0.25;

const std::string kCommunication = MessageUtf8(msg::kCommunicationProblem, 1);
const std::string kOpeningError = MessageUtf8(msg::kOpeningError, 1);

// A test file in its stored form: header, format version 8 at the 7th byte,
// the raw pair (its second byte 0xFF), then a body whose 0xFF bytes are
// stuffed as the recorder stores them (0xFF and a byte that is not 0xFF).
std::string StoredTestFile(std::size_t bodySize, std::uint8_t seed, bool consistency = false) {
  std::string file;
  const int header = consistency ? 12 : 6;
  for (int i = 0; i < header; ++i) file.push_back(static_cast<char>(0x20 + i));
  file.push_back(static_cast<char>(consistency ? 11 : 8));
  file += std::string("\x33\xFF", 2);
  std::uint32_t state = seed;
  while (file.size() < bodySize) {
    state = state * 1664525u + 1013904223u;
    const auto byte = static_cast<std::uint8_t>(state >> 24);
    file.push_back(static_cast<char>(byte));
    if (byte == 0xFF) file.push_back(static_cast<char>((state >> 8) % 0xFF));
  }
  return file;
}

RecorderContents SampleContents() {
  RecorderContents contents;
  contents.tests = {
      {"03151234.312", StoredTestFile(3000, 1), "WHEAT 7", false, std::nullopt},
      {"04021235.412", StoredTestFile(2000, 2, true), "FLOUR T55", true, 0x0C},
      {"12241236.111", StoredTestFile(500, 3), "RYE", false, std::nullopt},
  };
  contents.diskC = {
      {"flash.cnf", "E\r\n", "", false, std::nullopt},
      {"DATA.BIN", std::string("\x01\xFF\x02\xFF\xFF\x03", 6), "", false, std::nullopt}};
  contents.flash = {{"cliente.txt", std::string(2 + 3 * 140, 'c'), "", false, std::nullopt},
                    {"protocol.txt", std::string(2 + 21 * 20, 'p'), "", false, std::nullopt}};
  contents.flashLetter = 'E';
  return contents;
}

class LinkAgainstRecorder : public ::testing::Test {
 protected:
  void StartWith(RecorderContents contents, double scale = kTestScale) {
    recorder_ = std::make_unique<sim::SimulatedRecorder>(std::move(contents),
                                                         sim::SimOptions{0, false, false, scale});
    ASSERT_TRUE(recorder_->Open());
    recorderThread_ = std::thread([this] { recorder_->Run(); });
    ASSERT_TRUE(port_.Open(recorder_->devicePath()));
    link_ = std::make_unique<TRead>(port_, events_, prompter_, LinkTiming{scale});
    std::filesystem::create_directories(autoSave());
    std::filesystem::create_directories(received());
    link_->WithState([&](LinkState& s) {
      s.startupPhase = false;
      s.AutoSaveDirectory = autoSave();
      s.programFilesDirectory = programs_.path();
      s.language = LanguageState{};
    });
    link_->Start();
  }

  void TearDown() override {
    if (link_) link_->Stop();
    port_.Close();
    if (recorder_) recorder_->Stop();
    if (recorderThread_.joinable()) recorderThread_.join();
  }

  LinkContext context() { return {*link_, prompter_, events_}; }
  std::string autoSave() const { return dir_.path() + "/auto/"; }
  std::string received() const { return dir_.path() + "/received/"; }

  // Runs the 100 ms batch timer whenever the reader thread arms it, until the
  // condition holds (false after a generous bound).
  bool RunUntil(const std::function<bool()>& done,
                std::chrono::milliseconds bound = tesmora::testing::kWaitBound) {
    return tesmora::testing::WaitUntil(
        [&] {
          if (events_.TakeTimer()) {
            std::this_thread::sleep_for(10ms);  // the timer's interval, a duration
            BatchTimerTick(context());
          }
          return done();
        },
        bound);
  }
  bool Idle() { return link_->IsIdle(); }
  bool ListShown(int times = 1) { return events_.listsShown() >= times && !link_->IsBusy(); }
  bool MessagesShown(std::size_t count) {
    return prompter_.messages().size() >= count && !link_->IsBusy();
  }
  RecorderFile RecorderFileNamed(const std::string& name) {
    for (const auto& file : recorder_->contents().tests) {
      if (file.name == name) return file;
    }
    return {};
  }

  TempDir dir_;
  TempDir programs_;
  std::unique_ptr<sim::SimulatedRecorder> recorder_;
  std::thread recorderThread_;
  platform::PosixSerialPort port_;
  FakeEvents events_;
  FakePrompter prompter_;
  std::unique_ptr<TRead> link_;
};

TEST_F(LinkAgainstRecorder, ListsAtEverySpeedCodeAndReturnsTo9600) {
  StartWith(SampleContents());
  // Code 7 names no speed: the PC stays at 9600 baud.
  int lists = 0;
  for (const int code : {0, 1, 2, 3, 7}) {
    SCOPED_TRACE(code);
    recorder_->SetSpeedCode(code);
    ASSERT_TRUE(link_->StartCommand(kCmdList));
    ++lists;
    ASSERT_TRUE(RunUntil([&] { return ListShown(lists); }));
    EXPECT_EQ(events_.countShown(), 3);
    const auto rows = events_.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].name, "04021235.412");
    EXPECT_EQ(rows[1].sample, "FLOUR T55");
    EXPECT_EQ(rows[1].type, "CHC");
    EXPECT_EQ(rows[1].date, "02/04/12");
    EXPECT_EQ(link_->WithState([](LinkState& s) { return s.RecorderFileCount; }), 3);
    EXPECT_TRUE(RunUntil([&] { return platform::ReadBaudRate(port_.PollDescriptor()) == 9600; }));
  }
  EXPECT_TRUE(prompter_.messages().empty());
  // The recorder found the PC's end of the line at the speed it had asked for.
  EXPECT_EQ(recorder_->record().speedChecks, 5);
  EXPECT_EQ(recorder_->record().speedMismatches, 0);
}

TEST_F(LinkAgainstRecorder, SecondCommandIsRefusedWhileAnExchangeRuns) {
  StartWith(SampleContents());
  ASSERT_TRUE(link_->StartCommand(kCmdList));
  EXPECT_FALSE(link_->StartCommand(kCmdVersion));
  ASSERT_TRUE(RunUntil([&] { return ListShown(); }));
  EXPECT_TRUE(link_->TakeListDone());
  EXPECT_FALSE(link_->TakeVersionDone());
}

TEST_F(LinkAgainstRecorder, DiskSectionListsNamesWithExtensionAndDate) {
  StartWith(SampleContents());
  link_->WithState([](LinkState& s) {
    s.rawMode = true;
    s.memoryChoice = 1;
  });
  ASSERT_TRUE(link_->StartCommand(kCmdList));
  ASSERT_TRUE(RunUntil([&] { return ListShown(); }));
  const auto rows = events_.rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "flash.cnf");
  EXPECT_EQ(rows[0].type, "cnf");
  EXPECT_EQ(rows[0].date, "15/04/26");
}

TEST_F(LinkAgainstRecorder, ReadsTheVersionText) {
  StartWith(SampleContents());
  ASSERT_TRUE(link_->StartCommand(kCmdVersion));
  ASSERT_TRUE(RunUntil([&] { return link_->TakeVersionDone(); }));
  EXPECT_EQ(VersionTextString(link_->versionText()), "KAL V2.41");
}

TEST_F(LinkAgainstRecorder, GetReproducesStoredTestFilesAndKeepsTheBasisFlags) {
  StartWith(SampleContents());
  StartReceive(context(), {"03151234.312", "04021235.412"}, received());
  ASSERT_TRUE(RunUntil([&] { return Idle(); }));
  EXPECT_TRUE(prompter_.messages().empty());
  for (const char* name : {"03151234.312", "04021235.412"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ReadBytes(received() + name), RecorderFileNamed(name).bytes);
  }
  EXPECT_EQ(link_->basisFlags(), 0x0C);
  EXPECT_EQ(EntriesIn(received()), 2);  // no temporary file left
  const auto windows = events_.copyWindows();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(CopyDirectionText(windows[0].direction, windows[0].folder), "KALDIRONE --> 'received'");
  const auto stored = events_.stored();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[1].name, "04021235.412");
  EXPECT_EQ(stored[1].source, DateSource::FromName);
}

TEST_F(LinkAgainstRecorder, GetInRawModeRemovesFillers) {
  StartWith(SampleContents());
  link_->WithState([](LinkState& s) {
    s.rawMode = true;
    s.memoryChoice = 1;
  });
  StartReceive(context(), {"DATA.BIN"}, received());
  ASSERT_TRUE(RunUntil([&] { return Idle(); }));
  EXPECT_EQ(ReadBytes(received() + "DATA.BIN"), std::string("\x01\xFF\x02\xFF\xFF\x03", 6));
  EXPECT_TRUE(events_.copyWindows().at(0).transferLabel);
}

TEST_F(LinkAgainstRecorder, BatchAsksBeforeReplacingAndSkipsFilesAnsweredNo) {
  StartWith(SampleContents());
  WriteBytes(received() + "04021235.412", "older");
  prompter_.Script({PromptAnswer::No});
  StartReceive(context(), {"03151234.312", "04021235.412", "12241236.111"}, received());
  ASSERT_TRUE(RunUntil([&] { return Idle(); }));
  EXPECT_EQ(prompter_.questions(),
            std::vector<std::string>{"04021235.412. " + MessageUtf8(msg::kReplaceFile, 1)});
  EXPECT_EQ(ReadBytes(received() + "04021235.412"), "older");
  EXPECT_EQ(ReadBytes(received() + "12241236.111"), RecorderFileNamed("12241236.111").bytes);
  EXPECT_EQ(events_.copyWindows().size(), 2u);
}

TEST_F(LinkAgainstRecorder, EscDuringTheSecondFileEndsTheBatchAfterIt) {
  events_.onCopyWindow = [this](int shown) {
    if (shown == 2) link_->WithState([](LinkState& s) { s.copyCancelled = true; });
  };
  StartWith(SampleContents());
  StartReceive(context(), {"03151234.312", "04021235.412", "12241236.111"}, received());
  ASSERT_TRUE(RunUntil([&] { return Idle(); }));
  EXPECT_EQ(EntriesIn(received()), 2);
  EXPECT_FALSE(std::filesystem::exists(received() + "12241236.111"));
  EXPECT_FALSE(events_.copyWindowOpen());
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(LinkAgainstRecorder, FailedWriteLeavesNoPartialFileAndKeepsTheOlderOne) {
  StartWith(SampleContents());
  WriteBytes(received() + "03151234.312", "older");
  // Files of this process may not grow past 1000 bytes while the test runs.
  ::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 1000;
  ::setrlimit(RLIMIT_FSIZE, &small);
  StartReceive(context(), {"03151234.312"}, received());
  const bool ended = RunUntil([&] { return MessagesShown(1) && Idle(); });
  ::setrlimit(RLIMIT_FSIZE, &old);
  ASSERT_TRUE(ended);
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{"Write error"});
  EXPECT_EQ(ReadBytes(received() + "03151234.312"), "older");
  EXPECT_EQ(EntriesIn(received()), 1);
}

TEST_F(LinkAgainstRecorder, PutAcknowledgesEvery200BytesAndResendsOnceAfterABadAcknowledgement) {
  StartWith(SampleContents());
  const std::string file = StoredTestFile(450, 9);
  WriteBytes(dir_.File("05061237.312"), file);
  recorder_->SetFault(Fault::WrongAck);
  ASSERT_TRUE(StartSend(context(), {"05061237.312"}, dir_.path() + "/"));
  // The batch ends with a new list that shows the file.
  ASSERT_TRUE(RunUntil([&] { return ListShown() && Idle(); }));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(recorder_->record().putOffers, 2);
  EXPECT_EQ(RecorderFileNamed("05061237.312").bytes, file);
  EXPECT_EQ(events_.countShown(), 4);
  EXPECT_EQ(link_->WithState([](LinkState& s) { return s.resendCount; }), 0);
}

TEST_F(LinkAgainstRecorder, SecondBadAcknowledgementEndsTheBatchAndTheNextBatchMayResendAgain) {
  StartWith(SampleContents());
  for (const char* name : {"05061237.312", "05061238.312"}) {
    WriteBytes(dir_.File(name), StoredTestFile(450, 6));
  }
  recorder_->SetFault(Fault::WrongAck, 2);
  ASSERT_TRUE(StartSend(context(), {"05061237.312", "05061238.312"}, dir_.path() + "/"));
  ASSERT_TRUE(RunUntil([&] { return MessagesShown(1) && Idle(); }));
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{kCommunication});
  EXPECT_EQ(recorder_->record().putOffers, 2);
  EXPECT_EQ(recorder_->contents().tests.size(), 3u);
  EXPECT_FALSE(events_.copyWindowOpen());
  recorder_->SetFault(Fault::WrongAck, 1);
  ASSERT_TRUE(StartSend(context(), {"05061238.312"}, dir_.path() + "/"));
  ASSERT_TRUE(RunUntil([&] { return ListShown() && Idle(); }));
  EXPECT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(recorder_->record().putOffers, 4);
  EXPECT_EQ(recorder_->contents().tests.size(), 4u);
}

TEST_F(LinkAgainstRecorder, WrongChecksumAfterASendEmptiesTheSendQueue) {
  StartWith(SampleContents());
  for (const char* name : {"05061237.312", "05061238.312"}) {
    WriteBytes(dir_.File(name), StoredTestFile(100, 7));
  }
  recorder_->SetFault(Fault::WrongChecksum);
  ASSERT_TRUE(StartSend(context(), {"05061237.312", "05061238.312"}, dir_.path() + "/"));
  ASSERT_TRUE(RunUntil([&] { return MessagesShown(1) && Idle(); }));
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{kCommunication});
  EXPECT_EQ(recorder_->record().putOffers, 1);
  EXPECT_TRUE(link_->WithState([](LinkState& s) { return s.sendQueue.empty(); }));
}

TEST_F(LinkAgainstRecorder, PutSkipsPcFilesNotInTheRecordersFormatOnce) {
  StartWith(SampleContents());
  WriteBytes(dir_.File("05061237.312"), StoredTestFile(300, 4));
  WriteBytes(dir_.File("readme.txt"), "x");
  WriteBytes(dir_.File("notes.doc"), "y");
  ASSERT_TRUE(StartSend(context(), {"readme.txt", "05061237.312", "notes.doc"}, dir_.path() + "/"));
  ASSERT_TRUE(RunUntil([&] { return ListShown() && Idle(); }));
  EXPECT_EQ(prompter_.messages(),
            std::vector<std::string>{MessageUtf8(msg::kNotRecorderFormat, 1)});
  EXPECT_EQ(recorder_->record().putOffers, 1);
}

TEST_F(LinkAgainstRecorder, FullRecorderEndsTheSendBatch) {
  StartWith(SampleContents());
  for (const char* name : {"05061237.312", "05061238.312", "05061239.312"}) {
    WriteBytes(dir_.File(name), StoredTestFile(100, 5));
  }
  link_->WithState([](LinkState& s) { s.RecorderFileCount = 198; });
  ASSERT_TRUE(
      StartSend(context(), {"05061237.312", "05061238.312", "05061239.312"}, dir_.path() + "/"));
  ASSERT_TRUE(RunUntil([&] { return MessagesShown(1) && Idle(); }));
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{MessageUtf8(msg::kRecorderFull, 1)});
  EXPECT_EQ(recorder_->record().putOffers, 1);
  link_->WithState([](LinkState& s) { s.RecorderFileCount = 200; });
  EXPECT_FALSE(StartSend(context(), {"05061238.312"}, dir_.path() + "/"));
  EXPECT_EQ(recorder_->record().putOffers, 1);
}

TEST_F(LinkAgainstRecorder, DeletesAChainOfNamesThenListsAgain) {
  StartWith(SampleContents());
  ASSERT_TRUE(StartDeletion(context(), {"03151234.312", "12241236.111"}));
  ASSERT_TRUE(RunUntil([&] { return ListShown() && Idle(); }));
  EXPECT_EQ(prompter_.questions(), std::vector<std::string>{MessageUtf8(msg::kRemoveFiles, 1)});
  EXPECT_EQ(events_.deleteNames(), (std::vector<std::string>{"03151234.312", "12241236.111"}));
  EXPECT_FALSE(events_.deleteWindowOpen());
  EXPECT_EQ(recorder_->contents().tests.size(), 1u);
  EXPECT_EQ(events_.countShown(), 1);
}

TEST_F(LinkAgainstRecorder, PushIsStoredInTheAutoSaveFolderAndExported) {
  StartWith(SampleContents());
  std::vector<std::pair<std::string, std::string>> exports;
  link_->SetExporter([&](const std::string& directory, const std::string& name) {
    exports.emplace_back(directory, name);
    WriteBytes(directory + ExportFileName(name), "export");
    return true;
  });
  link_->WithState([](LinkState& s) {
    s.ExportDataMode = true;
    s.destinationFolder = "/elsewhere/";
  });
  recorder_->SetSpeedCode(3);
  recorder_->RequestPush("04021235.412");
  ASSERT_TRUE(RunUntil([&] { return !events_.stored().empty() && Idle(); }));
  EXPECT_EQ(ReadBytes(autoSave() + "04021235.412"), RecorderFileNamed("04021235.412").bytes);
  ASSERT_EQ(exports.size(), 1u);
  EXPECT_EQ(exports[0].first, autoSave());
  EXPECT_EQ(exports[0].second, "04021235.412");
  const auto stored = events_.stored();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[1].name, ExportFileName("04021235.412"));
  EXPECT_EQ(stored[1].source, DateSource::CreationTime);
  EXPECT_EQ(link_->WithState([](LinkState& s) { return s.destinationFolder; }), autoSave());
  EXPECT_FALSE(link_->WithState([](LinkState& s) { return s.push; }));
  EXPECT_TRUE(prompter_.messages().empty());
}

// The real exporter behind the link: a pushed consistency test is exported
// with the basis flags that came before it, byte for byte as a manual export
// of the stored file; a pushed file that is no test shows the exporter's
// message and leaves no export.
TEST_F(LinkAgainstRecorder, PushedTestsAreExportedByTheRecordsEngine) {
  const fixtures::Bytes consistency =
      fixtures::BuildConsistencyFile(fixtures::RealisticConsistencyTest(3, '5'));
  RecorderContents contents = SampleContents();
  contents.tests.push_back(
      {"05061237.526", std::string(consistency.begin(), consistency.end()), "LOT 12", false, 0x08});
  StartWith(contents);
  TempDir home;
  auto exporter = std::make_shared<Exporter>(home.path(), home.path());
  link_->SetExporter(MakeReceivedFileExporter(exporter, *link_, prompter_));
  link_->WithState([](LinkState& s) { s.ExportDataMode = true; });

  recorder_->RequestPush("05061237.526");
  ASSERT_TRUE(RunUntil([&] { return events_.stored().size() == 2 && Idle(); }));
  const std::string exported = ReadBytes(autoSave() + "05061237.CA2");
  Exporter manual(home.path(), home.path());
  const Exporter::Outcome expected =
      manual.ExportTestFile(autoSave(), "05061237.526", ExportSettings{1, "", 0x08}, dir_.path());
  ASSERT_TRUE(expected.ok);
  EXPECT_EQ(exported, ReadBytes(expected.exportPath));
  EXPECT_NE(exported.find("b 14"), std::string::npos);

  recorder_->RequestPush("12241236.111");  // stored, but no test the exporter can read
  ASSERT_TRUE(RunUntil([&] { return events_.stored().size() == 3 && Idle(); }));
  EXPECT_EQ(prompter_.messages(),
            std::vector<std::string>{"12241236.111. Unexpected value.Impossible export"});
  EXPECT_FALSE(std::filesystem::exists(autoSave() + ExportFileName("12241236.111")));
}

TEST_F(LinkAgainstRecorder, NoExportInAllFilesModeOrWithoutDataMode) {
  StartWith(SampleContents());
  int exports = 0;
  link_->SetExporter([&](const std::string&, const std::string&) { return ++exports > 0; });
  for (const bool allFiles : {false, true}) {
    link_->WithState([&](LinkState& s) {
      s.ExportDataMode = allFiles;
      s.rawMode = allFiles;
    });
    const std::size_t before = events_.stored().size();
    recorder_->RequestPush("03151234.312");
    ASSERT_TRUE(RunUntil([&] { return events_.stored().size() > before && Idle(); }));
  }
  EXPECT_EQ(exports, 0);
}

TEST_F(LinkAgainstRecorder, PushWithAPathInItsNameIsReadAndDropped) {
  StartWith(SampleContents());
  recorder_->RequestPush("../x1234.312");
  // The recorder logs the push once its side of the exchange is over, which
  // may come after the PC has shown its message.
  ASSERT_TRUE(RunUntil([&] { return MessagesShown(1) && !recorder_->record().events.empty(); }));
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{kOpeningError});
  EXPECT_EQ(EntriesIn(autoSave()), 0);
  EXPECT_FALSE(std::filesystem::exists(dir_.path() + "/x1234.312"));
  EXPECT_EQ(recorder_->record().events.back(), "push ../x1234.312");  // a clean end for it
  // The link is usable afterwards.
  ASSERT_TRUE(link_->StartCommand(kCmdList));
  EXPECT_TRUE(RunUntil([&] { return ListShown(); }));
}

TEST_F(LinkAgainstRecorder, ServesBothProgramFilesRotated) {
  RecorderContents contents = SampleContents();
  std::string normal(1, '\x06'), emergency(1, '\x03');
  for (int i = 0; i < 4500; ++i) normal.push_back(static_cast<char>(i * 7));
  for (int i = 0; i < 2100; ++i) emergency.push_back(static_cast<char>(i * 13 + 1));
  contents.normalProgram = normal;
  contents.emergencyProgram = emergency;
  WriteBytes(programs_.File("tesmz.zlv"), normal);
  WriteBytes(programs_.File("tesafe.zlv"), emergency);
  StartWith(contents);
  recorder_->SetSpeedCode(3);
  recorder_->RequestProgram(false);
  recorder_->RequestProgram(true);
  ASSERT_TRUE(RunUntil([&] { return recorder_->record().programsOk == 2 && Idle(); }));
  EXPECT_EQ(recorder_->record().programsBad, 0);
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(recorder_->record().speedMismatches, 0);
  const auto windows = events_.copyWindows();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(windows[0].fileName, MessageUtf8(msg::kVersion, 1));
  EXPECT_EQ(windows[1].fileName, "EMERGENCY");
  EXPECT_FALSE(events_.copyWindowOpen());
}

// A program's size is known: its bar runs once from 0 to 100 in single
// points, whether or not the size divides by a hundred.
class ProgramProgress : public LinkAgainstRecorder,
                        public ::testing::WithParamInterface<std::uint32_t> {};

TEST_P(ProgramProgress, BarStepsByOneAHundredTimes) {
  RecorderContents contents = SampleContents();
  std::string program(1, '\x02');
  for (std::uint32_t i = 0; i < GetParam(); ++i) program.push_back(static_cast<char>(i * 3));
  contents.normalProgram = program;
  WriteBytes(programs_.File("tesmz.zlv"), program);
  StartWith(contents);
  recorder_->RequestProgram(false);
  ASSERT_TRUE(RunUntil([&] { return recorder_->record().programsOk == 1 && Idle(); }));
  const auto progress = events_.progress();
  ASSERT_EQ(progress.size(), 1u);
  EXPECT_EQ(progress[0], std::vector<CopyProgressEvent>(100, CopyProgressEvent::StepOne));
}

INSTANTIATE_TEST_SUITE_P(ProgramSizes, ProgramProgress,
                         ::testing::Values(4500u, 4550u, 2101u, 57u, 1u));

TEST_F(LinkAgainstRecorder, MissingProgramFileIsNamedInTheMessage) {
  StartWith(SampleContents());
  recorder_->RequestProgram(false);
  ASSERT_TRUE(RunUntil([&] { return MessagesShown(1); }));
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{"TESMZ.ZLV." + kOpeningError});
  EXPECT_EQ(events_.listsShown(), 0);
}

TEST_F(LinkAgainstRecorder, ProgramDataWithoutASizeRequestIsRefused) {
  WriteBytes(programs_.File("tesmz.zlv"), std::string("\x01"
                                                      "abcdef"));
  StartWith(SampleContents());
  recorder_->SendRaw("\x81");
  ASSERT_TRUE(RunUntil([&] { return MessagesShown(1); }));
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{kCommunication});
}

// Each failure of an exchange: its message, and no partial or lost file.
struct FailureCase {
  const char* label;
  Fault fault;
};
void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.label; }

class ReceiveFailure : public LinkAgainstRecorder,
                       public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ReceiveFailure, ShowsTheCommunicationMessageAndKeepsTheOlderFile) {
  StartWith(SampleContents());
  WriteBytes(received() + "03151234.312", "older");
  recorder_->SetFault(GetParam().fault);
  StartReceive(context(), {"03151234.312", "12241236.111"}, received());
  ASSERT_TRUE(RunUntil([&] { return MessagesShown(1) && Idle(); }));
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{kCommunication});
  EXPECT_EQ(prompter_.captions(), std::vector<std::string>{"Tesmora"});
  EXPECT_EQ(ReadBytes(received() + "03151234.312"), "older");
  EXPECT_EQ(EntriesIn(received()), 1);  // the rest of the queue was dropped
  EXPECT_FALSE(events_.copyWindowOpen());
  EXPECT_TRUE(RunUntil([&] { return platform::ReadBaudRate(port_.PollDescriptor()) == 9600; }));
}

INSTANTIATE_TEST_SUITE_P(Faults, ReceiveFailure,
                         ::testing::Values(FailureCase{"NoReply", Fault::NoReply},
                                           FailureCase{"WrongEcho", Fault::WrongEcho},
                                           FailureCase{"TruncatedStream", Fault::TruncatedStream},
                                           FailureCase{"WrongChecksum", Fault::WrongChecksum}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(LinkAgainstRecorder, LateReplyIsAnsweredToTheRepeatedCommand) {
  StartWith(SampleContents());
  recorder_->SetFault(Fault::LateReply);
  ASSERT_TRUE(link_->StartCommand(kCmdList));
  ASSERT_TRUE(RunUntil([&] { return ListShown(); }));
  EXPECT_EQ(events_.countShown(), 3);
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(LinkAgainstRecorder, RefusedDeletionEndsTheChain) {
  StartWith(SampleContents());
  recorder_->SetFault(Fault::DeletionRefused);
  ASSERT_TRUE(StartDeletion(context(), {"03151234.312", "12241236.111"}));
  ASSERT_TRUE(RunUntil([&] { return MessagesShown(1) && Idle(); }));
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{kCommunication});
  EXPECT_FALSE(events_.deleteWindowOpen());
  EXPECT_EQ(recorder_->contents().tests.size(), 3u);
}

TEST_F(LinkAgainstRecorder, UncreatableDestinationAndMissingSourceNameThePath) {
  StartWith(SampleContents());
  const std::string missingFolder = dir_.path() + "/missing/";
  StartReceive(context(), {"03151234.312"}, missingFolder);
  ASSERT_TRUE(RunUntil([&] { return MessagesShown(2) && Idle(); }));
  EXPECT_EQ(
      prompter_.messages(),
      (std::vector<std::string>{missingFolder + "03151234.312. " + kOpeningError, kCommunication}));
  ASSERT_TRUE(StartSend(context(), {"05061237.312"}, missingFolder));
  ASSERT_TRUE(RunUntil([&] { return MessagesShown(4) && Idle(); }));
  EXPECT_EQ(prompter_.messages()[2], missingFolder + "05061237.312. " + kOpeningError);
  EXPECT_EQ(prompter_.messages()[3], kCommunication);
}

TEST_F(LinkAgainstRecorder, BadInputNeverBreaksTheLink) {
  RecorderContents contents = SampleContents();
  contents.tests.push_back({"01011230.312", "x", std::string(300, 'L'), true, std::nullopt});
  contents.version = std::string(500, 'V');
  StartWith(contents);
  // Garbage while idle: none of it is a request.
  std::string garbage;
  for (int i = 0; i < 2000; ++i) {
    const auto byte = static_cast<std::uint8_t>(i * 37 + 5);
    if (ClassifyIdleByte(byte).kind == RecorderRequestKind::None) garbage.push_back(char(byte));
  }
  recorder_->SendRaw(garbage);
  ASSERT_TRUE(link_->StartCommandAfterPause(kCmdList, 500));
  ASSERT_TRUE(RunUntil([&] { return ListShown(); }));
  const auto rows = events_.rows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[3].sample, std::string(kListEntrySize - 1 - 13, 'L'));
  ASSERT_TRUE(link_->StartCommand(kCmdVersion));
  ASSERT_TRUE(RunUntil([&] { return link_->TakeVersionDone(); }));
  EXPECT_EQ(VersionTextString(link_->versionText()), std::string(kVersionTextSize, 'V'));
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(LinkAgainstRecorder, StartUpSequenceDownloadsTheListFilesAndLoadsThem) {
  const RecorderContents contents = SampleContents();
  StartWith(contents);
  link_->WithState([](LinkState& s) { s.startupPhase = true; });
  recorder_->SetFault(Fault::NoReply);  // the first attempt fails
  int loads = 0;
  StartupSequence sequence(programs_.path(), [&] { ++loads; });
  bool running = true;
  ASSERT_TRUE(RunUntil(
      [&] {
        std::this_thread::sleep_for(5ms);  // the start-up timer's pace, a duration
        running = sequence.Tick(context());
        return !running;
      },
      60s));
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{kCommunication});
  EXPECT_EQ(ReadBytes(programs_.File("flash.cnf")), contents.diskC[0].bytes);
  EXPECT_EQ(ReadBytes(programs_.File("cliente.txt")), contents.flash[0].bytes);
  EXPECT_EQ(ReadBytes(programs_.File("protocol.txt")), contents.flash[1].bytes);
  link_->WithState([](LinkState& s) {
    EXPECT_FALSE(s.startupPhase);
    EXPECT_FALSE(s.rawMode);
    EXPECT_EQ(s.flashDriveLetter, 'E');
  });
  EXPECT_TRUE(events_.copyWindows().empty());
  EXPECT_TRUE(events_.stored().empty());
  EXPECT_EQ(VersionTextString(link_->versionText()), "KAL V2.41");
}

TEST_F(LinkAgainstRecorder, StartUpSequenceCutShortDownloadsEverythingAgain) {
  StartWith(SampleContents());
  link_->WithState([](LinkState& s) { s.startupPhase = true; });
  std::vector<bool> listsPresentAtLoad;
  StartupSequence sequence(programs_.path(), [&] {
    listsPresentAtLoad.push_back(std::filesystem::exists(programs_.File("cliente.txt")) &&
                                 std::filesystem::exists(programs_.File("protocol.txt")));
  });
  bool faultSet = false;
  ASSERT_TRUE(RunUntil(
      [&] {
        // Once "flash.cnf" is in, the next stream (the customer list) stops midway.
        if (!faultSet && std::filesystem::exists(programs_.File("flash.cnf"))) {
          recorder_->SetFault(Fault::TruncatedStream);
          faultSet = true;
        }
        std::this_thread::sleep_for(5ms);  // the start-up timer's pace, a duration
        return !sequence.Tick(context());
      },
      60s));
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{kCommunication});
  EXPECT_EQ(listsPresentAtLoad, std::vector<bool>{true});
  EXPECT_EQ(EntriesIn(programs_.path()), 3);
}

// The user switches display all files on (or off) while the start-up
// downloads run in raw mode: the downloads finish, and then raw mode is what
// the user chose, as the menu shows it.
class AllFilesDuringStartUp : public LinkAgainstRecorder,
                              public ::testing::WithParamInterface<bool> {};

TEST_P(AllFilesDuringStartUp, TheUsersChoiceHoldsAfterTheDownloads) {
  const bool on = GetParam();
  StartWith(SampleContents());
  link_->WithState([&](LinkState& s) {
    s.startupPhase = true;
    s.rawMode = !on;
    s.allFilesMode = !on;
  });
  StartupSequence sequence(programs_.path(), [] {});
  bool switched = false;
  ASSERT_TRUE(RunUntil(
      [&] {
        if (!switched && link_->WithState([](LinkState& s) { return s.startupDownload; })) {
          SwitchAllFilesMode(*link_, on);
          switched = true;
        }
        std::this_thread::sleep_for(5ms);  // the start-up timer's pace, a duration
        return !sequence.Tick(context());
      },
      60s));
  EXPECT_TRUE(switched);
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_TRUE(std::filesystem::exists(programs_.File("protocol.txt")));
  link_->WithState([&](LinkState& s) {
    EXPECT_FALSE(s.startupPhase);
    EXPECT_EQ(s.rawMode, on);
  });
}
INSTANTIATE_TEST_SUITE_P(OnAndOff, AllFilesDuringStartUp, ::testing::Bool());

// A second recorder, with one test, on a terminal of its own; it serves
// until it goes.
struct SecondRecorder {
  SecondRecorder() {
    sim::RecorderContents other;
    other.tests = {{"01021111.312", "x", "", false, std::nullopt}};
    recorder = std::make_unique<sim::SimulatedRecorder>(
        other, sim::SimOptions{0, false, false, kTestScale});
    opened = recorder->Open();
    if (opened) thread = std::thread([this] { recorder->Run(); });
  }
  ~SecondRecorder() {
    recorder->Stop();
    if (thread.joinable()) thread.join();
  }
  sim::SimulatedRecorder* operator->() { return recorder.get(); }

  std::unique_ptr<sim::SimulatedRecorder> recorder;
  bool opened = false;
  std::thread thread;
};

TEST_F(LinkAgainstRecorder, ChangePortMovesTheLinkOrGoesBackToTheOldPort) {
  StartWith(SampleContents());
  SecondRecorder second;
  ASSERT_TRUE(second.opened);
  TempDir home;
  Settings settings = LoadSettings(home.path(), home.path());
  ASSERT_TRUE(platform::WriteProfileString(settings.settingsPath, "PORTS", "COM1",
                                           recorder_->devicePath()));
  ASSERT_TRUE(
      platform::WriteProfileString(settings.settingsPath, "PORTS", "COM2", second->devicePath()));
  ASSERT_TRUE(platform::WriteProfileString(settings.settingsPath, "PORTS", "COM9",
                                           dir_.path() + "/no-such-port"));
  const LanguageState english;
  EXPECT_FALSE(ChangePort(*link_, settings, "COM1", prompter_, english));

  EXPECT_FALSE(ChangePort(*link_, settings, "COM9", prompter_, english));
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{"COM9. " + kOpeningError + "\n" +
                                                           MessageUtf8(msg::kNoDevice, 1)});
  EXPECT_EQ(prompter_.captions(), std::vector<std::string>{MessageUtf8(msg::kError, 1)});
  EXPECT_EQ(settings.portName, "COM1");
  ASSERT_TRUE(link_->StartCommand(kCmdList));
  ASSERT_TRUE(RunUntil([&] { return ListShown(1); }));
  EXPECT_EQ(events_.countShown(), 3);

  // The move is reported; saving the new name is the caller's, on its own thread.
  EXPECT_TRUE(ChangePort(*link_, settings, "COM2", prompter_, english));
  EXPECT_EQ(platform::ReadProfileString(settings.settingsPath, "LIAISON", "Port", ""), "COM1");
  ASSERT_TRUE(link_->StartCommand(kCmdList));
  ASSERT_TRUE(RunUntil([&] { return ListShown(2); }));
  EXPECT_EQ(events_.countShown(), 1);
  link_->Stop();
}

// The port dialog bound the current name to another device: the link moves
// to it under the same name, and when it does not open, back to the device
// the name stood for before (not to the new binding a second time).
TEST_F(LinkAgainstRecorder, CurrentNameBoundToAnotherDeviceMovesTheLinkOrGoesBack) {
  StartWith(SampleContents());
  SecondRecorder second;
  ASSERT_TRUE(second.opened);
  TempDir home;
  const Settings settings = LoadSettings(home.path(), home.path());
  const LanguageState english;
  const std::string first = recorder_->devicePath();

  ASSERT_TRUE(platform::WriteProfileString(settings.settingsPath, "PORTS", "COM1",
                                           dir_.path() + "/no-such-port"));
  EXPECT_FALSE(ChangePort(*link_, settings, "COM1", prompter_, english, first));
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{"COM1. " + kOpeningError + "\n" +
                                                           MessageUtf8(msg::kNoDevice, 1)});
  ASSERT_TRUE(link_->StartCommand(kCmdList));
  ASSERT_TRUE(RunUntil([&] { return ListShown(1); }));
  EXPECT_EQ(events_.countShown(), 3);  // the first recorder still answers

  ASSERT_TRUE(
      platform::WriteProfileString(settings.settingsPath, "PORTS", "COM1", second->devicePath()));
  EXPECT_TRUE(ChangePort(*link_, settings, "COM1", prompter_, english, first));
  EXPECT_EQ(prompter_.messages().size(), 1u);
  ASSERT_TRUE(link_->StartCommand(kCmdList));
  ASSERT_TRUE(RunUntil([&] { return ListShown(2); }));
  EXPECT_EQ(events_.countShown(), 1);
  link_->Stop();
}

TEST_F(LinkAgainstRecorder, StopCutsAnExchangeShort) {
  StartWith(SampleContents(), 1.0);
  recorder_->SetFault(Fault::NoReply);
  ASSERT_TRUE(link_->StartCommand(kCmdList));
  ASSERT_TRUE(RunUntil([&] { return recorder_->record().events.size() == 1; }));
  link_->RequestStop();
  // Well before the 4000 ms the exchange would still wait.
  EXPECT_TRUE(RunUntil([&] { return link_->Ended(); }, 3s));
  link_->Stop();
  EXPECT_TRUE(prompter_.messages().empty());
}

// At the recorder's own timing: an unanswered command is sent again after
// 4000 ms and abandoned 4000 ms later.
TEST_F(LinkAgainstRecorder, UnansweredCommandIsRepeatedAfterFourSecondsAtRealScale) {
  StartWith(SampleContents(), 1.0);
  recorder_->SetFault(Fault::NoReply);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(link_->StartCommand(kCmdList));
  ASSERT_TRUE(RunUntil([&] { return MessagesShown(1); }));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(prompter_.messages(), std::vector<std::string>{kCommunication});
  EXPECT_GE(recorder_->record().repeatAfterMs, 3900);
  EXPECT_GE(elapsed, 7900ms);
  EXPECT_EQ(events_.countShown(), 0);
}

}  // namespace
}  // namespace tesmora::link
