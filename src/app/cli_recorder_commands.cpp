// The recorder commands of tesmora-cli: the desktop program's link code with
// the terminal standing in for its windows.
#include "app/cli_recorder_commands.h"
#include "app/cli_command_line.h"
#include "app/cli_console.h"

#include <signal.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "link/link_protocol.h"
#include "link/link_session.h"
#include "link/startup_sequence.h"
#include "platform/locale.h"
#include "platform/paths.h"
#include "platform/posix_serial_port.h"
#include "records/exporter.h"
#include "shell/code_page.h"
#include "shell/languages.h"
#include "shell/message_table.h"
#include "shell/settings.h"

namespace tesmora::cli {

namespace {

using link::LinkSession;

struct Arguments {
  std::vector<std::string> names;
  std::string port;
  std::string to;
  int memory = 0;
  bool exportData = false;
};

// The text of a recorder row for the terminal: the recorder's bytes and the
// message texts decoded from their code pages.
std::string RowLine(const link::RecorderRow& row, int language) {
  const auto text = [](const std::string& bytes) { return DecodeToUtf8(bytes, CodePage::Dos850); };
  std::string degradation;
  if (!row.degradation.empty()) {
    degradation = row.degradation == MessageBytes(msg::kYes, language)
                      ? MessageUtf8(msg::kYes, language)
                      : MessageUtf8(msg::kNo, language);
  }
  return text(row.name) + "\t" + text(row.type) + "\t" + text(row.sample) + "\t" + degradation +
         "\t" + row.date;
}

// The terminal's side of the link: the same session as the desktop program's,
// without the start-up downloads.
class RecorderSession {
 public:
  RecorderSession(const Settings& settings, LanguageState language, bool verbose)
      : console_(verbose), link_(port_, console_, console_), settings_(settings) {
    link_.Seed({.language = language,
                .exportDataMode = settings.ExportDataMode != 0,
                .autoSaveDirectory = settings.AutoSaveDirectory,
                .programFilesDirectory = platform::CurrentWorkingDirectory(),
                .startupPhase = false,
                .flashDriveLetter = link::ReadFlashDriveLetter(platform::ProgramDirectory()),
                // "get" names its files: an older file of a name gives way.
                .receivedFiles = platform::OverwritePolicy::Always});
    language_ = language.LanguageIndex;
  }
  ~RecorderSession() {
    link_.Stop();
    port_.Close();
  }

  bool Open(const std::string& portName) {
    if (!link_.OpenPort(settings_, portName)) return false;
    link_.Start();
    return true;
  }

