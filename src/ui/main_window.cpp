#include "ui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "link/name_list.h"
#include "link/port_change.h"
#include "link/received_file_export.h"
#include "link/transfers.h"
#include "platform/paths.h"
#include "records/exporter.h"
#include "records/failure_text.h"
#include "shell/code_page.h"
#include "shell/company.h"
#include "shell/menu_captions.h"
#include "shell/message_table.h"
#include "ui/about_box.h"
#include "ui/artwork.h"
#include "ui/company_dialog.h"
#include "ui/copy_window.h"
#include "ui/deletion_window.h"
#include "ui/dialog_frame.h"
#include "ui/message_box_prompter.h"
#include "ui/password_dialog.h"
#include "ui/port_dialog.h"
#include "ui/queued_link_events.h"

namespace tesmora::ui {

namespace {

constexpr int kMessageConfirmation = 74;
constexpr int kMessageExitQuestion = 268;
constexpr int kMessageAccessDenied = 276;
constexpr int kMessageCurves = 333;
constexpr int kMessageDiskC = 334;
constexpr int kMessageComputer = 335;
constexpr std::array<int, link::kRecorderColumns> kRecorderColumnMessages{327, 328, 329, 330, 331};
constexpr std::array<int, 3> kPcColumnMessages{327, 328, 331};
constexpr std::array<int, link::kRecorderColumns> kRecorderColumnWidths{90, 60, 100, 80, 70};
constexpr std::array<int, 3> kPcColumnWidths{100, 60, 60};
constexpr int kTimer1Interval = 1500;
constexpr int kTimer2Interval = 100;

// Design geometry of the panes, on a 1024 x 768 screen.
constexpr Geometry kPanel3Design{0, 8, 425, 657};
constexpr Geometry kTreeDesign{464, 188, 305, 617};
constexpr Geometry kWindowDesign{0, 0, 1024, 768};

// Texts of the link come in the bytes of their code page (recorder names are
// ASCII; messages in their own page; samples typed on the recorder, 850).
QString FromCodePage(const std::string& bytes, CodePage page) {
  return FromUtf8(DecodeToUtf8(bytes, page));
}

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

// The lists and the tree have the pale tooltip background of the recorder's
// own screens.
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

// Messages that a job on the reader thread would show while this thread
// waits for the job: they are kept and shown once it has ended.
class HeldMessages : public Prompter {
 public:
  void ShowMessage(std::string_view caption, std::string_view text, PromptIcon icon,
                   std::uint16_t languageId) override {
    held_.push_back({std::string(caption), std::string(text), icon, languageId});
  }
  PromptAnswer Ask(std::string_view, std::string_view, PromptButtons, PromptIcon,
                   std::uint16_t) override {
    return PromptAnswer::Cancel;
  }
  void ShowThrough(Prompter& prompter) const {
    for (const Held& message : held_) {
      prompter.ShowMessage(message.caption, message.text, message.icon, message.languageId);
    }
  }

 private:
  struct Held {
    std::string caption, text;
    PromptIcon icon;
    std::uint16_t languageId;
  };
  std::vector<Held> held_;
};

}  // namespace

TFPtesm100q::TFPtesm100q(const std::string& programDirectory, std::uint32_t localeId,
                         MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      programDirectory_(programDirectory),
      options_(options),
      language_(LanguageFromLocale(localeId)) {
  setObjectName("FPtesm100q");
  setWindowTitle(FromUtf8(kApplicationTitle));
  if (options_.prompter != nullptr) {
    prompter_ = options_.prompter;
  } else {
    messageBoxes_ = std::make_unique<MessageBoxPrompter>(this);
    prompter_ = messageBoxes_.get();
  }

  BuildPanes();
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  ScaleToScreen();

  settings_ = LoadSettings(programDirectory_, platform::CurrentWorkingDirectory());
  StartLink();
  SetStatusPanel(1, FromUtf8(settings_.portName));
  ShowRecorderFileCount();
  ApplyLanguage();
  qApp->installEventFilter(this);
  focusConnection_ =
      connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        PaneFocus focus = PaneFocus::Other;
        if (now == ListKald) focus = PaneFocus::RecorderList;
        if (now == ListFichPC) focus = PaneFocus::PcList;
        if (now == tvRepPc) focus = PaneFocus::FolderTree;
        // Only this window's own controls move the focus the menus look at; a
        // menu or a dialog taking the keyboard does not.
        if (now != nullptr && isAncestorOf(now)) lastFocus_ = focus;
        if (old == ListKald && now != ListKald && (now == nullptr || isAncestorOf(now))) {
          ShowRecorderFileCount();
        }
      });
  Timer1->start();
}

TFPtesm100q::~TFPtesm100q() {
  // The widgets' own destruction moves the focus; this part of the window is
  // gone by then.
  disconnect(focusConnection_);
  qApp->removeEventFilter(this);
  ShutDownLink();
}

