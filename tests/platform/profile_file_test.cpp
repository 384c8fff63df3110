#include "platform/profile_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "support/temp_dir.h"

namespace tesmora::platform {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct FindCase {
  const char* name;
  std::string_view text;
  std::string_view section;
  std::string_view key;
  std::optional<std::string> expected;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }

class FindProfileValueTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindProfileValueTest, ReadsLikeAProfileFile) {
  const FindCase& c = GetParam();
  EXPECT_EQ(FindProfileValue(c.text, c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindProfileValueTest,
    ::testing::Values(
        FindCase{"Plain", "[LIAISON]\r\nPort=COM4\r\n", "LIAISON", "Port", "COM4"},
        FindCase{"SectionAndKeyIgnoreCase", "[SOCIETE]\nLIGNE1=Lab\n", "Societe", "Ligne1", "Lab"},
        FindCase{"BlanksAroundNamesAndValue", "  [ EXPORT ] \n  Mode =  2  \n", "EXPORT", "Mode",
                 "2"},
        FindCase{"QuotesAreStripped", "[S]\nk=\"a b\"\n", "S", "k", "a b"},
        FindCase{"UnpairedQuoteKept", "[S]\nk=\"a b\n", "S", "k", "\"a b"},
        FindCase{"EmptyValue", "[S]\nk=\n", "S", "k", ""},
        FindCase{"ValueWithEquals", "[S]\nk=a=b\n", "S", "k", "a=b"},
        FindCase{"KeyInOtherSection", "[A]\nk=1\n[B]\nj=2\n", "B", "k", std::nullopt},
        FindCase{"KeyBeforeAnySection", "k=1\n[S]\n", "S", "k", std::nullopt},
        FindCase{"FirstSectionWins", "[S]\nj=1\n[T]\n[s]\nk=2\n", "S", "k", std::nullopt},
        FindCase{"FirstKeyWins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        FindCase{"CommentIgnored", "[S]\n;k=1\nk=2\n", "S", "k", "2"},
        FindCase{"GarbageLinesIgnored", "\x01\xff garbage\n[S\nk=3\n", "S", "k", "3"},
        FindCase{"NoFinalNewline", "[S]\nk=last", "S", "k", "last"},
        FindCase{"KeyWithSpaces", "[REPERTOIRE]\r\nSauvegarde Auto=/data/\r\n", "REPERTOIRE",
                 "Sauvegarde Auto", "/data/"},
        FindCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "1"},
        FindCase{"EmptyText", "", "S", "k", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct SetCase {
  const char* name;
  std::string_view before;
  std::string_view section;
  std::string_view key;
  std::string_view value;
  std::string_view after;
};

void PrintTo(const SetCase& c, std::ostream* os) { *os << c.name; }

class SetProfileValueTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetProfileValueTest, ChangesOnlyItsKey) {
  const SetCase& c = GetParam();
  EXPECT_EQ(SetProfileValue(c.before, c.section, c.key, c.value), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetProfileValueTest,
    ::testing::Values(
        SetCase{"NewFile", "", "LIAISON", "Port", "COM1", "[LIAISON]\r\nPort=COM1\r\n"},
        SetCase{"ReplaceKeepsOtherLines", "; mine\r\n[LIAISON]\r\nPort=COM1\r\nX=1\r\n", "liaison",
                "port", "COM4", "; mine\r\n[LIAISON]\r\nport=COM4\r\nX=1\r\n"},
        SetCase{"LineFeedFileStaysLineFeed", "[A]\nx=1\n", "B", "k", "v", "[A]\nx=1\n[B]\nk=v\n"},
        SetCase{"MissingFinalNewline", "[A]\nx=1", "A", "k", "v", "[A]\nx=1\nk=v\n"},
        SetCase{"MissingFinalNewlineNewSection", "[A]\r\nx=1", "B", "k", "v",
                "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
        SetCase{"InsertAfterLastLineOfSection", "[A]\nx=1\n\n[B]\ny=2\n", "A", "k", "v",
                "[A]\nx=1\nk=v\n\n[B]\ny=2\n"},
        SetCase{"EmptySection", "[A]\n[B]\n", "A", "k", "v", "[A]\nk=v\n[B]\n"},
        SetCase{"GarbageKept", "junk\x01\n[A]\nnot a key\n", "A", "k", "v",
                "junk\x01\n[A]\nnot a key\nk=v\n"},
        SetCase{"NoSectionsAtAll", "just text\n", "A", "k", "v", "just text\n[A]\nk=v\n"},
        SetCase{"LineBreaksInValueFlattened", "", "S", "k", "a\r\nb", "[S]\r\nk=a  b\r\n"},
        SetCase{"MixedLineEndsKept", "[A]\r\nx=1\ny=2\r\n", "A", "x", "9", "[A]\r\nx=9\ny=2\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileValueToInt, ReadsLeadingDigits) {
  EXPECT_EQ(ProfileValueToInt("2"), 2);
  EXPECT_EQ(ProfileValueToInt(" 12abc"), 12);
  EXPECT_EQ(ProfileValueToInt("abc"), 0);
  EXPECT_EQ(ProfileValueToInt(""), 0);
  EXPECT_EQ(ProfileValueToInt("-3"), 0);
  EXPECT_EQ(ProfileValueToInt("99999999999999"), 2147483647);
}

TEST(ProfileFile, ReadsDefaultsFromAMissingFile) {
  TempDir dir;
  EXPECT_EQ(ReadProfileString(dir.File("none.ini"), "S", "k", "dflt"), "dflt");
  EXPECT_EQ(ReadProfileInt(dir.File("none.ini"), "S", "k", 7), 7);
}

TEST(ProfileFile, WritesCreateTheFileAndKeepOtherKeys) {
  TempDir dir;
  const std::string path = dir.File("a.ini");
  ASSERT_TRUE(WriteProfileString(path, "LIAISON", "Port", "COM1"));
  ASSERT_TRUE(WriteProfileString(path, "EXPORT", "Mode", "0"));
  ASSERT_TRUE(WriteProfileString(path, "liaison", "PORT", "COM2"));
  EXPECT_EQ(ReadBytes(path), "[LIAISON]\r\nPORT=COM2\r\n[EXPORT]\r\nMode=0\r\n");
  EXPECT_EQ(ReadProfileString(path, "Liaison", "port", ""), "COM2");
  EXPECT_EQ(ReadProfileInt(path, "EXPORT", "Mode", 5), 0);
}

TEST(ProfileFile, WriteLeavesNoTemporaryFileBehind) {
  TempDir dir;
  const std::string path = dir.File("a.ini");
  ASSERT_TRUE(WriteProfileStrings(path, "S", {{"a", "1"}, {"b", "2"}}));
  EXPECT_EQ(testing::EntriesIn(dir.path()), 1);
  EXPECT_EQ(ReadBytes(path), "[S]\r\na=1\r\nb=2\r\n");
}

TEST(ProfileFile, WriteCutShortKeepsTheOldFileWhole) {
  TempDir dir;
  const std::string path = dir.File("tesmora.ini");
  const std::string old = "[LIAISON]\r\nPort=COM4\r\n[EXPORT]\r\nMode=1\r\n";
  WriteBytes(path, old);

  // Let the disk "fill up" after 64 bytes: the write stops half-way.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteProfileString(path, "REPERTOIRE", "Sauvegarde Auto",
                                          "/a/folder/name/long/enough/to/pass/the/limit/");
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(written);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(testing::EntriesIn(dir.path()), 1) << "the temporary file is removed";
}

TEST(ProfileFile, UnreadableFileIsNotOverwritten) {
  TempDir dir;
  // A folder in the file's place cannot be read as a file: writing must not
  // replace it with a file holding our one key.
  const std::string path = dir.File("a.ini");
  std::filesystem::create_directory(path);
  EXPECT_FALSE(WriteProfileString(path, "S", "k", "v"));
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

}  // namespace
}  // namespace tesmora::platform
