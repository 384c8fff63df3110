#pragma once

#include <QFont>
#include <QImage>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "sheet/text_metrics.h"

namespace tesmora::ui {

// The sheet's typeface at a size and weight: the face the preview, the
// printer, the PDF writer and the pictures print in.
QFont SheetFont(int points, FontWeight weight);

// The faces the sheets ask for, in order, for a report: "Arial, Liberation
// Sans, ..."; any other sans-serif face serves when none of them is there.
std::string SheetFaceNames();

// The characters of a UTF-8 text that `draws` refuses, each once, in the order
// they come; blanks and control characters (line ends) are not looked at.
std::string UndrawableCharacters(std::string_view text, const std::function<bool(char32_t)>& draws);

// The sheets' face names when no installed font draws the characters every
// sheet prints (the product name, letters, digits and signs of its labels and
// values), fallback fonts included: the pages would come out as boxes.
// Nothing when the sheets can be drawn. Needs a QGuiApplication.
std::optional<std::string> MissingSheetFace();

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
