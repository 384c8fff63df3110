#include "ui/main_window/pc_commands.h"

#include <QAction>
#include <QApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QShortcut>
#include <QTreeWidget>
#include <QUrl>
#include <algorithm>
#include <map>

#include "explorer/delete_operations.h"
#include "explorer/manual_export.h"
#include "explorer/new_folder.h"
#include "explorer/node_state.h"
#include "explorer/tree_edit.h"
#include "link/link_session.h"
#include "link/reader_thread.h"
#include "link/transfers.h"
#include "platform/bounded_file_system.h"
#include "platform/paths.h"
#include "platform/posix_file_system.h"
#include "ui/main_window/main_actions.h"
#include "ui/main_window/main_link.h"
#include "ui/main_window/status_panels.h"
#include "ui/pc_pane/auto_save_dialog.h"
#include "ui/pc_pane/folder_tree_view.h"
#include "ui/pc_pane/new_folder_dialog.h"
#include "ui/pc_pane/pc_pane.h"
#include "ui/recorder_pane/recorder_pane.h"

namespace tesmora::ui {
namespace {

// The hourglass for as long as the object lives.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

// Local files dragged from the desktop, by folder (ending with a separator).
std::map<std::string, std::vector<std::string>> DesktopFiles(const QMimeData& data) {
  std::map<std::string, std::vector<std::string>> byFolder;
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) continue;
    const QFileInfo file(url.toLocalFile());
    if (!file.isFile()) continue;
    byFolder[platform::WithTrailingSeparator(file.absolutePath().toStdString())].push_back(
        file.fileName().toStdString());
  }
  return byFolder;
}

}  // namespace

PcCommands::PcCommands(PcCommandParts parts, const MainWindowOptions& options)
    : QObject(&parts.window),
      parts_(std::move(parts)),
      fs_(options.fileSystem != nullptr
              ? options.fileSystem
              : std::make_shared<platform::PosixFileSystem>(
                    options.drives.value_or(platform::SystemDriveSources()))),
      listings_(std::make_shared<platform::BoundedFileSystem>(fs_, options.listingWait)) {
  PcPane& pc = parts_.pc;
  FolderTreeView& tree = *pc.treeView();
  tree.onRenamed = [this](explorer::NodeId id, const std::string& text) {
    const explorer::RenameOutcome outcome = explorer::RenameFolderNode(
        parts_.pc.folderTree(), id, text, *fs_, parts_.prompter, parts_.language);
    // The list follows its folder to the new name.
    parts_.pc.ApplyTreeChange(outcome.change);
  };
  tree.acceptsDrop = [this](explorer::NodeId, const QDropEvent& event) {
    return parts_.acceptsCommands() && TreeAccepts(event);
  };
  tree.onDrop = [this](explorer::NodeId node, const QDropEvent& event) { TreeDrop(node, event); };
  for (QTreeWidget* list : {pc.list(), parts_.recorder.list()}) {
    list->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
  }
  connect(&pc, &PcPane::countTextChanged, this,
          [this](const QString& text) { parts_.status.SetText(4, text); });
  pc.Start(listings_, parts_.allFilesMode);
}

PcCommands::~PcCommands() = default;

void PcCommands::CreateDialogs() {
  // The automatic save directory dialog comes first, the new-folder dialog
  // it uses second.
  RepSaveAuto100d = new TRepSaveAuto100d(parts_.language, parts_.prompter, &parts_.window);
  FenNewRep = new TFenNewRep(parts_.language, &parts_.window);
  RepSaveAuto100d->UseNewFolderDialog(FenNewRep);
}

void PcCommands::Guarded(void (PcCommands::*command)()) {
  if (parts_.acceptsCommands()) (this->*command)();
}

void PcCommands::Connect(MainActions& actions, std::function<void()> editMenuRules,
                         std::function<PaneFocus()> focus) {
  focus_ = std::move(focus);
  const std::pair<QAction*, void (PcCommands::*)()> commands[] = {
      {actions.NewRep, &PcCommands::NewRepClick},
      {actions.ExportManuelle, &PcCommands::ExportManuelleClick},
      {actions.Exporter1, &PcCommands::ExportManuelleClick},
      {actions.DirSauve, &PcCommands::DirSauveClick},
      {actions.Coller1, &PcCommands::PasteClick},
      {actions.Coller, &PcCommands::PasteClick},
  };
  for (const auto& [action, command] : commands) {
    connect(action, &QAction::triggered, this, [this, command] { Guarded(command); });
  }
  QAction* paste = actions.Coller1;
  connect(actions.ctrlV, &QShortcut::activated, this, [this, paste, editMenuRules] {
    if (!parts_.acceptsCommands()) return;
    editMenuRules();
    if (paste->isEnabled()) PasteClick();
  });
}

