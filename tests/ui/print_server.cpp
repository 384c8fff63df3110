#include "print_server.h"

#include <cups/cups.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "support/wait.h"

namespace tesmora::ui::testing {
namespace {

namespace fs = std::filesystem;

constexpr auto kStartBound = std::chrono::seconds(20);

std::string FirstThere(std::initializer_list<const char*> paths) {
  for (const char* path : paths) {
    if (fs::exists(path)) return path;
  }
  return {};
}

std::string Cupsd() { return FirstThere({"/usr/sbin/cupsd", "/usr/local/sbin/cupsd"}); }

// The folder of the server's helper programs: it starts backends through one
// of them.
std::string SystemServerBin() {
  return FirstThere({"/usr/lib/cups", "/usr/libexec/cups", "/usr/local/lib/cups"});
}

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The backend of the queues: each job's document becomes a file of the folder
// the device names, written aside and renamed so that a test never reads half
// a job. Without arguments a backend says what devices it serves.
constexpr const char* kBackend = R"(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct tesmora-jobs "Unknown" "Job folder"'; exit 0; fi
dir=${DEVICE_URI#tesmora-jobs:}
cat "${6:-/dev/stdin}" > "$dir/.job-$1" && mv "$dir/.job-$1" "$dir/job-$1.pdf"
)";

// An A4 printer that takes PDF as it comes, with its printable area.
std::string Ppd(const PrintQueue& queue) {
  const auto& [left, bottom, right, top] = queue.imageable;
  return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
         "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
         "*PCFileName: \"JOBFOLD.PPD\"\n*Manufacturer: \"Test\"\n*Product: \"(Job folder)\"\n"
         "*ModelName: \"Job folder " +
         queue.name + "\"\n*ShortNickName: \"Job folder\"\n*NickName: \"Job folder " + queue.name +
         "\"\n*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: False\n"
         "*DefaultColorSpace: Gray\n*FileSystem: False\n*Throughput: \"1\"\n"
         "*LandscapeOrientation: Plus90\n*TTRasterizer: Type42\n"
         "*cupsFilter: \"application/pdf 0 -\"\n"
         "*OpenUI *PageSize/Media Size: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n"
         "*DefaultPageSize: A4\n*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
         "*CloseUI: *PageSize\n"
         "*OpenUI *PageRegion: PickOne\n*OrderDependency: 10 AnySetup *PageRegion\n"
         "*DefaultPageRegion: A4\n*PageRegion A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
         "*CloseUI: *PageRegion\n"
         "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"" +
         std::to_string(left) + " " + std::to_string(bottom) + " " + std::to_string(right) + " " +
         std::to_string(top) +
         "\"\n*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n"
         "*OpenUI *Resolution/Resolution: PickOne\n*OrderDependency: 10 AnySetup *Resolution\n"
         "*DefaultResolution: 300dpi\n*Resolution 300dpi/300 dpi: \"\"\n*CloseUI: *Resolution\n";
}

bool Answers(const std::string& socketPath) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool connected =
      ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return connected;
}

}  // namespace

PrintServerChoice::PrintServerChoice(const std::string& socket) {
  if (const char* previous = ::getenv("CUPS_SERVER")) {
    hadServer_ = true;
    previous_ = previous;
  }
  ::setenv("CUPS_SERVER", socket.c_str(), 1);
  // The library keeps the server it first used for the rest of the thread's
  // life: name the new one to it as well.
  cupsSetServer(socket.c_str());
}

PrintServerChoice::~PrintServerChoice() {
  if (hadServer_) {
    ::setenv("CUPS_SERVER", previous_.c_str(), 1);
  } else {
    ::unsetenv("CUPS_SERVER");
  }
  cupsSetServer(nullptr);
}

std::string PrivatePrintServer::Unavailable() {
  if (Cupsd().empty()) return "cupsd is not installed (Debian package cups-daemon)";
  if (SystemServerBin().empty()) return "the print server's helper programs are not installed";
  return {};
}

PrivatePrintServer::PrivatePrintServer(const std::vector<PrintQueue>& queues, int maxJobs)
    : choice_(dir_.File("cups.sock")) {
  WriteConfiguration(queues, maxJobs);
}

PrivatePrintServer::~PrivatePrintServer() { Stop(); }

