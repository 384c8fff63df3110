#pragma once

#include <stdio.h>
#include <sys/wait.h>

#include <string>

namespace tesmora::testing {

struct CommandRun {
  int status = -1;     // exit status, -1 when the command did not exit normally
  std::string output;  // standard output, and standard error when the command redirects it
};

// Runs a shell command line and collects what it prints.
inline CommandRun RunCommand(const std::string& commandLine) {
  CommandRun run;
  FILE* pipe = ::popen(commandLine.c_str(), "r");
  if (pipe == nullptr) return run;
  char chunk[4096];
  for (std::size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) run.output.append(chunk, n);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace tesmora::testing
