#include "ui/recorder_pane/recorder_pane.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "link/transfers.h"
#include "shell/count_texts.h"
#include "shell/message_table.h"
#include "shell/ui_texts.h"
#include "ui/common/dialog_frame.h"
#include "ui/common/pane_widgets.h"

namespace tesmora::ui {
namespace {

constexpr std::array<MessageId, link::kRecorderColumns> kColumnMessages{
    msg::kNameColumn, msg::kTypeColumn, msg::kSampleColumn, msg::kDegradationColumn,
    msg::kDateColumn};
constexpr std::array<int, link::kRecorderColumns> kColumnWidths{90, 60, 100, 80, 70};
constexpr const char* kRecorderName = "KALDIRONE";

}  // namespace

RecorderPane::RecorderPane(const LanguageState& language, QWidget* parent)
    : QWidget(parent), language_(language) {
  setObjectName("Panel3");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  Label2 = PaneHeader(kRecorderName, "Label2", this);
  layout->addWidget(Label2);

  ChoixDisk = new QGroupBox(this);
  ChoixDisk->setObjectName("ChoixDisk");
  auto* diskLayout = new QHBoxLayout(ChoixDisk);
  diskLayout->setContentsMargins(6, 2, 6, 2);
  choixDiskButtons_ = new QButtonGroup(ChoixDisk);
  QFont terminal = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  terminal.setPixelSize(12);
  for (int item = 0; item < 3; ++item) {
    auto* button = new QRadioButton(ChoixDisk);
    button->setObjectName(QStringLiteral("ChoixDisk%1").arg(item));
    button->setFont(terminal);
    diskLayout->addWidget(button, 1);
    choixDiskButtons_->addButton(button, item);
  }
  choixDiskButtons_->button(0)->setChecked(true);
  connect(choixDiskButtons_, &QButtonGroup::idClicked, this, &RecorderPane::memoryChosen);
  ChoixDisk->hide();
  layout->addWidget(ChoixDisk);

  ListKald = ReportList("ListKald", link::kRecorderColumns, this);
  ListKald->setDragEnabled(true);
  ListKald->header()->setSectionsClickable(true);
  ListKald->header()->setSortIndicatorShown(false);
  for (int column = 0; column < link::kRecorderColumns; ++column) {
    ListKald->setColumnWidth(column, kColumnWidths[static_cast<std::size_t>(column)]);
  }
  connect(ListKald->header(), &QHeaderView::sectionClicked, this,
          &RecorderPane::ListKaldColumnClick);
  connect(ListKald, &QTreeWidget::itemSelectionChanged, this, &RecorderPane::EmitSelectionCount);
  layout->addWidget(ListKald, 1);
}

std::vector<std::string> RecorderPane::SelectedNames() const {
  // The rows keep the recorder's own bytes; the list shows them decoded.
  std::vector<std::string> names;
  for (int row = 0; row < ListKald->topLevelItemCount(); ++row) {
    if (ListKald->topLevelItem(row)->isSelected()) {
      names.push_back(rows_[static_cast<std::size_t>(row)].name);
    }
  }
  return names;
}

int RecorderPane::SelectedCount() const { return static_cast<int>(SelectedNames().size()); }

void RecorderPane::Clear() {
  rows_.clear();
  ListKald->clear();
}

void RecorderPane::AddRow(const link::RecorderRow& row) { rows_.push_back(row); }

void RecorderPane::ShowRows() {
  const std::vector<std::string> selected = SelectedNames();
  const QSignalBlocker blocker(ListKald);
  ListKald->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows_.size()));
  for (const link::RecorderRow& row : rows_) {
    auto* item = new QTreeWidgetItem;
    // Texts of the link come in the bytes of their column's code page.
    for (int column = 0; column < link::kRecorderColumns; ++column) {
      item->setText(column, FromUtf8(link::RecorderColumnText(row, column)));
    }
    items.push_back(item);
  }
  ListKald->addTopLevelItems(items);
  // The design widths are the least a column gets; a longer name or sample
  // widens it rather than being cut.
  for (int column = 0; column + 1 < link::kRecorderColumns; ++column) {
    const int design = kColumnWidths[static_cast<std::size_t>(column)];
    ListKald->resizeColumnToContents(column);
    ListKald->setColumnWidth(column, std::max(design, ListKald->columnWidth(column) + 8));
  }
  for (int row = 0; row < ListKald->topLevelItemCount(); ++row) {
    const std::string& name = rows_[static_cast<std::size_t>(row)].name;
    if (std::find(selected.begin(), selected.end(), name) != selected.end()) {
      ListKald->topLevelItem(row)->setSelected(true);
    }
  }
}

void RecorderPane::ShowFileCount(int count) {
  RecorderFileCount_ = count;
  ShowRows();
  EmitFileCount();
}

void RecorderPane::ListKaldColumnClick(int column) {
  sortState_.Click(column);
  link::SortRecorderRows(rows_, sortState_);
  ShowRows();
}

void RecorderPane::SelectAll() {
  if (RecorderFileCount_ <= 0) return;
  ListKald->setFocus();
  ListKald->selectAll();
}

void RecorderPane::ShowMemoryChoice(bool shown, char flashDriveLetter) {
  if (shown) {
    choixDiskButtons_->button(2)->setText(FromUtf8(link::FlashMemoryItemText(flashDriveLetter)));
    NameForReader(*choixDiskButtons_->button(2), choixDiskButtons_->button(2)->text());
  } else {
    choixDiskButtons_->button(0)->setChecked(true);
  }
  ChoixDisk->setVisible(shown);
}

void RecorderPane::EmitSelectionCount() {
  EmitCount(PanelCountTextUtf8(RecorderFileCount_, SelectedCount(), language_.LanguageIndex));
}

void RecorderPane::EmitFileCount() {
  EmitCount(CountTextUtf8(CountedFiles::Listed, RecorderFileCount_, language_.LanguageIndex));
}

void RecorderPane::EmitCount(const std::string& text) { emit countTextChanged(FromUtf8(text)); }

void RecorderPane::Relabel() {
  const int lang = language_.LanguageIndex;
  choixDiskButtons_->button(0)->setText(Message(msg::kCurves, language_));
  choixDiskButtons_->button(1)->setText(Message(msg::kDiskC, language_));
  QStringList headers;
  for (const MessageId id : kColumnMessages) headers << Message(id, language_);
  ListKald->setHeaderLabels(headers);

  NameForReader(*this, kRecorderName);
  DescribeLabelForReader(*Label2, {});
  NameForReader(*ListKald, FromUtf8(UiTextUtf8(UiText::RecorderFiles, lang)),
                headers.join(QStringLiteral(", ")));
  NameForReader(*ChoixDisk, FromUtf8(UiTextUtf8(UiText::RecorderMemory, lang)));
  for (QAbstractButton* button : choixDiskButtons_->buttons()) {
    // The flash item has its letter only once the mode is on.
    NameForReader(*button, button->text().isEmpty() ? QStringLiteral("Flash") : button->text());
  }
}

}  // namespace tesmora::ui
