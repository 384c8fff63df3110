#include "sheet_painting/sheet_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

#include "platform/file_system.h"
#include "sheet/sheet_page.h"
#include "sheet_painting/qt_canvas.h"
#include "sheet_painting/utf8_text.h"
#include "shell/window_placement.h"

namespace tesmora::ui {

namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;

// The pictures and documents of the command line go through the one write
// path: whole or not at all, and an older file of the name the command gave
// is replaced.
bool WriteWhole(const std::string& path, const QByteArray& bytes) {
  return platform::WriteWholeFile(platform::LocalFileSystem(), path,
                                  std::string_view(bytes.constData(), bytes.size()),
                                  platform::OverwritePolicy::Always,
                                  platform::Durability::Replaceable) == platform::FsStatus::Ok;
}

}  // namespace

bool WritePagesToPdf(const std::string& path, const std::vector<SheetPage>& pages,
                     Resolution dots) {
  if (pages.empty()) return false;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) return false;
  QPdfWriter writer(&buffer);
  writer.setResolution(dots.DpiX);
  writer.setTitle(FromUtf8(kApplicationTitle));
  writer.setCreator(FromUtf8(kApplicationTitle));
  // The origin at the paper's corner, as the sheet's geometry counts.
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  const PageDevice device = A4Page({dots.DpiX, dots.DpiX});
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !writer.newPage()) return false;
    PaintSheetPage(painter, pages[i], device);
  }
  return painter.end() && WriteWhole(path, bytes);
}

bool WritePageToPng(const std::string& path, const SheetPage& page, Resolution dots) {
  const PageDevice device = A4Page(dots);
  QImage image(device.width, device.height, QImage::Format_RGB32);
  if (image.isNull()) return false;
  image.setDotsPerMeterX(static_cast<int>(std::lround(dots.DpiX * kInchesPerMetre)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dots.DpiY * kInchesPerMetre)));
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PaintSheetPage(painter, page, device);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  return buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG") && WriteWhole(path, bytes);
}

}  // namespace tesmora::ui
