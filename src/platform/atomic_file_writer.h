#pragma once

#include <string>
#include <string_view>

#include "platform/file_io.h"
#include "platform/file_system.h"

namespace tesmora::platform {

// The temporary name beside a file called `name`: the name, ".tmp" and the
// `unique` part, the name cut (between two UTF-8 characters) so that the
// whole stays within `nameLimit` bytes, the longest name the folder takes.
std::string TemporaryName(std::string_view name, std::string_view unique, std::size_t nameLimit);

// A file written piece by piece under a temporary name in its own folder and
// renamed to its name only by Commit: until then an older file of that name
// stays whole, and Discard (or destruction) leaves no trace.
class AtomicFileWriter : public FileWriter {
 public:
  AtomicFileWriter() = default;
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter() override { Discard(); }

  // Creates the temporary file beside `path`; false when the folder does not
  // take it.
  bool Open(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }
  bool Write(std::string_view bytes) override;
  // Flushes, syncs (for precious files) and renames to the target: over it
  // with Always, else only while the name is free, in one step that a file
  // appearing meanwhile cannot slip into (Exists, and the written file waits
  // for another Commit or Discard). Any other failure leaves nothing behind.
  FsStatus Commit(OverwritePolicy policy, Durability durability) override;
  void Discard() override;
  // Whether the last failure was a full disk.
  bool diskFull() const override { return diskFull_; }

 private:
  bool Flush();

  int fd_ = -1;
  std::string path_;
  std::string temp_;
  std::string pending_;
  bool diskFull_ = false;
};

}  // namespace tesmora::platform
