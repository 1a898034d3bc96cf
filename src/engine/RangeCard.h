#pragma once
// The range card: at each range the elevation and wind corrections (for the current cross
// wind and for a 10 mph full-value one), on request the windage of each effect, speed,
// energy and time, as text or CSV.
// The card flies in yards and inches; a metric card shows metres, cm, m/s and joules.
#include <cstddef>
#include <string>
#include <vector>

#include "BallisticModel.h"
#include "Corrections.h"
#include "RangeTable.h"
#include "Report.h"
#include "Units.h"

namespace tarnwick {

inline constexpr double kFullValueWindMph = 10;
inline constexpr double kFullValueWindMetresPerSecond = 5;

// The causes of the windage under the current conditions: the wind, spin drift and the
// earth's rotation (the last two in the point-mass model only).
enum class DriftEffect { Wind, Spin, Coriolis };
inline constexpr std::size_t kDriftEffects = 3;

struct RangeCardRow {
    double yards = 0;
    TrajectoryPoint point;      // under the current range conditions
    double fullValueDrift = 0;  // in, the same flight in the full-value cross wind
    // in, the share of point.drift of each effect, by DriftEffect; filled when split
    double effectDrift[kDriftEffects] = {};
};

struct RangeCard {
    double crossWindMph = 0;  // the current range cross wind
    bool windZones = false;   // the point-mass model flies wind zones in its place
    double fullValueWindMph = kFullValueWindMph;
    std::vector<DriftEffect> effects;  // those that are on, when the windage is split
    std::vector<RangeCardRow> rows;
    std::string failure;  // why the card ends early (or is empty), in plain words
};

// Flies the range conditions of the sighted-in model, and once more with the cross wind
// set to the full-value wind (and no wind zones), out to the last range. With
// `splitEffects` it also splits the current windage by its causes, flying without spin
// drift and then also without the earth's rotation; the shares add up to the windage.
// The ranges are in yards whatever the unit system; in metric units the full-value wind
// is 5 m/s instead of 10 mph.
RangeCard rangeCard(const ShotParameters& params, const Sighting& sighting, const std::vector<double>& yards,
                    UnitSystem units = UnitSystem::Imperial, bool splitEffects = false);

// The lines above the table: bullet and muzzle velocity, zero, model and drag law, and
// the atmosphere. Each line ends with '\n'.
std::string rangeCardHeading(const ShotParameters& params, const ReportTexts& texts, const Sighting& sighting,
                             UnitSystem units = UnitSystem::Imperial);

enum class CardFormat { Text, Csv };
// The title row and one row per range, each ending with '\n': aligned columns, or CSV
// with the angle and the direction in columns of their own.
std::string rangeCardTable(const RangeCard& card, const Corrections& corrections, CardFormat format,
                           UnitSystem units = UnitSystem::Imperial);

}  // namespace tarnwick
