// Measures the recorder link against the simulated recorder on a
// pseudo-terminal, at the recorder's own timing:
//   1. processor time of an idle link over 10 s;
//   2. latency from a request byte of the recorder to the PC's answer;
//   3. time to receive a 60 kB test file at each speed code, with the line's
//      speed emulated, against the physical limit of 10 bits a byte;
//   4. processor time of an idle link after its line has hung up (the
//      recorder's end of the pseudo-terminal closed), over 5 s;
//   5. processor time of one list request on a port that never opened (two
//      unanswered attempts of 4000 ms);
//   6. processor time while the device is gone (unplugged: its terminal and
//      its stable name removed) and the session waits for it to come back;
//   7. time from the device's return under its stable name to the recorder's
//      list, the owner's 1500 ms start-up timer and the sequence's own pauses
//      included.
// Usage: link_measure [--quick] [--unplug]   (--quick: 2 s idle, 5 requests, 2 plugs;
//                                             --unplug: only 6 and 7)
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "link/link_events.h"
#include "link/link_protocol.h"
#include "link/link_session.h"
#include "link/reader_thread.h"
#include "link/transfers.h"
#include "platform/file_io.h"
#include "platform/file_system.h"
#include "platform/posix_serial_port.h"
#include "simulated_recorder.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using tesmora::link::TRead;

class QuietSession : public tesmora::link::LinkEvents, public tesmora::Prompter {
 public:
  void ShowMessage(std::string_view, std::string_view text, tesmora::PromptIcon,
                   std::uint16_t) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
  tesmora::PromptAnswer Ask(std::string_view, std::string_view, tesmora::PromptButtons,
                            tesmora::PromptIcon, std::uint16_t) override {
    return tesmora::PromptAnswer::Yes;
  }
  void RecorderListCleared() override {}
  void RecorderRowAdded(const tesmora::link::RecorderRow&) override {}
  void RecorderListEnded() override {}
  void RecorderFileCountShown(int) override {}
  void ShowCopyProgress(const tesmora::link::CopyWindowContent&) override {}
  void CopyProgress(tesmora::link::CopyProgressEvent) override {}
  void ProgramBytesSent(std::uint32_t, std::uint32_t) override {}
  void CloseCopyWindow() override {}
  void ShowDeleteProgress(const std::string&) override {}
  void CloseDeleteWindow() override {}
  void PcFileStored(const std::string&, const std::string&, tesmora::DateSource) override {
    std::lock_guard lock(mutex_);
    storedAt_ = Clock::now();
  }
  void ArmBatchTimer() override {
    std::lock_guard lock(mutex_);
    timer_ = true;
  }
  void BusyCursor(bool) override {}
  bool TakeTimer() {
    std::lock_guard lock(mutex_);
    return std::exchange(timer_, false);
  }
  Clock::time_point storedAt() {
    std::lock_guard lock(mutex_);
    return storedAt_;
  }

 private:
  std::mutex mutex_;
  bool timer_ = false;
  Clock::time_point storedAt_{};
};

double ProcessCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A stored test file of about `size` bytes (format version 6: no raw pair),
// 0xFF bytes stuffed as the recorder stores them.
std::string TestFile(std::size_t size) {
  std::string file = "\x01\x02\x03\x04\x05\x06\x06";
  std::uint32_t state = 7;
  while (file.size() < size) {
    state = state * 1664525u + 1013904223u;
    const auto byte = static_cast<char>(state >> 24);
    file.push_back(byte);
    if (byte == '\xFF') file.push_back('\x10');
  }
  return file;
}

// The owner of a session that comes back after an unplug: it starts its
// start-up timer when the line is back and notes when the list is shown.
class HotPlugOwner : public QuietSession {
 public:
  void LineBack() override {
    std::lock_guard lock(mutex_);
    lineBack_ = true;
  }
  void RecorderFileCountShown(int) override {
    std::lock_guard lock(mutex_);
    listShownAt_ = Clock::now();
  }
  bool TakeLineBack() {
    std::lock_guard lock(mutex_);
    return std::exchange(lineBack_, false);
  }
  Clock::time_point listShownAt() {
    std::lock_guard lock(mutex_);
    return listShownAt_;
  }