  // Drives the batch timer until the link has come to rest.
  void RunToIdle() {
    for (;;) {
      if (console_.TakeTimer()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        link_.BatchTimerTick();
        continue;
      }
      if (link_.IsIdle()) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  LinkSession& link() { return link_; }
  ConsoleSession& console() { return console_; }
  int language() const { return language_; }
  bool failed() const { return console_.errors() != 0; }

 private:
  platform::PosixSerialPort port_;
  ConsoleSession console_;
  LinkSession link_;
  const Settings& settings_;
  int language_ = kEnglish;
};

int ListCommand(RecorderSession& session, const Arguments& args) {
  session.link().SetMemory(args.memory);
  session.link().Refresh();
  session.RunToIdle();
  if (session.failed()) return 1;
  for (const link::RecorderRow& row : session.console().rows()) {
    std::printf("%s\n", RowLine(row, session.language()).c_str());
  }
  return 0;
}

int VersionCommand(RecorderSession& session, const Arguments&) {
  session.link().RequestVersion();
  session.RunToIdle();
  if (session.failed()) return 1;
  std::printf("%s\n", session.link().VersionText().c_str());
  return 0;
}

int GetCommand(RecorderSession& session, const Arguments& args) {
  session.link().SetMemory(args.memory);
  const std::string folder = platform::WithTrailingSeparator(
      args.to.empty() ? platform::CurrentWorkingDirectory() : args.to);
  session.link().ReceiveFiles(args.names, folder);
  session.RunToIdle();
  return session.failed() ? 1 : 0;
}

int PutCommand(RecorderSession& session, const Arguments& args) {
  // The recorder's list first: the capacity check and the replace question
  // both look at it.
  session.link().Refresh();
  session.RunToIdle();
  if (session.failed()) return 1;
  std::map<std::string, std::vector<std::string>> byFolder;
  for (const std::string& file : args.names) {
    const std::filesystem::path path = std::filesystem::absolute(file);
    byFolder[platform::WithTrailingSeparator(path.parent_path().string())].push_back(
        path.filename().string());
  }
  bool sent = false;
  for (const auto& [folder, names] : byFolder) {
    sent = session.link().SendFiles(names, folder) || sent;
    session.RunToIdle();
    if (session.failed()) return 1;
  }
  return sent ? 0 : 1;
}

int DeleteCommand(RecorderSession& session, const Arguments& args) {
  // Deletion names are recorder names: refuse anything that is not one.
  for (const std::string& name : args.names) {
    if (!link::IsSafeRecorderName(name)) {
      std::fprintf(stderr, "tesmora-cli: not a recorder file name: %s\n", name.c_str());
      return 2;
    }
  }
  session.link().DeleteFiles(args.names);
  session.RunToIdle();
  return session.failed() ? 1 : 0;
}

// Interruptions end `listen` between two exchanges: they are blocked in every
// thread (so they must be blocked before the reader thread starts) and taken
// with sigtimedwait.
sigset_t StopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  return signals;
}

// The exporter of received files, with the customer and protocol lists of
// the program directory. A list that cannot be read is said once; the exports
// then go without its texts.
std::shared_ptr<Exporter> MakeExporter(RecorderSession& session) {
  auto exporter =
      std::make_shared<Exporter>(platform::ProgramDirectory(), platform::CurrentWorkingDirectory());
  for (const std::string& message : exporter->LoadCustomerAndProtocolLists(session.language())) {
    std::fprintf(stderr, "tesmora-cli: %s\n", message.c_str());
  }
  return exporter;
}

int ListenCommand(RecorderSession& session, const Arguments& args) {
  // Without --export the settings' export data mode decides.
  session.link().UseExporter(MakeExporter(session));
  if (args.exportData) session.link().SetExportDataMode(true);
  // The desktop program has the recorder's version text from its start-up;
  // asking for it here gives the exports the same first line. A recorder that
  // does not answer yet is said once and listened to all the same.
  session.link().RequestVersion();
  session.RunToIdle();
  const sigset_t stopSignals = StopSignals();
  const timespec tick{0, 100'000'000};
  bool stopRequested = false;
  while (!stopRequested || !session.link().IsIdle()) {
    if (sigtimedwait(&stopSignals, nullptr, &tick) > 0) stopRequested = true;
    if (session.console().TakeTimer()) session.link().BatchTimerTick();
  }
  return 0;
}

// What the options of a recorder command are, beyond --port.
enum RecorderOptions : unsigned {
  kNoOption = 0,
  kTo = 1,      // --to DIR
  kMemory = 2,  // --memory 0|1|2
  kExport = 4,  // --export
};

struct RecorderCommand {
  Command command;
  std::string_view names;  // the name of the names it takes first, none when empty
  unsigned options;
  int (*work)(RecorderSession&, const Arguments&);
};

int RunRecorderCommand(int argc, char** argv);

constexpr RecorderCommand kRecorderCommands[] = {
    {{"list", "list [--memory 0|1|2]",
      "the recorder's files: name, type, sample,\ndegradation, date (tab-separated)",
      "Lists the recorder's files, one tab-separated line each: name, type, sample,\n"
      "degradation, date. Memory 0 is the test files, 1 the disk C, 2 the flash disk.\n",
      RunRecorderCommand},
     "",
     kMemory,
     ListCommand},
    {{"version", "version", "the recorder's version text", "Prints the recorder's version text.\n",
      RunRecorderCommand},
     "",
     kNoOption,
     VersionCommand},
    {{"get", "get NAME... [--to DIR]", "copy files from the recorder (default: here)",
      "Copies the named files from the recorder into DIR (default: the working folder).\n"
      "An existing file of the same name is replaced.\n",
      RunRecorderCommand},
     "NAME",
     kTo | kMemory,
     GetCommand},
    {{"put", "put FILE...", "copy test files to the recorder",
      "Copies test files to the recorder; files whose names are not in the recorder's\n"
      "format are skipped.\n",
      RunRecorderCommand},
     "FILE",
     kNoOption,
     PutCommand},
    {{"delete", "delete NAME...", "delete files on the recorder",
      "Deletes the named files on the recorder.\n", RunRecorderCommand},
     "NAME",
     kNoOption,
     DeleteCommand},
    {{"listen", "listen [--export]",
      "store what the recorder pushes in the automatic\n"
      "save folder and serve its program requests,\n"
      "until interrupted; it waits out an unplugged\n"
      "adapter",
      "Stores every test the recorder pushes in the automatic save folder of the\n"
      "settings (and exports it with --export or in export data mode), and serves the\n"
      "recorder's program requests from tesmz.zlv and tesafe.zlv in the working folder,\n"
      "until interrupted. When the line hangs up (the adapter unplugged) it says so,\n"
      "waits for the device to come back under the same name, says that the line is\n"
      "back and goes on.\n",
      RunRecorderCommand},
     "",
     kExport,
     ListenCommand},
};

void DefineOptions(CommandLine& line, const RecorderCommand& command, Arguments& args) {
  if (!command.names.empty()) {
    line->add_option("names", args.names)->type_name(std::string(command.names))->required();
  }
  if (command.options & kTo) line->add_option("--to", args.to)->type_name("DIR");
  if (command.options & kMemory) {
    line->add_option("--memory", args.memory)
        ->type_name("0|1|2")
        ->check(CLI::IsMember({"0", "1", "2"}).description(""));
  }
  if (command.options & kExport) line->add_flag("--export", args.exportData);
  line->add_option("--port", args.port)->type_name("COMn");
}

int RunRecorderCommand(int argc, char** argv) {
  const std::string_view name = argv[0];
  const RecorderCommand* command = nullptr;
  for (const RecorderCommand& candidate : kRecorderCommands) {
    if (candidate.command.name == name) command = &candidate;
  }
  Arguments args;
  CommandLine line(command->command);
  DefineOptions(line, *command, args);
  if (const std::optional<int> status = line.Parse(argc, argv)) return *status;
  if (command->work == ListenCommand) {
    const sigset_t stopSignals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  }
  const Settings settings =
      LoadSettings(platform::ProgramDirectory(), platform::CurrentWorkingDirectory());
  const LanguageState language = LanguageFromLocale(platform::UserDefaultLocaleId());
  RecorderSession session(settings, language, command->work == DeleteCommand);
  if (!session.Open(args.port.empty() ? settings.portName : args.port)) return 1;
  return command->work(session, args);
}

}  // namespace

std::vector<const Command*> RecorderCommands() {
  std::vector<const Command*> commands;
  for (const RecorderCommand& command : kRecorderCommands) commands.push_back(&command.command);
  return commands;
}

const std::string_view kRecorderCommandsNote =
    "  Every recorder command takes --port COMn (default: the settings' port).\n";

}  // namespace tesmora::cli
