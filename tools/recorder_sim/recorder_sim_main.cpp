// tesmora-recorder-sim: a simulated recorder on a pseudo-terminal.
//
// It prints the device path of its terminal (and links it to --link PATH),
// then serves the link until its standard input ends. Control lines on
// standard input:
//   push NAME                    push a test file of the folder
//   program normal|emergency     ask for a program file
//   fault NAME                   a fault for the next exchange: no-reply,
//                                late-reply, wrong-echo, truncated-stream,
//                                wrong-checksum, wrong-ack, deletion-refused
//   speed 0|1|2|3                speed code of the next exchanges
//   unplug                       as an adapter pulled out: the terminal closes
//                                and the --link is removed
//   plug                         plugged back: a new terminal behind the link
//   quit
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "records/test_names.h"
#include "simulated_recorder.h"

namespace {

constexpr char kUsage[] =
    "usage: tesmora-recorder-sim [options]\n"
    "  --folder DIR        test files of the recorder (section 0); a file samples.txt\n"
    "                      there gives 'NAME<TAB>sample<TAB>0|1' lines\n"
    "  --disk-c DIR        files of disk C (flash.cnf and others)\n"
    "  --flash DIR         files of the flash disk (cliente.txt, protocol.txt)\n"
    "  --flash-letter X    drive letter of the flash disk (default D)\n"
    "  --version TEXT      version text (default KAL V2.41)\n"
    "  --programs DIR      tesmz.zlv and tesafe.zlv the recorder expects to receive\n"
    "  --speed N|random    speed code of every exchange (default 0)\n"
    "  --emulate-line      pace bytes at 10 bits a byte at the baud rate in force\n"
    "  --link PATH         make PATH a symbolic link to the terminal\n"
    "Files put or deleted by the PC change the recorder in memory only; the folders\n"
    "are read once at start. Control lines on standard input: push NAME,\n"
    "program normal|emergency, fault NAME, speed N, quit, and\n"
    "  unplug              as a USB adapter pulled out: the terminal closes (the PC\n"
    "                      sees the line hang up) and the --link PATH goes away\n"
    "  plug                plugged back: a new terminal, the --link PATH pointing at\n"
    "                      it again; the recorder keeps its memory meanwhile\n";

void LoadSamples(const std::string& folder, std::vector<tesmora::sim::RecorderFile>& files) {
  const auto text =
      tesmora::platform::ReadWholeFile(tesmora::platform::JoinPath(folder, "samples.txt"));
  if (!text) return;
  std::size_t start = 0;
  while (start < text->size()) {
    std::size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    const std::string line = text->substr(start, end - start);
    start = end + 1;
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab1 == std::string::npos) continue;
    for (auto& file : files) {
      if (file.name != line.substr(0, tab1)) continue;
      file.sample = line.substr(tab1 + 1, tab2 == std::string::npos ? tab2 : tab2 - tab1 - 1);
      file.degradation = tab2 != std::string::npos && line.substr(tab2 + 1) == "1";
    }
  }
}

