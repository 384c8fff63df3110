#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "explorer/folder_tree.h"
#include "explorer/pc_list.h"
#include "platform/file_system.h"
#include "shell/application_state.h"
#include "shell/languages.h"
#include "shell/main_window_rules.h"

class QLabel;
class QSplitter;
class QTreeWidget;

namespace tesmora::ui {

class FolderTreeView;

// The PC pane (`Panel1`): the header strip, the folder tree `tvRepPc`, a
// splitter and the file list `ListFichPC`, mirroring the explorer's
// `FolderTree` and `PcList`. The main window asks it only for the selected
// node's facts, the selected PC names and their facts, and the folder the
// list shows; the commands on its files are `PcCommands`'.
class PcPane : public QWidget {
  Q_OBJECT

 public:
  PcPane(const LanguageState& language, QWidget* parent);

  QTreeWidget* tree() const;
  QTreeWidget* list() const { return ListFichPC; }
  QSplitter* splitter() const { return Splitter1; }
  FolderTreeView* treeView() const { return tvRepPc; }

  // Fills the tree from the drives of `fs` and lists the selected folder;
  // The state's display-all-files mode tells each fill which listing rules
  // apply.
  void Start(std::shared_ptr<platform::FileSystem> fs, const ApplicationState& state);
  // A fill or an expansion is under way.
  bool Busy() const;

  // The current folder: the tree's selected node, which the tree shows as
  // current and the list lists. Every command on "the folder shown" acts on
  // it. As the menus need it:
  SelectedNodeFacts SelectedNode() const;
  bool HasSelectedNode() const;
  explorer::NodeId SelectedNodeId() const;
  // The PC list's selected names in list order, and what they allow.
  std::vector<std::string> SelectedNames() const;
  PcSelectionFacts Selection() const;
  int PcFileCount() const { return list_.PcFileCount(); }
  // The folder the list shows (ending with a separator), nothing while it
  // shows none.
  std::optional<std::string> ShownFolder() const;
  // Whether the list shows `folder`, by whatever name it is given.
  bool ShowsFolder(const std::string& folder) const;

  explorer::FolderTree& folderTree() { return tree_; }
  const explorer::PcList& pcList() const { return list_; }
  // Mirrors a change the explorer made to the tree; the list follows the
  // current folder when that moved or was renamed.
  void ApplyTreeChange(const explorer::TreeChange& change);
  // Lists a node's folder (the current folder's when none is given).
  void FillList(explorer::NodeId node = explorer::kNoNode);
  // The rows of files that are gone.
  void RemoveRows(const std::vector<std::string>& names);

  // A file stored in a PC folder by the link: a row when the list shows it,
  // as a fill would show it.
  void FileStored(const std::string& folder, const std::string& name);
  void SelectAll();
  void SetTreeWidth(int width, int paneWidth);

  void Relabel();

 signals:
  // Status panel 4.
  void countTextChanged(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void NodeSelected(explorer::NodeId id);
  // After any change of the tree: the list shows the current folder, at its
  // present path.
  void FollowCurrentFolder();
  void SortByColumn(int column);
  void ShowRows();
  void EmitCount(bool withSelection);

  const LanguageState& language_;
  QLabel* Label3 = nullptr;
  QSplitter* Splitter1 = nullptr;
  FolderTreeView* tvRepPc = nullptr;
  QTreeWidget* ListFichPC = nullptr;
  explorer::FolderTree tree_;
  explorer::PcList list_;
  const ApplicationState* state_ = nullptr;
  int fillGeneration_ = 0;
  // The node and path the last fill was asked for.
  explorer::NodeId askedNode_ = explorer::kNoNode;
  std::string askedPath_;
};

}  // namespace tesmora::ui
