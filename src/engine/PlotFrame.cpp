#include "PlotFrame.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "Constants.h"
#include "Flight.h"
#include "NumberText.h"

namespace tarnwick {

namespace {

// A height label: the sign followed by the inches ("+12", "-1").
std::string signedLabel(char sign, int inches) {
    std::string label(1, sign);
    label += std::to_string(inches);
    return label;
}

void printAt(DrawingSurface& surface, double x, double y, const std::string& text) {
    surface.setCurrent(x, y);
    surface.print(text);
}

// The range between ticks, in the shown unit: 5, 10, 25 or 100 yards or metres.
double rangeStep(double horizontalScale) {
    if (horizontalScale > 5) return 5;
    if (horizontalScale > 1) return 10;
    if (horizontalScale > 0.5) return 25;
    return 100;
}

// The height between ticks, in the shown unit: 1 or 12 inches; in metric the smallest
// of 1, 2, 5, 10, 20 and 50 cm that leaves ten canvas units between ticks.
int heightStep(double verticalScale, UnitSystem units) {
    if (units == UnitSystem::Imperial) return verticalScale >= 10 ? 1 : 12;
    for (int cm : {1, 2, 5, 10, 20})
        if (storedValue(Quantity::Height, units, cm) * verticalScale >= 10) return cm;
    return 50;
}

// The top of a label printed 10 units above its tick's row. A label whose tick is on
// the canvas but which would be cut at the top edge (a tall window puts the top tick
// within 10 units of it) moves down to the edge, unless it would then lie on the label
// next below, `pitch` units further down: then it is left out (nullopt).
std::optional<double> labelTop(double tickRow, double pitch, double textHeight) {
    const double top = tickRow - 10;
    if (tickRow < 0 || top >= 0) return top;
    if (textHeight > top + pitch) return std::nullopt;
    return 0.0;
}

// The rows the eye picture covers beside the height labels starting at labelX (none
// when the eye is hidden or lies elsewhere).
struct EyeRows {
    bool shown = false;
    double top = 0, bottom = 0;
};

// Where a height label goes: at its tick, or, when the eye picture would cover it, moved
// just clear of the eye (up for a mark above the line of sight, down for one below).
// A label that would have to move half the way to the next label out or further would
// no longer read as its tick's: it is left out (nullopt).
std::optional<double> heightLabelTop(const DrawingSurface& surface, const EyeRows& eye, const std::string& text,
                                     double tickRow, double nextTickRow, bool aboveSight) {
    const double h = surface.textHeight(text);
    const std::optional<double> top = labelTop(tickRow, std::fabs(nextTickRow - tickRow), h);
    if (!top || !eye.shown || *top + h <= eye.top || *top >= eye.bottom) return top;
    const double moved = aboveSight ? eye.top - h : eye.bottom;
    if (std::fabs(moved - *top) >= std::fabs(nextTickRow - tickRow) / 2) return std::nullopt;
    return moved;
}

}  // namespace

double PlotAxis(DrawingSurface& surface, const ShotParameters& params, std::int16_t L, bool gridLinesOn,
              UnitSystem units) {
    const double width = surface.width();
    const double height = surface.height();
    const double yAxis = params.YAxis;
    const double xAxis = params.XAxis;
    const double right = width - kPlotRightMargin;
    const bool sighted = params.ScopeHeight > 0 || params.MaxDeviation > 0;
    const double heightLabelX = yAxis / 2 - 10;

    surface.setPenColour(colours::Black);
    surface.setFillStyle(FillStyle::Transparent);
    surface.setPenStyle(PenStyle::Solid);
    surface.line(yAxis, 0, yAxis, xAxis);
    surface.line(yAxis, xAxis, right, xAxis);

    if (sighted) {
        surface.showEye((yAxis - surface.eyeWidth()) / 2, L - surface.eyeHeight() / 2);
    } else {
        surface.hideEye();
        printAt(surface, yAxis / 2 - 2, L - 10, "0");
    }

    surface.setPenStyle(PenStyle::Dotted);
    surface.line(yAxis, L, right, L);

    const bool metric = units == UnitSystem::Metric;
    // Imperial steps stay whole feet (5 yards = 15 ft), as the ticks have always been placed.
    const double shownStep = rangeStep(params.HorizontalScale);
    const double step = metric ? storedValue(Quantity::Distance, units, shownStep) : shownStep * 3;
    const PenStyle tickStyle = gridLinesOn ? PenStyle::Dotted : PenStyle::Solid;
    const double tickTop = gridLinesOn ? 0 : std::nearbyint(height - 60);
    const Rgb tickColour = gridLinesOn ? colours::LightGrey : colours::Black;
    const double heightTickEnd = gridLinesOn ? std::nearbyint(right) : yAxis + 10;
    surface.setPenStyle(tickStyle);

    // The tick counters are 16-bit in the original design; stopping there also keeps a
    // tiny or odd scale from looping without end.
    double rangeLabelsEnd = 0;
    for (int i = 1; i <= kMaxSteps; ++i) {
        const double x = step * i * params.HorizontalScale + yAxis;
        if (!(static_cast<float>(x) <= static_cast<float>(right))) break;
        surface.setPenColour(tickColour);
        surface.line(x, tickTop, x, height - kPlotMargin);
        surface.setPenColour(colours::Black);
        const std::string label = printedNumber(metric ? shownStep * i : step * i / 3);
        printAt(surface, x - 10, height - 48, label);
        rangeLabelsEnd = x - 10 + surface.textWidth(label);
    }
    surface.setPenColour(colours::Black);
    printAt(surface, width / 2 - 20, height - 25, metric ? "Metres" : "Yards");

    const int markStep = heightStep(params.VerticalScale, units);
    const auto markOffset = [&](int mark) {
        return (metric ? storedValue(Quantity::Height, units, mark) : mark) * params.VerticalScale;
    };
    EyeRows eye;
    eye.shown = sighted && heightLabelX < (yAxis + surface.eyeWidth()) / 2;
    eye.top = L - surface.eyeHeight() / 2;
    eye.bottom = eye.top + surface.eyeHeight();
    const auto heightLabel = [&](double tickRow, double nextTickRow, char sign, int mark) {
        const std::string text = signedLabel(sign, mark);
        if (const auto top = heightLabelTop(surface, eye, text, tickRow, nextTickRow, sign == '+'))
            printAt(surface, heightLabelX, *top, text);
    };
    for (int mark = markStep; mark <= kMaxSteps; mark += markStep) {
        const double offset = markOffset(mark);
        if (!(offset < xAxis - L)) break;
        const double nextOffset = markOffset(mark + markStep);
        const double below = L + offset;
        surface.setPenColour(tickColour);
        surface.line(yAxis, below, heightTickEnd, below);
        surface.setPenColour(colours::Black);
        heightLabel(below, L + nextOffset, '-', mark);
        const double above = L - offset;
        surface.setPenColour(tickColour);
        surface.line(yAxis, above, heightTickEnd, above);
        surface.setPenColour(colours::Black);
        heightLabel(above, L - nextOffset, '+', mark);
    }

    if (sighted) {
        surface.setPenStyle(PenStyle::Solid);
        surface.setPenColour(colours::Black);
        const double muzzle = L + params.VerticalScale * params.ScopeHeight;
        surface.rectangle(yAxis / 4, muzzle - 5, yAxis + 3, muzzle + 5);
    }

    if (params.PBRMode && params.VerticalScale * params.MaxDeviation * 2 + kPlotMargin < height) {
        surface.setPenStyle(PenStyle::DashDotDot);
        surface.setPenColour(colours::Black);
        surface.line(yAxis, L - params.VerticalScale * params.MaxDeviation, right,
                     L - params.VerticalScale * params.MaxDeviation);
        surface.line(yAxis, L + params.VerticalScale * params.MaxDeviation, right,
                     L + params.VerticalScale * params.MaxDeviation);
    }
    surface.setPenStyle(PenStyle::Solid);
    return rangeLabelsEnd;
}

CurveScale drawCurveScale(DrawingSurface& surface, const ShotParameters& params, double energyFactor,
                          bool energyCurveOn, bool velocityCurveOn, double rangeLabelsEnd) {
    CurveScale curve;
    if (energyCurveOn) curve.kind = CurveScale::Kind::Energy;
    else if (velocityCurveOn) curve.kind = CurveScale::Kind::Velocity;
    else return curve;

    const bool energy = curve.kind == CurveScale::Kind::Energy;
    const double xAxis = params.XAxis;
    const double v0 = params.InitialVelocity;
    curve.scale = energy ? 2 * (xAxis - kPlotMargin) / (energyFactor * v0 * v0) : (xAxis - kPlotMargin) / (v0 - 500);

    const double axisX = surface.width() - kPlotRightMargin;
    surface.setPenColour(energy ? colours::RangeEnergy : colours::RangeVelocity);
    surface.line(axisX, xAxis, axisX, 0);

    // A muzzle velocity at or below 500 ft/s (velocity) or a zero energy leaves the
    // scale negative or infinite: the curve is left out as for a scale too small to read.
    if (!(std::isfinite(curve.scale) && curve.scale >= 0.03072)) return curve;
    curve.curveDrawn = true;
    const bool coarse = curve.scale < 0.0768;
    const int step = energy ? (coarse ? 400 : 200) : (coarse ? 500 : 250);
    for (int i = 1; i <= kMaxSteps; ++i) {
        if (!(i * step * curve.scale < xAxis)) break;
        const double y = xAxis - i * step * curve.scale;
        surface.line(axisX, y, axisX + 10, y);
        const std::string label = printedNumber(energy ? i * step : i * step + 500);
        if (const auto top = labelTop(y, step * curve.scale, surface.textHeight(label)))
            printAt(surface, axisX + 20, *top, label);
    }
    // The title stands on the range labels' row: it moves right until it clears the last
    // range label, but not past the canvas's right edge.
    const std::string title = energy ? "Energy" : "Velocity";
    const std::string unit = energy ? "(ft-lbs)" : "(ft/sec)";
    const double titleWidth = std::max(surface.textWidth(title), surface.textWidth(unit));
    const double titleX = std::max(axisX + 10, std::min(rangeLabelsEnd + 4, surface.width() - titleWidth));
    printAt(surface, titleX, xAxis - 10, title);
    surface.setCurrent(titleX, surface.currentY());
    surface.print(unit);
    return curve;
}

void drawGravityIndicator(DrawingSurface& surface, const ShotParameters& params) {
    surface.setPenColour(colours::Blue);
    surface.setPenStyle(PenStyle::Solid);
    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColour(colours::Blue);
    const double pivotX = surface.width() - 200;
    const double pivotY = 10;
    const double a = params.LOSAngle * kTenDigitPi / 180;
    const double endX = pivotX - 100 * std::sin(a);
    const double endY = pivotY + 100 * std::cos(a);
    surface.line(pivotX, pivotY, endX, endY);
    surface.circle(endX, endY, 5);
    surface.setFillStyle(FillStyle::Transparent);
}

}  // namespace tarnwick
