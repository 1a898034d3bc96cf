#pragma once
// How a load's muzzle velocity follows the powder temperature.
#include <optional>

namespace tarnwick {

// The sensitivity (ft/s per deg F) of the straight line through two measured points
// (deg F, ft/s); none when the two temperatures are the same or a number is not finite.
std::optional<double> powderSensitivityFrom(double t1, double v1, double t2, double v2);

}  // namespace tarnwick
