#include "PointMassModel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "AirDensity.h"
#include "Constants.h"
#include "Flight.h"
#include "LongRangeEffects.h"
#include "NumberText.h"
#include "PowderTemperature.h"
#include "Report.h"
#include "RootSearch.h"
#include "Wind.h"

namespace tarnwick {

namespace {

// The searches stop when the angle is known to 1e-10 radians (a millionth of an inch at
// 1,000 yards) or the height to a millionth of an inch.
constexpr double kAngleTolerance = 1e-10;
constexpr double kHeightTolerance = 1e-6;

std::string stopped(const std::string& what) { return "The run stopped: " + what; }

double positiveCoefficient(double value, const char* name) {
    if (!(value > 0)) throw NumericFailure(stopped(std::string("the ") + name + " must be above zero."));
    return value;
}

const char* stepEndReason(PointMassFlight::End end) {
    switch (end) {
    case PointMassFlight::End::NoForwardSpeed: return "the bullet no longer moves down range.";
    case PointMassFlight::End::TimeLimit: return "the bullet has been in the air for a minute.";
    case PointMassFlight::End::NotFinite: return "the drag is too large to work out.";
    case PointMassFlight::End::None: break;
    }
    return "";
}

class PointMassTrajectory : public Trajectory {
public:
    PointMassTrajectory(const PointMassShot& shot, double angle, double range, double energyFactor) {
        PointMassFlight flight(shot, angle);
        const double expectedSteps = range / shot.muzzleVelocity / shot.step * 1.6;
        states_.reserve(expectedSteps > 16 ? static_cast<std::size_t>(std::min(expectedSteps, 1e5)) : 16);
        states_.push_back(flight.state());
        while (flight.state().r.x < range) {
            auto end = flight.step();
            // A bullet that turned back within its last step ends the flight where it was.
            if (end == PointMassFlight::End::None && !(flight.state().r.x > states_.back().r.x))
                end = PointMassFlight::End::NoForwardSpeed;
            if (end != PointMassFlight::End::None) {
                stopAt(states_.back().r.x, stepEndReason(end));
                break;
            }
            states_.push_back(flight.state());
        }
        energyFactor_ = energyFactor;
        spinDrift_ = shot.spinDrift;
        steps_.reserve(states_.size());
        for (const FlightState& s : states_) steps_.push_back(point(s));
    }

    TrajectoryPoint at(double range) const override {
        const double x = std::clamp(range, 0.0, states_.back().r.x);
        const auto next = std::lower_bound(states_.begin(), states_.end(), x,
                                           [](const FlightState& s, double value) { return s.r.x < value; });
        if (next == states_.begin()) return steps_.front();
        return point(stateAtRange(*(next - 1), *next, x));
    }

private:
    TrajectoryPoint point(const FlightState& s) const {
        const double speed = length(s.v);
        // Spin drift is added to the flown drift, as the empirical formula measures it.
        const double drift = spinDrift_ != 0 ? s.r.z * 12 + spinDrift_ * std::pow(s.t, 1.83) : s.r.z * 12;
        return {s.t, s.r.x, s.r.y * 12, drift, speed, energyFactor_ * speed * speed / 2};
    }

