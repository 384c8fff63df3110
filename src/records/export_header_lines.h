#pragma once

#include <cstddef>
#include <string_view>

#include "records/customer_protocol_lists.h"
#include "records/decoded_test.h"
#include "records/export_writer.h"
#include "records/test_file_decoder.h"
#include "records/test_names.h"

// The export text up to the results: the header, the sample fields the
// recorder stored after the marker, the customer record and the protocol.
namespace tesmora::export_text {

// Lines 0 to 4: the recorder's version, the title of the kind (nothing for
// an unknown kind digit), the test file name, then CR CR LF CR.
void WriteHeader(Writer& w, ByteSpan copy, std::string_view testFileName, const TestKind* kind,
                 TestFamily family, std::string_view versionText);

// Lines 5 on: the sample fields read from `textBlock` (just after the
// marker), the customer record of the customer number, and the comment lines
// of a kind that carries no protocol. Keeps the fields' characters in the
// decoded test's Texts and sets its WxLength of an inflation test. Returns false when the fields
// end before the customer number is through.
bool WriteTextFields(Writer& w, ByteSpan copy, std::size_t textBlock, const TestKind* kind,
                     TestFamily family, const CustomerProtocolTables& tables, DecodedTest& test);

// The three protocol lines: name, lower and target PrMax.
void WriteProtocolLines(Writer& w, const fprotocole& protocol);

}  // namespace tesmora::export_text
