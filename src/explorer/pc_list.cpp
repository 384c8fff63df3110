#include "explorer/pc_list.h"

#include <algorithm>

#include "platform/locale.h"
#include "platform/paths.h"
#include "records/test_names.h"

namespace tesmora::explorer {

std::optional<PcListRow> RowForEntry(const platform::DirectoryEntry& entry, bool allFilesMode) {
  if (entry.type == platform::EntryType::Directory) return std::nullopt;
  // Devices, sockets and pipes are the system's, never the recorder's.
  if (!allFilesMode && (entry.type == platform::EntryType::Other ||
                        FileNameKindOf(entry.name) == FileNameKind::Other)) {
    return std::nullopt;
  }
  return PcListRowOf(entry, allFilesMode);
}

void PcListSort::ClickColumn(int clicked) {
  if (clicked < 0 || clicked >= static_cast<int>(descending.size())) return;
  column = clicked;
  descending[clicked] = !descending[clicked];
}

void PcListSort::AfterFill() {
  column = PcListFillSortColumn();
  descending[static_cast<std::size_t>(column)] = false;
}

int CompareRows(const PcListRow& a, const PcListRow& b, const PcListSort& sort) {
  if (sort.column < 0 || sort.column >= static_cast<int>(kPcListColumnCount)) return 0;
  const auto at = static_cast<std::size_t>(sort.column);
  const PcListColumn& column = kPcListColumns[at];
  const int result = platform::CompareTextsForUser(column.sortKey(a), column.sortKey(b));
  return sort.descending[at] ? -result : result;
}

void SortRows(std::vector<PcListRow>& rows, const PcListSort& sort) {
  std::stable_sort(rows.begin(), rows.end(), [&](const PcListRow& a, const PcListRow& b) {
    return CompareRows(a, b, sort) < 0;
  });
}

TreeChange PcList::Fill(FolderTree& tree, NodeId node, platform::FileSystem& fs,
                        bool allFilesMode) {
  rows_.clear();
  TreeChange change = tree.MarkCurrentFolder(node);
  node_ = node;
  folder_ = tree.Contains(node) ? tree.NodePath(node).path : std::string();
  // The network root and the servers have no folder: an empty list, never
  // the working directory's files.
  identity_.reset();
  if (!folder_.empty()) {
    identity_ = fs.Identity(folder_);
    if (const auto entries = fs.List(folder_)) {
      rows_.reserve(entries->size());
      for (const platform::DirectoryEntry& entry : *entries) {
        if (auto row = RowForEntry(entry, allFilesMode)) rows_.push_back(std::move(*row));
      }
    }
  }
  sort_.AfterFill();
  SortRows(rows_, sort_);
  return change;
}

void PcList::ClickColumn(int column) {
  sort_.ClickColumn(column);
  SortRows(rows_, sort_);
}

bool PcList::ShowsFolder(platform::FileSystem& fs, std::string_view folder) const {
  if (folder_.empty() || folder.empty()) return false;
  if (platform::WithTrailingSeparator(folder_) == platform::WithTrailingSeparator(folder)) {
    return true;
  }
  return identity_.has_value() && fs.Identity(std::string(folder)) == identity_;
}

bool PcList::AddReceivedFile(platform::FileSystem& fs, std::string_view folder,
                             std::string_view name, bool allFilesMode) {
  if (!ShowsFolder(fs, folder)) return false;
  if (std::any_of(rows_.begin(), rows_.end(), [&](const PcListRow& r) { return r.name == name; })) {
    return false;
  }
  // The link has just written it, so it is shown even where a fill would
  // pass it over; a file that has gone again keeps its name's facts. It is
  // looked up by the name the list has for its folder.
  platform::DirectoryEntry entry =
      fs.Entry(folder_, std::string(name)).value_or(platform::DirectoryEntry{});
  entry.name = name;
  rows_.push_back(PcListRowOf(entry, allFilesMode));
  return true;
}

void PcList::FollowRename(const FolderTree& tree) {
  if (tree.Contains(node_)) folder_ = tree.NodePath(node_).path;
}

bool PcList::RemoveRow(std::string_view name) {
  const auto it =
      std::find_if(rows_.begin(), rows_.end(), [&](const PcListRow& r) { return r.name == name; });
  if (it == rows_.end()) return false;
  rows_.erase(it);
  return true;
}

}  // namespace tesmora::explorer
