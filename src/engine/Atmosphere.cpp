#include "Atmosphere.h"

#include <cmath>

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

}  // namespace tarnwick
