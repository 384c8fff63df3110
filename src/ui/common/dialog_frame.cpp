#include "ui/common/dialog_frame.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "shell/message_table.h"
#include "shell/window_placement.h"

namespace tesmora::ui {

QString Message(MessageId id, const LanguageState& language) {
  return QString::fromStdString(MessageUtf8(id, language));
}

QString UiString(UiText text, const LanguageState& language) {
  return FromUtf8(UiTextUtf8(text, language.LanguageIndex));
}

void NameForReader(QWidget& control, const QString& name, const QString& description) {
  control.setAccessibleName(name);
  control.setAccessibleDescription(description);
}

void DescribeLabelForReader(QLabel& label, const QString& what) {
  // Without a name of its own a label is heard by its text, whatever the
  // text becomes.
  NameForReader(label, QString(), what);
}

void NameControlsForReader(QWidget& window, std::initializer_list<ReaderName> names) {
  for (QWidget* control : window.findChildren<QWidget*>()) {
    const QString component = control->objectName();
    if (component.isEmpty() || component.startsWith(QLatin1String("qt_"))) continue;
    const auto listed = std::find_if(names.begin(), names.end(), [&](const ReaderName& entry) {
      return component == QLatin1String(entry.component);
    });
    const bool isListed = listed != names.end();
    if (auto* label = qobject_cast<QLabel*>(control);
        label != nullptr && label->pixmap().isNull()) {
      // A label that shows a text: what it is goes to its description.
      DescribeLabelForReader(*label, isListed ? listed->name : QString());
    } else if (isListed) {
      NameForReader(*control, listed->name, listed->description);
    } else if (const auto* button = qobject_cast<QAbstractButton*>(control)) {
      NameForReader(*control, button->text().remove(QLatin1Char('&')));
    }
  }
}

void CentreOnPrimaryScreen(QWidget& window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  const WindowOrigin origin =
      CentredOrigin(area.width(), area.height(), window.width(), window.height());
  window.move(area.left() + origin.left, area.top() + origin.top);
}

void FixSizeAtLeast(QWidget& window, QSize designed) {
  // A caption set a moment ago has only posted its layout request, and the
  // layouts still hold the measures of the old texts: drop them all before the
  // window is measured.
  for (QLayout* inner : window.findChildren<QLayout*>()) inner->invalidate();
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (child->layout() != nullptr) child->updateGeometry();
  }
  QLayout* layout = window.layout();
  QSize size = designed.expandedTo(window.minimumSizeHint());
  // Wrapped texts need more height when they get longer, not more width.
  if (layout != nullptr && layout->hasHeightForWidth()) {
    size.setHeight(std::max(size.height(), layout->totalHeightForWidth(size.width())));
  }
  window.setFixedSize(size);
  // Captions are set while the window is being shown; place the controls for
  // them now rather than after the first paint with the old texts.
  if (layout != nullptr) layout->activate();
}

OkEscButtons AddOkEscButtons(QDialog& dialog, const char* okName, const char* escName) {
  auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setObjectName(okName);
  ok->setDefault(true);
  auto* esc = new QPushButton(QStringLiteral("ESC"), &dialog);
  esc->setObjectName(escName);
  esc->setAutoDefault(false);
  QObject::connect(esc, &QPushButton::clicked, &dialog, &QDialog::reject);
  return {ok, esc};
}

BatchProgressDialog::BatchProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setModal(false);
}

void BatchProgressDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    EscapeRequested();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void BatchProgressDialog::closeEvent(QCloseEvent* event) {
  // A close from the window system arrives spontaneous; the program's own
  // close() does not.
  if (event->spontaneous()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

QHBoxLayout* BatchProgressDialog::AddEscapeButton(const char* name) {
  auto* escape = new QPushButton(QStringLiteral("ESC"), this);
  escape->setObjectName(name);
  connect(escape, &QPushButton::clicked, this, &BatchProgressDialog::EscapeRequested);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(escape);
  row->addStretch();
  return row;
}

void BatchProgressDialog::EscapeRequested() {
  if (onEscape) onEscape();
}

}  // namespace tesmora::ui