explorer::OperationContext PcCommands::Context() const {
  return {*fs_, parts_.prompter, parts_.language};
}

std::string PcCommands::NodeFolder(int node) const {
  const explorer::FolderTree& tree = parts_.pc.folderTree();
  if (!tree.Contains(node)) return {};
  const std::string path = tree.NodePath(node).path;
  return path.empty() ? path : platform::WithTrailingSeparator(path);
}

bool PcCommands::CanPaste(PaneFocus focus) const {
  if (focus == PaneFocus::RecorderList) return parts_.clipboardSource == kClipboardPc;
  return parts_.clipboardSource != kClipboardNone;
}

void PcCommands::NewRepClick() {
  explorer::FolderTree& tree = parts_.pc.folderTree();
  const explorer::NodeId node = parts_.pc.SelectedNodeId();
  if (FenNewRep == nullptr || !tree.Contains(node) ||
      !explorer::AcceptsNewFolder(tree.Node(node).state)) {
    return;
  }
  const std::optional<std::string> name = FenNewRep->Ask(tree.NodePath(node).path);
  if (!name) return;
  parts_.pc.ApplyTreeChange(explorer::CreateNewFolderNode(Context(), tree, node, *name).change);
}

void PcCommands::Delete(PaneFocus focus) {
  PcPane& pc = parts_.pc;
  if (focus == PaneFocus::FolderTree) {
    const explorer::NodeId node = pc.SelectedNodeId();
    if (!explorer::DeletableByKey(pc.folderTree(), node)) return;
    const explorer::DeleteNodeOutcome outcome =
        explorer::DeleteFolderNode(Context(), pc.folderTree(), node);
    // A deleted current folder hands over to its parent, which the list
    // then shows.
    pc.ApplyTreeChange(outcome.change);
  } else if (focus == PaneFocus::PcList) {
    pc.RemoveRows(explorer::DeleteSelectedFiles(Context(), pc.pcList().CurrentPcFolder(),
                                                pc.SelectedNames()));
  }
}

void PcCommands::CopyPcFiles() {
  const std::vector<std::string> names = parts_.pc.SelectedNames();
  if (names.empty()) return;
  clipboard_ = explorer::CopyPcSelection(parts_.pc.pcList().CurrentPcFolder(), names);
  parts_.clipboardSource = kClipboardPc;
}

void PcCommands::PasteClick() { Paste(focus_()); }

void PcCommands::Paste(PaneFocus focus) {
  const int source = parts_.clipboardSource;
  parts_.clipboardSource = kClipboardNone;
  if (focus == PaneFocus::RecorderList) {
    if (source != kClipboardPc) return;
    SendToRecorder(clipboard_.ClipboardNames, clipboard_.ClipboardFolder);
    clipboard_.ClipboardNames.clear();
    return;
  }
  if (focus != PaneFocus::FolderTree && focus != PaneFocus::PcList) return;
  const explorer::NodeId target = parts_.pc.SelectedNodeId();
  const std::string folder = NodeFolder(target);
  if (folder.empty()) return;
  if (source == kClipboardRecorder) {
    parts_.link.session().PasteRecorderFiles(folder);
  } else if (source == kClipboardPc) {
    explorer::PasteFiles(Context(), clipboard_, folder);
    // The folder shown, be it a drive, a share or a network drive's root.
    if (parts_.pc.ShowsFolder(folder)) parts_.pc.FillList(target);
  }
}

void PcCommands::SendToRecorder(const std::vector<std::string>& names, const std::string& folder) {
  if (names.empty() || folder.empty()) return;
  const std::vector<std::string> files = explorer::WithoutSpecialFiles(Context(), folder, names);
  if (!files.empty())
    parts_.link.session().SendFiles(files, platform::WithTrailingSeparator(folder));
}

