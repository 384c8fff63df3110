#pragma once

#include <cstdint>

#include "records/customer_protocol_lists.h"
#include "records/decoded_test.h"
#include "records/export_writer.h"
#include "records/sheet_tables.h"
#include "records/test_names.h"

// The export text of a consistency test after its protocol.
namespace tesmora::export_text {

// The result lines in the form of the kind's sheet, then the two lines
// converted to the basis that `basisFlags` selects.
void WriteConsistencyResults(Writer& w, const DecodedTest& test, const TestKind& kind,
                             const fprotocole& protocol, std::uint8_t basisFlags);

// The table of times, smoothed and third-column pressures, which also fills
// the sheet's row labels and consistency columns.
void WriteConsistencyTable(Writer& w, const DecodedTest& test, SheetTables& sheet);

}  // namespace tesmora::export_text
