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
#include "explorer/paste_and_drop.h"
#include "explorer/tree_edit.h"
#include "link/link_session.h"
#include "link/reader_thread.h"
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

// Where a drag comes from, as the drop rules know it.
explorer::DragSource SourceOf(const QDropEvent& event, const QObject* recorderList,
                              const QObject* pcList) {
  if (event.source() == recorderList) return explorer::DragSource::RecorderList;
  if (event.source() == pcList) return explorer::DragSource::PcList;
  if (event.source() == nullptr && event.mimeData()->hasUrls()) {
    return explorer::DragSource::Desktop;
  }
  return explorer::DragSource::Other;
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
  tree.acceptsDrop = [this](explorer::NodeId node, const QDropEvent& event) {
    return explorer::DecideDrop(FactsOfDrop(event, explorer::DropPlace::FolderTree, node))
               .transfer != explorer::FileTransfer::None;
  };
  tree.onDrop = [this](explorer::NodeId node, const QDropEvent& event) { TreeDrop(node, event); };
  for (QTreeWidget* list : {pc.list(), parts_.recorder.list()}) {
    list->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
  }
  connect(&pc, &PcPane::countTextChanged, this,
          [this](const QString& text) { parts_.status.SetText(4, text); });
  pc.Start(listings_, parts_.state);
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
  const explorer::NodeId target = parts_.pc.SelectedNodeId();
  const std::string folder = focus == PaneFocus::RecorderList ? std::string() : NodeFolder(target);
  switch (explorer::PasteTransfer(focus, source, folder)) {
    case explorer::FileTransfer::SendToRecorder:
      SendToRecorder(clipboard_.ClipboardNames, clipboard_.ClipboardFolder);
      clipboard_.ClipboardNames.clear();
      break;
    case explorer::FileTransfer::ReceiveFromRecorder:
      parts_.link.session().PasteRecorderFiles(folder);
      break;
    case explorer::FileTransfer::CopyOnPc:
      explorer::PasteFiles(Context(), clipboard_, folder);
      // The folder shown, be it a drive, a share or a network drive's root.
      if (parts_.pc.ShowsFolder(folder)) parts_.pc.FillList(target);
      break;
    case explorer::FileTransfer::MoveOnPc:
    case explorer::FileTransfer::None:
      break;
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

explorer::DropFacts PcCommands::FactsOfDrop(const QDropEvent& event, explorer::DropPlace place,
                                            explorer::NodeId node) const {
  explorer::DropFacts facts;
  facts.place = place;
  facts.source = SourceOf(event, parts_.recorder.list(), parts_.pc.list());
  facts.acceptsCommands = parts_.acceptsCommands();
  if (place == explorer::DropPlace::FolderTree) facts.nodeFolder = NodeFolder(node);
  facts.shownFolder = parts_.pc.ShownFolder().value_or(std::string());
  if (place == explorer::DropPlace::RecorderList) {
    if (facts.source == explorer::DragSource::PcList) facts.pcSelection = parts_.pc.SelectedNames();
    if (facts.source == explorer::DragSource::Desktop) {
      facts.desktopFiles = DesktopFiles(*event.mimeData());
    }
  }
  facts.allFilesMode = parts_.state.allFilesMode;
  return facts;
}

void PcCommands::TreeDrop(int node, const QDropEvent& event) {
  Drop(explorer::DecideDrop(FactsOfDrop(event, explorer::DropPlace::FolderTree, node)), event,
       NodeFolder(node));
}

void PcCommands::Drop(const explorer::DropDecision& decision, const QDropEvent& event,
                      const std::string& folder) {
  switch (decision.transfer) {
    case explorer::FileTransfer::MoveOnPc:
      parts_.clipboardSource = kClipboardNone;
      parts_.pc.RemoveRows(explorer::MoveByDrop(Context(), parts_.pc.pcList().CurrentPcFolder(),
                                                parts_.pc.SelectedNames(), folder)
                               .done);
      break;
    case explorer::FileTransfer::ReceiveFromRecorder:
      parts_.receiveFromRecorder(parts_.recorder.SelectedNames(), folder);
      break;
    case explorer::FileTransfer::CopyOnPc:
      parts_.clipboardSource = kClipboardNone;
      CopyFromDesktop(event, folder);
      break;
    case explorer::FileTransfer::SendToRecorder:
      parts_.clipboardSource = kClipboardNone;
      SendToRecorder(decision.sendNames, decision.sendFolder);
      break;
    case explorer::FileTransfer::None:
      break;
  }
}

void PcCommands::CopyFromDesktop(const QDropEvent& event, const std::string& folder) {
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
  const explorer::DropFacts facts = FactsOfDrop(*drop, watched == parts_.recorder.list()->viewport()
                                                           ? explorer::DropPlace::RecorderList
                                                           : explorer::DropPlace::PcList);
  const explorer::DropDecision decision = explorer::DecideDrop(facts);
  if (decision.transfer == explorer::FileTransfer::None) {
    event->ignore();
    return true;
  }
  drop->acceptProposedAction();
  if (type == QEvent::Drop) Drop(decision, *drop, facts.shownFolder);
  return true;
}

}  // namespace tesmora::ui
