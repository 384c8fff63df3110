#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "explorer/node_state.h"
#include "platform/file_system.h"

namespace tesmora::explorer {

// Nodes are numbered for the life of the tree; a removed node's number is
// never given again, so a widget can keep a map from numbers to its items.
using NodeId = int;
inline constexpr NodeId kNoNode = -1;

// The network root's text, the same in every language.
inline constexpr std::string_view kNetworkRootText = "Voisinage réseau";

struct TreeNode {
  NodeId id = kNoNode;
  NodeId parent = kNoNode;
  int state = kNodeNone;  // kNodeNone: a place-holder that only shows an expand button
  std::string text;       // a folder's name as the file system holds it, or a drive's label
  std::string rootPath;   // drives and shares: their mount point (other nodes: empty)
  std::vector<NodeId> children;
  bool hasChildren = false;  // shows an expand button before its children are loaded
  bool expanded = false;
  bool editing = false;
};

// A node's place: the folder where its files are (empty for the network root
// and the servers, which hold no files), its depth (1 for a root) and what
// lies on the way from its root.
struct NodePathInfo {
  std::string path;
  int depth = 0;
  bool onNetwork = false;           // under the network root
  bool networkDriveOnPath = false;  // under a network drive
};

// What an operation changed, for the widget that mirrors the tree.
struct TreeChange {
  std::vector<NodeId> removed;          // gone with their descendants
  std::vector<NodeId> childrenChanged;  // whose list of children (or its order) is new
  std::vector<NodeId> nodesChanged;     // whose state, text or expand button changed
  void Merge(const TreeChange& other);
  bool empty() const;
};

struct ExpandOutcome {
  bool listed = true;  // false when a folder or a share could not be listed
  TreeChange change;
};

// The folder tree of drives, folders and network places. The main window's
// tree and the automatic save directory dialog's are two objects of this
// class: the routines work on the one they are called on.
class FolderTree {
 public:
  // Rebuilds the tree from the drives: each with its state, the home folder
  // selected and listed one level deep, the network root last.
  TreeChange Fill(platform::FileSystem& fs);

  bool Contains(NodeId id) const;
  const TreeNode& Node(NodeId id) const;
  const std::vector<NodeId>& Roots() const { return roots_; }
  NodeId Selected() const { return selected_; }
  // The node shown with the open-folder image, or kNoNode.
  NodeId OpenFolder() const { return openFolder_; }
  // The child of `parent` (kNoNode: the roots) with this text, or kNoNode.
  NodeId FindChild(NodeId parent, std::string_view text) const;

  NodePathInfo NodePath(NodeId id) const;

  // Loads the node's children (one level deeper on local drives, to show an
  // expand button only where there are subfolders; hidden folders are not
  // shown). Folders still there keep their nodes and what was loaded below
  // them. A folder or share that cannot be listed keeps its expand button so
  // that the user can try again.
  ExpandOutcome Expand(NodeId id, platform::FileSystem& fs);
  TreeChange Collapse(NodeId id);
  TreeChange Select(NodeId id);
  // The open-folder image moves to `id`, unless it is a root, a server or a
  // share; the node that had it becomes a folder again.
  TreeChange MarkCurrentFolder(NodeId id);

  // A new folder node under `parent`, in its sorted place.
  TreeChange AddFolder(NodeId parent, std::string name, NodeId* added = nullptr);
  // A selected node that goes (itself, or with a folder above it) hands the
  // selection to the node that held it: here the parent, after a new listing
  // the folder listed.
  TreeChange Remove(NodeId id);
  // The node's text after a rename on disk, re-sorted among its siblings.
  TreeChange SetText(NodeId id, std::string text);
  void SetEditing(NodeId id, bool editing);

  bool IsRoot(NodeId id) const;

 private:
  NodeId NewNode(NodeId parent, int state, std::string text);
  bool IsWithin(NodeId node, NodeId ancestor) const;
  // Forgets a node and its descendants; `heir` takes the selection when it
  // was among them.
  void ForgetSubtree(NodeId id, NodeId heir, TreeChange& change);
  void RemoveChildren(NodeId id, TreeChange& change);
  void Forget(NodeId id);
  // The node among `previous` that stands for the folder (server, share)
  // named `text`, taken out of it; kNoNode when there is none.
  NodeId TakeFolderNode(std::vector<NodeId>& previous, std::string_view text) const;
  bool HasLoadedChildren(NodeId id) const;
  void SortChildren(NodeId id);
  void SortRoots();
  bool ListSubfolders(NodeId id, std::string path, bool lookDeeper, platform::FileSystem& fs,
                      TreeChange& change);
  void EnumerateNetwork(NodeId root, platform::FileSystem& fs, TreeChange& change);
  std::vector<NodeId>& ChildrenOf(NodeId parent);

  std::vector<TreeNode> nodes_;
  std::vector<bool> alive_;
  std::vector<NodeId> roots_;
  NodeId selected_ = kNoNode;
  NodeId openFolder_ = kNoNode;
};

}  // namespace tesmora::explorer
