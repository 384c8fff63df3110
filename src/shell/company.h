#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tesmora {

// The laboratory's name and address, printed at the head of every result
// sheet. Four 8-bit lines (code page 1252), kept in "societe.txt" beside the
// program:
//
//   [Societe]
//   Ligne1=...   Ligne2=...   Ligne3=...   Ligne4=...
struct structure_societe {
  std::array<std::string, 4> lines;
};

inline constexpr std::string_view kCompanyFileName = "societe.txt";

// The lines a laboratory sees before it has typed its own.
structure_societe DefaultCompanyLines();

// Reads the four lines; a missing file or key gives that line's default.
structure_societe ReadCompanyFile(const std::string& programDirectory);

// Writes the four lines in one replacement of the file, creating it when
// needed and keeping whatever else it holds. Returns false when it could not
// be written.
bool WriteCompanyFile(const std::string& programDirectory, const structure_societe& company);

}  // namespace tesmora
