#include "ClickInspection.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "BallisticModel.h"
#include "Corrections.h"
#include "Constants.h"
#include "Flight.h"
#include "NumberText.h"
#include "Units.h"

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

// The state of a walk when it ended: v and y after the step that crossed the click,
// x and t - DeltaT of the step before it.
struct WalkEnd {
    double x = 0, t = 0, v = 0, y = 0;
    std::string problem;  // why the walk stopped short of the click; empty when it did not
};

Worked<WalkEnd> walk(const ShotParameters& p, const WalkSetup& setup, double s, double c, float click) {
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
            return Worked<WalkEnd>::failed(faultReason(fault));
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

// What the point information window shows for one set of conditions at the click.
struct ClickPoint {
    WalkEnd end;
    double energy = 0;      // ft-lbs
    double deflection = 0;  // inches
};

// Walks to the click and works out the energy and the wind deflection there. Either can
// overflow even when the speed does not.
Worked<ClickPoint> pointAtClick(const ShotParameters& p, const WalkSetup& setup, double s, double c, float click,
                                double crossWind) {
    Worked<WalkEnd> walked = walk(p, setup, s, c, click);
    if (walked.failure) return Worked<ClickPoint>::failed(*walked.failure);
    ClickPoint point;
    point.end = std::move(walked.value);
    const double v = point.end.v;
    point.energy = v * (p.BulletMass / kGrainsPerSlug * v) / 2;
    if (!std::isfinite(point.energy)) return Worked<ClickPoint>::failed(faultReason(FlightModel::Fault::NotFinite));
    if (p.InitialVelocity == 0) return point;  // no muzzle velocity, no lag time
    if (const auto fault = windDeflection(crossWind, point.end.t - p.DeltaT, point.end.x, p.InitialVelocity,
                                          point.deflection);
        fault != FlightModel::Fault::None)
        return Worked<ClickPoint>::failed(faultReason(fault));
    return point;
}

// A range as a caption names it in the chosen units: "250. Yards" or "229. metres".
std::string rangeCaption(double rangeFeet, UnitSystem units, bool capital) {
    const char* word = units == UnitSystem::Metric ? (capital ? "Metres" : "metres") : (capital ? "Yards" : "yards");
    return formatWholeWithPoint(shownValue(Quantity::Range, units, rangeFeet / 3)) + " " + word;
}

// With corrections in an angle, the angle to dial after the offset itself: ", 3.2 MOA UP".
std::string angleToDial(double offsetInches, double rangeFeet, CorrectionAxis axis, const Corrections& corrections) {
    const std::string angle = angleText(offsetInches, rangeFeet, axis, corrections);
    return angle.empty() ? angle : ", " + angle;
}

// What the point information window shows for one set of conditions, as the engine
// keeps it: range (ft), height (in), speed (ft/s), energy (ft-lbs), wind deflection (in).
struct PointValues {
    double range, height, speed, energy, deflection;
};

// The point information window's four values in the remembered units; with corrections
// in an angle the height and the deflection name the angle to dial as well.
void labelPoint(const PointValues& v, const RememberedSettings& shown, std::string& drop, std::string& velocity,
                std::string& energy, std::string& deflection) {
    const UnitSystem u = shown.LastUnits;
    const bool metric = u == UnitSystem::Metric;
    const char* heightUnit = metric ? " cm" : " inches";
    drop = formatF3(shownValue(Quantity::Height, u, v.height)) + heightUnit +
           angleToDial(v.height, v.range, CorrectionAxis::Elevation, shown.LastCorrections);
    velocity = formatWholeWithPoint(shownValue(Quantity::Speed, u, v.speed)) + (metric ? " m/s" : " feet/sec");
    energy = formatWholeWithPoint(shownValue(Quantity::Energy, u, v.energy)) + (metric ? " J" : " ft-lbs");
    deflection = formatF2(shownValue(Quantity::Height, u, v.deflection)) + heightUnit +
                 angleToDial(v.deflection, v.range, CorrectionAxis::Windage, shown.LastCorrections);
}
void labelPoint(const ClickPoint& point, const RememberedSettings& shown, std::string& drop, std::string& velocity,
                std::string& energy, std::string& deflection) {
    const PointValues values{point.end.x, point.end.y, point.end.v, point.energy, point.deflection};
    labelPoint(values, shown, drop, velocity, energy, deflection);
}
void labelPoint(const TrajectoryPoint& point, const RememberedSettings& shown, std::string& drop,
                std::string& velocity, std::string& energy, std::string& deflection) {
    const PointValues values{point.range, point.height, point.speed, point.energy, point.drift};
    labelPoint(values, shown, drop, velocity, energy, deflection);
}

// A run's failure without its "The run stopped: " in front, for a click.
std::string withoutRunPrefix(const std::string& reason) {
    const std::string prefix = "The run stopped: ";
    return reason.compare(0, prefix.size(), prefix) == 0 ? reason.substr(prefix.size()) : reason;
}

// A click that cannot be worked out: no values, the reason, the strike values as they were.
ClickInspection noValues(const StrikeValues& previous, std::string reason) {
    ClickInspection result;
    result.strike = previous;
    result.failed = true;
    result.problem = std::move(reason);
    result.caption = "No values: " + result.problem;
    return result;
}

// The point-mass model at the click: the range under it, read off one flight of each set
// of conditions, sighted in as the run sights.
ClickInspection inspectModelClick(const ShotParameters& p, const RememberedSettings& remembered, bool huntingOption,
                                  double clickX, const StrikeValues& previous) {
    const double range = std::max((clickX - p.YAxis) / p.HorizontalScale, 0.0);
    if (!std::isfinite(range)) return noValues(previous, "the horizontal scale must be a number above zero.");
    const UnitSystem units = remembered.LastUnits;
    ClickInspection result;
    result.strike = previous;
    try {
        const auto model = makeBallisticModel(p, sightingOf(remembered, huntingOption));
        const auto pointAt = [&](Conditions conditions) {
            const auto flight = model->fly(conditions, range);
            if (flight->reach() < range && result.problem.empty()) result.problem = "stopped short: " + flight->stopCause();
            return flight->at(range);
        };
        const TrajectoryPoint atRange = pointAt(Conditions::Range);
        labelPoint(atRange, remembered, result.lblRangeDrop, result.lblRangeVelocity, result.lblRangeEnergy,
                   result.lblRangeDeflection);
        result.caption = "At " + rangeCaption(atRange.range, units, true) + ":";
        result.targetCaption = "Target at " + rangeCaption(atRange.range, units, false) + ":";
        result.strike.RStrikeDrop = atRange.height;
        result.strike.RStrikeDeflection = atRange.drift;
        if (huntingOption) {
            const TrajectoryPoint field = pointAt(Conditions::Hunting);
            result.hunting = true;
            labelPoint(field, remembered, result.lblFieldDrop, result.lblFieldVelocity, result.lblFieldEnergy,
                       result.lblFieldDeflection);
            result.targetCaption = "Hunting Target at " + rangeCaption(field.range, units, false) + ":";
            result.strike.HStrikeDrop = field.height;
            result.strike.HStrikeDeflection = field.drift;
        }
    } catch (const NumericFailure& failure) {
        return noValues(previous, withoutRunPrefix(failure.what()));
    }
    if (!result.problem.empty()) result.caption += " (" + result.problem + ")";
    return result;
}

}  // namespace

