#pragma once

// How a test waits for something to happen on another thread or in another
// process: it asks again every few milliseconds until the thing holds, and
// gives up after a bound that only a stuck program reaches. Window tests wait
// with QTest::qWaitFor instead, which lets the event loop run meanwhile.

#include <chrono>
#include <thread>

namespace tesmora::testing {

// Generous for a loaded machine and a sanitizer build; a wait that succeeds
// returns as soon as its condition holds.
inline constexpr std::chrono::milliseconds kWaitBound{30000};

// Whether `done` came to hold before `bound` passed.
template <typename Condition>
bool WaitUntil(Condition&& done, std::chrono::milliseconds bound = kWaitBound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

}  // namespace tesmora::testing