void TFPtesm100q::BuildPanes() {
  Panel2 = new QWidget(this);
  Panel2->setObjectName("Panel2");
  auto* panel2Layout = new QVBoxLayout(Panel2);
  panel2Layout->setContentsMargins(0, 0, 0, 0);
  paneSplitter_ = new QSplitter(Qt::Horizontal, Panel2);
  paneSplitter_->setObjectName("Splitter2");
  paneSplitter_->setChildrenCollapsible(false);
  panel2Layout->addWidget(paneSplitter_);

  // The recorder pane.
  Panel3 = new QWidget(paneSplitter_);
  Panel3->setObjectName("Panel3");
  auto* recorderLayout = new QVBoxLayout(Panel3);
  recorderLayout->setContentsMargins(2, 2, 2, 2);
  recorderLayout->setSpacing(2);
  Label2 = PaneHeader("KALDIRONE", "Label2", Panel3);
  recorderLayout->addWidget(Label2);
  ChoixDisk = new QGroupBox(Panel3);
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
  connect(choixDiskButtons_, &QButtonGroup::idClicked, this, &TFPtesm100q::ChoixDiskClick);
  ChoixDisk->hide();
  recorderLayout->addWidget(ChoixDisk);
  ListKald = ReportList("ListKald", link::kRecorderColumns, Panel3);
  ListKald->setDragEnabled(true);
  ListKald->header()->setSectionsClickable(true);
  ListKald->header()->setSortIndicatorShown(false);
  for (int column = 0; column < link::kRecorderColumns; ++column) {
    ListKald->setColumnWidth(column, kRecorderColumnWidths[static_cast<std::size_t>(column)]);
  }
  connect(ListKald->header(), &QHeaderView::sectionClicked, this,
          &TFPtesm100q::ListKaldColumnClick);
  connect(ListKald, &QTreeWidget::itemSelectionChanged, this,
          &TFPtesm100q::ListKaldSelectionChanged);
  recorderLayout->addWidget(ListKald, 1);

  // The PC pane: the header strip on top, the folder tree and the file list.
  Panel1 = new QWidget(paneSplitter_);
  Panel1->setObjectName("Panel1");
  auto* pcLayout = new QVBoxLayout(Panel1);
  pcLayout->setContentsMargins(2, 2, 2, 2);
  pcLayout->setSpacing(2);
  Label3 = PaneHeader(QString(), "Label3", Panel1);
  pcLayout->addWidget(Label3);
  pcSplitter_ = new QSplitter(Qt::Horizontal, Panel1);
  pcSplitter_->setObjectName("Splitter1");
  pcSplitter_->setChildrenCollapsible(false);
  tvRepPc = new QTreeWidget(pcSplitter_);
  tvRepPc->setObjectName("tvRepPc");
  tvRepPc->setHeaderHidden(true);
  tvRepPc->setIndentation(19);
  tvRepPc->setContextMenuPolicy(Qt::CustomContextMenu);
  UseInfoBackground(tvRepPc);
  ListFichPC = ReportList("ListFichPC", 3, pcSplitter_);
  ListFichPC->setDragEnabled(true);
  for (int column = 0; column < 3; ++column) {
    ListFichPC->setColumnWidth(column, kPcColumnWidths[static_cast<std::size_t>(column)]);
  }
  pcSplitter_->setStretchFactor(1, 1);
  pcLayout->addWidget(pcSplitter_, 1);
  paneSplitter_->setStretchFactor(1, 1);
  setCentralWidget(Panel2);

  // One popup serves the tree and both lists.
  for (QWidget* control : {static_cast<QWidget*>(ListKald), static_cast<QWidget*>(ListFichPC),
                           static_cast<QWidget*>(tvRepPc)}) {
    connect(static_cast<QAbstractScrollArea*>(control), &QWidget::customContextMenuRequested, this,
            [this, control](const QPoint& at) {
              if (control == tvRepPc) {
                QTreeWidgetItem* node = tvRepPc->itemAt(at);
                if (node != nullptr) tvRepPc->setCurrentItem(node);
                PopupHit_ = TreePopupHit(node != nullptr, SelectedNodeState());
                lastFocus_ = PaneFocus::FolderTree;
              } else {
                auto* list = static_cast<QTreeWidget*>(control);
                PopupHit_ = list->itemAt(at) != nullptr;
                lastFocus_ = list == ListKald ? PaneFocus::RecorderList : PaneFocus::PcList;
              }
              control->setFocus(Qt::PopupFocusReason);
              ListPCPupMnuPopup();
              auto* view = static_cast<QAbstractScrollArea*>(control);
              PupMnu->popup(view->viewport()->mapToGlobal(at));
            });
  }
}

