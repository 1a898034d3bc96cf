#include "WindArrow.h"

#include <cmath>

#include "NumberText.h"

namespace windcalc {

namespace {

// A picture coordinate rounded to a whole pixel, halves to even.
double whole(double value) { return static_cast<double>(tarnwick::roundToInteger(value).value_or(0)); }

// The direction whose tangent is dx / dy, turned half a circle when `upperHalf`. A zero
// dy takes the limit of the quotient: a quarter turn towards the side of dx.
std::optional<double> direction(double dx, double dy, bool upperHalf) {
    double angle;
    if (dy != 0) {
        angle = std::atan(dx / dy);
    } else if (dx > 0) {
        angle = tarnwick::kTenDigitPi / 2;
    } else if (dx < 0) {
        angle = -tarnwick::kTenDigitPi / 2;
    } else {
        return std::nullopt;
    }
    if (upperHalf) angle += tarnwick::kTenDigitPi;
    return angle;
}

}  // namespace

std::optional<double> pointerDirection(double x, double y, double w, double h) {
    return direction(x - w / 2, y - h / 2, h / 2 > y);
}

std::optional<Arrow> arrowForPointer(double x, double y, double w, double h) {
    const std::optional<double> theta = pointerDirection(x, y, w, h);
    if (!theta) return std::nullopt;
    const auto tx = tarnwick::roundToInt16(w / 2 + h * std::sin(*theta) / 4);
    const auto ty = tarnwick::roundToInt16(h / 2 + h * std::cos(*theta) / 4);
    if (!tx || !ty) return std::nullopt;
    const auto hx = tarnwick::roundToInt16(w - *tx);
    const auto hy = tarnwick::roundToInt16(h - *ty);
    if (!hx || !hy) return std::nullopt;
    return Arrow{*tx, *ty, *hx, *hy};
}

Arrow initialArrow(double w, double h) {
    auto coordinate = [](double value) { return tarnwick::roundToInt16(value).value_or(0); };
    return Arrow{coordinate(w / 2), coordinate(h / 2 + h / 4), coordinate(w / 2), coordinate(h / 2 - h / 4)};
}

std::optional<double> arrowAngle(const Arrow& arrow, double h) {
    return direction(static_cast<double>(arrow.startX) - arrow.endX, static_cast<double>(arrow.startY) - arrow.endY,
                     h / 2 > arrow.startY);
}

Barbs barbPoints(const Arrow& arrow, double angle) {
    return Barbs{arrow.endX - kBarbLength * std::sin(kBarbAngle - angle),
                 arrow.endY + kBarbLength * std::cos(kBarbAngle - angle),
                 arrow.endX + kBarbLength * std::sin(angle + kBarbAngle),
                 arrow.endY + kBarbLength * std::cos(angle + kBarbAngle)};
}

void drawArrow(tarnwick::DrawingSurface& surface, const Arrow& arrow, double angle, tarnwick::Rgb colour) {
    surface.setPenColour(colour);
    surface.line(arrow.startX, arrow.startY, arrow.endX, arrow.endY);
    const Barbs barbs = barbPoints(arrow, angle);
    surface.lineTo(barbs.x1, barbs.y1);
    surface.lineTo(barbs.x2, barbs.y2);
    surface.lineTo(arrow.endX, arrow.endY);
}

void drawRangeBackground(tarnwick::DrawingSurface& surface) {
    using namespace tarnwick;
    const double w = surface.width();
    const double h = surface.height();
    const double cx = whole(w / 2);
    const double ty = whole(h / 10);

    // The target: red, white and red rings outlined in black.
    surface.setPenColour(colours::Black);
    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColour(colours::Red);
    surface.circle(cx, ty, 15);
    surface.setFillColour(colours::White);
    surface.circle(cx, ty, 10);
    surface.setFillColour(colours::Red);
    surface.circle(cx, ty, 5);

    const double ly = whole(0.9 * h);
    surface.setPenColour(colours::Red);
    surface.line(0, ly, w, ly);

    // The shooter: a grey box from just above the firing line to the bottom edge, with
    // a black mark for the rifle.
    surface.setPenColour(colours::Black);
    surface.setFillColour(Rgb{128, 128, 128});
    surface.rectangle(cx - 5, ly - 15, cx - 5 + 10, ly - 15 + h / 10 + 15);
    surface.setFillColour(colours::Black);
    surface.rectangle(cx - 1, ly - 15, cx - 1 + 2, ly - 15 + 10);

    surface.setCurrent(20, 0.91 * h);
    surface.print("Firing Line");

    surface.setFillStyle(FillStyle::Transparent);
    surface.circle(cx, whole(h / 2), 0.3 * h);
}

}  // namespace windcalc
