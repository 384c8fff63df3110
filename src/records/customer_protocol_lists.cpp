#include "records/customer_protocol_lists.h"

#include <algorithm>
#include <cstring>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "records/byte_reader.h"
#include "records/failure_text.h"

namespace tesmora {

namespace {

constexpr std::size_t kSkippedBytes = 2;

std::int16_t ReadS16(const char* bytes) {
  const auto low = static_cast<std::uint8_t>(bytes[0]);
  const auto high = static_cast<std::uint8_t>(bytes[1]);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

}  // namespace

std::string_view fclient::Field(int index) const {
  if (index < 0 || index >= 4) return {};
  return TextUpToZero(fields[index].data(), kFieldSize);
}

std::string_view fprotocole::Name() const { return TextUpToZero(name.data(), name.size()); }

const fclient* CustomerProtocolTables::Customer(int number) const {
  if (number < 1 || number > kCustomerCount) return nullptr;
  return &customers[number - 1];
}

const fprotocole& CustomerProtocolTables::Protocol(int index) const {
  static const fprotocole kNone{};
  if (index < 0 || index >= kProtocolCount) return kNone;
  return protocols[index];
}

void FillCustomerTable(std::string_view fileBytes, CustomerProtocolTables& tables) {
  if (fileBytes.size() <= kSkippedBytes) return;
  const std::string_view records = fileBytes.substr(kSkippedBytes);
  // A block that the file ends in the middle of is taken as far as it goes,
  // as a read of the block would leave it.
  for (std::size_t i = 0; i < tables.customers.size(); ++i) {
    const std::size_t offset = i * kCustomerRecordSize;
    if (offset >= records.size()) break;
    const std::size_t size = std::min(kCustomerRecordSize, records.size() - offset);
    std::memcpy(tables.customers[i].fields.data(), records.data() + offset, size);
  }
}

void FillProtocolTable(std::string_view fileBytes, CustomerProtocolTables& tables) {
  if (fileBytes.size() <= kSkippedBytes) return;
  const std::string_view records = fileBytes.substr(kSkippedBytes);
  for (std::size_t i = 0; i < tables.protocols.size(); ++i) {
    const std::size_t offset = i * kProtocolRecordSize;
    if (offset >= records.size()) break;
    char record[kProtocolRecordSize]{};
    const std::size_t size = std::min(kProtocolRecordSize, records.size() - offset);
    std::memcpy(record, records.data() + offset, size);
    fprotocole& protocol = tables.protocols[i];
    // A partial record keeps what it had where the file stops.
    std::memcpy(protocol.name.data(), record, std::min(size, protocol.name.size()));
    if (size >= 18) protocol.lowerPrMax = ReadS16(record + 16);
    if (size >= 20) protocol.targetPrMax = ReadS16(record + 18);
  }
}

std::vector<std::string> LoadCustomerAndProtocolLists(const std::string& programDirectory,
                                                      CustomerProtocolTables& tables,
                                                      int languageIndex) {
  std::vector<std::string> failures;
  if (const auto customers =
          platform::ReadWholeFile(platform::JoinPath(programDirectory, kCustomerFileName))) {
    FillCustomerTable(*customers, tables);
  } else {
    failures.push_back(FailureText("Client.txt.", {msg::kOpeningError}, languageIndex));
  }
  if (const auto protocols =
          platform::ReadWholeFile(platform::JoinPath(programDirectory, kProtocolFileName))) {
    FillProtocolTable(*protocols, tables);
  } else {
    failures.push_back(FailureText("Protocol.txt.", {msg::kOpeningError}, languageIndex));
  }
  return failures;
}

}  // namespace tesmora
