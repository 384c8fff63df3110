#pragma once

class QApplication;

namespace tesmora::ui {

// What the desktop program tells Qt about itself before its first window:
// its name and icon. It sets no application display name: Qt would append
// that to every window's caption under a real window system, and each window
// shows exactly its caption from the message table.
void SetUpApplication(QApplication& application);

}  // namespace tesmora::ui
