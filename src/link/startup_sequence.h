#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "link/transfers.h"

namespace tesmora::link {

inline constexpr std::string_view kFlashConfigFile = "flash.cnf";
inline constexpr std::string_view kCustomerListFile = "cliente.txt";
inline constexpr std::string_view kProtocolListFile = "protocol.txt";

// The start-up sequence that the 1500 ms timer (Timer1) runs once after
// launch: list the recorder on the second tick, then ask its version, then
// download "flash.cnf", then "cliente.txt" and "protocol.txt", then load the
// two lists. A failure anywhere stops it until the tick counter comes round
// to 1 again, 256 ticks later, when it starts afresh.
class StartupSequence {
 public:
  // programDirectory: where the three files are downloaded (no trailing
  // separator). loadLists: LoadCustomerAndProtocolLists of the records layer.
  StartupSequence(std::string programDirectory, std::function<void()> loadLists);

  // One tick; returns false when the timer is to be disabled.
  bool Tick(const LinkContext& context);

  // From the beginning again, for a line that came back: its next tick lists
  // the recorder (the port is open already, and the tick's 1500 ms have let
  // the adapter settle).
  void Restart() { tick_ = 1; }

  std::uint8_t tickCounter() const { return tick_; }

 private:
  std::string programDirectory_;
  std::function<void()> loadLists_;
  std::uint8_t tick_ = 0;
};

// The flash drive letter: the first byte of "flash.cnf", or 0 when the file
// cannot be read, is empty or does not begin with a letter.
char ReadFlashDriveLetter(const std::string& programDirectory);

}  // namespace tesmora::link
