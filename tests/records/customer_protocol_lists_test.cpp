#include "records/customer_protocol_lists.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace tesmora {
namespace {

using testing::TempDir;
using testing::WriteBytes;

std::string CustomerRecord(const std::string& first) {
  std::string record(kCustomerRecordSize, '\0');
  record.replace(0, first.size(), first);
  record.replace(35, 4, "Line");
  return record;
}

std::string ProtocolRecord(const std::string& name, int lower, int target) {
  std::string record(kProtocolRecordSize, '\0');
  record.replace(0, name.size(), name);
  record[16] = static_cast<char>(lower & 0xFF);
  record[17] = static_cast<char>((lower >> 8) & 0xFF);
  record[18] = static_cast<char>(target & 0xFF);
  record[19] = static_cast<char>((target >> 8) & 0xFF);
  return record;
}

TEST(CustomerProtocolLists, AFileOfThreeCustomersFillsThreePositions) {
  TempDir home;
  WriteBytes(home.File("cliente.txt"), "\x01\x02" + CustomerRecord("Moulin A") +
                                           CustomerRecord("Moulin B") + CustomerRecord("Moulin C"));
  WriteBytes(home.File("protocol.txt"), "xx" + ProtocolRecord("STANDARD", 450, 500));
  CustomerProtocolTables tables;
  EXPECT_TRUE(LoadCustomerAndProtocolLists(home.path(), tables, 1).empty());
  ASSERT_NE(tables.Customer(3), nullptr);
  EXPECT_EQ(tables.Customer(1)->Field(0), "Moulin A");
  EXPECT_EQ(tables.Customer(3)->Field(0), "Moulin C");
  EXPECT_EQ(tables.Customer(3)->Field(1), "Line");
  EXPECT_EQ(tables.Customer(4)->Field(0), "");
  EXPECT_EQ(tables.Customer(99)->Field(3), "");
  EXPECT_EQ(tables.Customer(0), nullptr);
  EXPECT_EQ(tables.Customer(100), nullptr);
  EXPECT_EQ(tables.Protocol(0).Name(), "STANDARD");
  EXPECT_EQ(tables.Protocol(0).lowerPrMax, 450);
  EXPECT_EQ(tables.Protocol(0).targetPrMax, 500);
}

TEST(CustomerProtocolLists, AShortProtocolFileFillsWhatItHoldsAndNothingBeyondTheTable) {
  CustomerProtocolTables tables;
  // Two whole records, then a third that stops inside its second limit.
  const std::string third = ProtocolRecord("P3", -20, 600).substr(0, 19);
  FillProtocolTable("xx" + ProtocolRecord("P1", 1, 2) + ProtocolRecord("P2", 300, -1) + third,
                    tables);
  EXPECT_EQ(tables.Protocol(1).Name(), "P2");
  EXPECT_EQ(tables.Protocol(1).targetPrMax, -1);
  EXPECT_EQ(tables.Protocol(2).Name(), "P3");
  EXPECT_EQ(tables.Protocol(2).lowerPrMax, -20);
  EXPECT_EQ(tables.Protocol(2).targetPrMax, 0);
  EXPECT_EQ(tables.Protocol(3).Name(), "");
  // Numbers outside the table get an empty record instead of memory beyond it.
  EXPECT_EQ(tables.Protocol(21).Name(), "");
  EXPECT_EQ(tables.Protocol(-1).targetPrMax, 0);
  // A name that fills its 16 bytes has no zero and stops at the record's end.
  FillProtocolTable("xx" + ProtocolRecord("ABCDEFGHIJKLMNOP", 0, 0), tables);
  EXPECT_EQ(tables.Protocol(0).Name(), "ABCDEFGHIJKLMNOP");
}

TEST(CustomerProtocolLists, EachMissingFileGivesItsOwnOpeningErrorAndTheOtherStillLoads) {
  TempDir home;
  CustomerProtocolTables tables;
  std::vector<std::string> failures = LoadCustomerAndProtocolLists(home.path(), tables, 1);
  EXPECT_EQ(failures,
            (std::vector<std::string>{"Client.txt.OPENING ERROR", "Protocol.txt.OPENING ERROR"}));

  WriteBytes(home.File("protocol.txt"), "xx" + ProtocolRecord("PANIF", 400, 450));
  failures = LoadCustomerAndProtocolLists(home.path(), tables, 0);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].rfind("Client.txt.", 0), 0u);
  EXPECT_EQ(tables.Protocol(0).Name(), "PANIF");
}

}  // namespace
}  // namespace tesmora
