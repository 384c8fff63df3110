#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <string_view>

#include "app/cli_command.h"

namespace tesmora::cli {

// A command's options, defined once: they parse its arguments, and its --help
// (or -h) and its usage errors show the usage line they make, followed by the
// command's description. In that line the options stand in the order they are
// defined, each in brackets unless required; a group of alternatives of which
// one is required stands in parentheses, after the options and before the
// arguments that follow them.
class CommandLine {
 public:
  explicit CommandLine(const Command& command);

  CLI::App& app() { return app_; }
  CLI::App* operator->() { return &app_; }

  // Nothing when the arguments are right; otherwise the exit status, after
  // the help was printed: 0 when it was asked for (on standard output), 2 on
  // wrong usage (on standard error).
  std::optional<int> Parse(int argc, char** argv);

  std::string Help() const { return app_.help(); }

 private:
  CLI::App app_;
};

// A group of options of which exactly one is given, each at most once.
CLI::Option_group* OneOf(CLI::App& app, const std::string& name);

// Checks for option values. They add nothing to the usage line.
CLI::Validator NotEmpty();
// An integer in `base` (0: as C writes it) from `min` to `max`.
CLI::Validator IntegerIn(long min, long max, int base);
// A language's two-letter code, turned into its index.
CLI::Validator LanguageCode();

// The two-letter codes of the languages, in their order: "fr|en|...".
std::string LanguageCodes();

}  // namespace tesmora::cli
