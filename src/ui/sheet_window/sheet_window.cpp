#include "ui/sheet_window/sheet_window.h"

#include <QApplication>
#include <QCursor>
#include <QGraphicsView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "records/exporter.h"
#include "records/failure_text.h"
#include "sheet/sheet_loader.h"
#include "sheet_painting/qt_canvas.h"
#include "sheet_painting/sheet_font.h"
#include "shell/message_table.h"
#include "shell/window_placement.h"
#include "ui/common/artwork.h"
#include "ui/common/dialog_frame.h"
#include "ui/sheet_window/imp_multi.h"
#include "ui/sheet_window/print_job.h"

namespace tesmora::ui {
namespace {

constexpr QSize kDesignedSize(569, 516);
constexpr int kMinimumWidth = 577;
constexpr int kZoomMin = 1;
constexpr int kZoomMax = 1000;
// A preparation of a few pages is over before a progress window would help.
constexpr int kProgressAfterMs = 400;

QPushButton* GlyphButton(QWidget* parent, const char* name, int image) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  button->setIcon(ItemIcon(image));
  button->setIconSize(QSize(32, 32));
  button->setFixedSize(81, 57);
  return button;
}

}  // namespace

TficheGraphique::TficheGraphique(const LanguageState& language, SheetSources sources,
                                 Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      language_(language),
      sources_(std::move(sources)),
      prompter_(prompter) {
  setObjectName("ficheGraphique");
  setWindowIcon(ItemIcon(30));
  setMinimumWidth(kMinimumWidth);
  // Sheets are laid out from the paper's corner, whatever the printer's
  // margins: the printable area only shows in the printer line.
  printer_.setFullPage(true);
  TakeMarginsOfPrinter(printer_);

  menuHaut = new QGroupBox(this);
  menuHaut->setObjectName("menuHaut");
  // At least its designed height, more when the fonts need it: the printer
  // line must never be squeezed out.
  menuHaut->setMinimumHeight(90);
  menuHaut->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  GroupBox1 = new QGroupBox(menuHaut);
  GroupBox1->setObjectName("GroupBox1");
  txtImprimante = new QLabel(GroupBox1);
  txtImprimante->setObjectName("txtImprimante");
  auto* printerLine = new QVBoxLayout(GroupBox1);
  printerLine->addWidget(txtImprimante);
  Label1 = new QLabel(menuHaut);
  Label1->setObjectName("Label1");
  Echelle = new QSlider(Qt::Horizontal, menuHaut);
  Echelle->setObjectName("Echelle");
  Echelle->setRange(kZoomMin, kZoomMax);
  Echelle->setValue(500);
  Echelle->setPageStep(1);
  Echelle->setTickPosition(QSlider::TicksBelow);
  Echelle->setTickInterval(100);
  Echelle->setMinimumWidth(209);
  echelleValeur = new QLabel(menuHaut);
  echelleValeur->setObjectName("echelleValeur");
  BitBtn2 = GlyphButton(menuHaut, "BitBtn2", 19);
  BitBtn1 = GlyphButton(menuHaut, "BitBtn1", 31);

  auto* scaleRow = new QHBoxLayout;
  scaleRow->addWidget(Label1);
  scaleRow->addWidget(Echelle, 1);
  scaleRow->addWidget(echelleValeur);
  auto* leftColumn = new QVBoxLayout;
  leftColumn->addWidget(GroupBox1);
  leftColumn->addLayout(scaleRow);
  auto* strip = new QHBoxLayout(menuHaut);
  strip->addLayout(leftColumn, 1);
  strip->addWidget(BitBtn2);
  strip->addWidget(BitBtn1);

  JvPreviewControl1 = new QPrintPreviewWidget(&printer_, this);
  JvPreviewControl1->setObjectName("JvPreviewControl1");
  JvPreviewControl1->setViewMode(QPrintPreviewWidget::SinglePageView);
  JvPreviewControl1->setZoomFactor(0.35);
  auto* column = new QVBoxLayout(this);
  column->addWidget(menuHaut);
  column->addWidget(JvPreviewControl1, 1);

  connect(JvPreviewControl1, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
    std::vector<int> all(pages_.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    DrawPages(*printer, all);
  });
  connect(JvPreviewControl1, &QPrintPreviewWidget::previewChanged, this,
          &TficheGraphique::FollowZoom);
  if (auto* view = JvPreviewControl1->findChild<QGraphicsView*>()) {
    view->viewport()->installEventFilter(this);
    // While the user scrolls the pages by (wheel, keys, the scroll bar), a
    // hint says which one is on show: once the move is made. The preview's
    // own scrolling, when it fits a page or empties, shows none.
    connect(view->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this, view] {
      QTimer::singleShot(0, this, [this, view] {
        if (!isVisible() || pages_.empty()) return;
        QToolTip::showText(
            QCursor::pos(),
            UiString(UiText::PageHint, language_).arg(JvPreviewControl1->currentPage()), view);
      });
    });
  }
  connect(Echelle, &QSlider::valueChanged, this, &TficheGraphique::EchelleChange);
  connect(BitBtn2, &QPushButton::clicked, this, &TficheGraphique::BitBtn2Click);
  connect(BitBtn1, &QPushButton::clicked, this, &TficheGraphique::BitBtn1Click);

  resize(kDesignedSize);
  Relabel();
  CentreOnPrimaryScreen(*this);
}

TficheGraphique::~TficheGraphique() = default;

