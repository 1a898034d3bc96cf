#include "Atmosphere.h"

#include <cmath>

#include "AirDensity.h"
#include "Constants.h"

namespace tarnwick {

double densityFactor(double altitude, double pressure, double temperature) {
    const double r = std::exp(std::log(0.5) * altitude / 18480);  // pressure halves every 18 480 ft
    const double q = 29.53 / (r * pressure);
    return (temperature + 459.4) * q / 518.4;
}

EffectiveCoefficients effectiveCoefficients(const ShotParameters& params, double factor) {
    return {factor * params.BallisticCoefLow, factor * params.BallisticCoefMid,
            factor * params.BallisticCoefHigh};
}

double muzzleVelocityAt(double velocity, double fromTemperature, double toTemperature) {
    return velocity + kVelocityPerDegreeF * (toTemperature - fromTemperature);
}

double huntingMuzzleVelocity(const ShotParameters& params) {
    return muzzleVelocityAt(params.InitialVelocity, params.Temperature, params.HTemperature);
}

double densityAltitude(double altitudeFeet, double pressureInHg, double temperatureF, bool pressureIsSeaLevel) {
    const double station = pressureIsSeaLevel ? pressureAtAltitude(pressureInHg, altitudeFeet) : pressureInHg;
    return 145442.16 * (1 - std::pow(17.326 * station / (temperatureF + 459.67), 0.235));
}

bool pressureReadAsSeaLevel(const ShotParameters& params) {
    return params.Model == BallisticModelKind::Classic || params.PressureIsSeaLevel;
}

}  // namespace tarnwick
