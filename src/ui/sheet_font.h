#pragma once

#include <QFont>
#include <QImage>
#include <map>
#include <mutex>
#include <utility>

#include "sheet/text_metrics.h"

namespace tesmora::ui {

// The sheet's typeface at a size and weight: the face the preview, the
// printer, the PDF writer and the pictures print in.
QFont SheetFont(int points, FontWeight weight);

// The sheet's texts measured as the painting layer sets them: Qt's metrics of
// the sheet's typeface on a device of the page's resolution, so that a
// recording measured with them (the command line's drawing dump) has the
// extents of the printed page. Needs a QGuiApplication.
class QtTextMetrics : public TextMetrics {
 public:
  TextSize Measure(std::string_view text, int points, FontWeight weight,
                   Resolution dots) const override;

 private:
  // A device of each resolution measured at: font sizes in points follow its
  // dots per inch, as on paper.
  const QImage& Probe(Resolution dots) const;

  mutable std::mutex mutex_;
  mutable std::map<std::pair<int, int>, QImage> probes_;
};

}  // namespace tesmora::ui
