#include "ui/common/pane_widgets.h"

#include <QLabel>
#include <QPalette>
#include <QTreeWidget>

namespace tesmora::ui {

QLabel* PaneHeader(const QString& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setBold(true);
  font.setPixelSize(24);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setMinimumHeight(33);
  return label;
}

void UseInfoBackground(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
  palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
  widget->setPalette(palette);
}

QTreeWidget* ReportList(const char* name, int columns, QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(name);
  list->setColumnCount(columns);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  list->setAllColumnsShowFocus(true);
  UseInfoBackground(list);
  return list;
}

std::vector<std::string> SelectedFirstColumn(const QTreeWidget& list) {
  std::vector<std::string> names;
  for (int row = 0; row < list.topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = list.topLevelItem(row);
    if (item->isSelected()) names.push_back(item->text(0).toStdString());
  }
  return names;
}

}  // namespace tesmora::ui
