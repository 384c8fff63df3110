#include "shell/window_placement.h"

namespace tesmora {

WindowOrigin CentredOrigin(int screenWidth, int screenHeight, int width, int height) {
  return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

WindowOrigin SplashOrigin(int screenWidth, int screenHeight, int width, int height) {
  return {(screenWidth - width) / 2, (screenHeight - height) / 4};
}

}  // namespace tesmora
