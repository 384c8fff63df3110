#include "shell/message_code_page.h"

namespace tesmora {

CodePage MessageCodePage(int id) {
  return id < kFirstWindowsMessage ? CodePage::Dos850 : CodePage::Windows1252;
}

}  // namespace tesmora
