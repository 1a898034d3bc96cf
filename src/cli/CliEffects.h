#pragma once
// The --set values of the point-mass model that are lists: PowderTemperatures and
// WindZones. A list is read whole or refused with a CliError naming its field.
#include <string>
#include <vector>

#include "ShotParameters.h"

// "20:2550,90:2640": two or more points of deg F and ft/s, each at its own temperature,
// every velocity above 0.
std::vector<tarnwick::PowderPoint> parsePowderTemperatures(const std::string& value, const std::string& argument);

// "300:10:3,600:15:4,2000:5:9": up to three zones of until (yd), speed (mph) and the clock
// hour the wind comes from (12 towards the target), each zone ending beyond the one before.
std::vector<tarnwick::WindZone> parseWindZones(const std::string& value, const std::string& argument);
