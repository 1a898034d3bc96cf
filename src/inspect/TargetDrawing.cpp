#include "TargetDrawing.h"

#include <cmath>

namespace {

constexpr double kStrikeRadiusDivisor = 6.66;

// A strike hole at `drop` inches above and `deflection` inches right of the point of aim.
void drawStrike(tarnwick::DrawingSurface& surface, const TargetView& view, double deflection, double drop,
                tarnwick::Rgb colour) {
    // Whole drawing units, halves to even. The position is kept as a double so that
    // a strike far off the paper (a long range at a large scale) cannot overflow;
    // the surface simply leaves it outside the visible area.
    const double x = std::nearbyint(view.centreX + view.scale * deflection);
    const double y = std::nearbyint(view.centreY - view.scale * drop);
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    surface.setPenColour(colour);
    surface.setFillColour(colour);
    surface.circle(x, y, view.scale / kStrikeRadiusDivisor);
}

}  // namespace

void drawTarget(tarnwick::DrawingSurface& surface, const TargetView& view, const tarnwick::StrikeValues& strike,
                bool huntingMode) {
    using namespace tarnwick;
    surface.clear();
    surface.setPenColour(colours::Red);
    surface.setPenStyle(PenStyle::Solid);
    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColour(colours::Red);

    const double width = surface.width();
    const double height = surface.height();
    // Drawing units between two lines: one inch or one centimetre of target.
    const double step = view.scale * storedValue(Quantity::Height, view.units, 1);
    if (step > 0) {
        surface.setPenColour(colours::Black);
        for (long b = 0; b * step < height || b * step < width; ++b) {
            const double offset = b * step;
            surface.line(0, view.centreY + offset, width, view.centreY + offset);
            surface.line(view.centreX + offset, 0, view.centreX + offset, height);
            surface.line(0, view.centreY - offset, width, view.centreY - offset);
            surface.line(view.centreX - offset, 0, view.centreX - offset, height);
        }
    }

    surface.setPenColour(colours::Red);
    surface.setFillColour(colours::Red);
    surface.circle(view.centreX, view.centreY, view.scale / 4.0);

    drawStrike(surface, view, strike.RStrikeDeflection, strike.RStrikeDrop, colours::RangeTrajectory);
    if (huntingMode) drawStrike(surface, view, strike.HStrikeDeflection, strike.HStrikeDrop, colours::HuntingTrajectory);
}
