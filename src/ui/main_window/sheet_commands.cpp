#include "ui/main_window/sheet_commands.h"

#include <QAction>
#include <QApplication>

#include "explorer/operation_context.h"
#include "platform/locale.h"
#include "ui/main_window/main_actions.h"
#include "ui/main_window/main_link.h"
#include "ui/pc_pane/folder_tree_view.h"
#include "ui/pc_pane/pc_pane.h"
#include "ui/sheet_window/imp_multi.h"
#include "ui/sheet_window/sheet_window.h"

namespace tesmora::ui {

SheetCommands::SheetCommands(QWidget& window, const LanguageState& language, Prompter& prompter,
                             MainLink& link, MainActions& actions, PcPane& pc,
                             std::function<const structure_societe&()> company)
    : QObject(&window), language_(language), prompter_(prompter), link_(link) {
  setObjectName("SheetCommands");
  SheetSources sources;
  sources.exporter = link.exporter();
  sources.settings = [&language, &link, company = std::move(company)] {
    return SheetSettings{language.LanguageIndex, platform::UserDecimalSeparator(), company(),
                         link.RecorderVersion()};
  };
  sources.basisFlags = [&link] { return link.BasisFlags(); };
  ficheGraphique = new TficheGraphique(language, std::move(sources), prompter, &window);
  ImpMulti = new TImpMulti(language, &window);
  Connect(actions, pc);
}

bool SheetCommands::AcceptsCommands() const { return !link_.BatchRunning(); }

void SheetCommands::Connect(MainActions& actions, PcPane& pc) {
  const auto onSelection = [this, &pc](void (SheetCommands::*command)(
                               const std::string&, const std::vector<std::string>&)) {
    return [this, &pc, command] {
      const std::optional<std::string> folder = pc.ShownFolder();
      if (!AcceptsCommands() || !folder) return;
      const explorer::OperationContext context{*pc.treeView()->fileSystem(), prompter_, language_};
      const std::vector<std::string> names =
          explorer::WithoutSpecialFiles(context, *folder, pc.SelectedNames());
      if (!names.empty()) (this->*command)(*folder, names);
    };
  };
  connect(actions.Graphique, &QAction::triggered, this,
          onSelection(&SheetCommands::GraphiqueClick));
  connect(actions.Impression1, &QAction::triggered, this,
          onSelection(&SheetCommands::Impression1Click));
  connect(actions.Imprimante, &QAction::triggered, this, [this] {
    if (AcceptsCommands()) ImprimanteClick();
  });
}

void SheetCommands::GraphiqueClick(const std::string& folder,
                                   const std::vector<std::string>& names) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ficheGraphique->PreparePages(true, folder, names);
  QApplication::restoreOverrideCursor();
  ficheGraphique->setWindowModality(Qt::WindowModal);
  ficheGraphique->setWindowState(ficheGraphique->windowState() | Qt::WindowMaximized);
  ficheGraphique->exec();
}

void SheetCommands::Impression1Click(const std::string& folder,
                                     const std::vector<std::string>& names) {
  ImpMulti->show();
  ficheGraphique->PrintSelection(folder, names, *ImpMulti);
  ImpMulti->hide();
}

void SheetCommands::ImprimanteClick() { ficheGraphique->BitBtn2Click(); }

}  // namespace tesmora::ui
