#include "LongRangeEffects.h"

#include <cmath>
#include <string>

#include "AirDensity.h"
#include "NumberText.h"
#include "ShotParameters.h"

namespace tarnwick {

double millerStability(double massGrains, double diameter, double length, double twist, double velocity,
                       double temperature, double pressure) {
    const double t = twist / diameter, l = length / diameter;
    const double standard = 30 * massGrains / (t * t * diameter * diameter * diameter * l * (1 + l * l));
    return standard * std::cbrt(velocity / 2800) * (temperature + 460) / 519 * 29.92 / pressure;
}

double spinDriftInches(double stability, double seconds) { return 1.25 * (stability + 1.2) * std::pow(seconds, 1.83); }

Vec3 earthRotationInShotFrame(double latitude, double azimuth, double slope) {
    const double deg = kPiDouble / 180;
    const double lat = latitude * deg, az = azimuth * deg, a = slope * deg;
    // Components along the horizontal line of fire, up, and to the right of it.
    const double along = kEarthRotation * std::cos(lat) * std::cos(az);
    const double up = kEarthRotation * std::sin(lat);
    const double right = -kEarthRotation * std::cos(lat) * std::sin(az);
    return {std::cos(a) * along + std::sin(a) * up, -std::sin(a) * along + std::cos(a) * up, right};
}

bool spinDriftOn(const ShotParameters& p) { return p.TwistRate > 0 && p.BulletLength > 0; }

double gyroscopicStability(const ShotParameters& p, bool hunting, double velocity) {
    const double altitude = hunting ? p.HAltitude : p.Altitude;
    const double typed = hunting ? p.HBarometricPressure : p.BarometricPressure;
    const double pressure = p.PressureIsSeaLevel ? pressureAtAltitude(typed, altitude) : typed;
    return millerStability(p.BulletMass, p.BulletDiameter, p.BulletLength, p.TwistRate, velocity,
                           hunting ? p.HTemperature : p.Temperature, pressure);
}

std::string stabilityLines(const ShotParameters& p, const std::string& lineEnd) {
    if (!spinDriftOn(p)) return "";
    const double sg = gyroscopicStability(p, false, p.InitialVelocity);
    std::string text = "Gyroscopic stability Sg = " + formatF2(sg) + lineEnd;
    if (sg < 1.0) text += "Warning: Sg below 1.0, the bullet is unstable" + lineEnd;
    else if (sg < 1.4) text += "Warning: Sg below 1.4, the bullet is marginally stable" + lineEnd;
    return text;
}

}  // namespace tarnwick
