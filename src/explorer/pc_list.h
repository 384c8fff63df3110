#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explorer/folder_tree.h"
#include "explorer/pc_list_columns.h"
#include "platform/file_system.h"

namespace tesmora::explorer {

// The row a folder entry gives, or nothing when the entry is not listed: in
// the normal mode only test files and export files (FileNameKindOf) that are
// neither folders nor devices, sockets or pipes; in the display-all-files
// mode every entry but a folder.
std::optional<PcListRow> RowForEntry(const platform::DirectoryEntry& entry, bool allFilesMode);

// The sort column and one descending flag per column. A click flips the
// column's flag; a fill sorts by Type ascending and clears only the Type
// flag, so that the Name and Date flags persist from folder to folder.
struct PcListSort {
  int column = PcListFillSortColumn();
  std::array<bool, kPcListColumnCount> descending{};
  void ClickColumn(int column);
  void AfterFill();
};

// Negative when a comes first under the sort state: by the sort key of the
// sort column.
int CompareRows(const PcListRow& a, const PcListRow& b, const PcListSort& sort);
void SortRows(std::vector<PcListRow>& rows, const PcListSort& sort);

// The PC list of one folder of the main tree.
class PcList {
 public:
  // FillPcList: the node becomes the current folder (open-folder image), its
  // folder is listed and sorted by Type. Returns what changed in the tree.
  TreeChange Fill(FolderTree& tree, NodeId node, platform::FileSystem& fs, bool allFilesMode);

  // Re-sorts the rows present after a column click.
  void ClickColumn(int column);

  // Whether the list shows `folder`, by whatever name (a link, a separator
  // at the end) it is given: a drive's, a share's or a folder's.
  bool ShowsFolder(platform::FileSystem& fs, std::string_view folder) const;
  // A file the link stored (or exported) in `folder`: added when the list
  // shows that folder and has no row of that name, as a fill would show it.
  // Returns whether a row was added.
  bool AddReceivedFile(platform::FileSystem& fs, std::string_view folder, std::string_view name,
                       bool allFilesMode);
  // The listed folder's path after a rename of it or of a folder above it.
  void FollowRename(const FolderTree& tree);
  // The row of a deleted or moved file goes.
  bool RemoveRow(std::string_view name);

  const std::vector<PcListRow>& rows() const { return rows_; }
  int PcFileCount() const { return static_cast<int>(rows_.size()); }
  const std::string& CurrentPcFolder() const { return folder_; }
  NodeId CurrentFolderNode() const { return node_; }
  const PcListSort& sort() const { return sort_; }

 private:
  std::vector<PcListRow> rows_;
  std::string folder_;
  std::optional<platform::FileIdentity> identity_;  // of the folder listed
  NodeId node_ = kNoNode;
  PcListSort sort_;
};

}  // namespace tesmora::explorer
