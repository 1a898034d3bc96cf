#pragma once
// The frame of a plot: axes, range and height ticks with labels, grid, line of sight,
// eye and barrel, point-blank band; the energy or velocity scale; the gravity
// indicator. Everything is drawn through the drawing surface.
#include <cstdint>

#include "DrawingSurface.h"
#include "ShotParameters.h"
#include "Units.h"

namespace tarnwick {

// Draws the frame for one plot run around the line-of-sight row L. Reads YAxis and
// XAxis, which the run has set. In metric the range ticks are labelled in metres and the
// height ticks in cm, at round metric steps. Height labels are kept clear of the eye
// picture. Returns the right edge of the last range label (0 when there is none).
double PlotAxis(DrawingSurface& surface, const ShotParameters& params, std::int16_t L, bool gridLinesOn,
              UnitSystem units = UnitSystem::Imperial);

// The second curve of a run and its scale (canvas units per foot-pound or per ft/s).
struct CurveScale {
    enum class Kind { None, Energy, Velocity };
    Kind kind = Kind::None;
    double scale = 0;
    bool curveDrawn = false;  // false when the scale is too small (or unusable) to draw
};

// Chooses the curve (energy takes precedence), works out its scale from the range
// muzzle velocity and draws the right-hand axis, ticks, labels and captions.
// energyFactor is BulletMass / kGrainsPerSlug. The scale's title keeps clear of the range
// labels, which end at rangeLabelsEnd.
CurveScale drawCurveScale(DrawingSurface& surface, const ShotParameters& params, double energyFactor,
                          bool energyCurveOn, bool velocityCurveOn, double rangeLabelsEnd = 0);

// The ball on a string hanging from (width - 200, 10), showing the slope.
void drawGravityIndicator(DrawingSurface& surface, const ShotParameters& params);

}  // namespace tarnwick