QAction* TFPtesm100q::AddItem(QMenu* menu, const char* objectName, int image) {
  auto* action = menu->addAction(QString());
  action->setObjectName(objectName);
  if (image >= 0) action->setIcon(ItemIcon(image));
  return action;
}

QMenu* TFPtesm100q::AddMenu(QMenu* parent, const char* objectName) {
  QMenu* menu = parent != nullptr ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
  menu->setObjectName(objectName);
  menu->menuAction()->setObjectName(objectName);
  return menu;
}

QAction* TFPtesm100q::Item(const char* objectName) const {
  return findChild<QAction*>(QLatin1String(objectName));
}

void TFPtesm100q::BuildMenus() {
  menuBar()->setObjectName("MainMenu1");

  QMenu* file = AddMenu(nullptr, "Fichier");
  connect(file, &QMenu::aboutToShow, this, &TFPtesm100q::FichierClick);
  AddItem(file, "NewRep", 24)->setEnabled(false);
  file->addSeparator();
  QAction* remove = AddItem(file, "Supprimer1", 14);
  remove->setEnabled(false);
  connect(remove, &QAction::triggered, this, &TFPtesm100q::Supprimer1Click);
  file->addSeparator();
  connect(AddItem(file, "Rafraichir", 25), &QAction::triggered, this,
          &TFPtesm100q::RafraichirClick);
  file->addSeparator();
  AddItem(file, "ExportManuelle", 26)->setEnabled(false);
  file->addSeparator();
  connect(AddItem(file, "Exit", 23), &QAction::triggered, this, &QWidget::close);

  QMenu* config = AddMenu(nullptr, "Config");
  connect(config, &QMenu::aboutToShow, this, &TFPtesm100q::ConfigClick);
  connect(AddItem(config, "Port", 21), &QAction::triggered, this, &TFPtesm100q::PortClick);
  config->addSeparator();
  // The automatic save directory and the printer set-up come with the PC
  // explorer and the printing; until then their items stay disabled.
  AddItem(config, "DirSauve", 24)->setEnabled(false);
  config->addSeparator();
  QAction* exportAuto = AddItem(config, "ExportAuto");
  exportAuto->setCheckable(true);
  connect(exportAuto, &QAction::triggered, this, &TFPtesm100q::ExportAutoClick);
  config->addSeparator();
  QAction* allFiles = AddItem(config, "AllFiles", 29);
  allFiles->setCheckable(true);
  connect(allFiles, &QAction::triggered, this, &TFPtesm100q::AllFilesClick);
  config->addSeparator();
  AddItem(config, "Imprimante", 19)->setEnabled(false);
  connect(AddItem(config, "mSociete", 15), &QAction::triggered, this, &TFPtesm100q::mSocieteClick);

  QMenu* edit = AddMenu(nullptr, "Edition1");
  connect(edit, &QMenu::aboutToShow, this, &TFPtesm100q::Edition1Click);
  QAction* copy = AddItem(edit, "Copier1");
  copy->setEnabled(false);
  connect(copy, &QAction::triggered, this, &TFPtesm100q::Copier1Click);
  AddItem(edit, "Coller1")->setEnabled(false);
  edit->addSeparator();
  QMenu* selectAll = AddMenu(edit, "Slectionnertout1");
  connect(AddItem(selectAll, "SelectAllPC", 33), &QAction::triggered, this,
          &TFPtesm100q::SelectAllPCClick);
  QAction* selectKald = AddItem(selectAll, "SelectAllKald", 32);
  selectKald->setText("Kaldirone");
  connect(selectKald, &QAction::triggered, this, &TFPtesm100q::SelectAllKaldClick);

  QMenu* options = AddMenu(nullptr, "Options1");
  QMenu* languages = AddMenu(options, "Langue1");
  languageGroup_ = new QActionGroup(this);
  for (const int index : kLanguageMenuOrder) {
    const LanguageEntry& entry = kLanguages[static_cast<std::size_t>(index)];
    QAction* item = languages->addAction(FlagIcon(index), FromUtf8(entry.caption));
    item->setObjectName(FromUtf8(entry.menuItem));
    item->setCheckable(true);
    item->setChecked(index == language_.LanguageIndex);
    languageGroup_->addAction(item);
    connect(item, &QAction::triggered, this, [this, index] { SelectLanguage(index); });
  }
  languages->menuAction()->setIcon(FlagIcon(language_.LanguageIndex));

  QMenu* help = AddMenu(nullptr, "Aide");
  connect(AddItem(help, "Apropos", 27), &QAction::triggered, this, &TFPtesm100q::AproposClick);

  // The popup of the tree and the two lists.
  PupMnu = new QMenu(this);
  PupMnu->setObjectName("PupMnu");
  QAction* popupCopy = AddItem(PupMnu, "Copier");
  connect(popupCopy, &QAction::triggered, this, &TFPtesm100q::Copier1Click);
  // Pasting, the sheets and the manual export work on the PC pane and come
  // with it; their items show where the rules say, disabled until then.
  AddItem(PupMnu, "Coller")->setEnabled(false);
  connect(AddItem(PupMnu, "Supprimer", 14), &QAction::triggered, this,
          &TFPtesm100q::Supprimer1Click);
  AddItem(PupMnu, "Graphique", 30)->setEnabled(false);
  AddItem(PupMnu, "Impression1", 31)->setEnabled(false);
  AddItem(PupMnu, "Exporter1", 26)->setEnabled(false);

  // Ctrl+F runs the File menu's rules without opening it; Ctrl+C and Ctrl+V
  // act after the Edit menu's rules; the Delete key deletes by focus.
  auto* ctrlF = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
  connect(ctrlF, &QShortcut::activated, this, &TFPtesm100q::FichierClick);
  auto* ctrlC = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_C), this);
  connect(ctrlC, &QShortcut::activated, this, [this] {
    Edition1Click();
    if (Item("Copier1")->isEnabled()) Copier1Click();
  });
  auto* ctrlV = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_V), this);
  connect(ctrlV, &QShortcut::activated, this, &TFPtesm100q::Edition1Click);
}

