#include "PowderTemperature.h"

#include <cmath>

namespace tarnwick {

std::optional<double> powderSensitivityFrom(double t1, double v1, double t2, double v2) {
    const double slope = (v2 - v1) / (t2 - t1);
    if (t1 == t2 || !std::isfinite(slope)) return std::nullopt;
    return slope;
}

}  // namespace tarnwick
