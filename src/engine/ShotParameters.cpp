#include "ShotParameters.h"

namespace tarnwick {

void restoreFromRemembered(ShotParameters& params, const RememberedSettings& remembered) {
    params.HuntingMode = remembered.LastHuntingMode;
    params.PBRMode = remembered.LastPBRMode;
    params.MaxDeviation = remembered.LastMaxDeviation;
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
