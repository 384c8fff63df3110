#include "ui/pc_pane/folder_tree_view.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QSignalBlocker>

#include "explorer/tree_edit.h"
#include "ui/common/dialog_frame.h"
#include "ui/pc_pane/background_listing.h"
#include "ui/pc_pane/explorer_artwork.h"

namespace tesmora::ui {

using explorer::kNoNode;
using explorer::NodeId;

namespace {
constexpr int kStateRole = Qt::UserRole;
constexpr int kIdRole = Qt::UserRole + 1;
}  // namespace

FolderTreeView::FolderTreeView(const char* name, explorer::FolderTree& model, bool editable,
                               QWidget* parent)
    : QTreeWidget(parent), model_(model), editable_(editable) {
  setObjectName(name);
  setHeaderHidden(true);
  setIndentation(19);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setEditTriggers(editable ? (EditKeyPressed | SelectedClicked) : NoEditTriggers);
  connect(this, &QTreeWidget::itemExpanded, this, &FolderTreeView::Expanding);
  connect(this, &QTreeWidget::itemCollapsed, this, &FolderTreeView::Collapsed);
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (!rebuilding_ && item != nullptr && onNodeSelected) onNodeSelected(IdOf(item));
  });
}

NodeId FolderTreeView::IdOf(const QTreeWidgetItem* item) {
  return item != nullptr ? item->data(0, kIdRole).toInt() : kNoNode;
}

NodeId FolderTreeView::CurrentNode() const { return IdOf(currentItem()); }

NodeId FolderTreeView::NodeAt(const QPoint& viewportPosition) const {
  return IdOf(itemAt(viewportPosition));
}

QTreeWidgetItem* FolderTreeView::ItemOf(NodeId id) const {
  const auto found = items_.find(id);
  return found != items_.end() ? found->second : nullptr;
}

void FolderTreeView::Busy(int change) {
  pending_ += change;
  if (pending_ > 0) {
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
  }
}

void FolderTreeView::ListInBackground(std::function<void(platform::FileSystem&)> rehearse,
                                      std::function<void(platform::FileSystem&)> apply) {
  Busy(+1);
  ui::ListInBackground(this, fs_, std::move(rehearse),
                       [this, apply = std::move(apply)](platform::FileSystem& fs) {
                         Busy(-1);
                         apply(fs);
                       });
}

void FolderTreeView::Refresh(QTreeWidgetItem* item, const explorer::TreeNode& node) {
  item->setText(0, FromUtf8(node.text));
  item->setData(0, kStateRole, node.state);
  item->setData(0, kIdRole, node.id);
  item->setIcon(0, NodeStateIcon(node.state));
  const bool button = node.hasChildren || !node.children.empty();
  item->setChildIndicatorPolicy(button ? QTreeWidgetItem::ShowIndicator
                                       : QTreeWidgetItem::DontShowIndicatorWhenChildless);
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
  if (editable_ && explorer::CanEditNode(model_, node.id)) flags |= Qt::ItemIsEditable;
  item->setFlags(flags);
}

QTreeWidgetItem* FolderTreeView::NewItem(NodeId id) {
  auto* item = new QTreeWidgetItem;
  Refresh(item, model_.Node(id));
  items_[id] = item;
  return item;
}

void FolderTreeView::BuildChildren(QTreeWidgetItem* parent, NodeId id) {
  const std::vector<NodeId>& children = id == kNoNode ? model_.Roots() : model_.Node(id).children;
  QList<QTreeWidgetItem*> built;
  for (const NodeId child : children) {
    // Place-holders only show their parent's expand button.
    if (model_.Node(child).state == explorer::kNodeNone) continue;
    QTreeWidgetItem* item = NewItem(child);
    BuildChildren(item, child);
    built << item;
  }
  if (parent == nullptr) {
    addTopLevelItems(built);
  } else {
    parent->addChildren(built);
  }
  for (QTreeWidgetItem* item : built) item->setExpanded(model_.Node(IdOf(item)).expanded);
}

void FolderTreeView::Forget(QTreeWidgetItem* item) {
  for (int i = 0; i < item->childCount(); ++i) Forget(item->child(i));
  items_.erase(IdOf(item));
}

void FolderTreeView::Rebuild() {
  const QSignalBlocker blocker(this);
  rebuilding_ = true;
  clear();
  items_.clear();
  BuildChildren(nullptr, kNoNode);
  if (QTreeWidgetItem* selected = ItemOf(model_.Selected())) setCurrentItem(selected);
  rebuilding_ = false;
}

