#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tesmora {

// One customer of the recorder's list: four zero-terminated texts of 35 bytes.
struct fclient {
  static constexpr std::size_t kFieldSize = 35;
  std::array<std::array<char, kFieldSize>, 4> fields{};

  // Field 0 to 3 up to its terminating zero (all 35 bytes when it has none).
  std::string_view Field(int index) const;
};

// One test protocol: its name and the two PrMax limits.
struct fprotocole {
  std::array<char, 16> name{};
  std::int16_t lowerPrMax = 0;   // the record's first number
  std::int16_t targetPrMax = 0;  // the record's second number

  std::string_view Name() const;
};

inline constexpr int kCustomerCount = 99;
inline constexpr int kProtocolCount = 21;
inline constexpr std::size_t kCustomerRecordSize = 140;
inline constexpr std::size_t kProtocolRecordSize = 20;
inline constexpr std::string_view kCustomerFileName = "cliente.txt";
inline constexpr std::string_view kProtocolFileName = "protocol.txt";

// The customer and protocol tables that the recorder's lists fill once a run.
// Until then every record is empty, and so are the exports' customer and
// protocol texts.
struct CustomerProtocolTables {
  std::array<fclient, kCustomerCount> customers{};
  std::array<fprotocole, kProtocolCount> protocols{};

  // Customer number 1 to 99, or nothing outside that range.
  const fclient* Customer(int number) const;
  // Protocol 0 to 20; any other number gets an empty record, so a damaged
  // test can never make the program read outside the table.
  const fprotocole& Protocol(int index) const;
};

// Fills the tables from the contents of the two files, after their two
// leading bytes; a short file fills what it holds and leaves the rest as it was.
void FillCustomerTable(std::string_view fileBytes, CustomerProtocolTables& tables);
void FillProtocolTable(std::string_view fileBytes, CustomerProtocolTables& tables);

// Loads "cliente.txt" and "protocol.txt" of the program directory. Returns
// the texts of the error boxes to show (caption "Tesmora"), one per file that
// could not be opened; the other file is loaded all the same.
std::vector<std::string> LoadCustomerAndProtocolLists(const std::string& programDirectory,
                                                      CustomerProtocolTables& tables,
                                                      int languageIndex);

}  // namespace tesmora
