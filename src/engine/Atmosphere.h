#pragma once
// Air density correction of the ballistic coefficients and the powder-temperature
// correction of the hunting muzzle velocity.
#include "ShotParameters.h"

namespace tarnwick {

// Density factor F for altitude (feet), sea-level pressure (inches of mercury) and
// temperature (deg F); 1.0 at 0 ft, 29.53 inHg and 59 deg F. The coefficients are
// multiplied by it. A zero pressure gives a non-finite factor; callers check.
double densityFactor(double altitude, double pressure, double temperature);

// The three ballistic coefficients multiplied by one density factor.
struct EffectiveCoefficients {
    double low, mid, high;
};
EffectiveCoefficients effectiveCoefficients(const ShotParameters& params, double factor);

// A muzzle velocity measured at one powder temperature carried to another (deg F),
// kVelocityPerDegreeF ft/s more per degree warmer.
double muzzleVelocityAt(double velocity, double fromTemperature, double toTemperature);

// Muzzle velocity at the hunting temperature.
double huntingMuzzleVelocity(const ShotParameters& params);

}  // namespace tarnwick
