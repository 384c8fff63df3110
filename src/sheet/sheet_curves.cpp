#include "sheet/sheet_curves.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "records/inflation_results.h"

namespace tesmora::sheet_curves {

namespace {

constexpr int kLabelPoints = 12;
constexpr int kTickCount = 100;

struct Point {
  int x = 0, y = 0;
};

// One axis: where its ticks fall and what its labels count in.
struct AxisScale {
  double minorStepCm;
  int majorEvery;    // a major tick every this many centimetres
  double labelStep;  // the value of each major tick after the one before
};

// The labels run 0, step, 2 x step...; a page wide enough for more major
// ticks than the recorder's eight labels simply goes on counting.
double LabelValue(const AxisScale& axis, int majorIndex) { return majorIndex * axis.labelStep; }

int PenWidth(Resolution dots) { return dots.DpiX / 96; }

void DrawHorizontalTicks(Canvas& canvas, const SheetPage& page, Resolution d,
                         const GraphGeometry& g, const AxisScale& axis, double plotScale) {
  const int h = d.Y(0.2) / 2;
  int major = 0;
  for (int i = 0; i < kTickCount; ++i) {
    const int minorX = g.ContentLeft + d.X(axis.minorStepCm * i);
    if (minorX < g.ContentRight) canvas.Line(minorX, g.AxisY - h, minorX, g.AxisY);
    if (i % axis.majorEvery != 0) continue;
    const int x = g.ContentLeft + d.X(i);
    if (x >= g.ContentRight) continue;
    canvas.Line(x, g.AxisY - h, x, g.AxisY + h);
    const std::string label =
        NumberText(LabelValue(axis, major++) / plotScale, page.settings.decimalSeparator);
    if (i == 0) continue;
    const TextSize size = canvas.TextExtent(label);
    canvas.Text(x - size.width / 2, g.AxisY + d.Y(0.2), label);
  }
}

void DrawVerticalTicks(Canvas& canvas, const SheetPage& page, Resolution d, const GraphGeometry& g,
                       const AxisScale& axis, double plotScale) {
  const int h = d.X(0.2) / 2;
  const int axisTop = g.AxisY - g.AxisLength;
  int major = 0;
  for (int i = 0; i < kTickCount; ++i) {
    const int y = g.AxisY - d.Y(i);
    if (y <= axisTop) break;
    canvas.Line(g.ContentLeft, y, g.ContentLeft + h, y);
    if (i % axis.majorEvery != 0) continue;
    canvas.Line(g.ContentLeft - h, y, g.ContentLeft + h, y);
    const std::string label =
        NumberText(LabelValue(axis, major++) / plotScale, page.settings.decimalSeparator);
    const TextSize size = canvas.TextExtent(label);
    canvas.Text(g.ContentLeft - size.width - d.X(0.2), y - size.height / 2, label);
  }
}

// Cuts a segment to the plot area; false when nothing of it lies inside.
// Ends already inside keep their exact dots.
bool ClipToArea(Point& a, Point& b, const DotRect& area) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  double enter = 0;
  double leave = 1;
  const double edges[4][2] = {{-dx, static_cast<double>(a.x - area.left)},
                              {dx, static_cast<double>(area.right - a.x)},
                              {-dy, static_cast<double>(a.y - area.top)},
                              {dy, static_cast<double>(area.bottom - a.y)}};
  for (const auto& [p, q] : edges) {
    if (p == 0) {
      if (q < 0) return false;
      continue;
    }
    const double t = q / p;
    if (p < 0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
  }
  if (enter > leave) return false;
  const Point start = a;
  const auto at = [&](double t) {
    return Point{static_cast<int>(std::lround(start.x + t * dx)),
                 static_cast<int>(std::lround(start.y + t * dy))};
  };
  if (enter > 0) a = at(enter);
  if (leave < 1) b = at(leave);
  return true;
}

// Where a curve may run: every segment is drawn to the end of the data, past
// the ends of the axes (a consistency test longer than the axis, an inflation
// curve longer than its axis), and cut only where it would rise above the
// graph's top into the header or leave the paper.
DotRect CurveArea(const GraphGeometry& g) { return {0, g.GraphTop, g.PaperRight, g.PaperBottom}; }

void DrawSegment(Canvas& canvas, Point a, Point b, const DotRect& area) {
  if (ClipToArea(a, b, area)) canvas.Line(a.x, a.y, b.x, b.y);
}

// Segments from each point that lies above the axis to the next one.
void DrawPolyline(Canvas& canvas, const std::vector<Point>& points, const GraphGeometry& g) {
  for (std::size_t j = 0; j + 1 < points.size(); ++j) {
    if (points[j].y < g.AxisY) DrawSegment(canvas, points[j], points[j + 1], CurveArea(g));
  }
}

// Samples 0 to n of a curve as points; a sample with no abscissa left is not
// drawn.
template <typename Value, typename ToPoint>
std::vector<Point> CurvePoints(const Value* values, int count, const std::vector<double>& abscissae,
                               ToPoint toPoint) {
  std::vector<Point> points;
  const int n = std::min<int>(count, static_cast<int>(abscissae.size()));
  points.reserve(static_cast<std::size_t>(std::max(n, 0)));
  for (int i = 0; i < n; ++i) points.push_back(toPoint(abscissae[i], values[i]));
  return points;
}

// Number of values before the first 0 of a consistency column.
int ValuesBeforeZero(const std::array<float, kMaxConsistencySamples>& column) {
  const auto zero = std::find(column.begin(), column.end(), 0.0f);
  return static_cast<int>(zero - column.begin());
}

}  // namespace

Rgb CurveColour(int k) {
  static constexpr std::array<std::uint32_t, 5> kColours{255, 32768, 128, 65535, 8388736};
  return k >= 1 && k <= 5 ? Rgb::FromColorRef(kColours[k - 1]) : kBlack;
}

std::vector<double> Abscissae(const SheetTables& tables) {
  std::vector<double> values;
  values.reserve(tables.RowLabels.size());
  for (const std::string& text : tables.RowLabels) {
    if (text == "-1") break;
    values.push_back(NumberFromText(text));
  }
  return values;
}

bool IsInflationSheet(const SheetPage& page) {
  return page.sheet.Type == SheetType::Aha || page.sheet.Type == SheetType::Ahc;
}

void DrawAxes(Canvas& canvas, const SheetPage& page, Resolution d, const GraphGeometry& g,
              double plotScale) {
  canvas.SetPen(kBlack, PenWidth(d));
  canvas.SetFont(kLabelPoints, FontWeight::Normal, kBlack);
  canvas.Line(g.ContentLeft, g.AxisY, g.ContentLeft, g.AxisY - g.AxisLength);
  canvas.Line(g.ContentLeft, g.AxisY, g.ContentRight, g.AxisY);

  const bool inflation = IsInflationSheet(page);
  const AxisScale horizontal = inflation ? AxisScale{1, 5, 50} : AxisScale{1.5, 3, 100};
  const AxisScale vertical = inflation ? AxisScale{1, 5, 50} : AxisScale{1, 3, 1000};
  DrawHorizontalTicks(canvas, page, d, g, horizontal, plotScale);
  DrawVerticalTicks(canvas, page, d, g, vertical, plotScale);

  const std::string_view verticalTitle = inflation ? "H (mm)" : "mb";
  const std::string_view horizontalTitle = inflation ? "L (mm)" : "s";
  const TextSize v = canvas.TextExtent(verticalTitle);
  canvas.Text(g.ContentLeft - v.width / 2, g.AxisY - g.AxisLength - v.height, verticalTitle);
  const TextSize h = canvas.TextExtent(horizontalTitle);
  const int left = g.ContentRight + d.X(0.6) - h.width;
  const int top = g.AxisY - h.height / 2;
  // The title sits across the end of the axis: on a white box of its own, as
  // text on the paper the layout was made for, so that the line does not run
  // through it.
  canvas.Rectangle({left, top, left + h.width, top + h.height}, false);
  canvas.Text(left, top, horizontalTitle);
}

void DrawCurves(Canvas& canvas, const SheetPage& page, Resolution d, const GraphGeometry& g,
                double plotScale) {
  const DecodedTest& test = page.test->decoded;
  const std::vector<double> abscissae = Abscissae(page.test->sheet);
  const int width = PenWidth(d);
  if (!IsInflationSheet(page)) {
    const auto toPoint = [&](double t, float p) {
      return Point{g.ContentLeft + d.X(t * 0.03), g.AxisY - d.Y(p * 0.003)};
    };
    const SheetTables& tables = page.test->sheet;
    const std::array<const std::array<float, kMaxConsistencySamples>*, 2> columns{
        &tables.ConsistencyPressureColumn, &tables.ConsistencyFitColumn};
    for (int k = 1; k <= 2; ++k) {
      if (!test.CurveEnabled[k - 1]) continue;
      const auto& column = *columns[k - 1];
      canvas.SetPen(CurveColour(k), width);
      DrawPolyline(canvas, CurvePoints(column.data(), ValuesBeforeZero(column), abscissae, toPoint),
                   g);
    }
    return;
  }

  const auto toPoint = [&](double length, int raw) {
    const double height = InflationPressure(test, static_cast<float>(raw));
    return Point{g.ContentLeft + d.X(length * 0.1 * plotScale),
                 g.AxisY - d.Y(height * 0.1 * plotScale)};
  };
  const int curves = std::clamp(test.CurveCount, 0, kMaxCurves);
  for (int k = 1; k <= curves; ++k) {
    if (!test.CurveEnabled[k - 1]) continue;
    const auto& curve = test.Curves[k - 1];
    canvas.SetPen(CurveColour(k), width);
    DrawPolyline(canvas, CurvePoints(curve.data(), CurveLength(curve), abscissae, toPoint), g);
  }
  if (std::count(test.CurveEnabled.begin(), test.CurveEnabled.end(), true) < 2) return;
  const auto& mean = test.MeanCurves[0];
  std::vector<Point> points = CurvePoints(mean.data(), CurveLength(mean), abscissae, toPoint);
  // A point of the average below the axis is lowered onto it, where it ends
  // one segment and where it starts the next.
  for (Point& point : points) point.y = std::min(point.y, g.AxisY);
  canvas.SetPen(kBlack, width);
  for (std::size_t j = 0; j + 1 < points.size(); ++j) {
    DrawSegment(canvas, points[j], points[j + 1], CurveArea(g));
  }
}

}  // namespace tesmora::sheet_curves
