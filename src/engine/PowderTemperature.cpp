#include "PowderTemperature.h"

#include <algorithm>
#include <cmath>

#include "Atmosphere.h"

namespace tarnwick {

std::optional<double> powderSensitivityFrom(double t1, double v1, double t2, double v2) {
    if (t1 == t2) return std::nullopt;
    return (v2 - v1) / (t2 - t1);
}

double powderTableVelocity(std::vector<PowderPoint> points, double temperature) {
    std::sort(points.begin(), points.end(),
              [](const PowderPoint& a, const PowderPoint& b) { return a.temperature < b.temperature; });
    // The segment holding the temperature; the first or last one outside the table.
    std::size_t i = 1;
    while (i + 1 < points.size() && temperature > points[i].temperature) ++i;
    const PowderPoint& a = points[i - 1];
    const PowderPoint& b = points[i];
    return a.velocity + (b.velocity - a.velocity) * (temperature - a.temperature) / (b.temperature - a.temperature);
}

double fieldMuzzleVelocity(const ShotParameters& p) {
    if (p.PowderTemperatures.size() >= 2)
        return p.InitialVelocity + (powderTableVelocity(p.PowderTemperatures, p.HTemperature) -
                                    powderTableVelocity(p.PowderTemperatures, p.Temperature));
    if (p.PowderSensitivity) return p.InitialVelocity + *p.PowderSensitivity * (p.HTemperature - p.Temperature);
    return huntingMuzzleVelocity(p);
}

std::string powderPointsProblem(const std::vector<PowderPoint>& points) {
    std::vector<double> temperatures;
    for (const PowderPoint& point : points) {
        if (!std::isfinite(point.temperature) || !std::isfinite(point.velocity))
            return "every powder temperature point needs a temperature and a velocity that are numbers.";
        temperatures.push_back(point.temperature);
    }
    std::sort(temperatures.begin(), temperatures.end());
    if (std::adjacent_find(temperatures.begin(), temperatures.end()) != temperatures.end())
        return "two powder temperature points have the same temperature.";
    return "";
}

std::string powderInputProblem(const ShotParameters& p) {
    if (p.PowderSensitivity && !std::isfinite(*p.PowderSensitivity))
        return "the powder sensitivity must be a number of ft/s per degree F.";
    return powderPointsProblem(p.PowderTemperatures);
}

}  // namespace tarnwick
