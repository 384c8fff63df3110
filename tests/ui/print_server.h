#pragma once

// Print servers of a test's own, so that printing meets the queues a test
// sets up and never the printers of the machine it runs on.
#include <array>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tesmora::ui::testing {

// Points this process's printing (the spooler library, and the toolkit's
// printing above it) at a server socket while it lives; then back to what the
// environment said before.
class PrintServerChoice {
 public:
  explicit PrintServerChoice(const std::string& socket);
  ~PrintServerChoice();
  PrintServerChoice(const PrintServerChoice&) = delete;
  PrintServerChoice& operator=(const PrintServerChoice&) = delete;

 private:
  bool hadServer_ = false;
  std::string previous_;
};

// A machine without any printer: the print server is a socket nobody serves.
class NoPrinters {
 public:
  NoPrinters() : choice_(dir_.File("cups.sock")) {}

 private:
  tesmora::testing::TempDir dir_;
  PrintServerChoice choice_;
};

// A print queue of the private server: an A4 printer whose jobs land, as the
// PDF the program sent, in the server's job folder.
struct PrintQueue {
  std::string name;
  // The printable area in points from the sheet's lower left corner (595 ×
  // 842 points): left, bottom, right, top.
  std::array<int, 4> imageable{18, 18, 577, 824};
  bool accepting = true;
  // Paused: the queue takes jobs and keeps them.
  bool paused = false;
};

// The machine's print server (cupsd) run with a configuration of its own: its
// socket, spool, state, logs and queues in a temporary folder, so that it
// needs no privilege and touches nothing of the machine's. The first queue is
// the server's default printer. While it lives, this process prints through
// it.
class PrivatePrintServer {
 public:
  // Why no private server can run here; empty when one can.
  static std::string Unavailable();

  // `maxJobs`: jobs the server holds at once before it turns more away (0:
  // no limit).
  explicit PrivatePrintServer(const std::vector<PrintQueue>& queues, int maxJobs = 0);
  ~PrivatePrintServer();
  PrivatePrintServer(const PrivatePrintServer&) = delete;
  PrivatePrintServer& operator=(const PrivatePrintServer&) = delete;

  // Starts the server and waits until it answers; false, with the reason in
  // error(), when it does not.
  bool Start();
  // Stops the server, as a crash or a stopped service would: the socket stays
  // named but nobody answers.
  void Stop();
  // Takes a queue off the running server, as its administrator would.
  bool RemoveQueue(const std::string& name);

  const std::string& error() const { return error_; }
  // The documents of the jobs done, oldest first.
  std::vector<std::string> Jobs() const;
  // The server's log, for a failure's report.
  std::string Log() const;

 private:
  void WriteConfiguration(const std::vector<PrintQueue>& queues, int maxJobs);

  tesmora::testing::TempDir dir_;
  PrintServerChoice choice_;
  int pid_ = -1;
  std::string error_;
};

}  // namespace tesmora::ui::testing
