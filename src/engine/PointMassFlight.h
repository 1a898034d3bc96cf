#pragma once
// Point-mass (three degrees of freedom) flight: drag acts along the bullet's velocity
// through the air, on every axis; gravity acts vertically; the wind is a vector.
//
// Frame: the line of sight. x runs along it from the rifle (feet), y across it, upward in
// the vertical plane of the shot (feet), z to the right (feet). When the line of sight
// slopes up by angle a, gravity has the components (-g sin a, -g cos a, 0) and a horizontal
// wind of tail component w has (w cos a, -w sin a). The bore starts `ScopeHeight` below the
// line of sight and points `launchAngle` (radians) above it.
//
// Retardation, in ft/s^2:
//     dv/dt = -(rho/rho0) * Cd(M) * K / BC * |u| * u + g,   u = v - wind,  M = |u| / a
// BC in lb/in^2 of the drag table's standard projectile. K = pi * rho0 / (8 * 144) =
// 2.08551e-4 for rho0 = 0.0764742 lb/ft^3: with BC = m / d^2 the drag deceleration
// 0.5 rho |u|^2 Cd (pi d^2 / 4) / m becomes K (rho/rho0) Cd |u|^2 / BC, the 144 turning
// square inches of the bullet's cross-section into square feet.
//
// With the earth's rotation the Coriolis acceleration -2 W x v joins them (v over the ground).
//
// Integration: classic fourth-order Runge-Kutta in fixed time steps. A step in which the
// air speed crosses a band limit of a multi-band G1 coefficient is split where it crosses,
// so no Runge-Kutta stage straddles the jump in drag (which would cost the method its
// order); so is a step that passes a change of wind (wind zones). Between steps, the
// position is the cubic Hermite curve through the positions and velocities at both ends,
// and the velocity the one through velocities and accelerations; both are fourth-order
// accurate, like the steps themselves.
#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

#include "StandardDrag.h"

namespace tarnwick {

// The step of the point-mass model, seconds: 1/50 s, shorter for bullets with much drag.
// The integration error grows with the step times the drag factor K (rho/rho0) / BC (per
// foot), about as its fourth power; capping that product at 1.5e-5 s/ft (in standard air a
// coefficient of 0.28 gets the full 1/50 s, one of 0.1 about 1/140 s) keeps the change in
// drop at 1,000 yards when the step is halved below 0.005 inch for every coefficient from
// 0.05 up (docs/ACCURACY.md).
inline constexpr double kLongestStep = 0.02;
inline constexpr double kStepTimesDrag = 1.5e-5;
inline double pointMassStep(double largestDragFactor) {
    return largestDragFactor * kLongestStep > kStepTimesDrag ? kStepTimesDrag / largestDragFactor : kLongestStep;
}
// 2.08551e-4: see above.
inline constexpr double kDragConstant = 2.08551e-4;
// Standard gravity, ft/s^2 (386.0886 in/s^2 / 12).
inline constexpr double kGravityFeet = 32.17405;
// A flight ends after this long in the air.
inline constexpr double kMaxFlightSeconds = 60;

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
inline double length(Vec3 a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }
inline Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

// Everything that stays fixed during one flight.
struct PointMassShot {
    double muzzleVelocity = 0;   // ft/s
    double scopeHeight = 0;      // in
    Vec3 gravity{0, -kGravityFeet, 0};
    Vec3 wind{};                 // ft/s, from the muzzle on
    // Where the wind changes down the range (wind zones), in order of range; empty: `wind`
    // blows all the way.
    struct WindChange {
        double at = 0;  // ft of range
        Vec3 wind{};    // ft/s, from there on
    };
    std::vector<WindChange> windChanges;
    const DragCurve* curve = nullptr;
    double inverseSpeedOfSound = 1.0 / 1116.45;  // s/ft
    // K * (rho/rho0) / BC for air speeds below breakLow, below breakHigh, and from it up.
    double breakLow = 1000, breakHigh = 2000;  // ft/s
    double dragLow = 0, dragMid = 0, dragHigh = 0;
    double step = kLongestStep;  // s
    // The earth's rotation (rad/s, LongRangeEffects.h) when the latitude is known.
    std::optional<Vec3> earthRotation;
    // Spin drift in inches per s^1.83 of flight, right positive; 0 while it is off.
    double spinDrift = 0;

    // K * (rho/rho0) / BC of the band an air speed falls in.
    double dragFor(double airSpeed) const {
        return airSpeed < breakLow ? dragLow : airSpeed < breakHigh ? dragMid : dragHigh;
    }
    // Acceleration for the velocity through the air `air`, of length `speed`, in the wind
    // `blowing`, with the drag factor of one band; `piece` is the drag table's interval
    // (DragCurve::cd).
    Vec3 acceleration(Vec3 air, double speed, Vec3 blowing, double drag, std::size_t& piece) const {
        // drag * speed does not wait for the table, so it is formed first.
        const Vec3 a = gravity - (curve->cd(speed * inverseSpeedOfSound, piece) * (drag * speed)) * air;
        // Coriolis acceleration -2 W x v, v over the ground.
        return earthRotation ? a - 2 * cross(*earthRotation, air + blowing) : a;
    }
    Vec3 acceleration(Vec3 velocity, Vec3 blowing, double drag, std::size_t& piece) const {
        const Vec3 air = velocity - blowing;
        return acceleration(air, length(air), blowing, drag, piece);
    }
};

// The bullet at one instant: time (s), position (ft), velocity (ft/s), acceleration (ft/s^2)
// and the speed through the air (ft/s) that chose the acceleration's drag band.
struct FlightState {
    double t = 0;
    Vec3 r, v, a;
    double airSpeed = 0;
};

// A flight from the muzzle, advanced one step at a time.
class PointMassFlight {
public:
    PointMassFlight(const PointMassShot& shot, double launchAngle);
    const FlightState& state() const { return state_; }

    // Why a flight cannot go on.
    enum class End { None, NoForwardSpeed, TimeLimit, NotFinite };
    // One Runge-Kutta step; anything but End::None leaves the state as it was.
    End step();

private:
    // One Runge-Kutta step of length h with the drag factor of one band; k1 is the
    // acceleration at `from` with that factor.
    FlightState advance(const FlightState& from, double h, double drag, Vec3 k1);
    // A step of length h in the current wind, split where the air speed crosses a band limit.
    FlightState advanceAcrossBands(const FlightState& from, double h);
    // Sets the acceleration and air speed of a state from its velocity.
    void accelerate(FlightState& state);

    const PointMassShot& shot_;
    FlightState state_;
    std::size_t piece_ = 0;  // the drag table's interval of the last evaluation
    std::size_t zone_ = 0;   // wind changes passed
    Vec3 wind_;              // the wind blowing where the bullet is
};

// The state at range x (ft) inside the step from `from` to `to` (from.r.x <= x <= to.r.x).
FlightState stateAtRange(const FlightState& from, const FlightState& to, double x);

// Flies from the muzzle to `range` feet (0 or more); std::nullopt when the flight ends first.
std::optional<FlightState> flyToRange(const PointMassShot& shot, double launchAngle, double range);

// The highest point inside a step on which y stops rising (from.v.y > 0 >= to.v.y).
FlightState peakInside(const FlightState& from, const FlightState& to);

}  // namespace tarnwick
