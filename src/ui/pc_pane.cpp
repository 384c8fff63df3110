#include "ui/pc_pane.h"

#include <QLabel>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "explorer/node_state.h"
#include "explorer/pc_selection.h"
#include "shell/ui_texts.h"
#include "ui/dialog_frame.h"
#include "ui/pane_widgets.h"

namespace tesmora::ui {
namespace {

constexpr int kMessageComputer = 335;
constexpr std::array<int, 3> kColumnMessages{327, 328, 331};
constexpr std::array<int, 3> kColumnWidths{100, 60, 60};

}  // namespace

PcPane::PcPane(const LanguageState& language, QWidget* parent)
    : QWidget(parent), language_(language) {
  setObjectName("Panel1");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  Label3 = PaneHeader(QString(), "Label3", this);
  layout->addWidget(Label3);
  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName("Splitter1");
  Splitter1->setChildrenCollapsible(false);
  tvRepPc = new QTreeWidget(Splitter1);
  tvRepPc->setObjectName("tvRepPc");
  tvRepPc->setHeaderHidden(true);
  tvRepPc->setIndentation(19);
  tvRepPc->setContextMenuPolicy(Qt::CustomContextMenu);
  UseInfoBackground(tvRepPc);
  ListFichPC = ReportList("ListFichPC", 3, Splitter1);
  ListFichPC->setDragEnabled(true);
  for (int column = 0; column < 3; ++column) {
    ListFichPC->setColumnWidth(column, kColumnWidths[static_cast<std::size_t>(column)]);
  }
  Splitter1->setStretchFactor(1, 1);
  layout->addWidget(Splitter1, 1);
}

bool PcPane::HasSelectedNode() const { return tvRepPc->currentItem() != nullptr; }

SelectedNodeFacts PcPane::SelectedNode() const {
  // Each node carries its state (its state image) in its data.
  const QTreeWidgetItem* node = tvRepPc->currentItem();
  return explorer::FactsOfNode(node != nullptr ? node->data(0, Qt::UserRole).toInt()
                                               : explorer::kNodeNone);
}

std::vector<std::string> PcPane::SelectedNames() const { return SelectedFirstColumn(*ListFichPC); }

PcSelectionFacts PcPane::Selection() const { return explorer::FactsOfPcSelection(SelectedNames()); }

void PcPane::FileStored(const std::string&, const std::string&, DateSource) {
  // The list shows no folder until the explorer fills it, so no row is added
  // yet; the file itself is stored.
}

void PcPane::SelectAll() {
  if (PcFileCount_ <= 0) return;
  ListFichPC->setFocus();
  ListFichPC->selectAll();
}

void PcPane::SetTreeWidth(int width, int paneWidth) {
  Splitter1->setSizes({width, std::max(1, paneWidth - width)});
}

void PcPane::Relabel() {
  const int lang = language_.LanguageIndex;
  const QString computer = Message(kMessageComputer, language_);
  Label3->setText(computer);
  QStringList headers;
  for (const int id : kColumnMessages) headers << Message(id, language_);
  ListFichPC->setHeaderLabels(headers);

  NameForReader(*this, computer);
  NameForReader(*Label3, computer);
  NameForReader(*tvRepPc, FromUtf8(UiTextUtf8(UiText::PcFolders, lang)),
                FromUtf8(UiTextUtf8(UiText::PcFoldersHelp, lang)));
  NameForReader(*ListFichPC, FromUtf8(UiTextUtf8(UiText::PcFiles, lang)),
                headers.join(QStringLiteral(", ")));
  NameForReader(*Splitter1, FromUtf8(UiTextUtf8(UiText::PaneDivider, lang)));
}

}  // namespace tesmora::ui
