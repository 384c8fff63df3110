#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "explorer/copy_operations.h"
#include "explorer/folder_tree.h"
#include "explorer/operation_context.h"
#include "explorer/paste_and_drop.h"
#include "platform/file_system.h"
#include "platform/mount_table.h"
#include "shell/application_state.h"
#include "shell/languages.h"
#include "shell/main_window_rules.h"
#include "shell/prompter.h"
#include "shell/settings.h"

class QDropEvent;
class QMimeData;
class QWidget;

namespace tesmora::ui {

class MainActions;
class MainLink;
struct MainWindowOptions;
class PcPane;
class RecorderPane;
class StatusPanels;
class TFenNewRep;
class TRepSaveAuto100d;

// What the PC pane's commands work with; the main window owns all of it.
struct PcCommandParts {
  QWidget& window;
  const LanguageState& language;
  Settings& settings;
  Prompter& prompter;
  int& clipboardSource;
  PcPane& pc;
  RecorderPane& recorder;
  MainLink& link;
  StatusPanels& status;
  std::function<bool()> acceptsCommands;
  const ApplicationState& state;
  // Recorder rows dropped on a PC folder: the window's own entry for it.
  std::function<void(const std::vector<std::string>&, const std::string&)> receiveFromRecorder;
};

// The commands on the PC side of the main window: new folder, delete, copy
// and paste (between PC folders and with the recorder), the manual export,
// the automatic save directory, and the drops on the tree and both lists,
// from the lists or from the desktop's file manager.
class PcCommands : public QObject {
 public:
  // The pane works on the options' file system (the machine's, showing the
  // options' drives, when none is given); its listings wait the options'
  // time at most.
  PcCommands(PcCommandParts parts, const MainWindowOptions& options);
  ~PcCommands() override;

  // The two dialogs, first of the windows the main window owns.
  void CreateDialogs();
  // The commands of this side, and Ctrl+V after the Edit menu's rules.
  void Connect(MainActions& actions, std::function<void()> editMenuRules,
               std::function<PaneFocus()> focus);

  void NewRepClick();
  // Delete with the tree or the PC list focused.
  void Delete(PaneFocus focus);
  // Copy with the PC list focused.
  void CopyPcFiles();
  void Paste(PaneFocus focus);
  void PasteClick();
  void ExportManuelleClick();
  void DirSauveClick();

  TRepSaveAuto100d* autoSaveDialog() const { return RepSaveAuto100d; }
  TFenNewRep* newFolderDialog() const { return FenNewRep; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explorer::OperationContext Context() const;
  std::string NodeFolder(int node) const;
  // What the drop rules are told of a drag over the tree (at `node`) or a
  // list.
  explorer::DropFacts FactsOfDrop(const QDropEvent& event, explorer::DropPlace place,
                                  explorer::NodeId node = explorer::kNoNode) const;
  void TreeDrop(int node, const QDropEvent& event);
  // What the rules decided, carried out; `folder` is the PC folder the files
  // go to.
  void Drop(const explorer::DropDecision& decision, const QDropEvent& event,
            const std::string& folder);
  void CopyFromDesktop(const QDropEvent& event, const std::string& folder);
  void SendToRecorder(const std::vector<std::string>& names, const std::string& folder);
  void Guarded(void (PcCommands::*command)());

  PcCommandParts parts_;
  std::function<PaneFocus()> focus_;
  std::shared_ptr<platform::FileSystem> fs_;
  // The same, for the folder tree's and the PC list's listings: bounded.
  std::shared_ptr<platform::FileSystem> listings_;
  explorer::PcClipboard clipboard_;
  TRepSaveAuto100d* RepSaveAuto100d = nullptr;
  TFenNewRep* FenNewRep = nullptr;
};

}  // namespace tesmora::ui
