#include "Flight.h"

#include <cmath>

#include "NumberText.h"

namespace tarnwick {

std::string stoppedAt(double rangeFeet, const std::string& reason) {
    const auto yards = roundToInteger(rangeFeet / 3);
    return "The run stopped at " + (yards ? std::to_string(*yards) : plainText(rangeFeet / 3)) +
           " yards: " + reason;
}

FlightModel FlightModel::make(const ShotParameters& params, double sinA, double tailWind,
                              const EffectiveCoefficients& coefficients) {
    FlightModel model;
    model.law = dragLawNamed(params.DragFunction);
    model.deltaT = params.DeltaT;
    model.tailWind = tailWind;
    model.breakLow = params.BCBreakLow;
    model.breakHigh = params.BCBreakHigh;
    model.coefficients = coefficients;
    model.slopeLoss = sinA * kGravity * params.DeltaT;
    return model;
}

std::string faultReason(FlightModel::Fault fault) {
    switch (fault) {
    case FlightModel::Fault::ZeroCoefficient:
        return "the ballistic coefficient in use is zero.";
    case FlightModel::Fault::NonPositiveAirSpeed:
        return "the bullet's speed through the air fell to zero, which the Ingalls drag law cannot handle.";
    case FlightModel::Fault::ZeroMuzzleVelocity:
        return "the muzzle velocity is zero, so wind deflection cannot be worked out.";
    case FlightModel::Fault::NotFinite:
        return "the numbers grew too large to work out; check the parameters for extreme values.";
    case FlightModel::Fault::None: break;
    }
    return "";
}

namespace {

const char* const kUnusableTimeStep = "The run stopped: the time step must be a positive number of seconds.";

bool usableTimeStep(double deltaT) { return std::isfinite(deltaT) && deltaT > 0; }

}  // namespace

void requireUsableTimeStep(double deltaT) {
    if (!usableTimeStep(deltaT)) throw NumericFailure(kUnusableTimeStep);
}

void requireUsableDensity(double factor, const char* conditions) {
    if (!std::isfinite(factor) || factor == 0)
        throw NumericFailure(std::string("The run stopped: the air density of the ") + conditions +
                             " conditions cannot be worked out; check the altitude, pressure and temperature.");
}

FlightModel::Fault windDeflection(double crossWind, double t, double rangeFeet, double initialVelocity,
                                  double& deflection) {
    if (initialVelocity == 0) return FlightModel::Fault::ZeroMuzzleVelocity;
    deflection = -crossWind * (t - rangeFeet / initialVelocity);
    return std::isfinite(deflection) ? FlightModel::Fault::None : FlightModel::Fault::NotFinite;
}

Worked<double> zeroTime(const ShotParameters& params, double zeroCrossingYards,
                        const EffectiveCoefficients& coefficients) {
    double x = 0;
    double v = params.InitialVelocity;
    double t = params.DeltaT;
    const double target = 3 * zeroCrossingYards;
    if (!(target > x)) return 0.0;
    if (!usableTimeStep(params.DeltaT)) return Worked<double>::failed(kUnusableTimeStep);
    const double sinA = std::sin(params.LOSAngle * params.Pi / 180);
    const FlightModel model = FlightModel::make(params, sinA, params.RTailWind, coefficients);
    const std::string zeroText = "The zero distance of " + plainText(zeroCrossingYards) + " yards cannot be reached: ";
    for (long long steps = 1; target > x; ++steps) {
        // At or below zero speed on a level or uphill line of sight the bullet never
        // comes forward again (both tables pass through zero; Ingalls has no speed there).
        if (v <= 0 && model.slopeLoss >= 0)
            return Worked<double>::failed(zeroText + "the bullet's speed fell to zero first.");
        if (steps > kMaxZeroSearchSteps)
            return Worked<double>::failed(zeroText + "the bullet slows down too much to get there.");
        x = x + v * params.DeltaT;
        double next = v;
        auto fault = model.nextSpeed(v, next);
        if (fault == FlightModel::Fault::None) fault = finiteState(x, next, 0);
        if (fault != FlightModel::Fault::None) return Worked<double>::failed(zeroText + faultReason(fault));
        v = next;
        t = t + params.DeltaT;
    }
    return t - params.DeltaT;
}

double FindTime(const ShotParameters& params, double zeroCrossingYards,
                const EffectiveCoefficients& coefficients) {
    const Worked<double> time = zeroTime(params, zeroCrossingYards, coefficients);
    if (time.failure) throw NumericFailure(*time.failure);
    return time.value;
}

}  // namespace tarnwick