 private:
  std::mutex mutex_;
  bool lineBack_ = false;
  Clock::time_point listShownAt_{};
};

struct Bench {
  explicit Bench(tesmora::sim::RecorderContents contents, bool emulate)
      : recorder(std::move(contents), {0, false, emulate, 1.0}), link(port, session, session) {
    if (!recorder.Open()) std::exit(1);
    server = std::thread([this] { recorder.Run(); });
    if (!port.Open(recorder.devicePath())) std::exit(1);
    link.WithState([&](tesmora::link::LinkState& s) {
      s.startupPhase = false;
      s.AutoSaveDirectory = folder + "/";
      s.programFilesDirectory = folder;
    });
    link.Start();
  }
  ~Bench() {
    link.Stop();
    port.Close();
    recorder.Stop();
    server.join();
    std::filesystem::remove_all(folder);
  }
  void RunToIdle() {
    while (true) {
      if (session.TakeTimer()) {
        std::this_thread::sleep_for(100ms);
        tesmora::link::BatchTimerTick({link, session, session});
        continue;
      }
      if (link.IsIdle()) return;
      std::this_thread::sleep_for(1ms);
    }
  }

  std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "tesmora-bench-XXXXXX");
    return std::string(::mkdtemp(pattern.data()));
  }();
  tesmora::sim::SimulatedRecorder recorder;
  tesmora::platform::PosixSerialPort port;
  QuietSession session;
  TRead link;
  std::thread server;
};

}  // namespace

