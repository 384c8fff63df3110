#include "shell/company.h"

#include <optional>
#include <utility>
#include <vector>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/profile_file.h"

namespace tesmora {

namespace {

// Read from "Societe" and written to "societe": the names match without
// regard to case, so files written by other tools as [SOCIETE] read the same.
constexpr std::string_view kReadSection = "Societe";
constexpr std::string_view kWriteSection = "societe";

std::string KeyOfLine(std::size_t index) { return "Ligne" + std::to_string(index + 1); }

}  // namespace

structure_societe DefaultCompanyLines() {
  return {{"LABORATORY NAME", "Street and number", "Postcode and town", "Country"}};
}

structure_societe ReadCompanyFile(const std::string& programDirectory) {
  structure_societe company = DefaultCompanyLines();
  const std::optional<std::string> content =
      platform::ReadWholeFile(platform::JoinPath(programDirectory, kCompanyFileName));
  if (!content) return company;
  for (std::size_t i = 0; i < company.lines.size(); ++i) {
    if (auto value = platform::FindProfileValue(*content, kReadSection, KeyOfLine(i))) {
      company.lines[i] = std::move(*value);
    }
  }
  return company;
}

bool WriteCompanyFile(const std::string& programDirectory, const structure_societe& company) {
  std::vector<std::pair<std::string, std::string>> keyValues;
  for (std::size_t i = 0; i < company.lines.size(); ++i) {
    keyValues.emplace_back(KeyOfLine(i), company.lines[i]);
  }
  return platform::WriteProfileStrings(platform::JoinPath(programDirectory, kCompanyFileName),
                                       kWriteSection, keyValues);
}

}  // namespace tesmora
