#pragma once
// The air of the point-mass model: its density relative to the standard atmosphere the
// G1 and G7 coefficients are published for (ICAO sea level: 59 deg F, 29.92 inHg, dry
// air), and the speed of sound that turns the bullet's air speed into a Mach number.
//
// Pressure is read as the program reads it everywhere: the barometric pressure reduced to
// sea level (what a weather report gives), turned into the pressure at the rifle with the
// standard atmosphere's pressure-height relation
//     P_rifle = P * (1 - 6.8756e-6 * A)^5.2559          (A in feet; 1 at sea level)
// The classic model's own reduction, half every 18,480 ft, is within 0.3 % of it below
// 8,000 ft. A pressure read at the rifle (a station pressure) goes in with altitude 0.
//
// Density of moist air, relative to standard dry air:
//     rho / rho0 = (P_rifle - 0.3780 * e) / 29.92 * 518.67 / (T + 459.67)
// with T in deg F and e = RH / 100 * e_s(T) the water vapour pressure in inHg. Water
// vapour is lighter than the air it displaces (molar masses 18.015 and 28.965 g/mol, so
// each inch of vapour pressure weighs 1 - 18.015 / 28.965 = 0.3780 inch less). The
// saturation pressure is the Magnus form of Alduchov and Eskridge (within 0.4 % from -40
// to 50 deg C):
//     e_s = 6.1094 * exp(17.625 * t / (t + 243.04)) hPa,  t in deg C,  1 inHg = 33.8639 hPa
//
// Speed of sound in dry air: a = 49.0223 * sqrt(T + 459.67) ft/s (1116.45 ft/s at 59 deg F);
// humidity changes it by less than 0.3 % and is left out, as the published solvers do.

namespace tarnwick {

struct Air {
    double densityRatio = 1;     // rho / rho0
    double speedOfSound = 1116;  // ft/s
};

// Pressure at the rifle (inHg) for a sea-level barometric pressure (inHg) and altitude (ft).
double pressureAtAltitude(double seaLevelPressure, double altitude);

// Saturation vapour pressure over water (inHg) at a temperature in deg F.
double saturationVapourPressure(double temperature);

// The air for altitude (ft), sea-level barometric pressure (inHg), temperature (deg F)
// and relative humidity (percent). Throws NumericFailure, naming `conditions` ("range" or
// "hunting"), when the values describe no air: humidity outside 0 to 100, a temperature at
// or below absolute zero, or no positive density.
Air airFor(double altitude, double pressure, double temperature, double relHumidity, const char* conditions);

}  // namespace tarnwick
