#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_times.h"
#include "shell/message_ids.h"

namespace tesmora {

// The recorder names each test file MMDDnnnn.KYY: month, day, its own number,
// a full stop, the kind digit K and the two-digit year. Everything the lists,
// the exporter and the sheet know about a test before opening it comes from
// that name.
inline constexpr std::size_t kTestFileNameLength = 12;
inline constexpr std::size_t kKindDigitPosition = 9;  // zero-based: character 10
inline constexpr std::size_t kExtensionLength = 3;    // characters 10 to 12

enum class TestFamily { Inflation, Consistency };

// The layout of a test's result sheet, which also decides the result lines
// of its export. Its letters are the kind's type code.
enum class SheetType { Ahc, Aha, Chc, Cha };

// Everything the kind digit decides. This table is the one place that knows
// which digit means what; every layer asks it.
struct TestKind {
  char digit;
  TestFamily family;
  SheetType sheetType;
  std::string_view typeCode;    // shown in the Type column
  std::string_view exportCode;  // extension of the export file
  MessageId exportTitleMessage;
  MessageId sheetTitleMessage;
  // A protocol (name, lower and target PrMax) follows the sample fields;
  // otherwise the test carries two comment lines there.
  bool carriesProtocol;
  // An inflation test whose results include the hydration HYDHA.
  bool inflationHydration;
};

// The kind of a kind digit '1' to '6', or nothing for any other character.
const TestKind* FindTestKind(char kindDigit);

// Whether a kind digit is that of a consistency test; an unknown digit is not.
bool IsConsistencyKind(char kindDigit);

// The kind digit of a name (its 10th character), or 0 for a shorter name.
char KindDigitOf(std::string_view name);

// The kind of a file by its name: that of its kind digit, the 10th
// character, where the exporter decodes it. The menus that offer a sheet and
// the loader that draws it both ask this, so that no name is offered and then
// refused. Nothing for a name without a known kind there.
const TestKind* TestKindOf(std::string_view name);

// Characters 10 to 12 of a name, where a test file has its kind digit and
// year and an export file its export code; fewer when the name is shorter.
std::string_view ExtensionOf(std::string_view name);

// Whether a text reads as a decimal integer: optional leading blanks, an
// optional sign, then digits only.
bool ReadsAsInteger(std::string_view text);

// Characters 10 to 12 of a file name (fewer when the name is shorter) read as
// a decimal integer: optional leading blanks, an optional sign, then digits
// only. Test files carry their kind and year there.
bool ExtensionReadsAsInteger(std::string_view name);

// What a file name is to the PC list in the normal mode. Only names of
// exactly 12 characters are either:
// - a test file: characters 10 to 12 and 1 to 8 read as integers and the
//   year's first digit, character 11, is '0', '1', '2' or '9';
// - an export file: characters 10 to 12 are the export code of a kind
//   ("AHC", "AHA", "CC2", "CA2", in capitals).
enum class FileNameKind { Other, TestFile, ExportFile };
FileNameKind FileNameKindOf(std::string_view name);

// The Type text of a file name. In the display-all-files mode it is the text
// after the first full stop; otherwise the type code of the kind digit, or
// "DB-" and the family's type code for an export file ("AHC", "AHA", "CC2",
// "CA2" in capitals), or an empty text.
std::string TestTypeLabel(std::string_view name, bool allFilesMode);

// Where the Date column of a file comes from.
enum class DateSource {
  FromName = 0,       // test files: day/month/year from the name
  CreationTime = 1,   // export files, whose creation date is the test's date
  LastWriteTime = 2,  // any file in the display-all-files mode
};

// The Date text "dd/MM/yy". In modes 1 and 2 the file folder/name is looked
// at; a file whose times cannot be read gives an empty text.
std::string TestFileDate(std::string_view folder, std::string_view name, DateSource mode);
// The same for a file whose date as stored is already known: `fileDate`,
// nothing when its times cannot be read. Linux records no creation time of
// our choosing, so modes 1 and 2 both take the modification date.
std::string TestFileDate(std::string_view name, DateSource mode,
                         const std::optional<platform::CalendarDate>& fileDate);

// The test's date from its name (year 95 and above in the 1900s, below in the
// 2000s), or nothing when the name holds no real date.
std::optional<platform::CalendarDate> TestDateFromName(std::string_view name);

// The export file name of a test file: its first nine characters (up to the
// full stop) and the export code of its kind; just the nine characters when
// the kind digit is unknown.
std::string ExportFileName(std::string_view testName);

}  // namespace tesmora
