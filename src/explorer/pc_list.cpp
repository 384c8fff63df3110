#include "explorer/pc_list.h"

#include <algorithm>
#include <array>

#include "platform/locale.h"
#include "platform/paths.h"

namespace tesmora::explorer {

namespace {

constexpr std::array<std::string_view, 4> kExportCodes{"AHC", "AHA", "CA2", "CC2"};

struct IconOfType {
  std::string_view type;
  int icon;
};
constexpr std::array<IconOfType, 23> kIcons{{
    {"exe", 0},  {"com", 0},  {"sys", 1},   {"dll", 1},  {"txt", 2},  {"zip", 3},
    {"gz", 3},   {"pdf", 4},  {"doc", 5},   {"xls", 6},  {"mdb", 7},  {"pb", 8},
    {"bat", 9},  {"jpg", 11}, {"jpeg", 11}, {"bmp", 11}, {"tif", 11}, {"tiff", 11},
    {"png", 11}, {"hlp", 14}, {"wav", 15},  {"mp3", 15}, {"wma", 15},
}};
constexpr int kPlainFileIcon = 10;

bool IsTestFileName(std::string_view name) {
  const char year = name[10];
  if (year != '0' && year != '1' && year != '2' && year != '9') return false;
  return ReadsAsInteger(name.substr(9, 3)) && ReadsAsInteger(name.substr(0, 8));
}

bool IsExportFileName(std::string_view name) {
  return std::find(kExportCodes.begin(), kExportCodes.end(), name.substr(9, 3)) !=
         kExportCodes.end();
}

}  // namespace

int IconForType(std::string_view type) {
  for (const IconOfType& entry : kIcons) {
    if (entry.type == type) return entry.icon;
  }
  return kPlainFileIcon;
}

std::optional<PcListRow> RowForEntry(std::string_view folder, const platform::DirectoryEntry& entry,
                                     bool allFilesMode) {
  if (entry.type == platform::EntryType::Directory) return std::nullopt;
  const std::string_view name = entry.name;
  if (allFilesMode) {
    PcListRow row{entry.name, TestTypeLabel(name, true), {}, kNoIcon};
    row.icon = IconForType(row.type);
    row.date = TestFileDate(folder, name, DateSource::LastWriteTime);
    return row;
  }
  // Devices, sockets and pipes are the system's, never the recorder's.
  if (name.size() != kTestFileNameLength || entry.type == platform::EntryType::Other) {
    return std::nullopt;
  }
  if (IsTestFileName(name)) {
    return PcListRow{entry.name, TestTypeLabel(name, false),
                     TestFileDate({}, name, DateSource::FromName), kNoIcon};
  }
  if (IsExportFileName(name)) {
    // The export's creation date is its test's date.
    return PcListRow{entry.name, TestTypeLabel(name, false),
                     TestFileDate(folder, name, DateSource::CreationTime), kNoIcon};
  }
  return std::nullopt;
}

void PcListSort::ClickColumn(int clicked) {
  if (clicked < 0 || clicked >= static_cast<int>(descending.size())) return;
  column = clicked;
  descending[clicked] = !descending[clicked];
}

void PcListSort::AfterFill() {
  column = 1;
  descending[1] = false;
}

std::string DateSortKey(std::string_view date) {
  if (date.size() < 8) return std::string(date);
  std::string key(date.substr(6));
  key += date.substr(3, 2);
  key += date.substr(0, 2);
  return key;
}

int CompareRows(const PcListRow& a, const PcListRow& b, const PcListSort& sort) {
  int result = 0;
  switch (sort.column) {
    case 0:
      result = platform::CompareTextsForUser(a.name, b.name);
      break;
    case 1:
      result = platform::CompareTextsForUser(a.type, b.type);
      break;
    default:
      result = platform::CompareTextsForUser(DateSortKey(a.date), DateSortKey(b.date));
      break;
  }
  return sort.descending[sort.column] ? -result : result;
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
        if (auto row = RowForEntry(folder_, entry, allFilesMode)) rows_.push_back(std::move(*row));
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
                             std::string_view name, DateSource source, bool allFilesMode) {
  if (!ShowsFolder(fs, folder)) return false;
  if (std::any_of(rows_.begin(), rows_.end(), [&](const PcListRow& r) { return r.name == name; })) {
    return false;
  }
  rows_.push_back({std::string(name), TestTypeLabel(name, allFilesMode),
                   TestFileDate(folder, name, source), kNoIcon});
  if (allFilesMode) rows_.back().icon = IconForType(rows_.back().type);
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
