#pragma once

#include <QString>
#include <string>
#include <vector>

class QLabel;
class QTreeWidget;
class QWidget;

// Pieces the two panes of the main window build alike.
namespace tesmora::ui {

// The bold, sunken header strip over a pane.
QLabel* PaneHeader(const QString& text, const char* name, QWidget* parent);

// The lists and the tree have the pale tooltip background of the recorder's
// own screens.
void UseInfoBackground(QWidget* widget);

// A report-style list with multiple selection and the shared popup.
QTreeWidget* ReportList(const char* name, int columns, QWidget* parent);

// The first column's texts of the selected rows, in list order.
std::vector<std::string> SelectedFirstColumn(const QTreeWidget& list);

}  // namespace tesmora::ui
