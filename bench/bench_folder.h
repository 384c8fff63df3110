#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace tesmora::bench {

// A fresh folder under the system's temporary folder, removed with its
// content when the object goes.
class Folder {
 public:
  Folder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tesmora-bench-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  ~Folder() { std::filesystem::remove_all(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace tesmora::bench
