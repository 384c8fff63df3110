#pragma once

#include <QString>
#include <string_view>

namespace tesmora::ui {

// UTF-8 text for a widget or a painter.
inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tesmora::ui
