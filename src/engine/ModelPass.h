#pragma once
// One pass of a flight model behind the BallisticModel face (the point-mass model's plot
// run): the model flies as far as the plot shows and on until the report's events are
// known; the path is drawn from points one canvas unit apart, the drop table is read at
// every 5 yards (5 metres in metric) on the plot, and the events where they happen
// (PathEvents.h).
#include "BallisticModel.h"
#include "PathPen.h"
#include "TrajectoryPass.h"

namespace tarnwick {

// Flies and draws one pass; HorizontalScale must be above zero. Nothing is flown when
// the muzzle is off the plot. A flight that ends while the bullet is still on the plot
// throws NumericFailure with the model's reason, after the path, the drop-table rows and
// the events up to there; past the plot's edge it ends quietly.
void flyModelPass(const ShotParameters& params, const PathStyle& style, const BallisticModel& model,
                  Conditions conditions, EventResults& results, double& strikeDrop, double& strikeDeflection,
                  DrawingSurface& surface, const DropRowSink& dropRow, UnitSystem units = UnitSystem::Imperial);

}  // namespace tarnwick
