#include "CliEffects.h"

#include "CliOptions.h"
#include "NumberText.h"
#include "PowderTemperature.h"
#include "Wind.h"

using namespace tarnwick;

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// The comma-separated items of a list, each `count` numbers joined by ':'.
std::vector<std::vector<double>> numberGroups(const std::string& value, std::size_t count, const std::string& field,
                                              const std::string& form, const std::string& argument) {
    std::vector<std::vector<double>> groups;
    for (const std::string& item : split(value, ',')) {
        std::vector<double> numbers;
        for (const std::string& text : split(item, ':'))
            if (const auto number = readStrict(text)) numbers.push_back(*number);
            else throw CliError(field + " takes " + form + " in '" + argument + "'");
        if (numbers.size() != count) throw CliError(field + " takes " + form + " in '" + argument + "'");
        groups.push_back(numbers);
    }
    return groups;
}

// The engine's reason a list cannot be flown, if any, as the field's error.
void refuseProblem(const std::string& field, std::string problem, const std::string& argument) {
    if (problem.empty()) return;
    problem.pop_back();  // its full stop
    throw CliError(field + ": " + problem + " in '" + argument + "'");
}

}  // namespace

std::vector<PowderPoint> parsePowderTemperatures(const std::string& value, const std::string& argument) {
    const std::string field = "PowderTemperatures";
    std::vector<PowderPoint> points;
    for (const auto& group : numberGroups(value, 2, field, "DEGF:FTPS,DEGF:FTPS,...", argument)) {
        if (!(group[1] > 0)) throw CliError(field + " velocities must be above 0 ft/s in '" + argument + "'");
        points.push_back({group[0], group[1]});
    }
    if (points.size() < 2) throw CliError(field + " needs two or more points in '" + argument + "'");
    refuseProblem(field, powderPointsProblem(points), argument);
    return points;
}

std::vector<WindZone> parseWindZones(const std::string& value, const std::string& argument) {
    const std::string field = "WindZones";
    std::vector<WindZone> zones;
    for (const auto& group : numberGroups(value, 3, field, "UNTILYD:MPH:CLOCK,... (at most 3 zones)", argument)) {
        if (!(group[1] >= 0)) throw CliError(field + " speeds must be 0 mph or more in '" + argument + "'");
        if (!(group[2] >= 0 && group[2] <= 12))
            throw CliError(field + " clock hours run from 0 to 12 in '" + argument + "'");
        zones.push_back(windZoneFrom(group[0], group[1], group[2]));
    }
    refuseProblem(field, windZonesProblem(zones), argument);
    return zones;
}