void FolderTreeView::Apply(const explorer::TreeChange& change) {
  const QSignalBlocker blocker(this);
  rebuilding_ = true;
  for (const NodeId id : change.removed) {
    if (QTreeWidgetItem* item = ItemOf(id)) {
      Forget(item);
      delete item;
    }
  }
  for (const NodeId id : change.childrenChanged) {
    if (id == kNoNode) {
      while (topLevelItemCount() > 0) {
        QTreeWidgetItem* item = takeTopLevelItem(0);
        Forget(item);
        delete item;
      }
      BuildChildren(nullptr, kNoNode);
      continue;
    }
    QTreeWidgetItem* item = ItemOf(id);
    if (item == nullptr || !model_.Contains(id)) continue;
    for (QTreeWidgetItem* child : item->takeChildren()) {
      Forget(child);
      delete child;
    }
    BuildChildren(item, id);
    Refresh(item, model_.Node(id));
  }
  for (const NodeId id : change.nodesChanged) {
    QTreeWidgetItem* item = ItemOf(id);
    if (item != nullptr && model_.Contains(id)) Refresh(item, model_.Node(id));
  }
  // Items made again, or deleted, would leave the current item wherever the
  // view puts it, silently: it goes back to the model's selected node.
  QTreeWidgetItem* selected = ItemOf(model_.Selected());
  if (selected != nullptr && selected != currentItem()) setCurrentItem(selected);
  rebuilding_ = false;
  if (onTreeChanged) onTreeChanged();
}

void FolderTreeView::Expanding(QTreeWidgetItem* item) {
  const NodeId id = IdOf(item);
  if (rebuilding_ || !model_.Contains(id) || !expanding_.insert(id).second) return;
  explorer::FolderTree copy = model_;
  ListInBackground([copy, id](platform::FileSystem& fs) mutable { copy.Expand(id, fs); },
                   [this, id](platform::FileSystem& fs) {
                     expanding_.erase(id);
                     if (!model_.Contains(id)) return;
                     const explorer::ExpandOutcome outcome = model_.Expand(id, fs);
                     Apply(outcome.change);
                     QTreeWidgetItem* shown = ItemOf(id);
                     if (shown == nullptr) return;
                     const QSignalBlocker blocker(this);
                     // A folder that could not be listed stays folded, with
                     // its button, for another try.
                     shown->setExpanded(outcome.listed && shown->childCount() > 0);
                   });
}

void FolderTreeView::Collapsed(QTreeWidgetItem* item) {
  const NodeId id = IdOf(item);
  if (rebuilding_ || !model_.Contains(id)) return;
  Apply(model_.Collapse(id));
}

bool FolderTreeView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  const NodeId id = IdOf(itemFromIndex(index));
  if (trigger != AllEditTriggers && !(editable_ && explorer::CanEditNode(model_, id))) return false;
  if (!QTreeWidget::edit(index, trigger, event)) return false;
  editing_ = id;
  editShown_ = itemFromIndex(index)->text(0);
  model_.SetEditing(id, true);
  return true;
}

void FolderTreeView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTreeWidget::closeEditor(editor, hint);
  const NodeId id = editing_;
  editing_ = kNoNode;
  if (!model_.Contains(id)) return;
  model_.SetEditing(id, false);
  QTreeWidgetItem* item = ItemOf(id);
  if (item == nullptr) return;
  const QString typed = item->text(0);
  {
    // The tree always shows the folder's actual name: a rename that
    // succeeds brings the new one.
    const QSignalBlocker blocker(this);
    item->setText(0, FromUtf8(model_.Node(id).text));
  }
  // Escape, or the text left as shown, renames nothing: the shown text of a
  // name that is no UTF-8 is not that name's bytes.
  const std::optional<std::string> request =
      explorer::RenameRequest(editShown_.toStdString(), typed.toStdString(),
                              hint == QAbstractItemDelegate::RevertModelCache);
  if (request && onRenamed) onRenamed(id, *request);
}

void FolderTreeView::dragEnterEvent(QDragEnterEvent* event) { event->acceptProposedAction(); }

void FolderTreeView::dragMoveEvent(QDragMoveEvent* event) {
  const NodeId target = NodeAt(event->position().toPoint());
  if (target != kNoNode && explorer::AcceptsDrop(model_, target) && acceptsDrop &&
      acceptsDrop(target, *event)) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void FolderTreeView::dropEvent(QDropEvent* event) {
  const NodeId target = NodeAt(event->position().toPoint());
  if (target == kNoNode || !explorer::AcceptsDrop(model_, target) || !acceptsDrop ||
      !acceptsDrop(target, *event)) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  if (onDrop) onDrop(target, *event);
}

}  // namespace tesmora::ui
