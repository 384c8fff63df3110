#pragma once

#include <QTreeWidget>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>

#include "explorer/folder_tree.h"
#include "platform/file_system.h"

class QDropEvent;

namespace tesmora::ui {

// A folder tree widget mirroring an `explorer::FolderTree`: the main window's
// `tvRepPc` and the automatic save directory dialog's `TVChoixRep`. Each item
// carries its node's state (UserRole) and number (UserRole + 1). Listing a
// folder runs on a worker thread under the hourglass, so that a share that
// does not answer never freezes the window.
class FolderTreeView : public QTreeWidget {
  Q_OBJECT

 public:
  FolderTreeView(const char* name, explorer::FolderTree& model, bool editable, QWidget* parent);

  void SetFileSystem(std::shared_ptr<platform::FileSystem> fs) { fs_ = std::move(fs); }
  const std::shared_ptr<platform::FileSystem>& fileSystem() const { return fs_; }

  // Work that lists folders: `rehearse` runs on a worker thread on copies of
  // the models, `apply` on this thread against the listings learned.
  void ListInBackground(std::function<void(platform::FileSystem&)> rehearse,
                        std::function<void(platform::FileSystem&)> apply);
  // Listings under way; the hourglass shows while there are any.
  bool Busy() const { return pending_ > 0; }

  // The whole tree again (after a fill), its selected node made current.
  void Rebuild();
  // Mirrors a change of the model; the model's selected node stays the
  // current item, whichever items were made again.
  void Apply(const explorer::TreeChange& change);

  explorer::NodeId CurrentNode() const;
  explorer::NodeId NodeAt(const QPoint& viewportPosition) const;
  QTreeWidgetItem* ItemOf(explorer::NodeId id) const;

  // The user selected a node.
  std::function<void(explorer::NodeId)> onNodeSelected;
  // An in-place edit ended with a new text the user typed.
  std::function<void(explorer::NodeId, const std::string&)> onRenamed;
  // The model changed and the widget shows it (after an expansion too).
  std::function<void()> onTreeChanged;
  // Dragging over a node: whether it would take the drop; and the drop.
  std::function<bool(explorer::NodeId, const QDropEvent&)> acceptsDrop;
  std::function<void(explorer::NodeId, const QDropEvent&)> onDrop;

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void Expanding(QTreeWidgetItem* item);
  void Collapsed(QTreeWidgetItem* item);
  void BuildChildren(QTreeWidgetItem* parent, explorer::NodeId id);
  QTreeWidgetItem* NewItem(explorer::NodeId id);
  void Refresh(QTreeWidgetItem* item, const explorer::TreeNode& node);
  void Forget(QTreeWidgetItem* item);
  void Busy(int change);
  static explorer::NodeId IdOf(const QTreeWidgetItem* item);

  explorer::FolderTree& model_;
  bool editable_;
  std::shared_ptr<platform::FileSystem> fs_;
  std::unordered_map<explorer::NodeId, QTreeWidgetItem*> items_;
  std::set<explorer::NodeId> expanding_;
  explorer::NodeId editing_ = explorer::kNoNode;
  QString editShown_;  // the text the editor started from
  int pending_ = 0;
  bool rebuilding_ = false;
};

}  // namespace tesmora::ui
