#pragma once

#include <QDialog>
#include <QPrinter>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sheet/sheet_data.h"
#include "shell/languages.h"
#include "shell/prompter.h"

class QGroupBox;
class QLabel;
class QPrintPreviewWidget;
class QPushButton;
class QSlider;

namespace tesmora {
class Exporter;
}  // namespace tesmora

namespace tesmora::ui {

class TImpMulti;
struct PrintTrouble;

// What the sheets are made from, asked at each preparation: the exporter the
// tests load through, the settings printed on every page and the recorder's
// basis byte.
struct SheetSources {
  std::shared_ptr<Exporter> exporter;
  std::function<SheetSettings()> settings;
  std::function<std::uint8_t()> basisFlags;
  // The sheets' face names when no installed font draws them; the machine's
  // own fonts are asked (MissingSheetFace) when this is not set.
  std::function<std::optional<std::string>()> missingFace;
};

// The sheet window: the result sheets of the chosen tests, one page each, in
// Qt's print preview, with the zoom, the printer line, the printer set-up and
// printing. Every page is a snapshot taken when its test was loaded, so the
// preview, the printer and a PDF draw exactly that test, at their own
// resolution, as often as they need.
class TficheGraphique : public QDialog {
  Q_OBJECT

 public:
  TficheGraphique(const LanguageState& language, SheetSources sources, Prompter& prompter,
                  QWidget* parent = nullptr);
  ~TficheGraphique() override;

  // The pages of the named files of `folder` (the selection in list order).
  // A file of another kind, or one that cannot be loaded, gives no page; no
  // page at all is said with msg::kOpeningError. Without a font that draws the
  // sheets, a box names the missing face and no page is made. `progress`, when printing, shows
  // each name before its page is added. The window keeps painting meanwhile.
  // Returns the page count.
  int PreparePages(bool forPreview, const std::string& folder,
                   const std::vector<std::string>& names, TImpMulti* progress = nullptr);
  // Popup Print: the pages prepared and printed on the current printer with
  // the copies and the page range last chosen (one copy of every page until
  // the print dialog has been used). A print to a file, or on a machine
  // without any printer, asks for the file in the print dialog first.
  void PrintSelection(const std::string& folder, const std::vector<std::string>& names,
                      TImpMulti& progress);

  // The printer set-up (BitBtn2 and Configuration > Printing): false when
  // the dialog was cancelled.
  bool BitBtn2Click();
  // Print from the preview: the print dialog with copies and the page range.
  void BitBtn1Click();
  // The prepared pages on `printer`, as its page range and copies say; the
  // window closes at the end of the job. A printer that is not there or not
  // taking jobs, a job that cannot start or that the print server refuses
  // is said in a box, and the window keeps its pages: false then.
  bool PrintPages(QPrinter& printer);

  QPrinter& printer() { return printer_; }
  const std::vector<SheetPage>& pages() const { return pages_; }
  // The printer chosen with the set-up, empty until then.
  std::string SelectedPrinterName;

  // The printer's name and printable size, in txtImprimante.
  void ShowPrinterLine();
  void Relabel();
  // Closing empties the preview: every opening starts from no page.
  void done(int result) override;

  // Components, by their names.
  QGroupBox* menuHaut = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* txtImprimante = nullptr;
  QLabel* Label1 = nullptr;
  QSlider* Echelle = nullptr;
  QLabel* echelleValeur = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPrintPreviewWidget* JvPreviewControl1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Ctrl and the wheel zoom the preview; a click or a zoom of the preview's
  // own moves the track bar after it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // False when the painting could not begin or end on the printer.
  bool DrawPages(QPrinter& printer, const std::vector<int>& order);
  // The print dialog on the window's printer for the prepared pages: false
  // when it was cancelled.
  bool RunPrintDialog();
  // After a dialog chose the printer: its margins, the preview on its paper
  // and the printer line.
  void FollowPrinter();
  void Report(const PrintTrouble& trouble, const QPrinter& printer);
  void EchelleChange(int position);
  // Echelle and echelleValeur after the preview changed its zoom itself.
  void FollowZoom();
  void FitWholePage();
  int ZoomPercent() const;

  const LanguageState& language_;
  SheetSources sources_;
  Prompter& prompter_;
  QPrinter printer_{QPrinter::HighResolution};
  // The one sheet data of the window: a protocol survives a test that sets
  // none, as the sheets have always printed it.
  SheetData sheet_;
  std::vector<SheetPage> pages_;
};

}  // namespace tesmora::ui
