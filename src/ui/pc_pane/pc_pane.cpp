#include "ui/pc_pane/pc_pane.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "explorer/node_state.h"
#include "explorer/pc_selection.h"
#include "platform/paths.h"
#include "shell/count_texts.h"
#include "shell/message_table.h"
#include "shell/ui_texts.h"
#include "ui/common/dialog_frame.h"
#include "ui/common/pane_widgets.h"
#include "ui/pc_pane/explorer_artwork.h"
#include "ui/pc_pane/folder_tree_view.h"

namespace tesmora::ui {
namespace {

QTreeWidgetItem* RowItem(const explorer::PcListRow& row) {
  QStringList texts;
  for (const explorer::PcListColumn& column : explorer::kPcListColumns) {
    texts << FromUtf8(column.text(row));
  }
  auto* item = new QTreeWidgetItem(texts);
  item->setData(0, Qt::UserRole, QByteArray::fromStdString(row.name));
  if (row.icon != explorer::kNoIcon) item->setIcon(0, FileTypeIcon(row.icon));
  return item;
}

}  // namespace

PcPane::PcPane(const LanguageState& language, QWidget* parent)
    : QWidget(parent), language_(language) {
  setObjectName("Panel1");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  Label3 = PaneHeader(QString(), "Label3", this);
  layout->addWidget(Label3);
  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName("Splitter1");
  Splitter1->setChildrenCollapsible(false);
  tvRepPc = new FolderTreeView("tvRepPc", tree_, true, Splitter1);
  tvRepPc->setContextMenuPolicy(Qt::CustomContextMenu);
  tvRepPc->onNodeSelected = [this](explorer::NodeId id) { NodeSelected(id); };
  tvRepPc->onTreeChanged = [this] { FollowCurrentFolder(); };
  UseInfoBackground(tvRepPc);
  ListFichPC = ReportList("ListFichPC", static_cast<int>(explorer::kPcListColumnCount), Splitter1);
  ListFichPC->setDragEnabled(true);
  ListFichPC->setAcceptDrops(true);
  ListFichPC->setSortingEnabled(false);
  ListFichPC->header()->setSectionsClickable(true);
  int column = 0;
  for (const explorer::PcListColumn& described : explorer::kPcListColumns) {
    ListFichPC->setColumnWidth(column++, described.width);
  }
  connect(ListFichPC->header(), &QHeaderView::sectionClicked, this,
          [this](int column) { SortByColumn(column); });
  connect(ListFichPC, &QTreeWidget::itemSelectionChanged, this, [this] { EmitCount(true); });
  ListFichPC->installEventFilter(this);
  Splitter1->setStretchFactor(1, 1);
  layout->addWidget(Splitter1, 1);
}

QTreeWidget* PcPane::tree() const { return tvRepPc; }

bool PcPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListFichPC && event->type() == QEvent::FocusOut) EmitCount(false);
  return QWidget::eventFilter(watched, event);
}

void PcPane::Start(std::shared_ptr<platform::FileSystem> fs, const ApplicationState& state) {
  state_ = &state;
  tvRepPc->SetFileSystem(std::move(fs));
  const int generation = ++fillGeneration_;
  tvRepPc->ListInBackground(
      [](platform::FileSystem& fs) {
        explorer::FolderTree rehearsal;
        rehearsal.Fill(fs);
      },
      [this, generation](platform::FileSystem& fs) {
        tree_.Fill(fs);
        tvRepPc->Rebuild();
        if (generation == fillGeneration_) FillList(tree_.Selected());
      });
}

bool PcPane::Busy() const { return tvRepPc->Busy(); }

bool PcPane::HasSelectedNode() const { return tree_.Contains(tree_.Selected()); }

explorer::NodeId PcPane::SelectedNodeId() const { return tree_.Selected(); }

SelectedNodeFacts PcPane::SelectedNode() const {
  return explorer::FactsOfNode(HasSelectedNode() ? tree_.Node(tree_.Selected()).state
                                                 : explorer::kNodeNone);
}

std::vector<std::string> PcPane::SelectedNames() const {
  // The names as the file system holds them, whatever their encoding.
  std::vector<std::string> names;
  for (int row = 0; row < ListFichPC->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = ListFichPC->topLevelItem(row);
    if (item->isSelected())
      names.push_back(item->data(0, Qt::UserRole).toByteArray().toStdString());
  }
  return names;
}

PcSelectionFacts PcPane::Selection() const { return explorer::FactsOfPcSelection(SelectedNames()); }

std::optional<std::string> PcPane::ShownFolder() const {
  if (list_.CurrentPcFolder().empty()) return std::nullopt;
  return platform::WithTrailingSeparator(list_.CurrentPcFolder());
}

bool PcPane::ShowsFolder(const std::string& folder) const {
  const std::shared_ptr<platform::FileSystem>& fs = tvRepPc->fileSystem();
  return fs != nullptr && list_.ShowsFolder(*fs, folder);
}

void PcPane::ApplyTreeChange(const explorer::TreeChange& change) { tvRepPc->Apply(change); }

void PcPane::NodeSelected(explorer::NodeId id) {
  emit countTextChanged(FromUtf8(PanelCountTextUtf8(0, 0, language_.LanguageIndex)));
  // The tree's change brings the list along.
  ApplyTreeChange(tree_.Select(id));
}