void PcCommands::ExportManuelleClick() {
  PcPane& pc = parts_.pc;
  const std::string folder = NodeFolder(pc.SelectedNodeId());
  if (folder.empty()) return;
  const BusyCursor hourglass;
  link::LinkSession& session = parts_.link.session();
  const ExportSettings settings{parts_.language.LanguageIndex, session.VersionText(),
                                session.reader().basisFlags().value_or(0)};
  const std::vector<std::string> written = explorer::ExportSelectedFiles(
      Context(), folder, pc.SelectedNames(),
      explorer::ExportThrough(*parts_.link.exporter(), settings, parts_.prompter, parts_.language));
  // Nothing written (every export kept), nothing to list again: the
  // selection stays as the user left it.
  if (!written.empty()) pc.FillList(pc.SelectedNodeId());
}

void PcCommands::DirSauveClick() {
  if (RepSaveAuto100d == nullptr) return;
  if (RepSaveAuto100d->Run(parts_.settings, listings_)) {
    parts_.link.session().SetAutoSaveDirectory(parts_.settings.AutoSaveDirectory);
  }
}

// ------------------------------------------------------------------ drops

bool PcCommands::TreeAccepts(const QDropEvent& event) const {
  return event.source() == parts_.recorder.list() || event.source() == parts_.pc.list() ||
         (event.source() == nullptr && event.mimeData()->hasUrls());
}

void PcCommands::TreeDrop(int node, const QDropEvent& event) {
  if (!parts_.acceptsCommands()) return;
  const std::string folder = NodeFolder(node);
  if (folder.empty()) return;
  if (event.source() == parts_.pc.list()) {
    parts_.clipboardSource = kClipboardNone;
    parts_.pc.RemoveRows(explorer::MoveByDrop(Context(), parts_.pc.pcList().CurrentPcFolder(),
                                              parts_.pc.SelectedNames(), folder)
                             .done);
    return;
  }
  DropIntoFolder(event, folder);
}

void PcCommands::DropIntoFolder(const QDropEvent& event, const std::string& folder) {
  if (event.source() == parts_.recorder.list()) {
    parts_.receiveFromRecorder(parts_.recorder.SelectedNames(), folder);
    return;
  }
  parts_.clipboardSource = kClipboardNone;
  // Files from the desktop are copied, as a paste of them would.
  bool copied = false;
  for (const auto& [from, names] : DesktopFiles(*event.mimeData())) {
    const explorer::TransferOutcome outcome =
        explorer::PasteFiles(Context(), explorer::PcClipboard{from, names}, folder);
    copied = copied || !outcome.done.empty();
    if (outcome.cancelled) break;
  }
  if (copied && parts_.pc.ShowsFolder(folder)) parts_.pc.FillList();
}

bool PcCommands::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* drop = static_cast<QDropEvent*>(event);
  const bool onRecorder = watched == parts_.recorder.list()->viewport();
  // The recorder list takes PC files; the PC list takes recorder rows; both
  // take files from the desktop.
  const QObject* expected = onRecorder ? static_cast<QObject*>(parts_.pc.list())
                                       : static_cast<QObject*>(parts_.recorder.list());
  const bool fromDesktop = drop->source() == nullptr && drop->mimeData()->hasUrls();
  const std::optional<std::string> shown = parts_.pc.ShownFolder();
  bool accepted = parts_.acceptsCommands() && (drop->source() == expected || fromDesktop) &&
                  (onRecorder || shown.has_value());
  // The files the drag would send, by folder: the PC list's selection, or
  // the desktop's files.
  std::map<std::string, std::vector<std::string>> toRecorder;
  if (accepted && onRecorder) {
    if (fromDesktop) {
      toRecorder = DesktopFiles(*drop->mimeData());
    } else if (shown) {
      toRecorder[*shown] = parts_.pc.SelectedNames();
    }
    // Every file must have a test name, unless all files are shown.
    accepted = !toRecorder.empty() &&
               std::all_of(toRecorder.begin(), toRecorder.end(), [this](const auto& folder) {
                 return !folder.second.empty() &&
                        link::AcceptsDropOnRecorderList(folder.second, parts_.allFilesMode());
               });
  }
  if (!accepted) {
    event->ignore();
    return true;
  }
  drop->acceptProposedAction();
  if (type != QEvent::Drop) return true;
  if (onRecorder) {
    parts_.clipboardSource = kClipboardNone;
    // One batch at a time: the files of the first folder dropped.
    SendToRecorder(toRecorder.begin()->second, toRecorder.begin()->first);
  } else {
    DropIntoFolder(*drop, *shown);
  }
  return true;
}

}  // namespace tesmora::ui
