#pragma once
// Spin drift and the earth's rotation, the long-range effects of the point-mass model.
//
// Gyroscopic stability, Miller's twist rule (2005), with mass m in grains, diameter d in
// inches, and twist t and length l in calibers (inches / d):
//     Sg = 30 m / (t^2 d^3 l (1 + l^2))
// fitted at 2,800 ft/s in standard air (59 deg F, 29.92 inHg); for others it is multiplied
// by (V / 2800)^(1/3) and by (T + 460) / 519 * 29.92 / P (T in deg F, P at the rifle, inHg).
//
// Spin drift, Litz's empirical formula (2009): 1.25 (Sg + 1.2) t^1.83 inches after t
// seconds of flight, to the right for a right-hand twist.
//
// The earth turns at 7.292115e-5 rad/s about its axis; in a frame fixed to the ground the
// bullet feels the Coriolis acceleration -2 W x v. In the east-north-up frame at latitude L
// W = W (0, cos L, sin L); here it is turned to the shot's frame (x down the line of sight,
// y up across it, z to the right), for a line of fire `azimuth` degrees east of true north
// sloped up by the line of sight's angle.
#include <string>

#include "PointMassFlight.h"

namespace tarnwick {

struct ShotParameters;

inline constexpr double kEarthRotation = 7.292115e-5;  // rad/s
inline constexpr double kPiDouble = 3.14159265358979323846;

// The values the long-range inputs may take, the same wherever they are typed or read (the
// command line, the dialog, load files, the remembered settings), so that whatever one place
// accepts every other reads back.
inline constexpr double kLargestEffectSize = 1000;  // inches: twist rate, bullet length, diameter
inline constexpr double kSmallestDiameter = 1e-3;   // inches
inline constexpr double kLargestLatitude = 90;      // degrees either way
inline constexpr double kLargestAzimuth = 360;      // degrees either way

double millerStability(double massGrains, double diameter, double length, double twist, double velocity,
                       double temperature, double pressure);
double spinDriftInches(double stability, double seconds);

// The earth's rotation vector (rad/s) in the shot's frame.
Vec3 earthRotationInShotFrame(double latitude, double azimuth, double slope);

// Spin drift is flown when both a twist rate and a bullet length are given.
bool spinDriftOn(const ShotParameters& params);
// Sg for the range or hunting conditions' air at a muzzle velocity (ft/s).
double gyroscopicStability(const ShotParameters& params, bool hunting, double velocity);
// "Gyroscopic stability Sg = 1.62", with a warning line when the bullet is unstable
// (below 1.0) or marginal (below 1.4); line ends `lineEnd`. Empty while spin drift is off.
std::string stabilityLines(const ShotParameters& params, const std::string& lineEnd);

}  // namespace tarnwick
