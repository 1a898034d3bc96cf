#pragma once
// A wind given by its speed and the direction it comes from, split into the cross and tail
// components the flights use.
//
// A direction is in radians, measured from straight behind the shooter towards the right:
// 0 is a pure tail wind, pi/2 a cross wind from the right, pi a head wind, -pi/2 a cross
// wind from the left. On a clock face seen from above with 12 towards the target, a wind
// from h o'clock comes from (6 - h) pi / 6.
#include <cstddef>
#include <string>
#include <vector>

#include "ShotParameters.h"

namespace tarnwick {

struct WindComponents {
    double cross = 0;  // positive from the right of the line of fire
    double tail = 0;   // positive from behind the shooter, negative for a head wind
};

// Cross and tail components of a wind of `speed` from direction `angle`, in the speed's unit.
WindComponents windComponents(double speed, double angle);

// A cross wind and a tail wind in mph in the engine's in/s and ft/s.
double crossWindFromMph(double mph);
double tailWindFromMph(double mph);

// The direction of a wind from `hour` o'clock.
double clockDirection(double hour);

// A zone of wind out to `untilYards`, `mph` from `hour` o'clock, in the engine's units.
WindZone windZoneFrom(double untilYards, double mph, double hour);

// A zone's wind as speed (mph) and the clock hour it comes from, in (0, 12]; a calm has
// hour 0.
struct ClockWind {
    double mph = 0, hour = 0;
};
ClockWind clockWindOf(const WindZone& zone);

// The zones a flight can use: at most kMaxWindZones, each ending beyond the one before
// (the first beyond the muzzle), every number finite. Otherwise why not, naming the field;
// empty when they can be flown.
inline constexpr std::size_t kMaxWindZones = 3;
std::string windZonesProblem(const std::vector<WindZone>& zones);

}  // namespace tarnwick
