#pragma once

#include <optional>
#include <string>

#include "explorer/folder_tree.h"
#include "shell/languages.h"
#include "shell/prompter.h"
#include "shell/settings.h"

namespace tesmora::explorer {

// The text the automatic save directory dialog shows for a selected node:
// its folder with a separator at the end, or nothing for the network root,
// a server or a CD-ROM drive (the text then stays as it was).
std::optional<std::string> AutoSaveTextForNode(const FolderTree& tree, NodeId id);

// The automatic save directory dialog without its window: it works on a tree
// of its own, so the main tree and its open folder are never touched.
class AutoSaveDirectoryDialog {
 public:
  // FormShow: the tree is filled anew and the stored directory shown; the
  // filling selects no node for the dialog.
  TreeChange Show(const Settings& settings, platform::FileSystem& fs);
  // A node selected by the user: the text and the open-folder image follow.
  TreeChange Select(NodeId id);
  // OK: a changed directory is confirmed ("Change of the backup
  // directory?") and written to the settings file at once. A settings file
  // that cannot be written is reported, and the directory stays as it was,
  // in memory too. Returns whether it changed; the dialog closes in any case.
  bool Ok(Settings& settings, Prompter& prompter, const LanguageState& language) const;

  FolderTree& tree() { return tree_; }
  const FolderTree& tree() const { return tree_; }
  const std::string& zeNewRep() const { return shown_; }

 private:
  FolderTree tree_;
  std::string shown_;
};

}  // namespace tesmora::explorer
