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

}  // namespace tarnwick
