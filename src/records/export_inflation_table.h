#pragma once

#include "records/customer_protocol_lists.h"
#include "records/decoded_test.h"
#include "records/export_writer.h"
#include "records/sheet_tables.h"
#include "records/test_names.h"

// The export text of an inflation test after its protocol or comments.
namespace tesmora::export_text {

// The result lines of both series. `kind` (nothing for an unknown digit)
// decides the labels and whether a hydration line follows.
void WriteInflationResults(Writer& w, const DecodedTest& test, const TestKind* kind,
                           const fprotocole& protocol);

// The curve lines, the table head and the table of pressures, whose L texts
// go to the sheet's row labels.
void WriteInflationCurves(Writer& w, const DecodedTest& test, SheetTables& sheet);

}  // namespace tesmora::export_text
