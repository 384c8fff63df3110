#pragma once

// What the sheet tests share: pages built in memory, drawing them on a
// recording canvas, and finding calls in the recording.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/recording_canvas.h"
#include "sheet/sheet_page.h"

namespace tesmora::sheet_testing {

using Kind = CanvasOp::Kind;

inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 128, 0};

// A page whose test is built in memory: raw inflation values read as
// millimetres (scale 1, offset 0, gain 1), no curves until a test adds them.
inline SheetPage MemoryPage(SheetType type, std::string fileName = "03150012.305") {
  auto state = std::make_shared<ExportState>();
  DecodedTest& test = state->decoded;
  test.PressureScale = 1;
  test.PressureOffset = 0;
  test.PressureGain = 1;
  for (auto& curve : test.Curves) curve[0] = kEndMark;
  for (auto& curve : test.MeanCurves) curve[0] = kEndMark;
  state->sheet.RowLabels = {"-1"};
  SheetPage page;
  page.SheetFileName = std::move(fileName);
  page.sheet.Type = type;
  page.sheet.WithProtocol = type != SheetType::Ahc;
  page.sheet.SheetTitle = "TITLE";
  page.test = std::move(state);
  page.settings.versionText = "V2.01";
  page.settings.company.lines = {"LAB", "RUE", "VILLE", "PAYS"};
  return page;
}

// The test of a page, to change before the page is drawn.
inline ExportState& Edit(SheetPage& page) { return const_cast<ExportState&>(*page.test); }

// Inflation curve k (0-based) from raw values, the end mark after them.
inline void SetCurve(SheetPage& page, int k, const std::vector<int>& values, bool validated) {
  DecodedTest& test = Edit(page).decoded;
  auto& curve = test.Curves[k];
  std::copy(values.begin(), values.end(), curve.begin());
  curve[values.size()] = kEndMark;
  test.CurveEnabled[k] = validated;
  test.CurveCount = std::max(test.CurveCount, k + 1);
}

// Abscissa texts 0, step, 2 x step... for `count` samples, then "-1".
inline void SetAbscissae(SheetPage& page, int count, double step) {
  auto& labels = Edit(page).sheet.RowLabels;
  labels.clear();
  for (int i = 0; i < count; ++i) labels.push_back(NumberText(i * step, "."));
  labels.push_back("-1");
}

// The fixed model of a typeface, so that layouts can be worked out by hand.
inline const FixedTextMetrics kModel;

inline RecordingCanvas Draw(const SheetPage& page, const PageDevice& device = kA4At300Dpi) {
  RecordingCanvas canvas(kModel);
  canvas.BeginPage(device.width, device.height, device.dots);
  DrawPageOnDevice(canvas, page, device);
  return canvas;
}

inline std::vector<CanvasOp> OpsOf(const RecordingCanvas& canvas, Kind kind) {
  std::vector<CanvasOp> ops;
  for (const CanvasOp& op : canvas.ops()) {
    if (op.kind == kind) ops.push_back(op);
  }
  return ops;
}

// The first text drawn with exactly this text, or nullptr.
inline const CanvasOp* DrawnText(const RecordingCanvas& canvas, std::string_view text) {
  for (const CanvasOp& op : canvas.ops()) {
    if (op.kind == Kind::Text && op.text == text) return &op;
  }
  return nullptr;
}

inline std::vector<std::string> DrawnTexts(const RecordingCanvas& canvas) {
  std::vector<std::string> texts;
  for (const CanvasOp& op : OpsOf(canvas, Kind::Text)) texts.push_back(op.text);
  return texts;
}

inline bool Drawn(const RecordingCanvas& canvas, std::string_view text) {
  return DrawnText(canvas, text) != nullptr;
}

// Lines drawn in a colour, as {x1, y1, x2, y2}.
inline std::vector<std::vector<int>> LinesIn(const RecordingCanvas& canvas, Rgb colour) {
  std::vector<std::vector<int>> lines;
  for (const CanvasOp& op : OpsOf(canvas, Kind::Line)) {
    if (op.state.pen == colour) lines.push_back(op.n);
  }
  return lines;
}

}  // namespace tesmora::sheet_testing
