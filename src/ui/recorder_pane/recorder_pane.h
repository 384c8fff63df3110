#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "link/recorder_list.h"
#include "shell/languages.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QTreeWidget;

namespace tesmora::ui {

// The recorder pane (`Panel3`): the header strip, the memory choice of the
// all-files mode and the recorder's file list with its sorting and its
// counts for the first status panel.
class RecorderPane : public QWidget {
  Q_OBJECT

 public:
  RecorderPane(const LanguageState& language, QWidget* parent);

  QTreeWidget* list() const { return ListKald; }
  int RecorderFileCount() const { return RecorderFileCount_; }
  // The rows in their order on screen.
  const std::vector<link::RecorderRow>& rows() const { return rows_; }
  std::vector<std::string> SelectedNames() const;
  int SelectedCount() const;

  // What the link hands over: a list being replaced row by row, then shown.
  void Clear();
  void AddRow(const link::RecorderRow& row);
  void ShowRows();
  void ShowFileCount(int count);

  void ListKaldColumnClick(int column);
  void SelectAll();
  // The memory choice is shown exactly while the all-files mode is on; the
  // flash item names the letter "flash.cnf" gave.
  void ShowMemoryChoice(bool shown, char flashDriveLetter);

  // Status panel 0 while this list has the focus, and after it: its counts.
  void EmitSelectionCount();
  void EmitFileCount();

  void Relabel();

 signals:
  void countTextChanged(const QString& text);
  void memoryChosen(int memoryChoice);

 private:
  void EmitCount(const std::string& text);

  const LanguageState& language_;
  QLabel* Label2 = nullptr;
  QGroupBox* ChoixDisk = nullptr;
  QButtonGroup* choixDiskButtons_ = nullptr;
  QTreeWidget* ListKald = nullptr;
  int RecorderFileCount_ = 0;
  link::RecorderSortState sortState_;
  std::vector<link::RecorderRow> rows_;
};

}  // namespace tesmora::ui
