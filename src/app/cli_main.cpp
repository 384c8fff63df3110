// tesmora-cli: Tesmora's work from a terminal or a script.
// Exit status: 0 success, 1 a failure that was reported, 2 wrong usage.
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: tesmora-cli [--help] [--version]\n"
    "\n"
    "Tesmora's command-line program. Commands come with the records engine\n"
    "and the recorder link.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("TESMORA 3.06");
    return 0;
  }
  std::fputs(kUsage, stderr);
  return 2;
}
