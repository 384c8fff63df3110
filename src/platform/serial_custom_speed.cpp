// termios2 and BOTHER come from the kernel's header, which cannot share a
// translation unit with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include "platform/posix_serial_port.h"

namespace tesmora::platform {

bool SetCustomBaudRate(int fd, int baudRate) {
  struct termios2 settings {};
  if (::ioctl(fd, TCGETS2, &settings) != 0) return false;
  settings.c_cflag &= ~CBAUD;
  settings.c_cflag |= BOTHER;
  settings.c_ispeed = static_cast<speed_t>(baudRate);
  settings.c_ospeed = static_cast<speed_t>(baudRate);
  return ::ioctl(fd, TCSETS2, &settings) == 0;
}

int ReadBaudRate(int fd) {
  struct termios2 settings {};
  if (::ioctl(fd, TCGETS2, &settings) != 0) return -1;
  return static_cast<int>(settings.c_ospeed);
}

}  // namespace tesmora::platform
