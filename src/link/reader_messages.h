#pragma once

// What the reader thread's source files share; not for use outside them.
namespace tesmora::link::reader {

inline constexpr int kMessageOpeningError = 54;
inline constexpr int kMessageVersion = 286;
inline constexpr int kMessageCommunication = 287;
inline constexpr int kMessageDiskFull = 292;

}  // namespace tesmora::link::reader
