#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "shell/languages.h"

namespace tesmora::link {

// Waits and time-outs of the protocol, in real milliseconds, scaled so that
// tests can run the same exchanges faster. 1.0 is the recorder's timing.
struct LinkTiming {
  double scale = 1.0;
  int Ms(int realMilliseconds) const {
    const int scaled = static_cast<int>(realMilliseconds * scale);
    return scaled < 1 ? 1 : scaled;
  }
};

// Called after a file from the recorder has been stored, in export data mode:
// writes the export text of directory + testFileName and returns true when
// the export file was written. It has shown its own messages otherwise.
using ExportReceivedFile =
    std::function<bool(const std::string& directory, const std::string& testFileName)>;

// What the user interface, the batch drivers and the reader thread share
// between exchanges. The reader thread only changes it under the link's lock.
struct LinkState {
  // Modes and settings.
  bool rawMode = false;
  // The user's display-all-files choice. The start-up downloads take raw mode
  // for themselves; when they end, raw mode goes back to this choice.
  bool allFilesMode = false;
  int memoryChoice = 0;
  std::string drivePrefix;
  bool startupPhase = true;
  bool ExportDataMode = false;
  std::string AutoSaveDirectory;      // ends with a separator
  std::string programFilesDirectory;  // where tesmz.zlv and tesafe.zlv lie
  LanguageState language;
  char flashDriveLetter = 0;
  // What a file received into a PC folder does to one of its name, as the
  // owner of the link decided: asked about (the desktop program), or
  // replaced (the command line, whose command asked for the work).
  platform::OverwritePolicy receivedFiles = platform::OverwritePolicy::Ask;

  // Queues (name lists) and their folders.
  std::string receiveQueue;
  std::string destinationFolder;
  std::string sendQueue;
  std::string sourceFolder;
  std::string deleteQueue;

  // Batch bookkeeping.
  bool push = false;
  bool copyCancelled = false;
  bool deletionCancelled = false;
  int filesSentInBatch = 0;
  int resendCount = 0;
  int lastAnswer = 0;  // 0 not asked, else the PromptAnswer + 1
  // What the commit of the file about to be received does to one of its
  // name: Always only where it has been given up (asked, or a start-up
  // download, which is the program's own).
  platform::OverwritePolicy receiveCommit = platform::OverwritePolicy::Never;
  bool copyWindowShown = false;
  bool deleteWindowShown = false;

  // Completion flags for the timers of the user interface.
  bool listDone = false;
  bool versionDone = false;
  bool receiveDone = false;
  bool sendDone = false;
  // A pushed test is stored: it ends no batch of the user's.
  bool pushDone = false;
  // The port is open again on a device that came back after a hang-up: the
  // start-up sequence runs again.
  bool lineBack = false;
  // The next file's command of a batch, refused because the recorder had
  // started an exchange of its own meanwhile; the batch timer offers it again.
  std::uint8_t retryCommand = 0;

  // Start-up downloads. `startupDownload`: the receive queue holds them, so
  // the files go without a window, a question or an export; a batch of the
  // user's, or a push, in the start-up phase is received as any other.
  bool startupDownload = false;
  int listsStep = 0;
  bool listsReady = false;

  // The recorder list as last received.
  int RecorderFileCount = 0;
  std::vector<std::string> recorderNames;
};

}  // namespace tesmora::link
