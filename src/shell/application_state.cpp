#include "shell/application_state.h"

#include "shell/main_window_rules.h"

namespace tesmora {

bool NeedsAllFilesPassword(const ApplicationState& state) { return !state.allFilesMode; }

AllFilesSwitch SwitchAllFilesMode(ApplicationState& state,
                                  const std::optional<std::string>& typedPassword) {
  if (state.allFilesMode) {
    state.allFilesMode = false;
    return AllFilesSwitch::Off;
  }
  if (!typedPassword) return AllFilesSwitch::Unchanged;
  if (!IsDisplayAllFilesPassword(*typedPassword)) return AllFilesSwitch::AccessDenied;
  state.allFilesMode = true;
  return AllFilesSwitch::On;
}

}  // namespace tesmora