void TFPtesm100q::BuildToolBar() {
  ToolBar1 = addToolBar(QString());
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setIconSize(QSize(22, 22));
  ToolBar1->addAction(Item("Exit"));
  ToolBar1->addAction(Item("Rafraichir"));
  ToolBar1->addSeparator();
  ToolBar1->addAction(Item("Imprimante"));
  ToolBar1->addAction(Item("Port"));
  ToolBar1->addSeparator();
}

void TFPtesm100q::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBarTesmora");
  bar->setSizeGripEnabled(true);
  for (int panel = 0; panel < kStatusPanelCount; ++panel) {
    auto* label = new QLabel(bar);
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(panel));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setContentsMargins(3, 0, 3, 0);
    // The last panel takes what is left of the bar, as a status bar's last
    // panel does.
    bar->addPermanentWidget(label, panel == kStatusPanelCount - 1 ? 1 : 0);
    statusPanels_[static_cast<std::size_t>(panel)] = label;
  }
}

void TFPtesm100q::ScaleToScreen() {
  QSize screenSize(1024, 768);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) screenSize = screen->size();
  const ScreenScale scale = ScaleForScreen(screenSize.width(), screenSize.height());
  // The design geometry gives the first layout; the splitters and layouts
  // share out the rest of a larger screen.
  const Geometry window = ScaleGeometry(kWindowDesign, scale);
  resize(window.width, window.height);
  const int recorderWidth = ScaleGeometry(kPanel3Design, scale).width;
  paneSplitter_->setSizes({recorderWidth, std::max(1, window.width - recorderWidth)});
  const int treeWidth = ScaleGeometry(kTreeDesign, scale).width;
  pcSplitter_->setSizes({treeWidth, std::max(1, window.width - recorderWidth - treeWidth)});
  const std::array<int, kStatusPanelCount> widths = StatusPanelWidths(scale);
  for (int panel = 0; panel < kStatusPanelCount; ++panel) {
    statusPanels_[static_cast<std::size_t>(panel)]->setMinimumWidth(
        widths[static_cast<std::size_t>(panel)]);
  }
}

void TFPtesm100q::StartLink() {
  exporter_ = std::make_shared<Exporter>(programDirectory_, settings_.startupWorkingDirectory);
  queuedEvents_ = std::make_unique<QueuedLinkEvents>(static_cast<link::LinkEvents&>(*this), this);
  link::OpenPort(port_, settings_, settings_.portName, *prompter_, language_);
  link_ = std::make_unique<link::TRead>(port_, *queuedEvents_, *prompter_, options_.linkTiming);
  link_->WithState([this](link::LinkState& s) {
    s.ExportDataMode = settings_.ExportDataMode != 0;
    s.AutoSaveDirectory = settings_.AutoSaveDirectory;
    s.programFilesDirectory = settings_.startupWorkingDirectory;
    s.language = language_;
  });
  link_->SetExporter(link::MakeReceivedFileExporter(exporter_, *link_, *prompter_));
  link_->Start();
  link_->WithState([](link::LinkState& s) { s.startupPhase = true; });
  startup_ = std::make_unique<link::StartupSequence>(programDirectory_, [this] {
    ShowFailures(exporter_->LoadCustomerAndProtocolLists(language_.LanguageIndex));
  });

  const auto makeTimer = [this](const char* name, int interval, void (TFPtesm100q::*tick)()) {
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(std::max(1, static_cast<int>(interval * options_.timerScale)));
    connect(timer, &QTimer::timeout, this, tick);
    return timer;
  };
  Timer1 = makeTimer("Timer1", kTimer1Interval, &TFPtesm100q::Timer1Timer);
  Timer2 = makeTimer("Timer2", kTimer2Interval, &TFPtesm100q::Timer2Timer);
}