void PcPane::FollowCurrentFolder() {
  const explorer::NodeId current = tree_.Selected();
  if (!tree_.Contains(current)) return;
  // A rename of the listed folder, or of one above it, changes where its
  // files are; the commands on its rows go there at once.
  list_.FollowRename(tree_);
  if (current == askedNode_ && tree_.NodePath(current).path == askedPath_) return;
  FillList(current);
}

void PcPane::FillList(explorer::NodeId node) {
  if (node == explorer::kNoNode) node = tree_.Selected();
  if (!tree_.Contains(node)) return;
  askedNode_ = node;
  askedPath_ = tree_.NodePath(node).path;
  // The folder is listed on a worker thread; only the last fill asked for
  // shows.
  const int generation = ++fillGeneration_;
  const bool allFiles = state_ != nullptr && state_->allFilesMode;
  auto filled = std::make_shared<explorer::PcList>(list_);
  explorer::FolderTree treeCopy = tree_;
  tvRepPc->ListInBackground(
      [filled, treeCopy, node, allFiles](platform::FileSystem& fs) mutable {
        filled->Fill(treeCopy, node, fs, allFiles);
      },
      [this, filled, node, generation](platform::FileSystem&) {
        if (generation != fillGeneration_ || !tree_.Contains(node)) return;
        ApplyTreeChange(tree_.MarkCurrentFolder(node));
        list_ = *filled;
        ShowRows();
        EmitCount(false);
      });
}

void PcPane::SortByColumn(int column) {
  // The rows come back in their new order with the selection they had.
  const std::vector<std::string> selected = SelectedNames();
  const QTreeWidgetItem* current = ListFichPC->currentItem();
  const QByteArray currentName =
      current != nullptr ? current->data(0, Qt::UserRole).toByteArray() : QByteArray();
  list_.ClickColumn(column);
  {
    const QSignalBlocker blocker(ListFichPC);
    ShowRows();
    const std::set<std::string> chosen(selected.begin(), selected.end());
    for (int row = 0; row < ListFichPC->topLevelItemCount(); ++row) {
      QTreeWidgetItem* item = ListFichPC->topLevelItem(row);
      const QByteArray name = item->data(0, Qt::UserRole).toByteArray();
      if (!currentName.isEmpty() && name == currentName) {
        ListFichPC->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
      }
      item->setSelected(chosen.count(name.toStdString()) != 0);
    }
  }
  EmitCount(true);
}

void PcPane::ShowRows() {
  ListFichPC->setUpdatesEnabled(false);
  ListFichPC->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(list_.rows().size()));
  for (const explorer::PcListRow& row : list_.rows()) items << RowItem(row);
  ListFichPC->addTopLevelItems(items);
  ListFichPC->setUpdatesEnabled(true);
}

void PcPane::RemoveRows(const std::vector<std::string>& names) {
  if (names.empty()) return;
  // Only the rows of the files that went: the others keep their selection,
  // which a Cancel or a file that stayed leaves for the next command.
  const std::set<std::string> gone(names.begin(), names.end());
  for (const std::string& name : names) list_.RemoveRow(name);
  for (int row = ListFichPC->topLevelItemCount() - 1; row >= 0; --row) {
    if (gone.count(
            ListFichPC->topLevelItem(row)->data(0, Qt::UserRole).toByteArray().toStdString()))
      delete ListFichPC->takeTopLevelItem(row);
  }
  EmitCount(false);
}

void PcPane::EmitCount(bool withSelection) {
  const int selected = withSelection ? static_cast<int>(ListFichPC->selectedItems().size()) : 0;
  emit countTextChanged(
      FromUtf8(PanelCountTextUtf8(list_.PcFileCount(), selected, language_.LanguageIndex)));
}

void PcPane::FileStored(const std::string& folder, const std::string& name) {
  const bool allFiles = state_ != nullptr && state_->allFilesMode;
  const std::shared_ptr<platform::FileSystem>& fs = tvRepPc->fileSystem();
  if (fs == nullptr || !list_.AddReceivedFile(*fs, folder, name, allFiles)) return;
  ListFichPC->addTopLevelItem(RowItem(list_.rows().back()));
  EmitCount(false);
}

void PcPane::SelectAll() {
  if (PcFileCount() <= 0) return;
  ListFichPC->setFocus();
  ListFichPC->selectAll();
}

void PcPane::SetTreeWidth(int width, int paneWidth) {
  Splitter1->setSizes({width, std::max(1, paneWidth - width)});
}

void PcPane::Relabel() {
  const int lang = language_.LanguageIndex;
  const QString computer = Message(msg::kComputer, language_);
  Label3->setText(computer);
  QStringList headers;
  for (const explorer::PcListColumn& column : explorer::kPcListColumns) {
    headers << Message(column.headerMessage, language_);
  }
  ListFichPC->setHeaderLabels(headers);

  NameForReader(*this, computer);
  DescribeLabelForReader(*Label3, {});
  NameForReader(*tvRepPc, FromUtf8(UiTextUtf8(UiText::PcFolders, lang)),
                FromUtf8(UiTextUtf8(UiText::PcFoldersHelp, lang)));
  NameForReader(*ListFichPC, FromUtf8(UiTextUtf8(UiText::PcFiles, lang)),
                headers.join(QStringLiteral(", ")));
  NameForReader(*Splitter1, FromUtf8(UiTextUtf8(UiText::PaneDivider, lang)));
}

}  // namespace tesmora::ui
