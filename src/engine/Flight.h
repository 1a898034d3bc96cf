#pragma once
// The flat-fire flight model shared by the plot run, the zero search and the click
// inspection: the speed along the line of sight is integrated in explicit Euler steps
// of DeltaT; the height follows in closed form from the time.
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "Atmosphere.h"
#include "DragFunctions.h"
#include "ShotParameters.h"

namespace tarnwick {

// Gravity in inches per second squared, and its half.
inline constexpr double kGravity = 386.0886;
inline constexpr double kHalfGravity = 193.0443;
// sqrt(2 * kGravity): the launch speed (in/s) per sqrt(inch) of peak height.
inline constexpr double kLaunchFactor = 27.7881;
// A pass and a click walk count their steps in 16 bits.
inline constexpr int kMaxSteps = 32767;
// The zero search has no step limit of its own; this bound (1,000 s of flight at the
// default time step, some milliseconds of searching) only keeps a distance the bullet
// approaches but never reaches, or a vanishing time step, from searching for ever.
inline constexpr long long kMaxZeroSearchSteps = 1'000'000;

// A numeric failure that ends a run; the text is a sentence a shooter understands.
class NumericFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A number worked out, or the plain-words reason it could not be: for callers that show
// the reason (a click) rather than stop on it (a run), so no exception is thrown for an
// outcome they expect.
template <class T>
struct Worked {
    Worked(T worked) : value(std::move(worked)) {}
    static Worked failed(std::string reason) {
        Worked none{T{}};
        none.failure = std::move(reason);
        return none;
    }

    T value;
    std::optional<std::string> failure;  // set when there is no value
};

// "The run stopped at 412 yards: <reason>" for a range x in feet.
std::string stoppedAt(double rangeFeet, const std::string& reason);

// The speed update of one step, with everything that stays fixed during a pass.
struct FlightModel {
    DragLaw law = DragLaw::G1;
    double deltaT = 0.001;     // s
    double tailWind = 0;       // ft/s
    double breakLow = 1000;    // ft/s
    double breakHigh = 2000;   // ft/s
    EffectiveCoefficients coefficients{0.2, 0.2, 0.2};
    double slopeLoss = 0;      // sin a * 386.0886 * DeltaT, ft/s lost per step uphill

    // Builds the model for one set of conditions; sinA is the sine of the slope.
    static FlightModel make(const ShotParameters& params, double sinA, double tailWind,
                            const EffectiveCoefficients& coefficients);

    // Why a step cannot be flown: the speed update would divide by zero or take the
    // logarithm of a speed at or below zero, the wind deflection would divide by a zero
    // muzzle velocity, or the step's numbers are no longer finite.
    enum class Fault { None, ZeroCoefficient, NonPositiveAirSpeed, ZeroMuzzleVelocity, NotFinite };

    // Speed after one step from speed v, or the fault that the step would hit.
    Fault nextSpeed(double v, double& next) const {
        const double airSpeed = v - tailWind;
        const double b = airSpeed < breakLow    ? coefficients.low
                         : airSpeed < breakHigh ? coefficients.mid
                                                : coefficients.high;
        if (b == 0) return Fault::ZeroCoefficient;
        if (law == DragLaw::Ingalls && !(airSpeed > 0)) return Fault::NonPositiveAirSpeed;
        next = v - Deceleration(law, airSpeed) * deltaT / b - slopeLoss;
        return Fault::None;
    }
};

// The plain-words reason for a step fault.
std::string faultReason(FlightModel::Fault fault);

// Throws NumericFailure unless DeltaT is a positive finite number.
void requireUsableTimeStep(double deltaT);

// Throws NumericFailure when the density factor is zero or not finite (no pressure, or
// overflow). A negative factor (negative pressure, or a temperature below absolute
// zero) is used as it comes, giving negative coefficients.
void requireUsableDensity(double factor, const char* conditions);

// Fault::NotFinite unless every value of a step's new state is a finite number. A
// difference a - a is 0 for every finite a and NaN for an infinity or a NaN, so one
// comparison checks all three; in the integrator's step this costs next to nothing,
// where three separate tests slowed the step by a fifth.
inline FlightModel::Fault finiteState(double x, double v, double y) {
    return (x - x) + (v - v) + (y - y) == 0 ? FlightModel::Fault::None : FlightModel::Fault::NotFinite;
}

// Wind deflection (in) from the lag time t - x / InitialVelocity: -crossWind * lag.
// Fails on a zero muzzle velocity and on a result that is not finite.
FlightModel::Fault windDeflection(double crossWind, double t, double rangeFeet, double initialVelocity,
                                  double& deflection);

// Time of flight (s) to LastZeroCrossing yards under range conditions, with the range
// coefficients. 0 when the distance is 0 or less. Fails when the time step is unusable,
// or the distance cannot be reached within the step limit or a step fails.
Worked<double> zeroTime(const ShotParameters& params, double zeroCrossingYards,
                        const EffectiveCoefficients& coefficients);

// zeroTime for a run: throws NumericFailure with the reason when it fails.
double FindTime(const ShotParameters& params, double zeroCrossingYards,
                const EffectiveCoefficients& coefficients);

}  // namespace tarnwick
