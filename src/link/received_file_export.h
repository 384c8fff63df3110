#pragma once

#include <memory>

#include "link/link_state.h"
#include "records/exporter.h"
#include "shell/prompter.h"

namespace tesmora::link {

class TRead;

// The automatic export of a file the link has just stored: the exporter
// writes the export text with the language of the moment, the recorder's
// version text and the basis flags of the last consistency test received,
// and its failures are shown through `prompter` with the caption "Tesmora".
// Runs on the reader thread; the exporter keeps it from overlapping a manual
// export.
ExportReceivedFile MakeReceivedFileExporter(std::shared_ptr<Exporter> exporter, const TRead& link,
                                            Prompter& prompter);

}  // namespace tesmora::link