ClickInspection inspectClick(const ShotParameters& p, const RememberedSettings& remembered, bool huntingOption,
                             double clickX, const StrikeValues& previous) {
    if (p.Model == BallisticModelKind::PointMass)
        return inspectModelClick(p, remembered, huntingOption, clickX, previous);
    const double s = std::sin(p.LOSAngle * kTenDigitPi / 180);
    const double c = std::cos(p.LOSAngle * kTenDigitPi / 180);
    const float click = static_cast<float>(clickX);

    if (!(std::isfinite(p.DeltaT) && p.DeltaT > 0))
        return noValues(previous, "the time step must be a positive number of seconds.");

    const auto coefficientsAt = [&](double altitude, double pressure, double temperature) {
        return effectiveCoefficients(p, clickDensityFactor(altitude, pressure, temperature));
    };
    const EffectiveCoefficients rangeCoefficients = coefficientsAt(p.Altitude, p.BarometricPressure, p.Temperature);

    double vy0 = kLaunchFactor * std::sqrt(p.MaxDeviation + p.ScopeHeight);
    if (huntingOption) {
        if (p.PBRMode) {
            vy0 = vy0 * p.InitialVelocity / huntingMuzzleVelocity(p);
        } else {
            const Worked<double> tz = zeroTime(p, remembered.LastZeroCrossing, rangeCoefficients);
            if (tz.failure) return noValues(previous, *tz.failure);
            if (tz.value == 0) return noValues(previous, "the Varmint zero distance must be more than 0 yards.");
            vy0 = p.ScopeHeight / tz.value + tz.value * kHalfGravity;
        }
    }

    const Worked<ClickPoint> range =
        pointAtClick(p, {p.InitialVelocity, vy0, p.RTailWind, rangeCoefficients}, s, c, click, p.RCrossWind);
    if (range.failure) return noValues(previous, *range.failure);
    const UnitSystem units = remembered.LastUnits;
    ClickInspection result;
    result.strike = previous;
    result.caption = "At " + rangeCaption(range.value.end.x, units, true) + ":";
    labelPoint(range.value, remembered, result.lblRangeDrop, result.lblRangeVelocity, result.lblRangeEnergy,
               result.lblRangeDeflection);
    result.targetCaption = "Target at " + rangeCaption(range.value.end.x, units, false) + ":";
    result.strike.RStrikeDrop = range.value.end.y;
    result.strike.RStrikeDeflection = range.value.deflection;
    result.problem = range.value.end.problem;

    if (huntingOption) {
        result.hunting = true;
        const double vh = huntingMuzzleVelocity(p);
        const double vyh = p.InitialVelocity == 0 ? 0 : vh * vy0 / p.InitialVelocity;
        const EffectiveCoefficients huntingCoefficients =
            coefficientsAt(p.HAltitude, p.HBarometricPressure, p.HTemperature);
        const Worked<ClickPoint> field =
            pointAtClick(p, {vh, vyh, p.HTailWind, huntingCoefficients}, s, c, click, p.HCrossWind);
        if (field.failure) return noValues(previous, *field.failure);
        labelPoint(field.value, remembered, result.lblFieldDrop, result.lblFieldVelocity, result.lblFieldEnergy,
                   result.lblFieldDeflection);
        result.targetCaption = "Hunting Target at " + rangeCaption(field.value.end.x, units, false) + ":";
        result.strike.HStrikeDrop = field.value.end.y;
        result.strike.HStrikeDeflection = field.value.deflection;
        if (result.problem.empty()) result.problem = field.value.end.problem;
    }
    if (!result.problem.empty()) result.caption += " (" + result.problem + ")";
    return result;
}

}  // namespace tarnwick