void PrivatePrintServer::WriteConfiguration(const std::vector<PrintQueue>& queues, int maxJobs) {
  const std::string& root = dir_.path();
  for (const char* folder : {"bin/backend", "spool/temp", "log", "cache", "state", "ppd", "jobs"}) {
    fs::create_directories(root + "/" + folder);
  }
  const std::string system = SystemServerBin();
  for (const char* helpers : {"daemon", "filter", "notifier"}) {
    if (fs::exists(system + "/" + helpers)) {
      fs::create_directory_symlink(system + "/" + helpers, root + "/bin/" + helpers);
    }
  }
  const std::string backend = root + "/bin/backend/tesmora-jobs";
  Write(backend, kBackend);
  // Owner only: a server that runs as root then runs it as root too, and it
  // can write the job folder whoever owns it.
  fs::permissions(backend, fs::perms::owner_all, fs::perm_options::replace);

  Write(root + "/cupsd.conf",
        "Listen " + root +
            "/cups.sock\nBrowsing Off\nWebInterface No\nLogLevel info\n"
            "DefaultAuthType None\nMaxJobs " +
            std::to_string(maxJobs) +
            "\n<Policy default>\n<Limit All>\nOrder allow,deny\nAllow all\n</Limit>\n</Policy>\n");
  Write(root + "/cups-files.conf",
        "ServerRoot " + root + "\nStateDir " + root + "/state\nCacheDir " + root +
            "/cache\nRequestRoot " + root + "/spool\nTempDir " + root + "/spool/temp\nServerBin " +
            root + "/bin\nAccessLog " + root + "/log/access_log\nErrorLog " + root +
            "/log/error_log\nPageLog " + root + "/log/page_log\nPrintcap " + root + "/printcap\n");
  std::string printers;
  for (std::size_t i = 0; i < queues.size(); ++i) {
    const PrintQueue& queue = queues[i];
    const std::string section = i == 0 ? "DefaultPrinter" : "Printer";
    printers += "<" + section + " " + queue.name + ">\nInfo Job folder " + queue.name +
                "\nDeviceURI tesmora-jobs:" + root + "/jobs\nState " +
                (queue.paused ? "Stopped" : "Idle") + "\nAccepting " +
                (queue.accepting ? "Yes" : "No") + "\nShared No\n</" + section + ">\n";
    Write(root + "/ppd/" + queue.name + ".ppd", Ppd(queue));
  }
  Write(root + "/printers.conf", printers);
}

bool PrivatePrintServer::Start() {
  const std::string socketPath = dir_.File("cups.sock");
  if (socketPath.size() >= sizeof(sockaddr_un{}.sun_path)) {
    error_ = "the temporary folder's name is too long for a socket: " + socketPath;
    return false;
  }
  const std::string cupsd = Cupsd();
  const std::string config = dir_.File("cupsd.conf");
  const std::string files = dir_.File("cups-files.conf");
  const std::string output = dir_.File("log/output");
  // -f: in the foreground, a child of this process that a signal stops, and
  // that goes with this process however it ends.
  const char* argv[] = {cupsd.c_str(), "-f", "-c", config.c_str(), "-s", files.c_str(), nullptr};
  const int log = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(127);
    ::dup2(log, STDOUT_FILENO);
    ::dup2(log, STDERR_FILENO);
    ::execv(cupsd.c_str(), const_cast<char* const*>(argv));
    ::_exit(127);
  }
  if (log >= 0) ::close(log);
  if (pid < 0) {
    error_ = "cupsd could not be started: " + std::string(std::strerror(errno));
    return false;
  }
  pid_ = pid;
  bool answers = false;
  bool stopped = false;
  tesmora::testing::WaitUntil(
      [&] {
        int status = 0;
        answers = Answers(socketPath);
        stopped = !answers && ::waitpid(pid_, &status, WNOHANG) == pid_;
        return answers || stopped;
      },
      kStartBound);
  if (answers) return true;
  if (stopped) {
    pid_ = -1;
    error_ = "cupsd stopped at start:\n" + Log();
    return false;
  }
  error_ = "cupsd does not answer on " + socketPath + ":\n" + Log();
  Stop();
  return false;
}

void PrivatePrintServer::Stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
}

bool PrivatePrintServer::RemoveQueue(const std::string& name) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                   "/printers/%s", name.c_str());
  ipp_t* request = ippNewRequest(IPP_OP_CUPS_DELETE_PRINTER);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/admin/"));
  return cupsLastError() <= IPP_STATUS_OK_CONFLICTING;
}

std::vector<std::string> PrivatePrintServer::Jobs() const {
  std::vector<std::pair<int, std::string>> numbered;
  for (const auto& entry : fs::directory_iterator(dir_.File("jobs"))) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("job-", 0) != 0) continue;
    numbered.emplace_back(std::atoi(name.c_str() + 4), tesmora::testing::ReadBytes(entry.path()));
  }
  std::sort(numbered.begin(), numbered.end());
  std::vector<std::string> documents;
  for (auto& [number, document] : numbered) documents.push_back(std::move(document));
  return documents;
}

std::string PrivatePrintServer::Log() const {
  return tesmora::testing::ReadBytes(dir_.File("log/output")) +
         tesmora::testing::ReadBytes(dir_.File("log/error_log"));
}

}  // namespace tesmora::ui::testing
