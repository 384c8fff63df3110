#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "shell/company.h"
#include "shell/languages.h"
#include "shell/prompter.h"

class QWidget;

namespace tesmora::ui {

class MainActions;
class MainLink;
class PcPane;
class TImpMulti;
class TficheGraphique;

// The main window's sheet commands: popup Print preview (`Graphique`), popup
// Print (`Impression1`) and Configuration > Printing (`Imprimante`, with its
// toolbar button). It creates the sheet window and the multiple-printing
// window, in their places among the owned windows, and reaches the tests
// through the folder and the names the PC list has selected (pipes, sockets
// and devices left out, with a message naming them).
class SheetCommands : public QObject {
  Q_OBJECT

 public:
  // Connects the items of `actions` to the selection of `pc`; a command
  // waits while a batch runs.
  SheetCommands(QWidget& window, const LanguageState& language, Prompter& prompter, MainLink& link,
                MainActions& actions, PcPane& pc,
                std::function<const structure_societe&()> company);

  // The commands on the named files of a folder (ending with a separator),
  // in list order.
  void GraphiqueClick(const std::string& folder, const std::vector<std::string>& names);
  void Impression1Click(const std::string& folder, const std::vector<std::string>& names);
  void ImprimanteClick();

  TficheGraphique* ficheGraphique = nullptr;
  TImpMulti* ImpMulti = nullptr;

 private:
  bool AcceptsCommands() const;
  void Connect(MainActions& actions, PcPane& pc);

  const LanguageState& language_;
  Prompter& prompter_;
  MainLink& link_;
};

}  // namespace tesmora::ui
