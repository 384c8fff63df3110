#pragma once

#include <QDialog>
#include <string>

#include "shell/languages.h"

class QLabel;

namespace tesmora::ui {

// The small window that follows the printing of several sheets without the
// preview: the name of each test file as its page is prepared.
class TImpMulti : public QDialog {
  Q_OBJECT

 public:
  explicit TImpMulti(const LanguageState& language, QWidget* parent = nullptr);

  // The file being prepared, painted at once: the window keeps up while the
  // sheets load on this thread.
  void ShowFileName(const std::string& name);
  QString shownFileName() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Relabel();

  const LanguageState& language_;
  QLabel* Label1 = nullptr;
  QLabel* nomFichierPrint = nullptr;
};

}  // namespace tesmora::ui
