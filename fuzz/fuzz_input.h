#pragma once

// What the fuzz targets share: customer and protocol tables whose texts fill
// their fields, and how an input names its test. The first byte picks the
// kind digit and the language, the second the basis flags; the rest is the
// test file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "records/customer_protocol_lists.h"
#include "records/export_text.h"
#include "shell/message_table.h"

namespace tesmora::fuzzing {

// Records with texts that fill their fields to the last byte, so that a lookup
// that ran past them would show.
inline CustomerProtocolTables FullTables() {
  CustomerProtocolTables tables;
  for (auto& customer : tables.customers) {
    for (auto& field : customer.fields) field.fill('C');
  }
  for (int i = 0; i < kProtocolCount; ++i) {
    tables.protocols[i].name.fill('P');
    tables.protocols[i].lowerPrMax = static_cast<std::int16_t>(400 + i);
    tables.protocols[i].targetPrMax = static_cast<std::int16_t>(450 + i);
  }
  return tables;
}

struct FuzzInput {
  char kind = '1';
  int language = 0;
  std::uint8_t basisFlags = 0;
  std::string name;  // a test file name of that kind
  ByteSpan file;
};

inline std::optional<FuzzInput> ReadFuzzInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return std::nullopt;
  static const char kKinds[] = "1234567";
  FuzzInput input;
  input.kind = kKinds[data[0] % 7];
  input.language = (data[0] / 7) % kLanguageCount;
  input.basisFlags = data[1];
  input.name = std::string("01020003.") + input.kind + "26";
  input.file = ByteSpan(data + 2, size - 2);
  return input;
}

}  // namespace tesmora::fuzzing
