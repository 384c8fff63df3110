// The link on a line that is not there: a port that never opened, and a
// pseudo-terminal whose far end (the simulated recorder) has gone. What
// matters is that every wait is a real wait: the reads are counted, not timed.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "link/link_protocol.h"
#include "link/reader_thread.h"
#include "link_fakes.h"
#include "platform/posix_serial_port.h"
#include "shell/message_table.h"
#include "simulated_recorder.h"
#include "support/wait.h"

namespace tesmora::link {
namespace {

using namespace std::chrono_literals;
using tesmora::testing::WaitUntil;
using testing::CountingPort;
using testing::FakeEvents;
using testing::FakePrompter;

// A reply wait of 4000 ms becomes 200 ms.
constexpr double kScale = 0.05;
// Far more than the link needs for an exchange, far fewer than a loop that
// retries a read that returns at once makes in one time-out.
constexpr long kFewReads = 20;

class DeadLine : public ::testing::Test {
 protected:
  void StartLink() {
    link_ = std::make_unique<TRead>(port_, events_, prompter_, LinkTiming{kScale});
    link_->WithState([](LinkState& s) { s.startupPhase = false; });
    link_->Start();
  }
  void TearDown() override {
    if (link_) link_->Stop();
    real_.Close();
    if (recorder_) recorder_->Stop();
    if (recorderThread_.joinable()) recorderThread_.join();
  }
  // The far end closes: the recorder stops and its pseudo-terminal goes.
  void HangUp() {
    recorder_->Stop();
    recorderThread_.join();
    recorder_.reset();
  }
  bool MessageShown() { return !prompter_.messages().empty() && !link_->IsBusy(); }
  // Reads made over one reply time-out of a link at rest: the time passing
  // is what is tested, there is nothing to wait for.
  long ReadsWhileIdle() {
    const long before = port_.reads();
    std::this_thread::sleep_for(std::chrono::milliseconds(LinkTiming{kScale}.Ms(4000)));
    return port_.reads() - before;
  }
  // A list request that nobody answers: msg::kCommunicationProblem after its two attempts,
  // each a read that waited its time-out.
  void ExpectListFailsAfterTwoWaits() {
    const long before = port_.reads();
    const std::size_t sentBefore = port_.sent().size();
    ASSERT_TRUE(link_->StartCommand(kCmdList));
    ASSERT_TRUE(WaitUntil([&] { return MessageShown(); }));
    EXPECT_EQ(prompter_.messages(),
              std::vector<std::string>{MessageUtf8(msg::kCommunicationProblem, 1)});
    const auto sent = port_.sent();
    EXPECT_EQ(std::vector<std::uint8_t>(sent.begin() + static_cast<long>(sentBefore), sent.end()),
              (std::vector<std::uint8_t>{kCmdList, kCmdList}));
    EXPECT_LT(port_.reads() - before, kFewReads);
    EXPECT_EQ(events_.countShown(), 0);
  }

  platform::PosixSerialPort real_;
  CountingPort port_{real_};
  FakeEvents events_;
  FakePrompter prompter_;
  std::unique_ptr<sim::SimulatedRecorder> recorder_;
  std::thread recorderThread_;
  std::unique_ptr<TRead> link_;
};

TEST_F(DeadLine, PortThatNeverOpenedWaitsOutEveryReadAndFailsTheList) {
  StartLink();
  EXPECT_LT(ReadsWhileIdle(), kFewReads);
  ExpectListFailsAfterTwoWaits();
  EXPECT_EQ(events_.hangUps(), 0);
}

TEST_F(DeadLine, HungUpLineIsReportedOnceAndCostsNoReadsWhileIdle) {
  sim::RecorderContents contents;
  contents.tests = {{"03151234.312", "x", "WHEAT", false, std::nullopt}};
  recorder_ =
      std::make_unique<sim::SimulatedRecorder>(contents, sim::SimOptions{0, false, false, kScale});
  ASSERT_TRUE(recorder_->Open());
  recorderThread_ = std::thread([this] { recorder_->Run(); });
  ASSERT_TRUE(real_.Open(recorder_->devicePath()));
  StartLink();
  // A good line first: it lists, and it is no hang-up.
  ASSERT_TRUE(link_->StartCommand(kCmdList));
  ASSERT_TRUE(WaitUntil([&] { return events_.countShown() == 1 && !link_->IsBusy(); }));
  EXPECT_EQ(events_.hangUps(), 0);
  EXPECT_FALSE(port_.HungUp());

  HangUp();
  ASSERT_TRUE(WaitUntil([&] { return events_.hangUps() == 1; }));
  EXPECT_TRUE(port_.HungUp());
  EXPECT_LT(ReadsWhileIdle(), kFewReads);
  ExpectListFailsAfterTwoWaits();
  EXPECT_LT(ReadsWhileIdle(), kFewReads);
  EXPECT_EQ(events_.hangUps(), 1);
}

}  // namespace
}  // namespace tesmora::link
