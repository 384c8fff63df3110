#include "explorer/auto_save_directory.h"

#include "platform/paths.h"
#include "records/failure_text.h"
#include "shell/message_table.h"
#include "shell/ui_texts.h"

namespace tesmora::explorer {

namespace {}  // namespace

std::optional<std::string> AutoSaveTextForNode(const FolderTree& tree, NodeId id) {
  if (!tree.Contains(id)) return std::nullopt;
  const int state = tree.Node(id).state;
  const NodePathInfo where = tree.NodePath(id);
  if (where.path.empty() || state == kNodeServer || state == kNodeCdRom ||
      state == kNodeNetworkRoot) {
    return std::nullopt;
  }
  return platform::WithTrailingSeparator(where.path);
}

TreeChange AutoSaveDirectoryDialog::Show(const Settings& settings, platform::FileSystem& fs) {
  shown_ = settings.AutoSaveDirectory;
  return tree_.Fill(fs);
}

TreeChange AutoSaveDirectoryDialog::Select(NodeId id) {
  TreeChange change = tree_.Select(id);
  if (const std::optional<std::string> text = AutoSaveTextForNode(tree_, id)) {
    shown_ = *text;
    change.Merge(tree_.MarkCurrentFolder(id));
  }
  return change;
}

bool AutoSaveDirectoryDialog::Ok(Settings& settings, Prompter& prompter,
                                 const LanguageState& language) const {
  if (shown_ == settings.AutoSaveDirectory) return false;
  const int index = language.LanguageIndex;
  if (prompter.Ask(MessageUtf8(msg::kConfirmation, index),
                   MessageUtf8(msg::kChangeAutoSaveDirectory, index), PromptButtons::OkCancel,
                   PromptIcon::Question, language.MessageLanguageId) != PromptAnswer::Ok) {
    return false;
  }
  const std::string stored = settings.AutoSaveDirectory;
  if (SaveAutoSaveDirectory(settings, shown_)) return true;
  // Received files go on to the directory that will still be there at the
  // next start.
  settings.AutoSaveDirectory = stored;
  prompter.ShowMessage(kErrorCaption, UiTextUtf8(UiText::AutoSaveNotWritten, index),
                       PromptIcon::Error, language.MessageLanguageId);
  return false;
}

}  // namespace tesmora::explorer
