#include "app/cli_command_line.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "shell/languages.h"

namespace tesmora::cli {

namespace {

constexpr std::string_view kProgram = "tesmora-cli";
// A usage line breaks before an option that would carry it past this column;
// its next line starts under the first option.
constexpr std::size_t kUsageWidth = 88;

// How an option stands in the usage line, brackets aside.
std::string Spelled(const CLI::Option& option) {
  if (option.get_positional()) {
    return option.get_type_name() + (option.get_items_expected_max() > 1 ? "..." : "");
  }
  std::string text = option.get_name();
  if (option.get_items_expected_max() > 0) text += " " + option.get_type_name();
  return text;
}

std::string Alternatives(const CLI::App& group) {
  std::string text;
  for (const CLI::Option* option : group.get_options()) {
    if (option == group.get_help_ptr()) continue;
    text += (text.empty() ? "(" : " | ") + Spelled(*option);
  }
  return text + ")";
}

// The usage line's items: the arguments defined before any option, the
// options, the groups of alternatives, then the arguments after the options.
std::vector<std::string> UsageItems(const CLI::App& app) {
  std::vector<std::string> leading;
  std::vector<std::string> options;
  std::vector<std::string> trailing;
  for (const CLI::Option* option : app.get_options()) {
    if (option == app.get_help_ptr()) continue;
    if (option->get_positional()) {
      (options.empty() ? leading : trailing).push_back(Spelled(*option));
    } else {
      options.push_back(option->get_required() ? Spelled(*option) : "[" + Spelled(*option) + "]");
    }
  }
  for (const CLI::App* group : app.get_subcommands({})) {
    if (group->get_name().empty()) options.push_back(Alternatives(*group));
  }
  leading.insert(leading.end(), options.begin(), options.end());
  leading.insert(leading.end(), trailing.begin(), trailing.end());
  return leading;
}

class UsageFormatter : public CLI::FormatterBase {
 public:
  std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override {
    std::string line = "usage: " + std::string(kProgram) + " " + app->get_name();
    const std::size_t indent = line.size() + 1;
    std::string text;
    for (const std::string& item : UsageItems(*app)) {
      if (line.size() + 1 + item.size() > kUsageWidth && line.size() > indent) {
        text += line + "\n";
        line = std::string(indent - 1, ' ');
      }
      line += " " + item;
    }
    return text + line + "\n" + app->get_description();
  }
};

CLI::Validator Checked(std::function<std::string(std::string&)> check) {
  // No description: the usage line shows the value's name alone.
  return CLI::Validator(std::move(check), "");
}

}  // namespace

CommandLine::CommandLine(const Command& command)
    : app_(std::string(command.description), std::string(command.name)) {
  app_.formatter(std::make_shared<UsageFormatter>());
  // An option given twice takes its last value, as it always has.
  app_.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

std::optional<int> CommandLine::Parse(int argc, char** argv) {
  try {
    app_.parse(argc, argv);
    return std::nullopt;
  } catch (const CLI::CallForHelp&) {
    std::fputs(Help().c_str(), stdout);
    return 0;
  } catch (const CLI::ParseError&) {
    std::fputs(Help().c_str(), stderr);
    return 2;
  }
}

CLI::Option_group* OneOf(CLI::App& app, const std::string& name) {
  CLI::Option_group* group = app.add_option_group(name);
  group->option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::Throw);
  group->require_option(1);
  return group;
}

CLI::Validator NotEmpty() {
  return Checked([](std::string& value) { return value.empty() ? "empty" : std::string(); });
}

CLI::Validator IntegerIn(long min, long max, int base) {
  return Checked([=](std::string& value) -> std::string {
    char* end = nullptr;
    const long number = std::strtol(value.c_str(), &end, base);
    if (end == value.c_str() || *end != '\0' || number < min || number > max) {
      return "not an integer from " + std::to_string(min) + " to " + std::to_string(max);
    }
    // Read once, here, in the option's own base.
    value = std::to_string(number);
    return {};
  });
}

CLI::Validator LanguageCode() {
  return Checked([](std::string& value) -> std::string {
    const LanguageEntry* language = FindLanguageByCode(value);
    if (language == nullptr) return "not a language code";
    value = std::to_string(language->languageIndex);
    return {};
  });
}

std::string LanguageCodes() {
  std::string codes;
  for (const LanguageEntry& language : kLanguages) {
    codes += (codes.empty() ? "" : "|") + std::string(language.isoCode);
  }
  return codes;
}

}  // namespace tesmora::cli
