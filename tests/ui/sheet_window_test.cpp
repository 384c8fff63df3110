#include "ui/sheet_window/sheet_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QGraphicsView>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fixtures/test_file_writer.h"
#include "link/link_fakes.h"
#include "print_server.h"
#include "print_test_support.h"
#include "records/exporter.h"
#include "sheet_painting/sheet_font.h"
#include "shell/message_table.h"
#include "support/temp_dir.h"
#include "ui/main_window/sheet_commands.h"
#include "ui/sheet_window/imp_multi.h"
#include "window_test_support.h"

namespace tesmora::ui {
namespace {

using tesmora::testing::ReadBytes;
using tesmora::testing::TempDir;
using tesmora::testing::WriteBytes;
using testing::ModalAnswers;
using testing::PdfPageCount;
using testing::Press;

std::string AsText(const fixtures::Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

LanguageState English() {
  LanguageState language;
  ChooseLanguage(language, kEnglish);
  return language;
}

// A sheet window on a folder of generated tests, with a recording prompter.
class SheetWindow : public ::testing::Test {
 protected:
  SheetWindow() {
    exporter_ = std::make_shared<Exporter>(home_.path(), home_.path());
    SheetSources sources;
    sources.exporter = exporter_;
    sources.settings = [] {
      SheetSettings settings;
      settings.languageIndex = kEnglish;
      return settings;
    };
    window_ = std::make_unique<TficheGraphique>(language_, sources, prompter_);
  }

  // An inflation test of kind `kind` in the tests' folder.
  std::string Inflation(const std::string& name, char kind, std::uint32_t seed = 1) {
    WriteBytes(tests_.File(name),
               AsText(fixtures::BuildInflationFile(fixtures::RealisticInflationTest(seed, kind))));
    return name;
  }
  std::string Consistency(const std::string& name, char kind) {
    WriteBytes(tests_.File(name),
               AsText(fixtures::BuildConsistencyFile(fixtures::RealisticConsistencyTest(1, kind))));
    return name;
  }
  std::vector<std::string> FiveTests() {
    return {Inflation("03021001.126", '1'), Inflation("03021002.226", '2'),
            Inflation("03021003.326", '3'), Consistency("03021004.426", '4'),
            Consistency("03021005.526", '5')};
  }

  // The window's printer is the test's to set: none of the machine's.
  testing::NoPrinters noPrinters_;
  LanguageState language_ = English();
  TempDir home_;
  TempDir tests_;
  link::testing::FakePrompter prompter_;
  std::shared_ptr<Exporter> exporter_;
  std::unique_ptr<TficheGraphique> window_;
};

TEST_F(SheetWindow, ThreeFilesWithASecondOfKindSevenGiveTwoPagesInListOrder) {
  const std::vector<std::string> names = {Inflation("03021001.126", '1'), "03021002.726",
                                          Consistency("10221107.526", '5')};
  WriteBytes(tests_.File("03021002.726"), "not a sheet kind");
  EXPECT_EQ(window_->PreparePages(true, tests_.path(), names), 2);
  ASSERT_EQ(window_->pages().size(), 2u);
  EXPECT_EQ(window_->pages()[0].SheetFileName, "03021001.126");
  EXPECT_EQ(window_->pages()[1].SheetFileName, "10221107.526");
  EXPECT_EQ(window_->JvPreviewControl1->pageCount(), 2);
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(SheetWindow, AFileThatCannotBeLoadedBetweenTwoGoodOnesGivesNoPage) {
  WriteBytes(tests_.File("03021002.226"), "damaged");
  const std::vector<std::string> names = {Inflation("03021001.126", '1'), "03021002.226",
                                          Inflation("03021003.326", '3', 2)};
  EXPECT_EQ(window_->PreparePages(true, tests_.path(), names), 2);
  ASSERT_EQ(window_->pages().size(), 2u);
  EXPECT_EQ(window_->pages()[1].SheetFileName, "03021003.326");
  // The exporter's own message says why, and no other.
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_NE(prompter_.messages()[0].find("03021002.226"), std::string::npos);
  // Each page shows its own test: the third's figures are not the first's.
  EXPECT_NE(window_->pages()[0].test.get(), window_->pages()[1].test.get());
}

TEST_F(SheetWindow, NoPageAtAllIsSaidWithOpeningError) {
  WriteBytes(tests_.File("03021002.726"), "x");
  EXPECT_EQ(window_->PreparePages(true, tests_.path(), {"03021002.726"}), 0);
  EXPECT_EQ(prompter_.messages(),
            (std::vector<std::string>{MessageUtf8(msg::kOpeningError, kEnglish)}));
  EXPECT_EQ(prompter_.captions(), (std::vector<std::string>{"Tesmora"}));
  EXPECT_EQ(window_->JvPreviewControl1->pageCount(), 0);
}

TEST_F(SheetWindow, WithoutAFontForTheSheetsABoxNamesTheMissingFaceAndNoPageIsMade) {
  SheetSources sources;
  sources.exporter = exporter_;
  sources.settings = [] { return SheetSettings{}; };
  sources.missingFace = [] { return std::optional<std::string>("Arial, Helvetica"); };
  TficheGraphique window(language_, sources, prompter_);
  EXPECT_EQ(window.PreparePages(true, tests_.path(), FiveTests()), 0);
  EXPECT_EQ(window.JvPreviewControl1->pageCount(), 0);
  // One box, which says it: not the "no page" box.
  EXPECT_EQ(prompter_.captions(), (std::vector<std::string>{"Tesmora"}));
  EXPECT_EQ(prompter_.messages(),
            (std::vector<std::string>{"The sheets cannot be drawn: no installed font draws them, "
                                      "their face (Arial, Helvetica or another sans-serif face) "
                                      "is missing."}));
}

TEST_F(SheetWindow, TheMachinesFontsDrawTheSheets) {
  EXPECT_EQ(MissingSheetFace(), std::nullopt);
  EXPECT_EQ(window_->PreparePages(true, tests_.path(), {Inflation("03021001.126", '1')}), 1);
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST(SheetFont, UndrawableCharactersEachOnceInTheirOrder) {
  const auto noDigits = [](char32_t c) { return c < U'0' || c > U'9'; };
  EXPECT_EQ(UndrawableCharacters("PrMax 450 mb", noDigits), "450");
  EXPECT_EQ(UndrawableCharacters("2025-05-05", noDigits), "205");
  EXPECT_EQ(UndrawableCharacters("Wa = 61.4 % b 15", [](char32_t) { return true; }), "");
  const auto latinOnly = [](char32_t c) { return c < 0x100; };
  EXPECT_EQ(UndrawableCharacters("Teplota 20 \u00B0C, \u0159\u00ED\u0159", latinOnly), "\u0159");
  // Blanks and line ends are never asked about.
  EXPECT_EQ(UndrawableCharacters("A B\nC\tD", [](char32_t c) { return c > U' '; }), "");
}

TEST_F(SheetWindow, TheTrackBarAndTheZoomFollowEachOther) {
  window_->PreparePages(true, tests_.path(), {Inflation("03021001.126", '1')});
  window_->show();
  window_->Echelle->setValue(1);
  EXPECT_DOUBLE_EQ(window_->JvPreviewControl1->zoomFactor(), 0.01);
  EXPECT_EQ(window_->echelleValeur->text(), "1 %");
  // The preview's own zoom moves the track bar and the label.
  window_->Echelle->setValue(200);
  QWidget* viewport = window_->JvPreviewControl1->findChild<QGraphicsView*>()->viewport();
  QWheelEvent wheel(QPointF(10, 10), viewport->mapToGlobal(QPointF(10, 10)), {}, {0, 120},
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(viewport, &wheel);
  const int zoomed = static_cast<int>(std::lround(window_->JvPreviewControl1->zoomFactor() * 100));
  EXPECT_GT(zoomed, 200);
  EXPECT_EQ(window_->Echelle->value(), zoomed);
  EXPECT_EQ(window_->echelleValeur->text(), QStringLiteral("%1 %").arg(zoomed));
  window_->hide();
}

TEST_F(SheetWindow, AHintSaysThePageWhileTheUserScrollsInTheWindowsLanguage) {
  ChooseLanguage(language_, kGerman);
  ASSERT_EQ(window_->PreparePages(true, tests_.path(), FiveTests()), 5);
  window_->show();
  QScrollBar* scroll = window_->JvPreviewControl1->findChild<QGraphicsView*>()->verticalScrollBar();
  // The preview's own scrolling is no scroll of the user's: no hint, which
  // would stay on the screen for seconds.
  scroll->setValue(scroll->maximum() / 2);
  EXPECT_FALSE(QToolTip::isVisible());
  QApplication::processEvents();
  EXPECT_FALSE(QToolTip::isVisible());
  scroll->triggerAction(QAbstractSlider::SliderToMaximum);
  ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, testing::kWaitMs));
  EXPECT_EQ(QToolTip::text().toStdString(), "Seite 5");
  QToolTip::hideText();
  window_->done(QDialog::Accepted);
}

TEST_F(SheetWindow, ThePrinterLineGivesThePrintableAreaInMillimetres) {
  QPrinter& printer = window_->printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  // The printer cannot print within 3.5 mm of the sides and 4.5 mm of the
  // top and bottom; the margins the layout keeps for itself do not count.
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter,
                                    QMarginsF(3.5, 4.5, 3.5, 4.5)));
  window_->ShowPrinterLine();
  EXPECT_EQ(window_->txtImprimante->text(), "PDF file ( 203mm x288 mm )");
  EXPECT_EQ(window_->txtImprimante->accessibleDescription(), window_->txtImprimante->text());
}

TEST_F(SheetWindow, APdfPrintedWithPagesTwoToThreeOfFiveHasTwoPages) {
  ASSERT_EQ(window_->PreparePages(true, tests_.path(), FiveTests()), 5);
  QPrinter& printer = window_->printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(tests_.File("range.pdf")));
  printer.setPrintRange(QPrinter::PageRange);
  printer.setFromTo(2, 3);
  EXPECT_TRUE(window_->PrintPages(printer));
  EXPECT_EQ(PdfPageCount(ReadBytes(tests_.File("range.pdf"))), 2);
  // The job's end empties the window for its next opening.
  EXPECT_TRUE(window_->pages().empty());
}

TEST_F(SheetWindow, PrintingFromThePreviewGoesThroughThePrintDialog) {
  ASSERT_EQ(window_->PreparePages(true, tests_.path(), FiveTests()), 5);
  QPrinter& printer = window_->printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(tests_.File("all.pdf")));
  bool dialogSeen = false;
  testing::WhenIdle([&] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      dialogSeen = dialog->objectName() == "PrintDialog1";
      dialog->accept();
    }
  });
  window_->BitBtn1Click();
  EXPECT_TRUE(dialogSeen);
  EXPECT_EQ(PdfPageCount(ReadBytes(tests_.File("all.pdf"))), 5);
}

