#pragma once
// One pass of the integrator: flies the bullet from the muzzle in steps of DeltaT,
// draws its path (and the energy or velocity curve) while it is on the plot, records the
// events, the 25/50/100 yard heights, the strike values at 100 yards and the drop-table
// rows.
#include <functional>

#include "DrawingSurface.h"
#include "Flight.h"
#include "PathPen.h"
#include "Report.h"

namespace tarnwick {

struct PassSetup : PathStyle {
    double muzzleVelocity = 0;  // ft/s
    double launchSpeed = 0;     // w, in/s across the line of sight
    FlightModel model;
    double crossWind = 0;       // in/s
    double cosA = 1;            // cosine of the slope
    // Metric rows the drop table every 5 m and also records the 25/50/100 m marks.
    UnitSystem units = UnitSystem::Imperial;
};

// Receives each drop-table row: its range as labelled (yards, or metres in metric), the
// range flown (ft), height (in) and wind deflection (in).
using DropRowSink = std::function<void(long long range, double rangeFeet, double height, double deflection)>;

// Flies one pass. strikeDrop and strikeDeflection receive the values at 300 feet.
// Throws NumericFailure at a step on the plot that cannot be computed (or whose numbers
// are not finite); what was drawn and reported before it stays. Past the plot's edge the
// pass flies on undrawn for the events and marks, and ends quietly.
void flyPass(const ShotParameters& params, const PassSetup& setup, EventResults& results, double& strikeDrop,
             double& strikeDeflection, DrawingSurface& surface, const DropRowSink& dropRow);

}  // namespace tarnwick
