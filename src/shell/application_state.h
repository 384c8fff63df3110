#pragma once

#include <optional>
#include <string>

// What the user switches while the program runs and every part reads: the
// main window keeps it and hands it by reference to the panes and rules.
namespace tesmora {

struct ApplicationState {
  // Display all files: both lists show every file, the recorder's memories
  // can be chosen, and any PC file may be dropped on the recorder list. Off
  // at each start; the menu item's check mark shows it.
  bool allFilesMode = false;
};

// What a click on Display all files came to.
enum class AllFilesSwitch { Off, On, Unchanged, AccessDenied };

// Switching on needs the display-all-files password; the caller asks for it
// only then (NeedsAllFilesPassword), and passes nothing when the dialog was
// cancelled. Switching off needs nothing.
bool NeedsAllFilesPassword(const ApplicationState& state);
AllFilesSwitch SwitchAllFilesMode(ApplicationState& state,
                                  const std::optional<std::string>& typedPassword);

}  // namespace tesmora
