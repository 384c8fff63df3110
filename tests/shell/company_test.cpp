#include "shell/company.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tesmora {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(CompanyFile, MissingFileGivesDefaultsAndClosingCreatesIt) {
  TempDir program;
  const structure_societe company = ReadCompanyFile(program.path());
  EXPECT_EQ(company.lines, DefaultCompanyLines().lines);
  for (const std::string& line : company.lines) EXPECT_FALSE(line.empty());

  ASSERT_TRUE(WriteCompanyFile(program.path(), company));
  EXPECT_EQ(ReadBytes(program.File("societe.txt")),
            "[societe]\r\nLigne1=" + company.lines[0] + "\r\nLigne2=" + company.lines[1] +
                "\r\nLigne3=" + company.lines[2] + "\r\nLigne4=" + company.lines[3] + "\r\n");
  EXPECT_EQ(ReadCompanyFile(program.path()).lines, company.lines);
}

TEST(CompanyFile, CapitalSectionWrittenByAnotherToolReadsTheSame) {
  TempDir program;
  WriteBytes(program.File("societe.txt"),
             "[SOCIETE]\nLIGNE1=Moulins R\xe9unis\nligne3=F-75001 Paris\n");
  const structure_societe company = ReadCompanyFile(program.path());
  EXPECT_EQ(company.lines[0], "Moulins R\xe9unis");
  EXPECT_EQ(company.lines[1], DefaultCompanyLines().lines[1]);
  EXPECT_EQ(company.lines[2], "F-75001 Paris");
}

TEST(CompanyFile, WritingReplacesTheLinesInPlaceAndKeepsTheRest) {
  TempDir program;
  const std::string path = program.File("societe.txt");
  WriteBytes(path, "; notes\n[SOCIETE]\nLigne1=Old\nLigne2=Street\nOther=kept\n[Extra]\nx=1");
  structure_societe company = ReadCompanyFile(program.path());
  company.lines[0] = "New";
  ASSERT_TRUE(WriteCompanyFile(program.path(), company));
  EXPECT_EQ(ReadBytes(path), "; notes\n[SOCIETE]\nLigne1=New\nLigne2=Street\nOther=kept\nLigne3=" +
                                 company.lines[2] + "\nLigne4=" + company.lines[3] +
                                 "\n[Extra]\nx=1");
}

TEST(CompanyFile, GarbageFileIsReadWithDefaults) {
  TempDir program;
  WriteBytes(program.File("societe.txt"), std::string("\0\xff[[[\r\n===\r", 11));
  EXPECT_EQ(ReadCompanyFile(program.path()).lines, DefaultCompanyLines().lines);
}

}  // namespace
}  // namespace tesmora
