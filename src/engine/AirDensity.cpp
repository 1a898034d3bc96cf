#include "AirDensity.h"

#include <cmath>
#include <string>

#include "Flight.h"

namespace tarnwick {

double pressureAtAltitude(double seaLevelPressure, double altitude) {
    return seaLevelPressure * std::pow(1 - 6.8756e-6 * altitude, 5.2559);
}

double saturationVapourPressure(double temperature) {
    const double celsius = (temperature - 32) * 5 / 9;
    return 6.1094 * std::exp(17.625 * celsius / (celsius + 243.04)) / 33.8639;
}

Air airFor(double altitude, double pressure, double temperature, double relHumidity, const char* conditions) {
    const std::string which = std::string("The run stopped: the ") + conditions;
    if (!(relHumidity >= 0 && relHumidity <= 100))
        throw NumericFailure(which + " humidity must be between 0 and 100 percent.");
    const double absolute = temperature + 459.67;  // degrees Rankine
    if (!(absolute > 0)) throw NumericFailure(which + " temperature is at or below absolute zero.");
    const double vapour = relHumidity / 100 * saturationVapourPressure(temperature);
    const double ratio = (pressureAtAltitude(pressure, altitude) - 0.3780 * vapour) / 29.92 * 518.67 / absolute;
    if (!(std::isfinite(ratio) && ratio > 0))
        throw NumericFailure(which + " air has no density that can be worked out; check the altitude and pressure.");
    return {ratio, 49.0223 * std::sqrt(absolute)};
}

}  // namespace tarnwick
