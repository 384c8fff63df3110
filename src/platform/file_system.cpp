#include "platform/file_system.h"

#include "platform/paths.h"
#include "platform/posix_file_system.h"

namespace tesmora::platform {

std::optional<DirectoryEntry> FileSystem::Entry(const std::string& folder,
                                                const std::string& name) {
  const auto entries = List(folder);
  if (!entries) return std::nullopt;
  for (const DirectoryEntry& entry : *entries) {
    if (entry.name == name) return entry;
  }
  return std::nullopt;
}

bool SameFolder(FileSystem& fs, std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return false;
  if (WithTrailingSeparator(a) == WithTrailingSeparator(b)) return true;
  const std::optional<FileIdentity> identityA = fs.Identity(std::string(a));
  return identityA && identityA == fs.Identity(std::string(b));
}

FsStatus WriteWholeFile(FileSystem& fs, const std::string& path, std::string_view bytes,
                        OverwritePolicy policy, Durability durability) {
  const std::unique_ptr<FileWriter> writer = fs.OpenWriter(path);
  if (!writer) return FsStatus::Failed;
  if (!writer->Write(bytes)) return writer->diskFull() ? FsStatus::DiskFull : FsStatus::Failed;
  // A name taken meanwhile keeps its file: this writer goes with nothing left.
  return writer->Commit(policy, durability);
}

FileSystem& LocalFileSystem() {
  static PosixFileSystem local;
  return local;
}

}  // namespace tesmora::platform
