#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tesmora::platform {

// Why a port did not open, in the terms a person can act on.
enum class OpenFailure {
  None,
  NoDevice,          // nothing at that path (unplugged, or a name that is not there)
  PermissionDenied,  // the user may not open the device
  HeldElsewhere,     // another program has it for its own use
  Other,
};

struct OpenError {
  OpenFailure failure = OpenFailure::None;
  // The group that owns the device, for a permission refusal: membership of
  // it is what lets a user open the port.
  std::string deviceGroup;
};

// The one serial port that leads to the recorder: 8 data bits, no parity,
// one stop bit, no flow control. Reads and writes are single bytes.
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  virtual bool Open(const std::string& devicePath) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Speed codes 0 to 3 select 9600, 19200, 38400 and 56000 baud; any other
  // code leaves the speed as it is. Returns false when the port refused it.
  virtual bool SetSpeedCode(int code) = 0;
  // How long ReadByte waits for a byte; 0 is the idle profile (no wait).
  virtual void SetReadTimeout(int milliseconds) = 0;
  // Drops what waits to go out and/or what came in and was not read.
  virtual void Purge(bool output, bool input) = 0;
  // A single byte sent at once (commands, echoes).
  virtual bool SendImmediate(std::uint8_t byte) = 0;
  // Bulk data of a send.
  virtual bool WriteByte(std::uint8_t byte) = 0;
  // The next byte, or nothing when the time-out expired.
  virtual std::optional<std::uint8_t> ReadByte() = 0;
  // True when a byte is already waiting to be read without touching the line.
  virtual bool HasBufferedInput() const = 0;
  // A descriptor that becomes readable when bytes arrive, for a reader that
  // waits on the port and other events at once; -1 when closed.
  virtual int PollDescriptor() const = 0;
  // True once the line has hung up under an open port (the adapter was
  // unplugged, the far end of a pseudo-terminal closed): reads then end at
  // once and nothing will arrive until the port is opened again.
  // It stays true after Close, until the next Open.
  virtual bool HungUp() const { return false; }
  // Why the last Open failed (None after a good one).
  virtual OpenError LastOpenError() const { return {}; }
  // The path of the last good Open, kept after Close, by which a device that
  // went away can be opened again when it comes back; empty when that path
  // could lead to another device by then.
  virtual std::string ReturnPath() const { return {}; }
};

// Baud rate of a speed code, or 0 for a code that leaves the speed unchanged.
int BaudRateOfSpeedCode(int code);

}  // namespace tesmora::platform