TEST_F(SheetWindow, PrintSelectionShowsEachFileNameBeforeItsPage) {
  TImpMulti progress(language_);
  QPrinter& printer = window_->printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(tests_.File("selection.pdf")));
  const std::vector<std::string> names = {Inflation("03021001.126", '1'),
                                          Consistency("10221107.526", '5')};
  // The exporter's scratch file is written while the name is on show.
  progress.show();
  EXPECT_EQ(progress.shownFileName(), "-----");
  // A print to a file asks for the file, offering the one set.
  ModalAnswers answers({[](QWidget* dialog) { Press(dialog, QDialogButtonBox::Ok); }});
  window_->PrintSelection(tests_.path(), names, progress);
  EXPECT_TRUE(answers.done());
  EXPECT_EQ(progress.shownFileName(), "10221107.526");
  EXPECT_EQ(PdfPageCount(ReadBytes(tests_.File("selection.pdf"))), 2);
  EXPECT_EQ(progress.windowTitle(),
            QString::fromStdString(MessageUtf8(msg::kMultiplePrinting, kEnglish)));
}

TEST_F(SheetWindow, CaptionsComeFromTheMessageTable) {
  window_->show();
  EXPECT_EQ(window_->windowTitle(),
            QString::fromStdString(MessageUtf8(msg::kPrintPreviewTitle, kEnglish)));
  EXPECT_EQ(window_->Label1->text(),
            QString::fromStdString(MessageUtf8(msg::kScaleLabel, kEnglish)));
  EXPECT_FALSE(window_->Echelle->accessibleName().isEmpty());
  EXPECT_FALSE(window_->BitBtn1->accessibleName().isEmpty());
  EXPECT_NE(window_->BitBtn1->accessibleName(), window_->BitBtn2->accessibleName());
  window_->hide();
  ChooseLanguage(language_, 0);
  window_->show();
  EXPECT_EQ(window_->windowTitle(),
            QString::fromStdString(MessageUtf8(msg::kPrintPreviewTitle, 0)));
  EXPECT_EQ(window_->Echelle->accessibleName(), QString::fromUtf8("Agrandissement de l'aperçu"));
  window_->hide();
}

TEST_F(SheetWindow, ThePreviewCommandShowsThePagesInTheModalSheetWindow) {
  TempDir program;
  TFPtesm100q main(program.path(), 0x0409, testing::FastOptions(prompter_));
  main.CreateOwnedWindows();
  auto* printing = main.findChild<QAction*>("Imprimante");
  ASSERT_NE(printing, nullptr);
  EXPECT_TRUE(printing->isEnabled());
  QString shown;
  int pages = -1;
  // The pages load (and the events go on) before the window opens: look for
  // it until it is there.
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (auto* sheet = qobject_cast<TficheGraphique*>(QApplication::activeModalWidget())) {
      watch.stop();
      shown = sheet->objectName();
      pages = sheet->JvPreviewControl1->pageCount();
      sheet->done(QDialog::Rejected);
    }
  });
  watch.start(10);
  main.sheets()->GraphiqueClick(tests_.path(), {Inflation("03021001.126", '1')});
  EXPECT_EQ(shown, "ficheGraphique");
  EXPECT_EQ(pages, 1);
  EXPECT_TRUE(main.sheets()->ficheGraphique->pages().empty());
}

}  // namespace
}  // namespace tesmora::ui
