#pragma once

// The folders the explorer's benchmarks browse, made in a temporary folder,
// and a file system whose home folder is that folder.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/posix_file_system.h"

namespace tesmora::bench {

// A laboratory's archive: test files of every kind over the years, one in
// ten with its export beside it, and a few other files.
inline void MakeTestFiles(const std::string& folder, int count) {
  std::filesystem::create_directories(folder);
  static const char kKinds[] = "123456";
  for (int i = 0; i < count; ++i) {
    char name[32];
    const int month = 1 + i % 12, day = 1 + i % 28, year = (95 + i / 400) % 100;
    if (i % 10 == 9) {
      std::snprintf(name, sizeof name, "%02d%02d%04d.AHC", month, day, i % 10000);
    } else if (i % 50 == 7) {
      std::snprintf(name, sizeof name, "notes%05d.txt", i);
    } else {
      std::snprintf(name, sizeof name, "%02d%02d%04d.%c%02d", month, day, i % 10000, kKinds[i % 6],
                    year);
    }
    std::ofstream(folder + "/" + name) << "x";
  }
}

// A folder of `count` subfolders, named out of order; every other one has
// one of its own, to show an expand button.
inline void MakeSubfolders(const std::string& folder, int count) {
  for (int i = 0; i < count; ++i) {
    const std::string sub = folder + "/Week " + std::to_string(count - i);
    std::filesystem::create_directories(i % 2 == 0 ? sub + "/Day" : sub);
  }
}

// No mount table: the home folder is the only drive besides the root.
inline std::unique_ptr<platform::PosixFileSystem> FileSystemOver(const std::string& home) {
  platform::DriveSources sources;
  sources.mountTable = home + "/no-mount-table";
  sources.homeFolder = home;
  return std::make_unique<platform::PosixFileSystem>(sources);
}

}  // namespace tesmora::bench
