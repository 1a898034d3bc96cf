#pragma once
// How a load's muzzle velocity follows the powder temperature under the point-mass model.
//
// The velocity typed (InitialVelocity) is the one measured at the range temperature. In the
// field it changes by what the load's table of measured points, or its sensitivity, says it
// gains or loses between the two temperatures; a load with neither keeps the classic fixed
// 1.5 ft/s per deg F.
#include <optional>
#include <string>
#include <vector>

#include "ShotParameters.h"

namespace tarnwick {

// The sensitivity (ft/s per deg F) through two measured points; none for one temperature.
std::optional<double> powderSensitivityFrom(double t1, double v1, double t2, double v2);

// The velocity the points give at `temperature`: straight lines between neighbours (in
// order of temperature), the end lines carried on beyond the first and the last point.
// Needs two or more points with distinct temperatures.
double powderTableVelocity(std::vector<PowderPoint> points, double temperature);

// The muzzle velocity at the hunting temperature that the point-mass model flies.
double fieldMuzzleVelocity(const ShotParameters& params);

// Why measured points cannot be flown (a number that is not finite, two points at one
// temperature), in words naming the field; empty when they can.
std::string powderPointsProblem(const std::vector<PowderPoint>& points);
// The same for a load's sensitivity and points together.
std::string powderInputProblem(const ShotParameters& params);

}  // namespace tarnwick