    std::vector<FlightState> states_;
    double energyFactor_ = 0;
    double spinDrift_ = 0;
};

}  // namespace

void requirePointMassInputs(const ShotParameters& p, Conditions conditions) {
    const bool hunting = conditions == Conditions::Hunting;
    requireFinite({{p.BallisticCoefLow, "the low ballistic coefficient"},
                   {p.BallisticCoefMid, "the mid ballistic coefficient"},
                   {p.BallisticCoefHigh, "the high ballistic coefficient"},
                   {p.BallisticCoefG7, "the G7 ballistic coefficient"},
                   {p.BCBreakLow, "the low break velocity"},
                   {p.BCBreakHigh, "the high break velocity"},
                   {p.ScopeHeight, "the scope height"},
                   {p.MaxDeviation, "the maximum deviation"},
                   {p.BulletMass, "the bullet mass"},
                   {p.InitialVelocity, "the muzzle velocity"},
                   {p.LOSAngle, "the slope"},
                   {hunting ? p.HAltitude : p.Altitude, hunting ? "the hunting altitude" : "the range altitude"},
                   {hunting ? p.HTemperature : p.Temperature, hunting ? "the hunting temperature" : "the range temperature"},
                   {hunting ? p.HBarometricPressure : p.BarometricPressure,
                    hunting ? "the hunting barometric pressure" : "the range barometric pressure"},
                   {hunting ? p.HRelHumidity : p.RelHumidity, hunting ? "the hunting humidity" : "the range humidity"},
                   {hunting ? p.HTailWind : p.RTailWind, hunting ? "the hunting tail wind" : "the range tail wind"},
                   {hunting ? p.HCrossWind : p.RCrossWind, hunting ? "the hunting cross wind" : "the range cross wind"}});
    requireFinite({{p.TwistRate, "the twist rate"}, {p.BulletLength, "the bullet length"},
                   {p.BulletDiameter, "the bullet diameter"}, {p.Azimuth, "the azimuth"},
                   {p.Latitude.value_or(0), "the latitude"}});
    for (const std::string& problem : {powderInputProblem(p), windZonesProblem(p.WindZones)})
        if (!problem.empty()) throw NumericFailure(stopped(problem));
    if (p.DragFunction != "G1" && p.DragFunction != "G7")
        throw NumericFailure("The point-mass model flies the G1 and G7 drag laws only, not \"" + p.DragFunction + "\".");
}

PointMassShot pointMassShot(const ShotParameters& p, Conditions conditions) {
    requirePointMassInputs(p, conditions);
    const bool hunting = conditions == Conditions::Hunting;
    PointMassShot shot;
    double low, mid, high;
    if (p.DragFunction == "G1") {
        shot.curve = &standardDragCurve(StandardDragLaw::G1);
        low = positiveCoefficient(p.BallisticCoefLow, "low ballistic coefficient");
        mid = positiveCoefficient(p.BallisticCoefMid, "mid ballistic coefficient");
        high = positiveCoefficient(p.BallisticCoefHigh, "high ballistic coefficient");
    } else {
        shot.curve = &standardDragCurve(StandardDragLaw::G7);
        low = mid = high = positiveCoefficient(p.BallisticCoefG7, "G7 ballistic coefficient");
    }
    if (!(std::fabs(p.LOSAngle) < 90)) throw NumericFailure(stopped("the slope must lie between -90 and 90 degrees."));

    // A station pressure is the pressure at the rifle already: no reduction to the altitude.
    const double reducedTo = p.PressureIsSeaLevel ? 1 : 0;
    const Air air = hunting ? airFor(reducedTo * p.HAltitude, p.HBarometricPressure, p.HTemperature, p.HRelHumidity, "hunting")
                            : airFor(reducedTo * p.Altitude, p.BarometricPressure, p.Temperature, p.RelHumidity, "range");
    shot.muzzleVelocity = hunting ? fieldMuzzleVelocity(p) : p.InitialVelocity;
    if (!(shot.muzzleVelocity > 0 && std::isfinite(shot.muzzleVelocity)))
        throw NumericFailure(stopped(hunting ? "the hunting muzzle velocity must be a number above zero."
                                             : "the muzzle velocity must be a number above zero."));
    shot.scopeHeight = p.ScopeHeight;
    const double a = p.LOSAngle * p.Pi / 180;
    shot.gravity = {-kGravityFeet * std::sin(a), -kGravityFeet * std::cos(a), 0};
    // Tail wind blows towards the target, horizontally; a cross wind from the right
    // (positive, in in/s) blows the bullet to the left.
    const auto windVector = [a](double tail, double cross) {
        return Vec3{tail * std::cos(a), -tail * std::sin(a), -cross / 12};
    };
    // Wind zones, when given, take the place of the single wind of either conditions.
    const std::vector<WindZone>& zones = p.WindZones;
    if (zones.empty()) {
        shot.wind = hunting ? windVector(p.HTailWind, p.HCrossWind) : windVector(p.RTailWind, p.RCrossWind);
    } else {
        shot.wind = windVector(zones.front().tailWind, zones.front().crossWind);
        for (std::size_t i = 1; i < zones.size(); ++i)
            shot.windChanges.push_back({zones[i - 1].until, windVector(zones[i].tailWind, zones[i].crossWind)});
    }
    shot.inverseSpeedOfSound = 1 / air.speedOfSound;
    shot.breakLow = p.BCBreakLow;
    shot.breakHigh = p.BCBreakHigh;
    const double scale = kDragConstant * air.densityRatio;
    shot.dragLow = scale / low;
    shot.dragMid = scale / mid;
    shot.dragHigh = scale / high;
    if (!std::isfinite(shot.dragLow + shot.dragMid + shot.dragHigh))
        throw NumericFailure(stopped("a ballistic coefficient is too small to work with."));
    shot.step = pointMassStep(std::max({shot.dragLow, shot.dragMid, shot.dragHigh}));
    if (p.Latitude) {
        if (!(std::fabs(*p.Latitude) <= 90)) throw NumericFailure(stopped("the latitude must lie between -90 and 90 degrees."));
        shot.earthRotation = earthRotationInShotFrame(*p.Latitude, p.Azimuth, p.LOSAngle);
    }
    if (spinDriftOn(p)) {
        if (!(p.BulletDiameter > 0)) throw NumericFailure(stopped("the bullet diameter must be above zero."));
        const double sg = gyroscopicStability(p, hunting, shot.muzzleVelocity);
        shot.spinDrift = spinDriftInches(sg, 1) * (p.TwistLeft ? -1 : 1);
    }
    return shot;
}

double heightAtRange(const PointMassShot& shot, double launchAngle, double range) {
    const auto state = flyToRange(shot, launchAngle, range);
    return state ? state->r.y * 12 : std::numeric_limits<double>::quiet_NaN();
}

double peakHeight(const PointMassShot& shot, double launchAngle) {
    PointMassFlight flight(shot, launchAngle);
    if (!(flight.state().v.y > 0)) return flight.state().r.y * 12;  // falls from the muzzle on
    for (;;) {
        const FlightState previous = flight.state();
        if (flight.step() != PointMassFlight::End::None) return std::numeric_limits<double>::quiet_NaN();
        if (!(flight.state().v.y > 0)) return peakInside(previous, flight.state()).r.y * 12;
    }
}

double zeroAngle(const PointMassShot& shot, double zeroYards) {
    if (!(zeroYards > 0)) throw NumericFailure(stopped("the Varmint zero distance must be more than 0 yards."));
    const double range = 3 * zeroYards;
    const auto height = [&](double a) { return heightAtRange(shot, a, range); };
    // Raising the bore by a small angle raises the path at the zero by about the angle
    // times the path's length (drag slows the climb as it slows the bullet), that is by
    // 12 inches per foot of range per radian. So the angle that would make up the height
    // of a bore parallel to the line of sight is close to the root, and a little beyond it
    // brackets it tightly; the whole range of angles is searched only when it does not.
    std::optional<double> angle;
    const double parallel = height(0);
    const double guess = -1.02 * parallel / (12 * range);
    if (std::fabs(guess) < kMaxLaunchAngle)
        angle = brentRoot(height, 0, parallel, guess, height(guess), kAngleTolerance, kHeightTolerance);
    if (!angle) angle = brentRoot(height, -kMaxLaunchAngle, kMaxLaunchAngle, kAngleTolerance, kHeightTolerance);
    if (!angle)
        throw NumericFailure("The zero distance of " + plainText(zeroYards) +
                             " yards cannot be reached: no launch angle within 15 degrees of the line of sight "
                             "brings the bullet back to it there.");
    return *angle;
}

double pointBlankAngle(const PointMassShot& shot, double peak) {
    if (!(peak + shot.scopeHeight >= 0))
        throw NumericFailure(stopped("the maximum deviation plus the scope height is below zero."));
    // The peak grows about as the square of the launch angle; its root over the muzzle
    // grows about in proportion, which the search's secant steps follow closely.
    const double target = std::sqrt(peak + shot.scopeHeight);
    const auto rise = [&](double a) { return std::sqrt(std::max(peakHeight(shot, a) + shot.scopeHeight, 0.0)) - target; };
    const auto angle = brentRoot(rise, 0.0, kMaxLaunchAngle, kAngleTolerance, kHeightTolerance / 100);
    if (!angle)
        throw NumericFailure(stopped("no launch angle within 15 degrees of the line of sight lifts the bullet " +
                                     plainText(peak) + " inches above it."));
    return *angle;
}

PointMassModel::PointMassModel(const ShotParameters& params, const Sighting& sighting) : params_(params) {
    if (isVarmint(params)) {
        requireFinite({{sighting.zeroCrossingYards, "the Varmint zero distance"}});
        angle_ = zeroAngle(pointMassShot(params, Conditions::Range), sighting.zeroCrossingYards);
    } else {
        const Conditions sightedFor = sighting.huntingOption ? Conditions::Hunting : Conditions::Range;
        angle_ = pointBlankAngle(pointMassShot(params, sightedFor), params.MaxDeviation);
    }
}

std::unique_ptr<Trajectory> PointMassModel::fly(Conditions conditions, double range) const {
    return std::make_unique<PointMassTrajectory>(pointMassShot(params_, conditions), angle_, range,
                                                 params_.BulletMass / kGrainsPerSlug);
}

}  // namespace tarnwick
