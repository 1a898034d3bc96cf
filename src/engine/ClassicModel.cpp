#include "ClassicModel.h"

#include <algorithm>
#include <cmath>

#include "Atmosphere.h"
#include "Constants.h"
#include "Flight.h"
#include "Report.h"

namespace tarnwick {

namespace {

EffectiveCoefficients coefficientsFor(const ShotParameters& p, Conditions conditions) {
    const bool hunting = conditions == Conditions::Hunting;
    const double factor = hunting ? densityFactor(p.HAltitude, p.HBarometricPressure, p.HTemperature)
                                  : densityFactor(p.Altitude, p.BarometricPressure, p.Temperature);
    requireUsableDensity(factor, hunting ? "hunting" : "range");
    return effectiveCoefficients(p, factor);
}

// The hunting muzzle velocity, which finite inputs can still overflow.
double huntingVelocity(const ShotParameters& p) {
    const double vh = huntingMuzzleVelocity(p);
    if (!std::isfinite(vh))
        throw NumericFailure("The run stopped: the hunting muzzle velocity is too large to work out; "
                             "check the temperatures and the muzzle velocity.");
    return vh;
}

double divideOrStop(double numerator, double denominator, const char* what) {
    if (denominator == 0) throw NumericFailure(std::string("The run stopped: ") + what);
    return numerator / denominator;
}

class ClassicTrajectory : public Trajectory {
public:
    ClassicTrajectory(const ShotParameters& p, Conditions conditions, double w, double range) {
        const bool hunting = conditions == Conditions::Hunting;
        const double muzzleVelocity = hunting ? huntingVelocity(p) : p.InitialVelocity;
        const double launch = hunting ? divideOrStop(w * muzzleVelocity, p.InitialVelocity, "the muzzle velocity is zero.") : w;
        const double a = p.LOSAngle * p.Pi / 180;
        const double cosA = std::cos(a);
        const FlightModel model = FlightModel::make(p, std::sin(a), hunting ? p.HTailWind : p.RTailWind,
                                                    coefficientsFor(p, conditions));
        const double crossWind = hunting ? p.HCrossWind : p.RCrossWind;
        const double k = p.BulletMass / kGrainsPerSlug;

        double x = 0, v = muzzleVelocity, t = p.DeltaT;
        steps_.push_back({0, 0, -p.ScopeHeight, 0, v, k * v * v / 2});
        for (int n = 1; x < range; ++n, t += p.DeltaT) {
            if (n > kMaxSteps) {
                stopAt(x, "the flight would need more than 32,767 time steps.");
                break;
            }
            if (v <= 0 && model.slopeLoss >= 0) {
                stopAt(x, "the bullet's speed fell to zero.");
                break;
            }
            // The plot run's step: range from the speed before it, speed, height from the time.
            const double nx = x + v * p.DeltaT;
            double nv = v, drift = 0;
            auto fault = model.nextSpeed(v, nv);
            const double ny = t * launch - p.ScopeHeight - kHalfGravity * cosA * (t * t);
            if (fault == FlightModel::Fault::None) fault = finiteState(nx, nv, ny);
            if (fault == FlightModel::Fault::None) fault = windDeflection(crossWind, t, nx, p.InitialVelocity, drift);
            if (fault != FlightModel::Fault::None) {
                stopAt(x, faultReason(fault));
                break;
            }
            x = nx;
            v = nv;
            steps_.push_back({t, x, ny, drift, v, k * v * v / 2});
        }
    }

    TrajectoryPoint at(double range) const override {
        const double x = std::clamp(range, 0.0, reach());
        const auto next = std::lower_bound(steps_.begin(), steps_.end(), x,
                                           [](const TrajectoryPoint& s, double value) { return s.range < value; });
        if (next == steps_.begin()) return steps_.front();
        const TrajectoryPoint& from = *(next - 1);
        const TrajectoryPoint& to = *next;
        const double f = (x - from.range) / (to.range - from.range);
        const auto mix = [f](double p, double q) { return p + f * (q - p); };
        return {mix(from.time, to.time),     x, mix(from.height, to.height), mix(from.drift, to.drift),
                mix(from.speed, to.speed), mix(from.energy, to.energy)};
    }
};

}  // namespace

ClassicModel::ClassicModel(const ShotParameters& p, const Sighting& sighting) : params_(p) {
    requireFiniteFlightInputs(p);
    // The plot run's sighting: the Varmint zero from the time of flight to the zero
    // distance, otherwise the point-blank launch speed, scaled with the Hunting option so
    // that the hunting pass gets the peak.
    if (isVarmint(p)) {
        const double tz = FindTime(p, sighting.zeroCrossingYards, coefficientsFor(p, Conditions::Range));
        w_ = divideOrStop(kHalfGravity * tz * tz + p.ScopeHeight, tz, "the Varmint zero distance must be more than 0 yards.");
    } else {
        w_ = kLaunchFactor * std::sqrt(p.MaxDeviation + p.ScopeHeight);
        if (std::isnan(w_)) throw NumericFailure("The run stopped: the maximum deviation plus the scope height is below zero.");
        if (sighting.huntingOption)
            w_ = divideOrStop(w_ * p.InitialVelocity, huntingVelocity(p), "the hunting muzzle velocity is zero.");
    }
}

std::unique_ptr<Trajectory> ClassicModel::fly(Conditions conditions, double range) const {
    return std::make_unique<ClassicTrajectory>(params_, conditions, w_, range);
}

}  // namespace tarnwick
