#include "link/startup_sequence.h"

#include <utility>

#include "link/name_list.h"
#include "link/reader_thread.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace tesmora::link {

StartupSequence::StartupSequence(std::string programDirectory, std::function<void()> loadLists)
    : programDirectory_(std::move(programDirectory)), loadLists_(std::move(loadLists)) {}

char ReadFlashDriveLetter(const std::string& programDirectory) {
  const auto content =
      platform::ReadWholeFile(platform::JoinPath(programDirectory, kFlashConfigFile));
  // Whatever else the file begins with (a line end, a control character)
  // is no letter, and would end or garble a name on the line.
  return content && !content->empty() && IsDriveLetter((*content)[0]) ? (*content)[0] : 0;
}

bool StartupSequence::Tick(const LinkContext& context) {
  TRead& link = context.link;
  const std::string destination = platform::WithTrailingSeparator(programDirectory_);
  if (tick_ == 1) {
    // A sequence that failed half-way starts again from its beginning,
    // downloads included.
    link.WithState([](LinkState& s) {
      s.listsStep = 0;
      s.listsReady = false;
    });
    link.StartCommand(kCmdList);
  }
  ++tick_;
  if (link.TakeListDone()) link.StartCommand(kCmdVersion);
  if (link.TakeVersionDone()) {
    link.WithState([&](LinkState& s) {
      s.rawMode = true;
      s.receiveQueue.clear();
      AppendName(s.receiveQueue, kFlashConfigFile);
      s.drivePrefix = "C:";
      s.destinationFolder = destination;
    });
    ContinueReceive(context);
  }
  const bool listsStepOne = link.WithState([](LinkState& s) { return s.listsStep == 1; });
  if (listsStepOne) {
    const char letter = ReadFlashDriveLetter(programDirectory_);
    link.WithState([&](LinkState& s) {
      s.listsStep = 2;
      s.rawMode = true;
      if (letter != 0) s.flashDriveLetter = letter;
      s.receiveQueue.clear();
      AppendName(s.receiveQueue, kCustomerListFile);
      AppendName(s.receiveQueue, kProtocolListFile);
      s.drivePrefix = DrivePrefixFor(2, s.flashDriveLetter);
      s.destinationFolder = destination;
    });
    ContinueReceive(context);
  }
  const bool ready =
      link.WithState([](LinkState& s) { return std::exchange(s.listsReady, false); });
  if (!ready) return true;
  if (loadLists_) loadLists_();
  return false;
}

}  // namespace tesmora::link