// Points `link` at `target` in one step, as udev replaces a device's link.
bool PointLinkAt(const std::string& link, const std::string& target) {
  const std::string fresh = link + ".new";
  ::unlink(fresh.c_str());
  return ::symlink(target.c_str(), fresh.c_str()) == 0 &&
         std::rename(fresh.c_str(), link.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tesmora::sim;
  RecorderContents contents;
  SimOptions options;
  std::string linkPath;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--emulate-line") {
      options.emulateLine = true;
    } else if (hasValue && arg == "--folder") {
      contents.tests = LoadFolder(argv[++i]);
      LoadSamples(argv[i], contents.tests);
      for (auto& file : contents.tests) {
        // Consistency tests carry their basis flags byte before the file.
        if (tesmora::IsConsistencyKind(tesmora::KindDigitOf(file.name))) file.basisFlags = 0x0C;
      }
    } else if (hasValue && arg == "--disk-c") {
      contents.diskC = LoadFolder(argv[++i]);
    } else if (hasValue && arg == "--flash") {
      contents.flash = LoadFolder(argv[++i]);
    } else if (hasValue && arg == "--flash-letter") {
      contents.flashLetter = argv[++i][0];
    } else if (hasValue && arg == "--version") {
      contents.version = argv[++i];
    } else if (hasValue && arg == "--programs") {
      const std::string dir = argv[++i];
      contents.normalProgram =
          tesmora::platform::ReadWholeFile(tesmora::platform::JoinPath(dir, "tesmz.zlv"))
              .value_or("");
      contents.emergencyProgram =
          tesmora::platform::ReadWholeFile(tesmora::platform::JoinPath(dir, "tesafe.zlv"))
              .value_or("");
    } else if (hasValue && arg == "--speed") {
      const std::string value = argv[++i];
      if (value == "random") {
        options.randomSpeed = true;
      } else {
        options.speedCode = std::atoi(value.c_str()) & 0x0F;
      }
    } else if (hasValue && arg == "--link") {
      linkPath = argv[++i];
    } else {
      std::cerr << kUsage;
      return 2;
    }
  }

  // The recorder behind its terminal; unplug and plug replace it, keeping
  // what its memory holds.
  std::unique_ptr<SimulatedRecorder> recorder;
  std::thread server;
  const auto plug = [&](RecorderContents memory) {
    recorder = std::make_unique<SimulatedRecorder>(std::move(memory), options);
    if (!recorder->Open()) {
      std::cerr << "tesmora-recorder-sim: cannot open a pseudo-terminal\n";
      return false;
    }
    if (!linkPath.empty() && !PointLinkAt(linkPath, recorder->devicePath())) {
      std::cerr << "tesmora-recorder-sim: cannot link " << linkPath << "\n";
      return false;
    }
    std::cout << recorder->devicePath() << std::endl;
    server = std::thread([&] { recorder->Run(); });
    return true;
  };
  std::size_t logged = 0;
  const auto logEvents = [&] {
    if (!recorder) return;
    const SimRecord record = recorder->record();
    for (; logged < record.events.size(); ++logged) std::cout << record.events[logged] << "\n";
    std::cout.flush();
  };
  const auto unplug = [&] {
    logEvents();
    recorder->Stop();
    server.join();
    RecorderContents memory = recorder->contents();
    // The terminal closes with the recorder: the PC's side hangs up.
    recorder.reset();
    logged = 0;
    if (!linkPath.empty()) ::unlink(linkPath.c_str());
    return memory;
  };
  if (!plug(std::move(contents))) return 1;
  RecorderContents unplugged;

  std::string line;
  while (std::getline(std::cin, line)) {
    const std::size_t space = line.find(' ');
    const std::string verb = line.substr(0, space);
    const std::string arg = space == std::string::npos ? "" : line.substr(space + 1);
    if (verb == "quit") break;
    if (verb == "plug" || verb == "unplug") {
      if ((verb == "plug") == (recorder != nullptr)) {
        std::cerr << "already " << verb << "ged\n";
      } else if (verb == "unplug") {
        unplugged = unplug();
        std::cout << "unplugged" << std::endl;
      } else if (!plug(std::move(unplugged))) {
        return 1;
      }
      continue;
    }
    if (!recorder) {
      std::cerr << "unplugged; plug first: " << line << "\n";
      continue;
    }
    if (verb == "push") {
      recorder->RequestPush(arg);
    } else if (verb == "program") {
      recorder->RequestProgram(arg == "emergency");
    } else if (verb == "speed") {
      recorder->SetSpeedCode(std::atoi(arg.c_str()));
    } else if (verb == "fault" && FaultFromName(arg)) {
      recorder->SetFault(*FaultFromName(arg));
    } else if (!verb.empty()) {
      std::cerr << "unknown control line: " << line << "\n";
    }
    logEvents();
  }
  if (recorder) unplug();
  return 0;
}
