#include "Wind.h"

#include <cmath>

#include "Constants.h"
#include "LongRangeEffects.h"

namespace tarnwick {

WindComponents windComponents(double speed, double angle) {
    return WindComponents{speed * std::sin(angle), speed * std::cos(angle)};
}

double crossWindFromMph(double mph) { return mph * kCrossWindPerMph; }
double tailWindFromMph(double mph) { return mph * kTailWindPerMphNumerator / kTailWindPerMphDenominator; }

double clockDirection(double hour) { return (6 - hour) * kPiDouble / 6; }

WindZone windZoneFrom(double untilYards, double mph, double hour) {
    const WindComponents wind = windComponents(mph, clockDirection(hour));
    return {3 * untilYards, crossWindFromMph(wind.cross), tailWindFromMph(wind.tail)};
}

ClockWind clockWindOf(const WindZone& zone) {
    const double cross = zone.crossWind / kCrossWindPerMph;
    const double tail = zone.tailWind * kTailWindPerMphDenominator / kTailWindPerMphNumerator;
    const double mph = std::hypot(cross, tail);
    if (!(mph > 0)) return {};
    const double hour = 6 - std::atan2(cross, tail) * 6 / kPiDouble;
    return {mph, hour > 0 ? hour : hour + 12};
}

std::string windZonesProblem(const std::vector<WindZone>& zones) {
    if (zones.size() > kMaxWindZones) return "there are at most " + std::to_string(kMaxWindZones) + " wind zones.";
    double before = 0;
    for (const WindZone& zone : zones) {
        if (!std::isfinite(zone.until + zone.crossWind + zone.tailWind))
            return "every wind zone needs a range and winds that are numbers.";
        if (!(zone.until > before)) return "each wind zone must end beyond the muzzle and beyond the zone before it.";
        before = zone.until;
    }
    return "";
}

}  // namespace tarnwick