void TFPtesm100q::CreateOwnedWindows() {
  // The order is the program's: the automatic save directory and new folder
  // dialogs, and the sheet windows, join it with the explorer and printing.
  PasswordDlg = new TPasswordDlg(language_, this);
  FenCopie100b = new TFenCopie100b(language_, this);
  FenCopie100b->onEscape = [this] {
    link_->WithState([](link::LinkState& s) { s.copyCancelled = true; });
  };
  FenCopie100b->onShown = [this] {
    link_->WithState([](link::LinkState& s) { s.copyCancelled = false; });
  };
  ChoixCom = new TChoixCom(
      language_, [this] { return settings_.portName; },
      [this](const std::string& name) { ChangePortTo(name); }, this);
  FenSuiviSup100b = new TFenSuiviSup100b(language_, this);
  FenSuiviSup100b->onEscape = [this] {
    link_->WithState([](link::LinkState& s) { s.deletionCancelled = true; });
  };
  AffVersion = new TAffVersion(
      language_, [this] { return link::VersionTextString(link_->versionText()); }, this);
  FormSociete = new TFormSociete(language_, programDirectory_, this);
}

void TFPtesm100q::ChangePortTo(const std::string& name) {
  // Moving the link takes a second or more (the old port is given time to
  // settle): it runs on a thread of its own while this one keeps painting
  // under the port dialog, which holds the user's input meanwhile. Its
  // messages are shown once it is done.
  HeldMessages held;
  bool moved = false;
  QEventLoop loop;
  std::thread worker([&] {
    moved = link::ChangePort(*link_, settings_, name, held, language_);
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  QApplication::setOverrideCursor(Qt::WaitCursor);
  loop.exec();
  worker.join();
  QApplication::restoreOverrideCursor();
  if (moved) {
    SavePortName(settings_, name);
    SetStatusPanel(1, FromUtf8(settings_.portName));
  }
  held.ShowThrough(*prompter_);
}

const structure_societe& TFPtesm100q::company() const {
  static const structure_societe defaults = DefaultCompanyLines();
  return FormSociete != nullptr ? FormSociete->company() : defaults;
}

bool TFPtesm100q::AllFilesMode() const { return Item("AllFiles")->isChecked(); }

QString TFPtesm100q::statusPanelText(int panel) const {
  return statusPanels_.at(static_cast<std::size_t>(panel))->text();
}

void TFPtesm100q::SetStatusPanel(int panel, const QString& text) {
  statusPanels_.at(static_cast<std::size_t>(panel))->setText(text);
}

void TFPtesm100q::ShowFailures(const std::vector<std::string>& texts) {
  for (const std::string& text : texts) {
    prompter_->ShowMessage(kErrorCaption, text, PromptIcon::Error, language_.MessageLanguageId);
  }
}

link::LinkContext TFPtesm100q::Context() { return {*link_, *prompter_, *queuedEvents_}; }

// ---------------------------------------------------------------- language

void TFPtesm100q::ApplyLanguage() {
  const int lang = language_.LanguageIndex;
  for (const MenuCaption& caption : kMainMenuCaptions) {
    if (auto* action = findChild<QAction*>(FromUtf8(caption.item))) {
      action->setText(Message(caption.message, language_));
    }
  }
  for (const MenuCaption& caption : kPopupMenuCaptions) {
    if (auto* action = PupMnu->findChild<QAction*>(FromUtf8(caption.item))) {
      action->setText(Message(caption.message, language_));
    }
  }
  choixDiskButtons_->button(0)->setText(Message(kMessageCurves, language_));
  choixDiskButtons_->button(1)->setText(Message(kMessageDiskC, language_));
  QStringList recorderHeaders;
  for (const int id : kRecorderColumnMessages) recorderHeaders << Message(id, language_);
  ListKald->setHeaderLabels(recorderHeaders);
  QStringList pcHeaders;
  for (const int id : kPcColumnMessages) pcHeaders << Message(id, language_);
  ListFichPC->setHeaderLabels(pcHeaders);
  Label3->setText(Message(kMessageComputer, language_));
  SetStatusPanel(2, FromUtf8(ExportModePanelText(ExportDataMode(), lang)));
}

void TFPtesm100q::SelectLanguage(int languageIndex) {
  ChooseLanguage(language_, languageIndex);
  link_->WithState([this](link::LinkState& s) { s.language = language_; });
  const LanguageEntry& entry = kLanguages[static_cast<std::size_t>(language_.LanguageIndex)];
  if (auto* action = findChild<QAction*>(FromUtf8(entry.menuItem))) action->setChecked(true);
  ApplyLanguage();
  findChild<QMenu*>("Langue1")->menuAction()->setIcon(FlagIcon(language_.LanguageIndex));
  // The file count is a text of the language too; it should not wait for the
  // next list to change.
  ListKaldSelectionChanged();
}

void TFPtesm100q::showEvent(QShowEvent* event) {
  setWindowTitle(FromUtf8(kApplicationTitle));
  ApplyLanguage();
  QMainWindow::showEvent(event);
}

void TFPtesm100q::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    ShowRecorderFileCount();
  }
  QMainWindow::changeEvent(event);
}