void TficheGraphique::Relabel() {
  setWindowTitle(Message(msg::kPrintPreviewTitle, language_));
  GroupBox1->setTitle(Message(msg::kPrinterLabel, language_));
  Label1->setText(Message(msg::kScaleLabel, language_));
  BitBtn2->setToolTip(UiString(UiText::ChoosePrinter, language_));
  BitBtn1->setToolTip(UiString(UiText::PrintSheets, language_));
  NameControlsForReader(*this,
                        {{"menuHaut", windowTitle(), {}},
                         {"GroupBox1", GroupBox1->title(), {}},
                         {"txtImprimante", GroupBox1->title(), txtImprimante->text()},
                         {"Echelle", UiString(UiText::SheetZoom, language_), Label1->text()},
                         {"echelleValeur", UiString(UiText::SheetZoom, language_), {}},
                         {"BitBtn2", BitBtn2->toolTip(), {}},
                         {"BitBtn1", BitBtn1->toolTip(), {}},
                         {"JvPreviewControl1", UiString(UiText::SheetPages, language_), {}}});
}

// ------------------------------------------------------------------ pages

int TficheGraphique::PreparePages(bool forPreview, const std::string& folder,
                                  const std::vector<std::string>& names, TImpMulti* progress) {
  pages_.clear();
  // Pages without a face to draw them would show and print as boxes.
  const std::optional<std::string> missingFace =
      sources_.missingFace ? sources_.missingFace() : MissingSheetFace();
  if (missingFace) {
    QString text = UiString(UiText::SheetFaceMissing, language_);
    text.replace(QStringLiteral("%1"), QString::fromStdString(*missingFace));
    prompter_.ShowMessage(kErrorCaption, text.toStdString(), PromptIcon::Error,
                          language_.MessageLanguageId);
    JvPreviewControl1->updatePreview();
    ShowPrinterLine();
    return 0;
  }
  const SheetSettings settings = sources_.settings();
  const std::uint8_t basisFlags = sources_.basisFlags ? sources_.basisFlags() : 0;
  // Many tests take a while to load: the preparation says how far it is and
  // the windows go on painting, on this thread, between two tests.
  std::unique_ptr<QProgressDialog> preparing;
  if (progress == nullptr && names.size() > 1) {
    preparing = std::make_unique<QProgressDialog>(parentWidget());
    preparing->setObjectName("PreparingSheets");
    preparing->setWindowTitle(Message(msg::kPrintPreviewTitle, language_));
    preparing->setCancelButton(nullptr);
    preparing->setRange(0, static_cast<int>(names.size()));
    preparing->setMinimumDuration(kProgressAfterMs);
    preparing->setWindowModality(Qt::ApplicationModal);
    NameForReader(*preparing, UiString(UiText::PreparingSheets, language_));
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    if (progress != nullptr) progress->ShowFileName(name);
    if (preparing) {
      preparing->setLabelText(UiString(UiText::PreparingSheets, language_) + QLatin1Char('\n') +
                              QString::fromStdString(name));
      preparing->setValue(static_cast<int>(i));
    }
    SheetLoad load = LoadSheetTest(*sources_.exporter, settings, basisFlags, folder, name, sheet_);
    for (const std::string& message : load.messages) {
      prompter_.ShowMessage(kErrorCaption, message, PromptIcon::Error, language_.MessageLanguageId);
    }
    if (load.page) pages_.push_back(std::move(*load.page));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  preparing.reset();
  if (pages_.empty()) {
    // The box has always come in the neutral language.
    prompter_.ShowMessage(kErrorCaption, MessageUtf8(msg::kOpeningError, language_.LanguageIndex),
                          PromptIcon::Stop, 0);
  }
  JvPreviewControl1->updatePreview();
  if (forPreview) FitWholePage();
  ShowPrinterLine();
  return static_cast<int>(pages_.size());
}

// ------------------------------------------------------------------- zoom

int TficheGraphique::ZoomPercent() const {
  return static_cast<int>(std::lround(JvPreviewControl1->zoomFactor() * 100));
}

void TficheGraphique::EchelleChange(int position) {
  JvPreviewControl1->setZoomMode(QPrintPreviewWidget::CustomZoom);
  JvPreviewControl1->setZoomFactor(position / 100.0);
  echelleValeur->setText(QStringLiteral("%1 %").arg(ZoomPercent()));
}

void TficheGraphique::FollowZoom() {
  const QSignalBlocker quiet(Echelle);
  Echelle->setValue(std::clamp(ZoomPercent(), kZoomMin, kZoomMax));
  echelleValeur->setText(QStringLiteral("%1 %").arg(ZoomPercent()));
}

bool TficheGraphique::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel &&
      (static_cast<QWheelEvent*>(event)->modifiers() & Qt::ControlModifier)) {
    const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
    if (delta > 0) JvPreviewControl1->zoomIn();
    if (delta < 0) JvPreviewControl1->zoomOut();
    FollowZoom();
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    JvPreviewControl1->setZoomMode(QPrintPreviewWidget::CustomZoom);
    FollowZoom();
  }
  return QDialog::eventFilter(watched, event);
}

void TficheGraphique::FitWholePage() {
  JvPreviewControl1->fitInView();
  FollowZoom();
}

// ----------------------------------------------------------------- window

void TficheGraphique::showEvent(QShowEvent* event) {
  Relabel();
  QDialog::showEvent(event);
  FitWholePage();
}

void TficheGraphique::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FollowZoom();
}

void TficheGraphique::done(int result) {
  // Every opening starts from an empty preview, and no hint outlives it.
  pages_.clear();
  JvPreviewControl1->updatePreview();
  QToolTip::hideText();
  QDialog::done(result);
}

}  // namespace tesmora::ui
