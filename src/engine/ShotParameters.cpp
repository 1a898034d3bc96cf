#include "ShotParameters.h"

#include <cmath>

namespace tarnwick {

namespace {

// The dialogs store any finite number typed, but no shot needs a muzzle velocity, a
// deviation, a distance, a height, an altitude or a temperature beyond a million of its
// unit. Values beyond that are a damaged record or a slip of the finger, and the largest
// of them overflow when the flight squares or multiplies them.
constexpr double kLargestUsable = 1e6;

bool usable(double value) { return std::fabs(value) <= kLargestUsable; }  // false for NaN
bool usablePositive(double value) { return value > 0 && usable(value); }

}  // namespace

RememberedSettings usableRemembered(RememberedSettings r) {
    const RememberedSettings defaults;
    for (double RememberedSettings::*field :
         {&RememberedSettings::LastMaxDeviation, &RememberedSettings::LastZeroCrossing,
          &RememberedSettings::LastInitialVelocity, &RememberedSettings::LastScopeHeight,
          &RememberedSettings::LastAltitude, &RememberedSettings::LastTemperature, &RememberedSettings::LastHAltitude,
          &RememberedSettings::LastHTemperature})
        if (!usable(r.*field)) r.*field = defaults.*field;
    bool offered = false;
    for (const DisplayScale& scale : kDisplayScales)
        offered = offered || (r.LastHorizontalScale == scale.horizontal && r.LastVerticalScale == scale.vertical);
    if (!offered) {
        r.LastHorizontalScale = defaults.LastHorizontalScale;
        r.LastVerticalScale = defaults.LastVerticalScale;
    }
    if (!usablePositive(r.LastBallisticCoef)) r.LastBallisticCoef = defaults.LastBallisticCoef;
    if (!usablePositive(r.LastBulletMass)) r.LastBulletMass = defaults.LastBulletMass;
    if (r.LastDragFunction != "G1" && r.LastDragFunction != "G7") r.LastDragFunction = defaults.LastDragFunction;
    return r;
}

void restoreFromRemembered(ShotParameters& params, const RememberedSettings& remembered) {
    params.HuntingMode = remembered.LastHuntingMode;
    params.PBRMode = remembered.LastPBRMode;
    const bool dropTable = !remembered.LastHuntingMode && !remembered.LastPBRMode;
    params.MaxDeviation = dropTable ? 0 : remembered.LastMaxDeviation;
    params.InitialVelocity = remembered.LastInitialVelocity;
    params.HorizontalScale = remembered.LastHorizontalScale;
    params.VerticalScale = remembered.LastVerticalScale;
    params.ScopeHeight = remembered.LastScopeHeight;
    params.Altitude = remembered.LastAltitude;
    params.Temperature = remembered.LastTemperature;
    params.HAltitude = remembered.LastHAltitude;
    params.HTemperature = remembered.LastHTemperature;
}

void flyTypedBullet(ProgramState& state, double coefficient, double mass) {
    ShotParameters& p = state.params;
    p.BallisticCoefLow = p.BallisticCoefMid = p.BallisticCoefHigh = coefficient;
    p.BCBreakLow = 1000;
    p.BCBreakHigh = 2000;
    p.BulletMass = mass;
    state.bulletSource = BulletSource::Manual;
    state.remembered.LastBulletSource = BulletSource::Manual;
    state.remembered.LastBallisticCoef = coefficient;
    state.remembered.LastBulletMass = mass;
}

}  // namespace tarnwick