// ------------------------------------------------------------ menu rules

PaneFocus TFPtesm100q::Focus() const {
  // A tree without a selected node leaves nothing for the tree's rules.
  if (lastFocus_ == PaneFocus::FolderTree && tvRepPc->currentItem() == nullptr) {
    return PaneFocus::Other;
  }
  return lastFocus_;
}

int TFPtesm100q::SelectedNodeState() const {
  const QTreeWidgetItem* node = tvRepPc->currentItem();
  return node != nullptr ? node->data(0, Qt::UserRole).toInt() : kNodeNone;
}

std::vector<std::string> TFPtesm100q::SelectedRecorderNames() const {
  std::vector<std::string> names;
  for (int row = 0; row < ListKald->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = ListKald->topLevelItem(row);
    if (item->isSelected()) names.push_back(recorderRows_[static_cast<std::size_t>(row)].name);
  }
  return names;
}

namespace {
std::vector<std::string> SelectedNames(const QTreeWidget* list) {
  std::vector<std::string> names;
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = list->topLevelItem(row);
    if (item->isSelected()) names.push_back(item->text(0).toStdString());
  }
  return names;
}
}  // namespace

void TFPtesm100q::FichierClick() {
  const FileMenuEnabling enabling =
      FileMenuRules(Focus(), SelectedNodeState(), static_cast<int>(SelectedRecorderNames().size()),
                    SelectedNames(ListFichPC));
  Item("NewRep")->setEnabled(false);  // comes with the PC explorer
  Item("Supprimer1")->setEnabled(enabling.Supprimer1 && Focus() == PaneFocus::RecorderList);
  Item("ExportManuelle")->setEnabled(false);  // comes with the PC explorer
}

void TFPtesm100q::Edition1Click() {
  const EditMenuEnabling enabling =
      EditMenuRules(Focus(), SelectedNodeState(), ClipboardSource_,
                    static_cast<int>(SelectedRecorderNames().size()),
                    static_cast<int>(SelectedNames(ListFichPC).size()));
  Item("Copier1")->setEnabled(enabling.Copier1 && Focus() == PaneFocus::RecorderList);
  Item("Coller1")->setEnabled(false);  // pasting needs a PC folder: comes with the explorer
}

void TFPtesm100q::ConfigClick() {
  if (ExportDataMode()) Item("ExportAuto")->setChecked(true);
}

void TFPtesm100q::ListPCPupMnuPopup() {
  const std::vector<std::string> pcSelection = SelectedNames(ListFichPC);
  const PopupMenuState state = PopupMenuRules(
      Focus(), PopupHit_, SelectedNodeState(), ClipboardSource_,
      pcSelection.empty() ? std::nullopt : std::optional<std::string>(pcSelection.front()));
  PopupHit_ = false;
  for (int item = 0; item < kPopupItemCount; ++item) {
    const MenuCaption& caption = kPopupMenuCaptions[static_cast<std::size_t>(item)];
    QAction* action = PupMnu->findChild<QAction*>(FromUtf8(caption.item));
    action->setVisible(state.visible[static_cast<std::size_t>(item)]);
  }
  // The rules enable the sheets and the export for a test file selected in
  // the PC list, which the PC pane will fill.
  if (state.printAndExportEnabled && PcFileCount_ > 0) {
    for (const char* name : {"Graphique", "Impression1", "Exporter1"}) {
      PupMnu->findChild<QAction*>(name)->setEnabled(*state.printAndExportEnabled);
    }
  }
}

// ---------------------------------------------------------------- commands

void TFPtesm100q::RafraichirClick() { link_->StartCommand(link::kCmdList); }

void TFPtesm100q::Supprimer1Click() {
  if (Focus() == PaneFocus::RecorderList) DeleteOnRecorder();
  // Deleting folders and PC files comes with the PC explorer.
}

void TFPtesm100q::DeleteOnRecorder() {
  const std::vector<std::string> names = SelectedRecorderNames();
  if (names.empty()) return;
  link::StartDeletion(Context(), names);
}

void TFPtesm100q::Copier1Click() {
  if (Focus() != PaneFocus::RecorderList) return;
  const std::vector<std::string> names = SelectedRecorderNames();
  if (names.empty()) return;
  ClipboardSource_ = kClipboardRecorder;
  link_->WithState([&names](link::LinkState& s) {
    s.receiveQueue.clear();
    for (const std::string& name : names) link::AppendName(s.receiveQueue, name);
    s.drivePrefix = link::DrivePrefixFor(s.memoryChoice, s.flashDriveLetter);
  });
}

