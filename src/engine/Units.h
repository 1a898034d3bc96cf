#pragma once
// The unit system the user reads and types in. The engine, the parameter set and the
// bullet table always hold imperial values (yards, inches, ft/s, grains, ft-lb, °F,
// inches of mercury, feet of altitude, mph); metric values exist only where a number is
// shown or typed, converted here and nowhere else.
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

enum class UnitSystem { Imperial, Metric };

// The exact factors: metric = imperial × factor (temperature aside).
namespace metric {
inline constexpr double kMetresPerYard = 0.9144;
inline constexpr double kMetresPerFoot = 0.3048;      // also m/s per ft/s
inline constexpr double kCentimetresPerInch = 2.54;
inline constexpr double kGramsPerGrain = 0.06479891;
inline constexpr double kHectopascalsPerInHg = 33.8639;
inline constexpr double kJoulesPerFootPound = 1.3558179;
inline constexpr double kMetresPerSecondPerMph = 0.44704;
inline constexpr double kMillimetresPerInch = 25.4;
inline constexpr double kCelsiusPerFahrenheit = 5.0 / 9;
}  // namespace metric

// What a shown or typed number measures. Imperial unit first, metric second.
enum class Quantity {
    Range,        // yd, m
    Distance,     // ft, m (ranges the engine keeps in feet, altitude)
    Height,       // in, cm (drops, deflections, scope height, deviations)
    Speed,        // ft/s, m/s
    Mass,         // gr, g
    Energy,       // ft-lb, J
    Temperature,  // °F, °C
    Pressure,     // inHg, hPa
    WindSpeed,    // mph, m/s
    BulletSize,   // in, mm (bullet length and diameter)
    PowderSensitivity,  // ft/s per deg F, m/s per deg C
};

// The value shown for an imperial one, and the imperial value for one typed.
double shownValue(Quantity quantity, UnitSystem units, double imperial);
double storedValue(Quantity quantity, UnitSystem units, double shown);

// The shown value as plainText writes it; a converted (metric) value is first rounded to
// at most `decimals` decimals, an imperial one is written exactly as held.
std::string shownText(Quantity quantity, UnitSystem units, double imperial, int decimals);

// The unit's short name: "yd"/"m", "in"/"cm", "ft/s"/"m/s", "gr"/"g", "ft-lb"/"J",
// "deg F"/"deg C", "inHg"/"hPa", "ft"/"m", "mph"/"m/s", "in"/"mm",
// "ft/s per deg F"/"m/s per deg C".
const char* unitName(Quantity quantity, UnitSystem units);

// "imperial" / "metric" (the settings' and the command line's words; case is ignored).
const char* unitSystemName(UnitSystem units);
std::optional<UnitSystem> unitSystemNamed(std::string_view name);

}  // namespace tarnwick
