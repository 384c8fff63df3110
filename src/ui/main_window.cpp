#include "ui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QVBoxLayout>

#include "platform/paths.h"
#include "shell/menu_captions.h"
#include "shell/message_table.h"

namespace tesmora::ui {

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Message(int id, int languageIndex) {
  return QString::fromStdString(MessageUtf8(id, languageIndex));
}

QLabel* PaneHeader(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont font = label->font();
  font.setBold(true);
  font.setPixelSize(24);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  return label;
}

}  // namespace

TFPtesm100q::TFPtesm100q(const std::string& programDirectory, std::uint32_t localeId,
                         QWidget* parent)
    : QMainWindow(parent),
      programDirectory_(programDirectory),
      language_(LanguageFromLocale(localeId)),
      settings_(LoadSettings(programDirectory, platform::CurrentWorkingDirectory())),
      company_(ReadCompanyFile(programDirectory)) {
  setObjectName("FPtesm100q");
  setWindowTitle(FromUtf8(kApplicationTitle));

  auto* splitter = new QSplitter(this);
  auto* recorderPane = new QWidget(splitter);
  recorderPane->setObjectName("Panel3");
  auto* recorderLayout = new QVBoxLayout(recorderPane);
  recorderHeader_ = PaneHeader("KALDIRONE", recorderPane);
  recorderHeader_->setObjectName("Label2");
  recorderLayout->addWidget(recorderHeader_);
  recorderLayout->addStretch();

  auto* pcPane = new QWidget(splitter);
  pcPane->setObjectName("Panel1");
  auto* pcLayout = new QVBoxLayout(pcPane);
  Label3 = PaneHeader(QString(), pcPane);
  Label3->setObjectName("Label3");
  pcLayout->addWidget(Label3);
  pcLayout->addStretch();
  splitter->setStretchFactor(1, 1);
  setCentralWidget(splitter);

  BuildMenus();
  ApplyLanguage();
  resize(1024, 768);
  splitter->setSizes({425, 545});
}

QAction* TFPtesm100q::AddItem(QMenu* menu, const char* objectName) {
  auto* action = menu->addAction(QString());
  action->setObjectName(objectName);
  action->setEnabled(false);
  return action;
}

QMenu* TFPtesm100q::AddMenu(QMenu* parent, const char* objectName) {
  QMenu* menu = parent != nullptr ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
  menu->setObjectName(objectName);
  menu->menuAction()->setObjectName(objectName);
  return menu;
}

void TFPtesm100q::BuildMenus() {
  menuBar()->setObjectName("MainMenu1");

  QMenu* file = AddMenu(nullptr, "Fichier");
  AddItem(file, "NewRep");
  file->addSeparator();
  AddItem(file, "Supprimer1");
  file->addSeparator();
  AddItem(file, "Rafraichir");
  file->addSeparator();
  AddItem(file, "ExportManuelle");
  file->addSeparator();
  QAction* exit = AddItem(file, "Exit");
  exit->setEnabled(true);
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* config = AddMenu(nullptr, "Config");
  AddItem(config, "Port");
  config->addSeparator();
  AddItem(config, "DirSauve");
  config->addSeparator();
  AddItem(config, "ExportAuto")->setCheckable(true);
  config->addSeparator();
  AddItem(config, "AllFiles")->setCheckable(true);
  config->addSeparator();
  AddItem(config, "Imprimante");
  AddItem(config, "mSociete");

  QMenu* edit = AddMenu(nullptr, "Edition1");
  AddItem(edit, "Copier1");
  AddItem(edit, "Coller1");
  edit->addSeparator();
  QMenu* selectAll = AddMenu(edit, "Slectionnertout1");
  AddItem(selectAll, "SelectAllPC");
  AddItem(selectAll, "SelectAllKald")->setText("Kaldirone");

  QMenu* options = AddMenu(nullptr, "Options1");
  QMenu* languages = AddMenu(options, "Langue1");
  languageGroup_ = new QActionGroup(this);
  for (const int index : kLanguageMenuOrder) {
    const LanguageEntry& entry = kLanguages[static_cast<std::size_t>(index)];
    QAction* item = languages->addAction(FromUtf8(entry.caption));
    item->setObjectName(FromUtf8(entry.menuItem));
    item->setCheckable(true);
    item->setChecked(index == language_.LanguageIndex);
    languageGroup_->addAction(item);
    connect(item, &QAction::triggered, this, [this, index] { SelectLanguage(index); });
  }

  QMenu* help = AddMenu(nullptr, "Aide");
  AddItem(help, "Apropos");
}

void TFPtesm100q::ApplyLanguage() {
  const int lang = language_.LanguageIndex;
  for (const MenuCaption& caption : kMainMenuCaptions) {
    const QString name = FromUtf8(caption.item);
    if (auto* action = findChild<QAction*>(name)) action->setText(Message(caption.message, lang));
  }
  Label3->setText(Message(335, lang));
}

void TFPtesm100q::SelectLanguage(int languageIndex) {
  ChooseLanguage(language_, languageIndex);
  const LanguageEntry& entry = kLanguages[static_cast<std::size_t>(language_.LanguageIndex)];
  const QString item = FromUtf8(entry.menuItem);
  if (auto* action = findChild<QAction*>(item)) action->setChecked(true);
  ApplyLanguage();
}

}  // namespace tesmora::ui
