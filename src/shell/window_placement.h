#pragma once

#include <string_view>

namespace tesmora {

// The program's version, shown in the splash window and the about box, and
// the application title that carries it.
inline constexpr std::string_view kProgramVersion = "3.06";
inline constexpr std::string_view kApplicationTitle = "TESMORA 3.06";

struct WindowOrigin {
  int left = 0;
  int top = 0;
};

// Where a window of this size stands when centred on the screen; the halves
// are truncated toward zero, so a window larger than the screen starts at a
// negative offset as the other windows of the program do.
WindowOrigin CentredOrigin(int screenWidth, int screenHeight, int width, int height);

// The splash window stands in the upper part of the screen: centred
// horizontally, a quarter of the free height above it and three quarters
// below.
WindowOrigin SplashOrigin(int screenWidth, int screenHeight, int width, int height);

}  // namespace tesmora
