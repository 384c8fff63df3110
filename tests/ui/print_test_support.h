#pragma once

// What the printing tests share: answering the modal windows printing opens,
// as a user would, and reading the PDF that comes out.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fixtures/test_file_writer.h"

namespace tesmora::ui::testing {

// PDF pages, as the toolkit's writer marks them.
inline int PdfPageCount(const std::string& pdf) {
  int count = 0;
  for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
       at = pdf.find("/Type /Page", at + 1)) {
    if (pdf.compare(at, 12, "/Type /Pages") != 0) ++count;
  }
  return count;
}

// The bytes of a generated inflation test of kind "1".
inline std::string InflationTestBytes(std::uint32_t seed = 1) {
  const fixtures::Bytes bytes =
      fixtures::BuildInflationFile(fixtures::RealisticInflationTest(seed, '1'));
  return {bytes.begin(), bytes.end()};
}

// Answers the modal windows the code under test opens, one step for each
// window that comes to the top, in order: a dialog, the question it asks,
// the dialog again once the question is answered. The steps run from the
// event loop, so the code under test waits in its own exec() meanwhile.
class ModalAnswers {
 public:
  using Step = std::function<void(QWidget*)>;
  explicit ModalAnswers(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(10);
  }
  // The steps taken so far.
  int answered() const { return static_cast<int>(next_); }
  bool done() const { return next_ == steps_.size(); }

 private:
  void Poll() {
    QWidget* top = QApplication::activeModalWidget();
    if (top == nullptr || top == last_ || done() || !top->isVisible()) return;
    last_ = top;
    // The step may open the next window in a loop of its own, where the
    // timer must go on polling: a timer's slot is never entered twice, so
    // the step runs from a posted call of its own.
    QMetaObject::invokeMethod(
        &timer_,
        [this, step = next_++, window = QPointer<QWidget>(top)] {
          if (window) steps_[step](window);
        },
        Qt::QueuedConnection);
  }

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  QPointer<QWidget> last_;
  QTimer timer_;
};

// The print dialog's parts, by the names the toolkit gives them.
inline QComboBox* PrinterChoice(QWidget* dialog) {
  return dialog->findChild<QComboBox*>("printers");
}
inline QLineEdit* FileNameField(QWidget* dialog) {
  return dialog->findChild<QLineEdit*>("filename");
}

// Chooses the named printer in a print dialog; false when it is not listed.
inline bool ChoosePrinter(QWidget* dialog, const QString& name) {
  QComboBox* printers = PrinterChoice(dialog);
  const int index = printers == nullptr ? -1 : printers->findText(name);
  if (index < 0) return false;
  printers->setCurrentIndex(index);
  return true;
}

// Chooses the dialog's PDF printer (its last entry) and a file for it.
inline void ChooseFile(QWidget* dialog, const std::string& path) {
  QComboBox* printers = PrinterChoice(dialog);
  printers->setCurrentIndex(printers->count() - 1);
  FileNameField(dialog)->setText(QString::fromStdString(path));
}

// Presses a button of the dialog's button box, as a click does (OK runs the
// dialog's own checks, which accept() alone would skip).
inline void Press(QWidget* dialog, QDialogButtonBox::StandardButton which) {
  for (auto* box : dialog->findChildren<QDialogButtonBox*>()) {
    if (QAbstractButton* button = box->button(which)) {
      button->click();
      return;
    }
  }
}

// Answers a question box with one of its buttons.
inline void Answer(QWidget* question, QMessageBox::StandardButton which) {
  if (auto* box = qobject_cast<QMessageBox*>(question)) {
    if (QAbstractButton* button = box->button(which)) button->click();
  }
}

}  // namespace tesmora::ui::testing
