#pragma once
// The report's events read off a flown trajectory, at the ranges where they happen rather
// than at the end of an integration step: line-of-sight crossings and the fall to the
// maximum deviation by root search between steps, the peak by a search for the highest
// point, and the heights at exactly 25, 50 and 100 yards.
#include "BallisticModel.h"
#include "Report.h"

namespace tarnwick {

// Overwrites each event that the path shows, and leaves the others as they were, as the
// classic pass does: the rise through the line of sight, the highest point (when the
// path rises at all), the fall back through it, the fall to `maxDeviation` below it, and
// the 25/50/100 yard and metre heights the path reaches (and the drift at 100 m). strikeDrop and strikeDeflection get the
// height and drift at 300 feet when the path gets there.
void recordPathEvents(const Trajectory& path, double maxDeviation, EventResults& events, double& strikeDrop,
                      double& strikeDeflection);

}  // namespace tarnwick
