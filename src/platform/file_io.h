#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

namespace tesmora::platform {

class FileDescriptor;

// What opening a file for reading found.
enum class OpenStatus { Opened, NotAFile, Failed };

// Opens a regular file (or a link to one) for reading and nothing else: a
// named pipe would hold the open, and then every read, until some program
// wrote into it; a device may never end or may act on being opened (a serial
// port's lines). Those are NotAFile and are never opened for good: what is
// opened is checked through its descriptor, so nothing swapped in after a
// first look gets through. On Opened, `fd` holds the file and `info` its
// facts; on Failed, errno says why.
OpenStatus OpenRegularFile(const std::string& path, FileDescriptor& fd, struct stat& info);

// The whole content of a regular file, or nothing when it cannot be opened or
// read or is no regular file.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Whether anything (file, folder, device) exists under this path.
bool FileExists(const std::string& path);

// How hard a replacement insists on reaching the disk before it is renamed
// into place.
enum class Durability {
  // Flushed to disk first: settings, company lines, files received from the
  // recorder, which exist nowhere else.
  Precious,
  // Not flushed: files the program can make again from others (exports,
  // its own scratch files). Still never seen half-written.
  Replaceable,
};

}  // namespace tesmora::platform
