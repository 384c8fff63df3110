#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_events.h"
#include "link/link_state.h"
#include "link/reader_thread.h"
#include "link/startup_sequence.h"
#include "platform/file_system.h"
#include "platform/serial_port.h"
#include "shell/languages.h"
#include "shell/prompter.h"
#include "shell/settings.h"

namespace tesmora {
class Exporter;
}  // namespace tesmora

namespace tesmora::link {

// What the owner of the link knows at start: its settings and language.
struct LinkSeed {
  LanguageState language;
  bool exportDataMode = false;
  std::string autoSaveDirectory;      // ends with a separator
  std::string programFilesDirectory;  // where tesmz.zlv and tesafe.zlv lie
  // The desktop program runs the start-up downloads; the command line
  // starts with the link ready for its one command.
  bool startupPhase = true;
  char flashDriveLetter = 0;
  // What a file received into a PC folder does to one of its name.
  platform::OverwritePolicy receivedFiles = platform::OverwritePolicy::Ask;
};

// The one way into the recorder link for the desktop program and the command
// line. It owns the reader thread and the link state, builds and orders the
// batches (receive, send, delete) and the start-up sequence, and keeps the
// settings and the language the link's messages use. Its callers never write
// the link state: they ask the session, and learn what changed through the
// `LinkEvents` they passed in and the answers of these calls.
//
// Every call but the queries is made on one thread, the owner's (the user
// interface's); the reader thread runs the exchanges behind it.
class LinkSession {
 public:
  LinkSession(platform::SerialPort& port, LinkEvents& events, Prompter& prompter,
              LinkTiming timing = {});
  LinkSession(const LinkSession&) = delete;
  LinkSession& operator=(const LinkSession&) = delete;
  ~LinkSession();

  void Seed(const LinkSeed& seed);
  void SetLanguage(const LanguageState& language);
  void SetExportDataMode(bool on);
  void SetAutoSaveDirectory(const std::string& folder);
  // The records engine's exporter, for the automatic export of received files.
  void UseExporter(std::shared_ptr<Exporter> exporter);
  // The file system received files are written into (the computer's own
  // unless a test gives another); it outlives the session.
  void UseFileSystem(platform::FileSystem& fs);

  // Opens the port a COM name stands for; a failure is shown ("COM3. OPENING
  // ERROR", caption "ERROR!!!", and the cause on a line of its own) in the
  // session's language. After a hang-up the session opens the same device
  // again by itself when it comes back.
  bool OpenPort(const Settings& settings, std::string_view portName);
  // The same at the program's start, where a device that is not there yet
  // but may come (an adapter still to be plugged in) is waited for as after a
  // hang-up: LineHungUp at once, LineBack once it is open. Returns what
  // happened; the owner starts its start-up timer only for an open port.
  enum class StartPort { Open, Awaited, Failed };
  StartPort OpenPortAtStart(const Settings& settings, std::string_view portName);
  void Start();
  // Asks the reader thread to end; the owner keeps carrying out its waiting
  // calls until Ended(), then calls Stop() and closes the port.
  void RequestStop();
  bool Ended() const;
  void Stop();

  // Moves the link to another port (the port dialog's OK). Runs on any thread
  // but the owner's may keep painting meanwhile; its messages go to
  // `messages`. Returns true when the link moved: the caller then saves the
  // new name in the settings, on its own thread. The same name changes
  // nothing, unless it was just bound to another device: `previousDevice` is
  // then the one it stood for. When the new port does not open, the old one
  // is opened again.
  bool ChangePort(const Settings& settings, std::string_view newName, Prompter& messages,
                  std::string_view previousDevice = {});

  // --- commands; each returns false when it was refused -------------------
  // The recorder's list again (Refresh).
  bool Refresh();
  bool RequestVersion();
  // The memory choice of the all-files mode: that section is listed.
  bool ChooseMemory(int memoryChoice);
  // The all-files mode; switching it off lists the recorder's tests again.
  void SwitchAllFilesMode(bool on);
  // The command line's choice of a memory, with raw mode for 1 and 2.
  void SetMemory(int memoryChoice);

  // Copy with the recorder list focused: the names wait in the clipboard
  // until they are pasted, so a copy never touches a running batch.
  void CopyRecorderFiles(const std::vector<std::string>& names);
  bool HasCopiedRecorderFiles() const;
  // Paste of the copied recorder files, or a drop of recorder rows, into a
  // PC folder (ending with a separator).
  bool PasteRecorderFiles(const std::string& destinationFolder);
  bool ReceiveFiles(const std::vector<std::string>& names, const std::string& destinationFolder);
  // PC files to the recorder, from `sourceFolder` (ending with a separator).
  bool SendFiles(const std::vector<std::string>& names, const std::string& sourceFolder);
  // Deletion on the recorder, after the confirmation question.
  bool DeleteFiles(const std::vector<std::string>& names);

  // The ESC buttons of the progress windows, and the copy window's showing.
  void CancelCopy();
  void CancelDeletion();
  void CopyWindowShown();

  // The two timers of the owner: the 1500 ms start-up tick (false when the
  // timer is to stop) and the 100 ms batch tick the reader thread arms.
  // When the line comes back after a hang-up (LinkEvents::LineBack), the
  // owner starts its start-up timer again and the next tick runs the start-up
  // sequence from its beginning.
  // `programDirectory` receives the downloads; `loadLists` loads them.
  void PrepareStartup(std::string programDirectory, std::function<void()> loadLists);
  bool StartupTick();
  void BatchTimerTick();

  // --- queries (any thread) -----------------------------------------------
  // A batch of the user's is under way: a queue in use, a file between two
  // exchanges, or a progress window open. While it lasts the owner accepts no
  // command and no close. The start-up downloads are no batch of the user's
  // (closing the program may cut them short), but the commands above are
  // refused while they run, since they use the receive queue.
  bool BatchRunning() const;
  bool IsBusy() const;
  bool IsIdle() const;
  int RecorderFileCount() const;
  char FlashDriveLetter() const;
  std::string VersionText() const;
  LanguageState Language() const;
  // A copy of the link state, for what a window shows and for tests.
  LinkState Snapshot() const;

  // The reader thread itself, for tests and measurements that drive
  // exchanges directly.
  TRead& reader() { return link_; }

 private:
  LinkContext Context();
  bool QueuesInUse() const;

  platform::SerialPort& port_;
  LinkEvents& events_;
  Prompter& prompter_;
  TRead link_;
  std::vector<std::string> copiedRecorderNames_;
  std::string copiedDrivePrefix_;
  std::unique_ptr<StartupSequence> startup_;
};

}  // namespace tesmora::link
