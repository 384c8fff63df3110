#pragma once

#include <QObject>
#include <array>
#include <string_view>

#include "shell/languages.h"
#include "shell/main_window_rules.h"

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QShortcut;
class QToolBar;

namespace tesmora::ui {

// The main window's menus, popup menu, toolbar and keyboard shortcuts. Every
// item is a member, so that the window reaches each one by its type and name
// in the code; the objectNames are the component names, for tests.
class MainActions : public QObject {
  Q_OBJECT

 public:
  // Builds the menu bar and the toolbar into `window`; the popup belongs to
  // the window too.
  MainActions(QMainWindow& window, const LanguageState& language);

  // Relabels every item from the message table and marks the language.
  void Relabel();
  // The item of the language chosen, checked, and its flag on the submenu.
  void ShowLanguage(int languageIndex);

  // The popup's items as the rules say. The sheets and the export are for a
  // test file selected in the PC list, which the PC pane will fill.
  void ShowPopupItems(const PopupMenuState& state, bool pcListHasFiles);

  // The popup's items in their order, as the popup rules index them.
  std::array<QAction*, kPopupItemCount> PopupItems() const;

  // Menus.
  QMenu* Fichier = nullptr;
  QMenu* Config = nullptr;
  QMenu* Edition1 = nullptr;
  QMenu* Slectionnertout1 = nullptr;
  QMenu* Options1 = nullptr;
  QMenu* Langue1 = nullptr;
  QMenu* Aide = nullptr;
  QMenu* PupMnu = nullptr;
  QToolBar* ToolBar1 = nullptr;

  // File.
  QAction* NewRep = nullptr;
  QAction* Supprimer1 = nullptr;
  QAction* Rafraichir = nullptr;
  QAction* ExportManuelle = nullptr;
  QAction* Exit = nullptr;
  // Configuration.
  QAction* Port = nullptr;
  QAction* DirSauve = nullptr;
  QAction* ExportAuto = nullptr;
  QAction* AllFiles = nullptr;
  QAction* Imprimante = nullptr;
  QAction* mSociete = nullptr;
  // Edit.
  QAction* Copier1 = nullptr;
  QAction* Coller1 = nullptr;
  QAction* SelectAllPC = nullptr;
  QAction* SelectAllKald = nullptr;
  // Options > Languages, by LanguageIndex.
  std::array<QAction*, kLanguageCount> languages{};
  QActionGroup* languageGroup = nullptr;
  // ?.
  QAction* Apropos = nullptr;
  // Popup.
  QAction* Copier = nullptr;
  QAction* Coller = nullptr;
  QAction* Supprimer = nullptr;
  QAction* Graphique = nullptr;
  QAction* Impression1 = nullptr;
  QAction* Exporter1 = nullptr;

  // Ctrl+F runs the File menu's rules without opening it; Ctrl+C and Ctrl+V
  // act after the Edit menu's rules. The Edit menu shows the last two beside
  // its items, and the File menu's title tells of Ctrl+F.
  QShortcut* ctrlF = nullptr;
  QShortcut* ctrlC = nullptr;
  QShortcut* ctrlV = nullptr;

 private:
  QAction* MainItem(std::string_view component) const;
  QAction* PopupItem(std::string_view component) const;

  QMainWindow& window_;
  const LanguageState& language_;
};

}  // namespace tesmora::ui
