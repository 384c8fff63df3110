#pragma once

#include <QMainWindow>
#include <string>

#include "shell/company.h"
#include "shell/languages.h"
#include "shell/settings.h"
#include "shell/window_placement.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;

namespace tesmora::ui {

// The main window. It owns the application's state (language, settings,
// company lines) and relabels its menus from the message table whenever the
// language changes. Menu items whose work is not wired yet are disabled.
class TFPtesm100q : public QMainWindow {
  Q_OBJECT

 public:
  // `localeId` is the user's default locale identifier (see platform/locale.h).
  TFPtesm100q(const std::string& programDirectory, std::uint32_t localeId,
              QWidget* parent = nullptr);

  const LanguageState& language() const { return language_; }
  const Settings& settings() const { return settings_; }
  const structure_societe& company() const { return company_; }

  // Relabels every caption that comes from the message table.
  void ApplyLanguage();
  // What a click on a language's menu item does.
  void SelectLanguage(int languageIndex);

 private:
  QAction* AddItem(QMenu* menu, const char* objectName);
  QMenu* AddMenu(QMenu* parent, const char* objectName);
  void BuildMenus();

  std::string programDirectory_;
  LanguageState language_;
  Settings settings_;
  structure_societe company_;
  QActionGroup* languageGroup_ = nullptr;
  QLabel* recorderHeader_ = nullptr;
  QLabel* Label3 = nullptr;
};

}  // namespace tesmora::ui
