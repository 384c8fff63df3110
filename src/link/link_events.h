#pragma once

#include <cstdint>
#include <string>

#include "link/recorder_list.h"
#include "records/test_names.h"
#include "shell/copy_window_texts.h"

namespace tesmora::link {

// What the copy window shows when it opens, as facts: the window words the
// direction line (shell/copy_window_texts.h).
struct CopyWindowContent {
  std::string fileName;  // the file, or the program kind
  CopyDirection direction = CopyDirection::None;
  std::string folder;          // the PC folder, ending with a separator
  bool transferLabel = false;  // raw mode: the label instead of the bar
};

// Step moves the bar by ten points, StepOne by one (a program transfer,
// whose size is known, runs the bar once from 0 to 100 in single points).
enum class CopyProgressEvent { Step, StepOne, ToggleLabel, Full };

// Everything the reader thread hands to the user interface. The desktop
// program carries each call over to its own thread in order; the calls marked
// "waits" must have been carried out when they return. Texts are in the
// message table's code-page bytes where they come from it.
class LinkEvents {
 public:
  virtual ~LinkEvents() = default;
  // The recorder list begins an update and is emptied.
  virtual void RecorderListCleared() = 0;
  virtual void RecorderRowAdded(const RecorderRow& row) = 0;
  virtual void RecorderListEnded() = 0;
  // The first status panel: a count followed by msg::kFilesListed.
  virtual void RecorderFileCountShown(int count) = 0;
  // Waits. Shows the copy window (and disables the main window).
  virtual void ShowCopyProgress(const CopyWindowContent& content) = 0;
  virtual void CopyProgress(CopyProgressEvent event) = 0;
  // A program the recorder asked for: `sent` of its `count` bytes have gone.
  // Called for every byte; the bar's steps are the window's
  // (ProgramProgressSteps).
  virtual void ProgramBytesSent(std::uint32_t sent, std::uint32_t count) = 0;
  // Closes the copy window and enables the main window.
  virtual void CloseCopyWindow() = 0;
  // Waits. Shows the deletion window with the name being deleted.
  virtual void ShowDeleteProgress(const std::string& name) = 0;
  virtual void CloseDeleteWindow() = 0;
  // A file now stored in a PC folder (received, or an export of it); the PC
  // list adds it when it shows that folder.
  virtual void PcFileStored(const std::string& folder, const std::string& name,
                            DateSource dateSource) = 0;
  // Enables the 100 ms batch timer, whose handler continues the batch.
  virtual void ArmBatchTimer() = 0;
  virtual void BusyCursor(bool busy) = 0;
  // The line has hung up under the open port (the adapter was unplugged):
  // called once for each hang-up, when the reader thread first meets it.
  virtual void LineHungUp() {}
  // The device came back after a hang-up and the port is open again at 9600
  // baud: the owner starts its start-up timer again, whose ticks the session
  // turns into the start-up sequence from its beginning.
  virtual void LineBack() {}
};

}  // namespace tesmora::link
