#include "app/cli_sheet_output.h"

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/file_io.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "sheet/recording_canvas.h"
#include "sheet/sheet_page.h"
#include "sheet_painting/sheet_files.h"
#include "sheet_painting/sheet_font.h"

namespace tesmora::cli {

namespace {

// Fonts need a GUI application; the offscreen platform gives one without a
// display, so a sheet can be made on a server or in a script.
bool WithGuiApplication(const std::function<bool()>& work) {
  if (QGuiApplication::instance() != nullptr) return work();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Standard error is for the command's own reports; Qt's notes about the
  // session it runs without (no runtime folder, no display) are not.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
      std::fprintf(stderr, "tesmora-cli: %s\n", text.toLocal8Bit().constData());
    }
  });
  int argc = 1;
  char name[] = "tesmora-cli";
  char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  return work();
}

bool WritePdf(const std::string& path, const std::vector<SheetPage>& pages, Resolution dots) {
  if (ui::WritePagesToPdf(path, pages, dots)) {
    std::printf("%s\n", path.c_str());
    return true;
  }
  std::fprintf(stderr, "tesmora-cli: %s: the PDF could not be written\n", path.c_str());
  return false;
}

bool WritePngs(const std::string& directory, const std::vector<SheetPage>& pages, Resolution dots) {
  // The folder is made as it is named, with any folders above it that are
  // missing: one report for it, rather than one per picture.
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) {
    std::fprintf(stderr, "tesmora-cli: %s: the folder could not be made: %s\n", directory.c_str(),
                 error.message().c_str());
    return false;
  }
  bool allWritten = true;
  for (const SheetPage& page : pages) {
    const std::string path = platform::JoinPath(directory, page.SheetFileName + ".png");
    if (ui::WritePageToPng(path, page, dots)) {
      std::printf("%s\n", path.c_str());
    } else {
      std::fprintf(stderr, "tesmora-cli: %s: the picture could not be written\n", path.c_str());
      allWritten = false;
    }
  }
  return allWritten;
}

bool WriteDump(const std::string& target, const std::vector<SheetPage>& pages, Resolution dots) {
  const ui::QtTextMetrics metrics;
  RecordingCanvas canvas(metrics);
  const PageDevice device = A4Page(dots);
  for (const SheetPage& page : pages) {
    canvas.BeginPage(device.width, device.height, device.dots);
    DrawPageOnDevice(canvas, page, device);
  }
  const std::string dump = canvas.Dump();
  if (target == "-") {
    return std::fwrite(dump.data(), 1, dump.size(), stdout) == dump.size();
  }
  // The command line names its output: an older dump there gives way.
  if (platform::WriteWholeFile(platform::LocalFileSystem(), target, dump,
                               platform::OverwritePolicy::Always,
                               platform::Durability::Precious) == platform::FsStatus::Ok) {
    std::printf("%s\n", target.c_str());
    return true;
  }
  std::fprintf(stderr, "tesmora-cli: %s: the dump could not be written\n", target.c_str());
  return false;
}

}  // namespace

bool WriteSheets(SheetOutput output, const std::string& target, const std::vector<SheetPage>& pages,
                 Resolution dots) {
  return WithGuiApplication([&] {
    // Pages without a face to draw them would come out as boxes: a missing
    // font is an error, said before anything is written.
    if (const std::optional<std::string> face = ui::MissingSheetFace()) {
      std::fprintf(stderr,
                   "tesmora-cli: no installed font draws the sheets: their face (%s or another "
                   "sans-serif face) is missing\n",
                   face->c_str());
      return false;
    }
    switch (output) {
      case SheetOutput::Pdf:
        return WritePdf(target, pages, dots);
      case SheetOutput::Png:
        return WritePngs(target, pages, dots);
      case SheetOutput::Ops:
        return WriteDump(target, pages, dots);
    }
    return false;
  });
}

}  // namespace tesmora::cli
