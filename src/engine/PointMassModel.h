#pragma once
// The point-mass model behind the BallisticModel face: the shot of each set of conditions
// built from the parameter set, and the sight solved by a root search on the launch angle.
//
// Sighting, as the plot run sights:
// - Varmint (Hunting mode, second variant): the angle at which the path crosses the line
//   of sight at LastZeroCrossing yards under the range conditions;
// - every other case: the angle at which the highest point of the path is exactly
//   MaxDeviation inches above the line of sight, under the hunting conditions when the
//   Hunting option is selected (the field flight gets the point-blank peak) and under the
//   range conditions otherwise.
// Both conditions then fly the same angle, each with its own muzzle velocity (the hunting
// one corrected for the powder temperature), air and wind.
//
// Drag law: "G1" flies the table with the three ballistic coefficients band by band on the
// air speed (below BCBreakLow, below BCBreakHigh, from BCBreakHigh up); "G7" flies
// BallisticCoefG7 at every speed. The Ingalls and Krupp laws exist in the classic model only.
//
// Spin drift and the earth's rotation join the flight when their inputs are given
// (LongRangeEffects.h); a station pressure is flown as typed, a sea-level one reduced.
#include "BallisticModel.h"
#include "PointMassFlight.h"

namespace tarnwick {

// The launch angle is searched within this many radians (15 degrees) of the line of sight.
inline constexpr double kMaxLaunchAngle = 15 * 3.14159265358979 / 180;

// Throws NumericFailure naming the first value the shot of one set of conditions reads
// that is not a finite number, or the drag law when it is neither G1 nor G7.
void requirePointMassInputs(const ShotParameters& params, Conditions conditions);

// The shot of one set of conditions. Throws NumericFailure in plain words when a value it
// reads cannot be flown.
PointMassShot pointMassShot(const ShotParameters& params, Conditions conditions);

// Height above the line of sight (in) where the path reaches `range` feet, and of the
// highest point of the path; NaN when the flight ends before it gets there.
double heightAtRange(const PointMassShot& shot, double launchAngle, double range);
double peakHeight(const PointMassShot& shot, double launchAngle);

// The launch angle (radians above the line of sight) that brings the path back to the line
// of sight at `zeroYards`, and the one whose peak is `peak` inches above it. Both throw
// NumericFailure when no angle within kMaxLaunchAngle does it.
double zeroAngle(const PointMassShot& shot, double zeroYards);
double pointBlankAngle(const PointMassShot& shot, double peak);

class PointMassModel : public BallisticModel {
public:
    PointMassModel(const ShotParameters& params, const Sighting& sighting);
    std::unique_ptr<Trajectory> fly(Conditions conditions, double range) const override;
    double launchAngle() const { return angle_; }

private:
    ShotParameters params_;
    double angle_ = 0;
};

}  // namespace tarnwick
