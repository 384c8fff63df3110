#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "records/test_names.h"
#include "shell/languages.h"
#include "shell/main_window_rules.h"

class QLabel;
class QSplitter;
class QTreeWidget;

namespace tesmora::ui {

// The PC pane (`Panel1`): the header strip, the folder tree `tvRepPc`, a
// splitter and the file list `ListFichPC`. It holds the place of the PC
// explorer: the tree and the list stay empty until the explorer fills them,
// and the main window asks only what is below.
class PcPane : public QWidget {
  Q_OBJECT

 public:
  PcPane(const LanguageState& language, QWidget* parent);

  QTreeWidget* tree() const { return tvRepPc; }
  QTreeWidget* list() const { return ListFichPC; }
  QSplitter* splitter() const { return Splitter1; }

  // The tree's selected node, as the menus need it.
  SelectedNodeFacts SelectedNode() const;
  bool HasSelectedNode() const;
  // The PC list's selected names in list order, and what they allow.
  std::vector<std::string> SelectedNames() const;
  PcSelectionFacts Selection() const;
  int PcFileCount() const { return PcFileCount_; }
  // The folder the list shows (ending with a separator), nothing while it
  // shows none.
  std::optional<std::string> ShownFolder() const { return shownFolder_; }

  // A file stored in a PC folder by the link: a row when the list shows it.
  void FileStored(const std::string& folder, const std::string& name, DateSource dateSource);
  void SelectAll();
  void SetTreeWidth(int width, int paneWidth);

  void Relabel();

 private:
  const LanguageState& language_;
  QLabel* Label3 = nullptr;
  QSplitter* Splitter1 = nullptr;
  QTreeWidget* tvRepPc = nullptr;
  QTreeWidget* ListFichPC = nullptr;
  int PcFileCount_ = 0;
  std::optional<std::string> shownFolder_;
};

}  // namespace tesmora::ui