void TFPtesm100q::ReceiveFromRecorder(const std::vector<std::string>& names,
                                      const std::string& destinationFolder) {
  if (names.empty()) return;
  ClipboardSource_ = kClipboardNone;
  link::StartReceive(Context(), names, destinationFolder);
}

void TFPtesm100q::SelectAllPCClick() {
  if (PcFileCount_ <= 0) return;
  ListFichPC->setFocus();
  ListFichPC->selectAll();
}

void TFPtesm100q::SelectAllKaldClick() {
  if (RecorderFileCount_ <= 0) return;
  ListKald->setFocus();
  ListKald->selectAll();
}

void TFPtesm100q::ExportAutoClick() {
  QAction* item = Item("ExportAuto");
  // The action has already toggled its mark; the mode follows it.
  const bool on = item->isChecked();
  SaveExportDataMode(settings_, on);
  link_->WithState([on](link::LinkState& s) { s.ExportDataMode = on; });
  SetStatusPanel(2, FromUtf8(ExportModePanelText(on, language_.LanguageIndex)));
}

void TFPtesm100q::AllFilesClick() {
  QAction* item = Item("AllFiles");
  // The action toggles its mark on a click; the password decides whether
  // the new mark stands.
  if (!item->isChecked()) {
    link::SwitchAllFilesMode(*link_, false);
    ChoixDisk->hide();
    choixDiskButtons_->button(0)->setChecked(true);
    return;
  }
  item->setChecked(false);
  if (PasswordDlg == nullptr || PasswordDlg->exec() != QDialog::Accepted) return;
  if (!IsDisplayAllFilesPassword(PasswordDlg->typedPassword().toStdString())) {
    prompter_->ShowMessage(kErrorCaption,
                           MessageUtf8(kMessageAccessDenied, language_.LanguageIndex),
                           PromptIcon::Error, language_.MessageLanguageId);
    return;
  }
  item->setChecked(true);
  link::SwitchAllFilesMode(*link_, true);
  const char letter = link_->WithState([](link::LinkState& s) { return s.flashDriveLetter; });
  choixDiskButtons_->button(2)->setText(FromUtf8(link::FlashMemoryItemText(letter)));
  ChoixDisk->show();
}

void TFPtesm100q::ChoixDiskClick(int memoryChoice) { link::ChooseMemory(*link_, memoryChoice); }

void TFPtesm100q::PortClick() {
  if (ChoixCom != nullptr) ChoixCom->exec();
}

void TFPtesm100q::AproposClick() {
  if (AffVersion != nullptr) AffVersion->exec();
}

void TFPtesm100q::mSocieteClick() {
  if (FormSociete != nullptr) FormSociete->exec();
}

// ---------------------------------------------------------- recorder list

void TFPtesm100q::FillRecorderList() {
  std::vector<std::string> selected = SelectedRecorderNames();
  const QSignalBlocker blocker(ListKald);
  ListKald->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(recorderRows_.size()));
  const CodePage degradationPage = MessageCodePage(288);
  for (const link::RecorderRow& row : recorderRows_) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, QString::fromLatin1(row.name));
    item->setText(1, QString::fromLatin1(row.type));
    item->setText(2, FromCodePage(row.sample, CodePage::Dos850));
    item->setText(3, FromCodePage(row.degradation, degradationPage));
    item->setText(4, QString::fromLatin1(row.date));
    items.push_back(item);
  }
  ListKald->addTopLevelItems(items);
  // The design widths are the least a column gets; a longer name or sample
  // widens it rather than being cut.
  for (int column = 0; column + 1 < link::kRecorderColumns; ++column) {
    const int design = kRecorderColumnWidths[static_cast<std::size_t>(column)];
    ListKald->resizeColumnToContents(column);
    ListKald->setColumnWidth(column, std::max(design, ListKald->columnWidth(column) + 8));
  }
  for (int row = 0; row < ListKald->topLevelItemCount(); ++row) {
    const std::string& name = recorderRows_[static_cast<std::size_t>(row)].name;
    if (std::find(selected.begin(), selected.end(), name) != selected.end()) {
      ListKald->topLevelItem(row)->setSelected(true);
    }
  }
}

void TFPtesm100q::ListKaldColumnClick(int column) {
  sortState_.Click(column);
  link::SortRecorderRows(recorderRows_, sortState_);
  FillRecorderList();
}

void TFPtesm100q::ListKaldSelectionChanged() {
  const int selected = static_cast<int>(SelectedRecorderNames().size());
  SetRecorderPanel(link::RecorderPanelText(selected, RecorderFileCount_, language_.LanguageIndex));
}

void TFPtesm100q::ShowRecorderFileCount() {
  SetRecorderPanel(link::FileCountText(RecorderFileCount_, language_.LanguageIndex));
}