namespace {

void MeasureLink(bool quick) {
  const auto idleTime = quick ? 2s : 10s;
  const int requests = quick ? 5 : 20;
  tesmora::sim::RecorderContents contents;
  contents.tests.push_back({"03151234.312", TestFile(60 * 1024), "", false, std::nullopt});
  contents.tests.push_back({"03151235.312", "\x01\x02\x03", "", false, std::nullopt});
  std::string program = "\x05";
  for (int i = 0; i < 100; ++i) program.push_back(static_cast<char>(i));
  contents.normalProgram = program;

  {
    Bench bench(contents, false);
    tesmora::platform::WriteWholeFile(
        tesmora::platform::LocalFileSystem(), bench.folder + "/tesmz.zlv", program,
        tesmora::platform::OverwritePolicy::Always, tesmora::platform::Durability::Precious);

    // 1. Idle processor time.
    std::this_thread::sleep_for(200ms);
    const double cpuBefore = ProcessCpuSeconds();
    const auto wallBefore = Clock::now();
    std::this_thread::sleep_for(idleTime);
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    std::printf("idle link: %.3f s of processor time over %.1f s = %.3f %% of one core\n", cpu,
                wall, 100.0 * cpu / wall);

    // 2. Request latency. A program size request is echoed at once; a push
    // is answered after the 100 ms pause that follows its speed change.
    // Each request is made with the link at rest (past the pauses that end
    // an exchange), as a recorder's request normally finds it.
    const auto answerTime = [&](Clock::time_point previous) {
      const auto deadline = Clock::now() + 5s;
      for (;;) {
        const auto [sent, answered] = bench.recorder.lastRequestTimes();
        if ((sent != previous && answered > sent) || Clock::now() > deadline) {
          return std::chrono::duration<double, std::milli>(answered - sent).count();
        }
        std::this_thread::sleep_for(1ms);
      }
    };
    double worstSize = 0, sumSize = 0, worstPush = 0, sumPush = 0;
    for (int i = 0; i < requests; ++i) {
      const auto measure = [&](auto request) {
        const auto previous = bench.recorder.lastRequestTimes().first;
        request();
        return answerTime(previous);
      };
      const double ms = measure([&] { bench.recorder.RequestProgram(false); });
      worstSize = std::max(worstSize, ms);
      sumSize += ms;
      bench.RunToIdle();
      std::this_thread::sleep_for(500ms);
      const double pushMs = measure([&] { bench.recorder.RequestPush("03151235.312"); });
      worstPush = std::max(worstPush, pushMs);
      sumPush += pushMs;
      bench.RunToIdle();
      std::this_thread::sleep_for(500ms);
    }
    std::printf(
        "program size request -> echo: mean %.2f ms, worst %.2f ms (%d requests)\n"
        "push request -> speed code answer: mean %.2f ms, worst %.2f ms "
        "(includes the protocol's 100 ms pause after the speed change)\n",
        sumSize / requests, worstSize, requests, sumPush / requests, worstPush);
  }

  // 3. Transfer time of 60 kB at each speed code, line speed emulated.
  const std::string& file = contents.tests[0].bytes;
  const double wireBytes = static_cast<double>(file.size() + 2);
  std::printf("60 kB test file (%zu bytes stored, %.0f bytes on the line):\n", file.size(),
              wireBytes);
  for (int code = 0; code <= 3; ++code) {
    Bench bench(contents, true);
    bench.recorder.SetSpeedCode(code);
    const auto start = Clock::now();
    tesmora::link::StartReceive({bench.link, bench.session, bench.session}, {"03151234.312"},
                                bench.folder + "/");
    bench.RunToIdle();
    const double seconds = std::chrono::duration<double>(bench.session.storedAt() - start).count();
    const int baud = tesmora::platform::BaudRateOfSpeedCode(code);
    const double limit = wireBytes * 10 / baud;
    // Command, reply and name go at 9600 baud; the pauses after the two speed
    // settings are 100 ms each.
    const double fixed = 0.2 + (2 + 2 * 13) * 10.0 / 9600 + 4 * 10.0 / baud;
    std::printf(
        "  speed code %d (%5d baud): %.3f s; line limit %.3f s + fixed %.3f s = %.3f s; "
        "excess %.1f %% of the line limit\n",
        code, baud, seconds, limit, fixed, limit + fixed,
        100.0 * (seconds - limit - fixed) / limit);
  }

  // 4. Idle after a hang-up: the recorder goes, its pseudo-terminal with it.
  {
    QuietSession session;
    auto recorder = std::make_unique<tesmora::sim::SimulatedRecorder>(
        tesmora::sim::RecorderContents{}, tesmora::sim::SimOptions{});
    if (!recorder->Open()) std::exit(1);
    std::thread server([&] { recorder->Run(); });
    tesmora::platform::PosixSerialPort port;
    if (!port.Open(recorder->devicePath())) std::exit(1);
    TRead link(port, session, session);
    link.WithState([](tesmora::link::LinkState& s) { s.startupPhase = false; });
    link.Start();
    std::this_thread::sleep_for(200ms);
    recorder->Stop();
    server.join();
    recorder.reset();
    std::this_thread::sleep_for(200ms);
    const auto hungUpTime = quick ? 2s : 5s;
    const double cpuBefore = ProcessCpuSeconds();
    const auto wallBefore = Clock::now();
    std::this_thread::sleep_for(hungUpTime);
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    std::printf(
        "idle link on a hung-up line: %.3f s of processor time over %.1f s = %.3f %% of one "
        "core (goal: under 1 %%)\n",
        cpu, wall, 100.0 * cpu / wall);
    link.Stop();
  }

  // 5. A list request on a port that never opened: both attempts time out.
  {
    QuietSession session;
    tesmora::platform::PosixSerialPort port;
    TRead link(port, session, session);
    link.WithState([](tesmora::link::LinkState& s) { s.startupPhase = false; });
    link.Start();
    const double cpuBefore = ProcessCpuSeconds();
    const auto wallBefore = Clock::now();
    link.StartCommand(tesmora::link::kCmdList);
    while (link.IsBusy()) std::this_thread::sleep_for(5ms);
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    std::printf("list request on a closed port: %.3f s of processor time over %.1f s\n", cpu, wall);
    link.Stop();
  }
}

// 6 and 7. The adapter unplugged and plugged back, through a session that
// reached it by its stable name (a link to the terminal, as udev's are).
void MeasureUnplug(bool quick) {
  {
    const std::string folder = [] {
      std::string pattern = (std::filesystem::temp_directory_path() / "tesmora-bench-XXXXXX");
      return std::string(::mkdtemp(pattern.data()));
    }();
    const std::string stable = folder + "/usb-KALDIRONE-if00-port0";
    tesmora::sim::RecorderContents recorderContents;
    recorderContents.tests = {{"03151235.312", "\x01\x02\x03", "", false, std::nullopt}};
    recorderContents.diskC = {{"flash.cnf", "E\r\n", "", false, std::nullopt}};
    recorderContents.flash = {{"cliente.txt", std::string(142, 'c'), "", false, std::nullopt},
                              {"protocol.txt", std::string(22, 'p'), "", false, std::nullopt}};
    recorderContents.flashLetter = 'E';
    std::unique_ptr<tesmora::sim::SimulatedRecorder> recorder;
    std::thread server;
    const auto plugIn = [&] {
      recorder = std::make_unique<tesmora::sim::SimulatedRecorder>(recorderContents,
                                                                   tesmora::sim::SimOptions{});
      if (!recorder->Open()) std::exit(1);
      server = std::thread([&] { recorder->Run(); });
      const std::string fresh = stable + ".new";
      std::filesystem::remove(fresh);
      std::filesystem::create_symlink(recorder->devicePath(), fresh);
      std::filesystem::rename(fresh, stable);
    };
    const auto unplug = [&] {
      recorder->Stop();
      server.join();
      recorder.reset();
      std::filesystem::remove(stable);
    };
    HotPlugOwner owner;
    tesmora::platform::PosixSerialPort port;
    plugIn();
    if (!port.Open(stable)) std::exit(1);
    tesmora::link::LinkSession session(port, owner, owner);
    tesmora::link::LinkSeed seed;
    seed.startupPhase = false;
    seed.autoSaveDirectory = folder + "/";
    seed.programFilesDirectory = folder;
    session.Seed(seed);
    session.PrepareStartup(folder, nullptr);
    session.Start();

    const int plugs = quick ? 2 : 5;
    double sumBack = 0, worstBack = 0, sumCpu = 0, worstCpu = 0;
    const auto goneTime = quick ? 2s : 5s;
    for (int i = 0; i < plugs; ++i) {
      unplug();
      std::this_thread::sleep_for(300ms);  // the hang-up is met and said
      const double cpuBefore = ProcessCpuSeconds();
      const auto wallBefore = Clock::now();
      std::this_thread::sleep_for(goneTime);
      const double gonePercent = 100.0 * (ProcessCpuSeconds() - cpuBefore) /
                                 std::chrono::duration<double>(Clock::now() - wallBefore).count();
      sumCpu += gonePercent;
      worstCpu = std::max(worstCpu, gonePercent);

      plugIn();
      const auto returned = Clock::now();
      // The owner: its start-up timer starts when the line is back and runs
      // until the sequence stops it; its batch timer carries the downloads.
      while (!owner.TakeLineBack()) std::this_thread::sleep_for(1ms);
      auto nextTick = Clock::now() + 1500ms;
      // A sequence that failed waits 256 ticks for its next attempt: that is
      // no figure to wait for.
      const auto giveUp = Clock::now() + 30s;
      for (bool running = true; running && Clock::now() < giveUp;) {
        if (owner.TakeTimer()) session.BatchTimerTick();
        if (Clock::now() >= nextTick) {
          running = session.StartupTick();
          nextTick += 1500ms;
        }
        std::this_thread::sleep_for(1ms);
      }
      const double seconds = std::chrono::duration<double>(owner.listShownAt() - returned).count();
      sumBack += seconds;
      worstBack = std::max(worstBack, seconds);
    }
    std::printf(
        "device gone, waiting for its return: mean %.3f %%, worst %.3f %% of one core over "
        "%.0f s each (goal: under 1 %%)\n"
        "device back -> recorder list shown: mean %.2f s, worst %.2f s over %d plugs "
        "(goal: under 3 s)\n",
        sumCpu / plugs, worstCpu, std::chrono::duration<double>(goneTime).count(), sumBack / plugs,
        worstBack, plugs);
    session.Stop();
    port.Close();
    unplug();
    std::filesystem::remove_all(folder);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  // --unplug: only the figures of the adapter unplugged and plugged back.
  const bool unplugOnly = argc > 1 && std::strcmp(argv[argc - 1], "--unplug") == 0;
  if (!unplugOnly) MeasureLink(quick);
  MeasureUnplug(quick);
  return 0;
}
