#pragma once

#include <string>
#include <vector>

#include "explorer/operation_context.h"

namespace tesmora::explorer {

// The PC files a Copy recorded: their folder and names in list order.
struct PcClipboard {
  std::string ClipboardFolder;  // ends with a separator
  std::vector<std::string> ClipboardNames;
};
PcClipboard CopyPcSelection(const std::string& currentPcFolder,
                            const std::vector<std::string>& selectedNames);

struct TransferOutcome {
  std::vector<std::string> done;  // names copied (paste) or moved (drop)
  bool cancelled = false;         // Cancel stopped the rest
};

// Paste into a PC folder: each name is asked about when the target holds a
// file of that name (Yes copies, No skips, Cancel stops); a copy that fails
// is reported ("File cannot be copied") and the next name goes on. Every
// copy is whole or absent and keeps the source's date.
TransferOutcome PasteFiles(const OperationContext& context, const PcClipboard& clipboard,
                           const std::string& targetFolder);

// Move by drop: the same questions as a paste; within one file system a file
// is renamed into place, across file systems it is copied and its source
// deleted only once the copy is whole. A source that cannot be deleted stays
// (the file is then in both folders) and is not counted as moved. Dropping
// files on the folder they are in moves nothing.
TransferOutcome MoveByDrop(const OperationContext& context, const std::string& sourceFolder,
                           const std::vector<std::string>& names, const std::string& targetFolder);

}  // namespace tesmora::explorer