void TFPtesm100q::SetRecorderPanel(const std::string& text) {
  // The counts end with a message of the table, in its own code page.
  SetStatusPanel(0, FromCodePage(text, MessageCodePage(267)));
}

bool TFPtesm100q::eventFilter(QObject* watched, QEvent* event) {
  // The Delete key (46) in a list deletes its selection.
  if (event->type() == QEvent::KeyPress &&
      (watched == ListKald || watched == ListFichPC || watched == tvRepPc)) {
    if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
      lastFocus_ = watched == ListKald     ? PaneFocus::RecorderList
                   : watched == ListFichPC ? PaneFocus::PcList
                                           : PaneFocus::FolderTree;
      Supprimer1Click();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// ------------------------------------------------------------------ timers

void TFPtesm100q::Timer1Timer() {
  if (!startup_->Tick(Context())) Timer1->stop();
}

void TFPtesm100q::Timer2Timer() {
  Timer2->stop();
  link::BatchTimerTick(Context());
}

// ----------------------------------------------- what the reader hands over

void TFPtesm100q::RecorderListCleared() {
  recorderRows_.clear();
  ListKald->clear();
}

void TFPtesm100q::RecorderRowAdded(const link::RecorderRow& row) { recorderRows_.push_back(row); }

void TFPtesm100q::RecorderListEnded() { FillRecorderList(); }

void TFPtesm100q::RecorderFileCountShown(int count) {
  RecorderFileCount_ = count;
  FillRecorderList();
  ShowRecorderFileCount();
}

void TFPtesm100q::SetBatchRunning(bool running) {
  // The menus, toolbar and panes wait while a batch runs; the progress
  // windows stay usable, for their ESC.
  menuBar()->setEnabled(!running);
  ToolBar1->setEnabled(!running);
  Panel2->setEnabled(!running);
}

void TFPtesm100q::ShowCopyProgress(const link::CopyWindowContent& content) {
  if (FenCopie100b == nullptr) return;
  SetBatchRunning(true);
  FenCopie100b->ShowContent(content);
}

void TFPtesm100q::CopyProgress(link::CopyProgressEvent event) {
  if (FenCopie100b != nullptr) FenCopie100b->Progress(event);
}

void TFPtesm100q::CloseCopyWindow() {
  if (FenCopie100b != nullptr) FenCopie100b->hide();
  if (FenSuiviSup100b == nullptr || !FenSuiviSup100b->isVisible()) SetBatchRunning(false);
}

void TFPtesm100q::ShowDeleteProgress(const std::string& name) {
  if (FenSuiviSup100b == nullptr) return;
  SetBatchRunning(true);
  FenSuiviSup100b->ShowName(name);
}

void TFPtesm100q::CloseDeleteWindow() {
  if (FenSuiviSup100b != nullptr) FenSuiviSup100b->hide();
  if (FenCopie100b == nullptr || !FenCopie100b->isVisible()) SetBatchRunning(false);
}

void TFPtesm100q::PcFileStored(const std::string&, const std::string&, DateSource) {
  // The PC list shows no folder until the explorer fills it, so no row is
  // added yet; the file itself is stored.
}

void TFPtesm100q::ArmBatchTimer() { Timer2->start(); }

void TFPtesm100q::BusyCursor(bool busy) {
  if (busy == busyCursor_) return;
  busyCursor_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

// ------------------------------------------------------------------- close

void TFPtesm100q::closeEvent(QCloseEvent* event) {
  if (!closeConfirmed_) {
    const PromptAnswer answer = prompter_->Ask(
        MessageUtf8(kMessageConfirmation, language_.LanguageIndex),
        MessageUtf8(kMessageExitQuestion, language_.LanguageIndex),
        PromptButtons::OkCancelDefaultCancel, PromptIcon::Question, language_.MessageLanguageId);
    if (answer != PromptAnswer::Ok) {
      event->ignore();
      return;
    }
    closeConfirmed_ = true;
  }
  ShutDownLink();
  // The other windows belong to this one and go with it.
  for (QWidget* window :
       {static_cast<QWidget*>(FenCopie100b), static_cast<QWidget*>(FenSuiviSup100b)}) {
    if (window != nullptr) window->hide();
  }
  event->accept();
}

void TFPtesm100q::ShutDownLink() {
  if (linkShutDown_ || !link_) return;
  linkShutDown_ = true;
  if (Timer1 != nullptr) Timer1->stop();
  if (Timer2 != nullptr) Timer2->stop();
  // The thread may be waiting for a window or a message box of this thread:
  // keep carrying those out until it has ended, then release the port.
  link_->RequestStop();
  while (!link_->Ended()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  link_->Stop();
  port_.Purge(false, true);
  port_.Close();
  BusyCursor(false);
}

}  // namespace tesmora::ui
