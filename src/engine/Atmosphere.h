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

// Density altitude (feet): the height in the standard atmosphere whose air is as dense as
// the air at `altitudeFeet` with the typed pressure (inHg) and temperature (deg F), dry
// air. The typed pressure is a sea-level one (reduced to the altitude first, as
// pressureAtAltitude does) or, with `pressureIsSeaLevel` false, the station pressure.
//     DA = 145,442.16 (1 - (17.326 P / (T + 459.67))^0.235)     P at the rifle, inHg
// (the standard atmosphere's density-height relation with 59 deg F and 29.92 inHg at 0 ft).
double densityAltitude(double altitudeFeet, double pressureInHg, double temperatureF, bool pressureIsSeaLevel);

// How the model in force reads the typed pressures: the classic model always as
// sea-level pressures, the point-mass model as PressureIsSeaLevel says.
bool pressureReadAsSeaLevel(const ShotParameters& params);

}  // namespace tarnwick
