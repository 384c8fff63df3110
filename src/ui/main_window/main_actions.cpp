#include "ui/main_window/main_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>

#include "shell/menu_captions.h"
#include "shell/ui_texts.h"
#include "ui/common/artwork.h"
#include "ui/common/dialog_frame.h"

namespace tesmora::ui {
namespace {

QAction* AddItem(QMenu* menu, const char* objectName, int image = -1) {
  auto* action = menu->addAction(QString());
  action->setObjectName(objectName);
  if (image >= 0) action->setIcon(ItemIcon(image));
  return action;
}

QMenu* AddMenu(QMenuBar* bar, QMenu* parent, const char* objectName) {
  QMenu* menu = parent != nullptr ? parent->addMenu(QString()) : bar->addMenu(QString());
  menu->setObjectName(objectName);
  menu->menuAction()->setObjectName(objectName);
  return menu;
}

// The menu shows the key beside the item; the key itself is the window's
// shortcut, which runs the menu's rules first, so the item's own binding only
// answers while its menu is open.
void ShowKeyBeside(QAction* item, const QKeySequence& key) {
  item->setShortcut(key);
  item->setShortcutContext(Qt::WidgetShortcut);
}

const QKeySequence kCtrlF(Qt::CTRL | Qt::Key_F);
const QKeySequence kCtrlC(Qt::CTRL | Qt::Key_C);
const QKeySequence kCtrlV(Qt::CTRL | Qt::Key_V);

}  // namespace

MainActions::MainActions(QMainWindow& window, const LanguageState& language)
    : QObject(&window), window_(window), language_(language) {
  setObjectName("MainActions");
  QMenuBar* bar = window.menuBar();
  bar->setObjectName("MainMenu1");

  Fichier = AddMenu(bar, nullptr, "Fichier");
  NewRep = AddItem(Fichier, "NewRep", 24);
  Fichier->addSeparator();
  Supprimer1 = AddItem(Fichier, "Supprimer1", 14);
  Fichier->addSeparator();
  Rafraichir = AddItem(Fichier, "Rafraichir", 25);
  Fichier->addSeparator();
  ExportManuelle = AddItem(Fichier, "ExportManuelle", 26);
  Fichier->addSeparator();
  Exit = AddItem(Fichier, "Exit", 23);
  for (QAction* item : {NewRep, Supprimer1, ExportManuelle}) item->setEnabled(false);

  Config = AddMenu(bar, nullptr, "Config");
  Port = AddItem(Config, "Port", 21);
  Config->addSeparator();
  DirSauve = AddItem(Config, "DirSauve", 24);
  Config->addSeparator();
  ExportAuto = AddItem(Config, "ExportAuto");
  ExportAuto->setCheckable(true);
  Config->addSeparator();
  AllFiles = AddItem(Config, "AllFiles", 29);
  AllFiles->setCheckable(true);
  Config->addSeparator();
  Imprimante = AddItem(Config, "Imprimante", 19);
  mSociete = AddItem(Config, "mSociete", 15);

  Edition1 = AddMenu(bar, nullptr, "Edition1");
  Copier1 = AddItem(Edition1, "Copier1");
  Coller1 = AddItem(Edition1, "Coller1");
  Copier1->setEnabled(false);
  Coller1->setEnabled(false);
  ShowKeyBeside(Copier1, kCtrlC);
  ShowKeyBeside(Coller1, kCtrlV);
  Edition1->addSeparator();
  Slectionnertout1 = AddMenu(bar, Edition1, "Slectionnertout1");
  SelectAllPC = AddItem(Slectionnertout1, "SelectAllPC", 33);
  SelectAllKald = AddItem(Slectionnertout1, "SelectAllKald", 32);
  SelectAllKald->setText("Kaldirone");

  Options1 = AddMenu(bar, nullptr, "Options1");
  Langue1 = AddMenu(bar, Options1, "Langue1");
  languageGroup = new QActionGroup(this);
  for (const int index : kLanguageMenuOrder) {
    const LanguageEntry& entry = kLanguages[static_cast<std::size_t>(index)];
    QAction* item = Langue1->addAction(FlagIcon(index), FromUtf8(entry.caption));
    item->setObjectName(FromUtf8(entry.menuItem));
    item->setCheckable(true);
    languageGroup->addAction(item);
    languages[static_cast<std::size_t>(index)] = item;
  }

  Aide = AddMenu(bar, nullptr, "Aide");
  Apropos = AddItem(Aide, "Apropos", 27);

  // The popup of the tree and the two lists. Pasting, the sheets and the
  // manual export work on the PC pane's selection; their items show where
  // the rules say, and stay disabled until a test file is selected.
  PupMnu = new QMenu(&window);
  PupMnu->setObjectName("PupMnu");
  Copier = AddItem(PupMnu, "Copier");
  Coller = AddItem(PupMnu, "Coller");
  Supprimer = AddItem(PupMnu, "Supprimer", 14);
  Graphique = AddItem(PupMnu, "Graphique", 30);
  Impression1 = AddItem(PupMnu, "Impression1", 31);
  Exporter1 = AddItem(PupMnu, "Exporter1", 26);
  for (QAction* item : {Coller, Graphique, Impression1, Exporter1}) item->setEnabled(false);

  ToolBar1 = window.addToolBar(QString());
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setIconSize(QSize(22, 22));
  ToolBar1->addAction(Exit);
  ToolBar1->addAction(Rafraichir);
  ToolBar1->addSeparator();
  ToolBar1->addAction(Imprimante);
  ToolBar1->addAction(Port);
  ToolBar1->addSeparator();

  ctrlF = new QShortcut(kCtrlF, &window);
  ctrlC = new QShortcut(kCtrlC, &window);
  ctrlV = new QShortcut(kCtrlV, &window);

  ShowLanguage(language_.LanguageIndex);
}

QAction* MainActions::MainItem(std::string_view component) const {
  // The caption tables name the items; this is the one place that maps
  // those names onto the members.
  const std::pair<std::string_view, QAction*> items[] = {
      {"Fichier", Fichier->menuAction()},
      {"NewRep", NewRep},
      {"Supprimer1", Supprimer1},
      {"Rafraichir", Rafraichir},
      {"ExportManuelle", ExportManuelle},
      {"Exit", Exit},
      {"Config", Config->menuAction()},
      {"Port", Port},
      {"DirSauve", DirSauve},
      {"ExportAuto", ExportAuto},
      {"AllFiles", AllFiles},
      {"Imprimante", Imprimante},
      {"Edition1", Edition1->menuAction()},
      {"Copier1", Copier1},
      {"Coller1", Coller1},
      {"mSociete", mSociete},
      {"Slectionnertout1", Slectionnertout1->menuAction()},
      {"SelectAllPC", SelectAllPC},
      {"Options1", Options1->menuAction()},
      {"Langue1", Langue1->menuAction()},
      {"Aide", Aide->menuAction()},
      {"Apropos", Apropos},
  };
  for (const auto& [name, action] : items) {
    if (name == component) return action;
  }
  return nullptr;
}

QAction* MainActions::PopupItem(std::string_view component) const {
  const std::array<QAction*, kPopupItemCount> items = PopupItems();
  for (std::size_t i = 0; i < kPopupMenuCaptions.size(); ++i) {
    if (kPopupMenuCaptions[i].item == component) return items[i];
  }
  return nullptr;
}

std::array<QAction*, kPopupItemCount> MainActions::PopupItems() const {
  return {Copier, Coller, Supprimer, Graphique, Impression1, Exporter1};
}

void MainActions::ShowPopupItems(const PopupMenuState& state, bool pcListHasFiles) {
  const std::array<QAction*, kPopupItemCount> items = PopupItems();
  for (std::size_t item = 0; item < items.size(); ++item) {
    items[item]->setVisible(state.visible[item]);
  }
  Coller->setEnabled(state.visible[1]);
  if (state.printAndExportEnabled && pcListHasFiles) {
    for (QAction* action : {Graphique, Impression1, Exporter1}) {
      action->setEnabled(*state.printAndExportEnabled);
    }
  }
}

void MainActions::Relabel() {
  for (const MenuCaption& caption : kMainMenuCaptions) {
    if (QAction* action = MainItem(caption.item)) {
      action->setText(Message(caption.message, language_));
    }
  }
  for (const MenuCaption& caption : kPopupMenuCaptions) {
    if (QAction* action = PopupItem(caption.item)) {
      action->setText(Message(caption.message, language_));
    }
  }
  // A menu title shows no key, so the File menu tells of its Ctrl+F when the
  // pointer rests on it, and to a screen reader.
  const QString fileKey = kCtrlF.toString(QKeySequence::NativeText);
  QString fileTitle = Fichier->menuAction()->text();
  fileTitle.remove(QLatin1Char('&'));
  Fichier->menuAction()->setToolTip(QStringLiteral("%1 (%2)").arg(fileTitle, fileKey));
  Fichier->setAccessibleDescription(fileKey);
  const int lang = language_.LanguageIndex;
  window_.menuBar()->setAccessibleName(FromUtf8(UiTextUtf8(UiText::MenuBar, lang)));
  ToolBar1->setAccessibleName(FromUtf8(UiTextUtf8(UiText::ToolBar, lang)));
  ToolBar1->setWindowTitle(ToolBar1->accessibleName());
  PupMnu->setAccessibleName(FromUtf8(UiTextUtf8(UiText::PopupMenu, lang)));
  for (QMenu* menu : {Fichier, Config, Edition1, Slectionnertout1, Options1, Langue1, Aide}) {
    QString title = menu->menuAction()->text();
    menu->setAccessibleName(title.remove(QLatin1Char('&')));
  }
}

void MainActions::ShowLanguage(int languageIndex) {
  if (languageIndex < 0 || languageIndex >= static_cast<int>(languages.size())) return;
  languages[static_cast<std::size_t>(languageIndex)]->setChecked(true);
  Langue1->menuAction()->setIcon(FlagIcon(languageIndex));
}

}  // namespace tesmora::ui
