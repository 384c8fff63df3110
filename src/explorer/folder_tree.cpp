#include "explorer/folder_tree.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "platform/locale.h"
#include "platform/paths.h"

namespace tesmora::explorer {

namespace {

int StateOfDrive(platform::DriveKind kind) {
  switch (kind) {
    case platform::DriveKind::Fixed:
      return kNodeFixedDrive;
    case platform::DriveKind::Removable:
      return kNodeRemovable;
    case platform::DriveKind::CdRom:
      return kNodeCdRom;
    case platform::DriveKind::Network:
      return kNodeNetworkDrive;
  }
  return kNodeFixedDrive;
}

void AddOnce(std::vector<NodeId>& ids, NodeId id) {
  if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
}

}  // namespace

void TreeChange::Merge(const TreeChange& other) {
  for (NodeId id : other.removed) AddOnce(removed, id);
  for (NodeId id : other.childrenChanged) AddOnce(childrenChanged, id);
  for (NodeId id : other.nodesChanged) AddOnce(nodesChanged, id);
}

bool TreeChange::empty() const {
  return removed.empty() && childrenChanged.empty() && nodesChanged.empty();
}

bool FolderTree::Contains(NodeId id) const {
  return id >= 0 && id < static_cast<NodeId>(nodes_.size()) && alive_[id];
}

const TreeNode& FolderTree::Node(NodeId id) const {
  if (!Contains(id)) throw std::out_of_range("no such tree node");
  return nodes_[id];
}

bool FolderTree::IsRoot(NodeId id) const { return Contains(id) && nodes_[id].parent == kNoNode; }

std::vector<NodeId>& FolderTree::ChildrenOf(NodeId parent) {
  return parent == kNoNode ? roots_ : nodes_[parent].children;
}

NodeId FolderTree::NewNode(NodeId parent, int state, std::string text) {
  const NodeId id = static_cast<NodeId>(nodes_.size());
  TreeNode node;
  node.id = id;
  node.parent = parent;
  node.state = state;
  node.text = std::move(text);
  nodes_.push_back(std::move(node));
  alive_.push_back(true);
  ChildrenOf(parent).push_back(id);
  return id;
}

void FolderTree::Forget(NodeId id) {
  for (NodeId child : nodes_[id].children) Forget(child);
  nodes_[id].children.clear();
  alive_[id] = false;
  if (selected_ == id) selected_ = kNoNode;
  if (openFolder_ == id) openFolder_ = kNoNode;
}

void FolderTree::RemoveChildren(NodeId id, TreeChange& change) {
  std::vector<NodeId>& children = ChildrenOf(id);
  if (children.empty()) return;
  for (NodeId child : children) {
    Forget(child);
    AddOnce(change.removed, child);
  }
  children.clear();
  AddOnce(change.childrenChanged, id);
}

NodeId FolderTree::FindChild(NodeId parent, std::string_view text) const {
  const std::vector<NodeId>& children = parent == kNoNode ? roots_ : Node(parent).children;
  for (NodeId child : children) {
    if (nodes_[child].text == text) return child;
  }
  return kNoNode;
}

TreeChange FolderTree::Fill(platform::FileSystem& fs) {
  TreeChange change;
  RemoveChildren(kNoNode, change);
  AddOnce(change.childrenChanged, kNoNode);
  selected_ = kNoNode;
  openFolder_ = kNoNode;
  NodeId firstFixed = kNoNode;
  for (const platform::Drive& drive : fs.Drives()) {
    const NodeId id = NewNode(kNoNode, StateOfDrive(drive.kind), drive.label);
    nodes_[id].rootPath = drive.mountPoint;
    if (drive.kind == platform::DriveKind::Fixed) {
      if (firstFixed == kNoNode || drive.selectedAtStart) firstFixed = id;
    } else {
      nodes_[id].hasChildren = true;
    }
  }
  // Fixed drives are listed at once, one level deep; the selected one shows
  // its folders.
  for (NodeId id : roots_) {
    if (nodes_[id].state != kNodeFixedDrive) continue;
    if (ListSubfolders(id, nodes_[id].rootPath, true, fs)) {
      nodes_[id].expanded = id == firstFixed;
      nodes_[id].hasChildren = false;
      SortChildren(id);
    } else {
      nodes_[id].hasChildren = true;
    }
  }
  const NodeId network = NewNode(kNoNode, kNodeNetworkRoot, std::string(kNetworkRootText));
  nodes_[network].hasChildren = true;
  SortRoots();
  selected_ = firstFixed;
  return change;
}

NodePathInfo FolderTree::NodePath(NodeId id) const {
  NodePathInfo info;
  std::vector<NodeId> chain;
  for (NodeId at = id; at != kNoNode; at = Node(at).parent) chain.push_back(at);
  info.depth = static_cast<int>(chain.size());
  const TreeNode& root = nodes_[chain.back()];
  info.onNetwork = root.state == kNodeNetworkRoot;
  // Folders lie under a drive's or a share's mount point: the nearest node
  // that has one is where the path starts.
  std::size_t start = chain.size();
  for (std::size_t i = chain.size(); i-- > 0;) {
    const TreeNode& node = nodes_[chain[i]];
    if (node.state == kNodeNetworkDrive) info.networkDriveOnPath = true;
    if (!node.rootPath.empty()) start = i;
  }
  if (start == chain.size()) return info;  // the network root or a server
  info.path = nodes_[chain[start]].rootPath;
  for (std::size_t i = start; i-- > 0;)
    info.path = platform::JoinPath(info.path, nodes_[chain[i]].text);
  return info;
}

// The path is a copy: adding nodes moves the nodes a reference would point into.
bool FolderTree::ListSubfolders(NodeId id, std::string path, bool lookDeeper,
                                platform::FileSystem& fs) {
  const auto entries = fs.List(path);
  if (!entries) return false;
  for (const platform::DirectoryEntry& entry : *entries) {
    if (entry.type != platform::EntryType::Directory) continue;
    const NodeId child = NewNode(id, kNodeFolder, entry.name);
    if (!lookDeeper) {
      nodes_[child].hasChildren = true;
      continue;
    }
    if (const auto inner = fs.List(platform::JoinPath(path, entry.name))) {
      for (const platform::DirectoryEntry& below : *inner) {
        if (below.type == platform::EntryType::Directory) NewNode(child, kNodeNone, below.name);
      }
    } else {
      // A folder that did not answer (a share mounted here that hangs, a
      // dying disk) keeps a button for another try.
      nodes_[child].hasChildren = true;
    }
  }
  return true;
}

void FolderTree::EnumerateNetwork(NodeId root, platform::FileSystem& fs) {
  // The mount table names every mounted share with its server.
  std::map<std::string, std::vector<const platform::Drive*>> byHost;
  const std::vector<platform::Drive> drives = fs.Drives();
  for (const platform::Drive& drive : drives) {
    if (drive.kind == platform::DriveKind::Network && !drive.host.empty()) {
      byHost[drive.host].push_back(&drive);
    }
  }
  for (const auto& [host, shares] : byHost) {
    const NodeId server = NewNode(root, kNodeServer, host);
    for (const platform::Drive* drive : shares) {
      const NodeId share = NewNode(server, kNodeShare, drive->share);
      nodes_[share].rootPath = drive->mountPoint;
      nodes_[share].hasChildren = true;
    }
    SortChildren(server);
  }
}

ExpandOutcome FolderTree::Expand(NodeId id, platform::FileSystem& fs) {
  ExpandOutcome outcome;
  const NodePathInfo where = NodePath(id);
  TreeNode& node = nodes_[id];
  if (where.onNetwork && where.depth == 2) {
    // A server: its shares came with the enumeration.
    node.expanded = true;
    AddOnce(outcome.change.nodesChanged, id);
    return outcome;
  }
  RemoveChildren(id, outcome.change);
  AddOnce(outcome.change.childrenChanged, id);
  AddOnce(outcome.change.nodesChanged, id);
  if (where.onNetwork && where.depth == 1) {
    EnumerateNetwork(id, fs);
  } else if (where.onNetwork) {
    // An unreachable share shows nothing and keeps its button.
    if (!ListSubfolders(id, where.path, false, fs)) nodes_[id].hasChildren = true;
  } else {
    outcome.listed = ListSubfolders(id, where.path, !where.networkDriveOnPath, fs);
  }
  TreeNode& after = nodes_[id];
  if (!outcome.listed) {
    after.hasChildren = true;
    after.expanded = false;
    return outcome;
  }
  after.hasChildren = false;
  after.expanded = true;
  SortChildren(id);
  return outcome;
}

TreeChange FolderTree::Collapse(NodeId id) {
  TreeChange change;
  if (!Contains(id)) return change;
  nodes_[id].expanded = false;
  change.nodesChanged.push_back(id);
  return change;
}

TreeChange FolderTree::Select(NodeId id) {
  TreeChange change;
  if (!Contains(id) || selected_ == id) return change;
  if (selected_ != kNoNode) change.nodesChanged.push_back(selected_);
  selected_ = id;
  change.nodesChanged.push_back(id);
  return change;
}

TreeChange FolderTree::MarkCurrentFolder(NodeId id) {
  TreeChange change;
  if (openFolder_ != kNoNode && Contains(openFolder_)) {
    nodes_[openFolder_].state = kNodeFolder;
    change.nodesChanged.push_back(openFolder_);
  }
  openFolder_ = kNoNode;
  if (!Contains(id)) return change;
  TreeNode& node = nodes_[id];
  if (node.parent == kNoNode || node.state == kNodeServer || node.state == kNodeShare ||
      node.state == kNodeNone) {
    return change;
  }
  node.state = kNodeOpenFolder;
  openFolder_ = id;
  AddOnce(change.nodesChanged, id);
  return change;
}

TreeChange FolderTree::AddFolder(NodeId parent, std::string name, NodeId* added) {
  TreeChange change;
  if (!Contains(parent)) return change;
  const NodeId id = NewNode(parent, kNodeFolder, std::move(name));
  SortChildren(parent);
  change.childrenChanged.push_back(parent);
  if (added != nullptr) *added = id;
  return change;
}

TreeChange FolderTree::Remove(NodeId id) {
  TreeChange change;
  if (!Contains(id)) return change;
  const NodeId parent = nodes_[id].parent;
  std::vector<NodeId>& siblings = ChildrenOf(parent);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
  Forget(id);
  change.removed.push_back(id);
  change.childrenChanged.push_back(parent);
  return change;
}

TreeChange FolderTree::SetText(NodeId id, std::string text) {
  TreeChange change;
  if (!Contains(id)) return change;
  nodes_[id].text = std::move(text);
  change.nodesChanged.push_back(id);
  const NodeId parent = nodes_[id].parent;
  if (parent == kNoNode) {
    SortRoots();
  } else {
    SortChildren(parent);
  }
  change.childrenChanged.push_back(parent);
  return change;
}

void FolderTree::SetEditing(NodeId id, bool editing) {
  if (Contains(id)) nodes_[id].editing = editing;
}

void FolderTree::SortChildren(NodeId id) {
  std::vector<NodeId>& children = ChildrenOf(id);
  std::stable_sort(children.begin(), children.end(), [&](NodeId a, NodeId b) {
    return platform::CompareTextsForUser(nodes_[a].text, nodes_[b].text) < 0;
  });
  for (NodeId child : children) {
    if (!nodes_[child].children.empty()) SortChildren(child);
  }
}

void FolderTree::SortRoots() {
  // The drives in order of their names, the network places after them.
  std::stable_sort(roots_.begin(), roots_.end(), [&](NodeId a, NodeId b) {
    const bool networkA = nodes_[a].state == kNodeNetworkRoot;
    const bool networkB = nodes_[b].state == kNodeNetworkRoot;
    if (networkA != networkB) return networkB;
    return platform::CompareTextsForUser(nodes_[a].text, nodes_[b].text) < 0;
  });
}

}  // namespace tesmora::explorer
