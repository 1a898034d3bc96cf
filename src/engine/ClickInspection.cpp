#include "ClickInspection.h"

#include <cmath>

#include "Flight.h"
#include "NumberText.h"

namespace tarnwick {

namespace {

// The density factor as the click works it out (the same formula as the run's,
// evaluated in the click's own order).
double clickDensityFactor(double altitude, double pressure, double temperature) {
    return 29.53 / (std::pow(0.5, altitude / 18480) * pressure) * (temperature + 459.4) / 518.4;
}

struct WalkSetup {
    double muzzleVelocity, launchSpeed, tailWind;
    EffectiveCoefficients coefficients;
};

WalkEnd walk(const ShotParameters& p, const WalkSetup& setup, double s, double c, float click) {
    WalkEnd end;
    const double dt = p.DeltaT;
    const double y0 = -p.ScopeHeight;
    double x = 0, t = dt, v = setup.muzzleVelocity, y = 0;
    const FlightModel model = FlightModel::make(p, s, setup.tailWind, setup.coefficients);
    for (int step = 1;; ++step) {
        const double nx = x + v * dt;
        double nv = v;
        if (const auto fault = model.nextSpeed(v, nv); fault != FlightModel::Fault::None) {
            end.problem = "stopped short: " + faultReason(fault);
            break;
        }
        const double ny = t * setup.launchSpeed + y0 - t * t * c * kHalfGravity;
        if (const auto fault = finiteState(nx, nv, ny); fault != FlightModel::Fault::None)
            throw NumericFailure(faultReason(fault));
        v = nv;
        y = ny;
        if (static_cast<float>(nx * p.HorizontalScale + p.YAxis) > click) break;
        x = nx;
        t = t + dt;
        // A speed at or below zero may recover on a downhill line of sight, so only the
        // step counter ends a walk that has not reached the click.
        if (step == kMaxSteps) {
            end.problem = v <= 0 ? "stopped short: the bullet's speed fell to zero before it reached the click."
                                 : "stopped short: the click needs more than 32,767 time steps.";
            break;
        }
    }
    end.x = x;
    end.t = t;
    end.v = v;
    end.y = y;
    return end;
}

std::string yardsCaption(double rangeFeet) { return formatWholeWithPoint(rangeFeet / 3); }

// The energy a label shows; it can overflow even when the speed does not.
double energyOf(double v, double massFactor) {
    const double energy = v * (massFactor * v) / 2;
    if (!std::isfinite(energy)) throw NumericFailure(faultReason(FlightModel::Fault::NotFinite));
    return energy;
}

// The click as a whole: throws NumericFailure when it cannot be worked out.
ClickInspection workOutClick(const ShotParameters& p, const RememberedSettings& remembered, bool huntingOption,
                             double clickX, const StrikeValues& previous) {
    ClickInspection result;
    result.strike = previous;
    const double s = std::sin(p.LOSAngle * 3.141592654 / 180);
    const double c = std::cos(p.LOSAngle * 3.141592654 / 180);
    const double m = p.BulletMass / 225218;
    const float click = static_cast<float>(clickX);

    if (!(std::isfinite(p.DeltaT) && p.DeltaT > 0))
        throw NumericFailure("the time step must be a positive number of seconds.");

    const auto coefficientsAt = [&](double altitude, double pressure, double temperature) {
        return effectiveCoefficients(p, clickDensityFactor(altitude, pressure, temperature));
    };
    const EffectiveCoefficients rangeCoefficients = coefficientsAt(p.Altitude, p.BarometricPressure, p.Temperature);

    double vy0 = kLaunchFactor * std::sqrt(p.MaxDeviation + p.ScopeHeight);
    if (huntingOption) {
        if (p.PBRMode) {
            vy0 = vy0 * p.InitialVelocity / (p.InitialVelocity + (p.HTemperature - p.Temperature) * 1.5);
        } else {
            const double tz = FindTime(p, remembered.LastZeroCrossing, rangeCoefficients);
            if (tz == 0) throw NumericFailure("the Varmint zero distance must be more than 0 yards.");
            vy0 = p.ScopeHeight / tz + tz * kHalfGravity;
        }
    }

    const auto deflectionAt = [&](const WalkEnd& end, double crossWind) {
        if (p.InitialVelocity == 0) return 0.0;  // no muzzle velocity, no lag time
        double deflection = 0;
        if (const auto fault = windDeflection(crossWind, end.t - p.DeltaT, end.x, p.InitialVelocity, deflection);
            fault != FlightModel::Fault::None)
            throw NumericFailure(faultReason(fault));
        return deflection;
    };
    const auto energyAt = [&](const WalkEnd& end) { return energyOf(end.v, m); };

    const WalkEnd range = walk(p, {p.InitialVelocity, vy0, p.RTailWind, rangeCoefficients}, s, c, click);
    result.caption = "At " + yardsCaption(range.x) + " Yards:";
    result.lblRangeDrop = formatF3(range.y) + " inches";
    result.lblRangeVelocity = formatWholeWithPoint(range.v) + " feet/sec";
    result.lblRangeEnergy = formatWholeWithPoint(energyAt(range)) + " ft-lbs";
    result.targetCaption = "Target at " + yardsCaption(range.x) + " yards:";
    result.strike.RStrikeDrop = range.y;
    result.strike.RStrikeDeflection = deflectionAt(range, p.RCrossWind);
    result.lblRangeDeflection = formatF2(result.strike.RStrikeDeflection) + " inches";
    result.problem = range.problem;

    if (huntingOption) {
        result.hunting = true;
        const double vh = p.InitialVelocity + (p.HTemperature - p.Temperature) * 1.5;
        const double vyh = p.InitialVelocity == 0 ? 0 : vh * vy0 / p.InitialVelocity;
        const EffectiveCoefficients huntingCoefficients =
            coefficientsAt(p.HAltitude, p.HBarometricPressure, p.HTemperature);
        const WalkEnd field = walk(p, {vh, vyh, p.HTailWind, huntingCoefficients}, s, c, click);
        result.lblFieldDrop = formatF3(field.y) + " inches";
        result.lblFieldVelocity = formatWholeWithPoint(field.v) + " feet/sec";
        result.lblFieldEnergy = formatWholeWithPoint(energyAt(field)) + " ft-lbs";
        result.targetCaption = "Hunting Target at " + yardsCaption(field.x) + " yards:";
        result.strike.HStrikeDrop = field.y;
        result.strike.HStrikeDeflection = deflectionAt(field, p.HCrossWind);
        result.lblFieldDeflection = formatF2(result.strike.HStrikeDeflection) + " inches";
        if (result.problem.empty()) result.problem = field.problem;
    }
    if (!result.problem.empty()) result.caption += " (" + result.problem + ")";
    return result;
}

}  // namespace

ClickInspection inspectClick(const ShotParameters& p, const RememberedSettings& remembered, bool huntingOption,
                             double clickX, const StrikeValues& previous) {
    try {
        return workOutClick(p, remembered, huntingOption, clickX, previous);
    } catch (const NumericFailure& failure) {
        // No values at all: the strike values keep what they had.
        ClickInspection result;
        result.strike = previous;
        result.failed = true;
        result.problem = failure.what();
        result.caption = "No values: " + result.problem;
        return result;
    }
}

}  // namespace tarnwick
