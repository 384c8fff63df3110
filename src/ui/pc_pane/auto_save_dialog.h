#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "explorer/auto_save_directory.h"
#include "platform/file_system.h"
#include "shell/languages.h"
#include "shell/prompter.h"
#include "shell/settings.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tesmora::ui {

class FolderTreeView;
class TFenNewRep;

// Configuration > Automatic save directory: a tree of its own (`TVChoixRep`),
// the directory OK would store (`zeNewRep`) and a New archive button. The
// main window's tree is never touched.
class TRepSaveAuto100d : public QDialog {
  Q_OBJECT

 public:
  TRepSaveAuto100d(const LanguageState& language, Prompter& prompter, QWidget* parent);
  // The new-folder dialog of its New archive button, created after it.
  void UseNewFolderDialog(TFenNewRep* dialog) { newFolder_ = dialog; }

  // Shows the dialog modally; returns whether the directory changed (it is
  // then in `settings` and its file).
  bool Run(Settings& settings, std::shared_ptr<platform::FileSystem> fs);
  bool Busy() const;

 private:
  void Relabel();
  void FormShow(const Settings& settings);
  void bNewRepClick();

  const LanguageState& language_;
  Prompter& prompter_;
  TFenNewRep* newFolder_ = nullptr;
  explorer::AutoSaveDirectoryDialog model_;
  QLabel* zaNewRep = nullptr;
  QLineEdit* zeNewRep = nullptr;
  FolderTreeView* TVChoixRep = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
  QPushButton* bNewRep = nullptr;
};

}  // namespace tesmora::ui
