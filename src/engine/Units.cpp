#include "Units.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "NumberText.h"

namespace tarnwick {

namespace {

double factor(Quantity quantity) {
    using namespace metric;
    switch (quantity) {
        case Quantity::Range: return kMetresPerYard;
        case Quantity::Distance: return kMetresPerFoot;
        case Quantity::Height: return kCentimetresPerInch;
        case Quantity::Speed: return kMetresPerFoot;
        case Quantity::Mass: return kGramsPerGrain;
        case Quantity::Energy: return kJoulesPerFootPound;
        case Quantity::Pressure: return kHectopascalsPerInHg;
        case Quantity::WindSpeed: return kMetresPerSecondPerMph;
        case Quantity::BulletSize: return kMillimetresPerInch;
        case Quantity::PowderSensitivity: return kMetresPerFoot / kCelsiusPerFahrenheit;
        case Quantity::Temperature: break;
    }
    return 1;
}

}  // namespace

double shownValue(Quantity quantity, UnitSystem units, double imperial) {
    if (units == UnitSystem::Imperial) return imperial;
    if (quantity == Quantity::Temperature) return (imperial - 32) * 5 / 9;
    return imperial * factor(quantity);
}

double storedValue(Quantity quantity, UnitSystem units, double shown) {
    if (units == UnitSystem::Imperial) return shown;
    if (quantity == Quantity::Temperature) return shown * 9 / 5 + 32;
    return shown / factor(quantity);
}

std::string shownText(Quantity quantity, UnitSystem units, double imperial, int decimals) {
    if (units == UnitSystem::Imperial) return plainText(imperial);
    const double scale = std::pow(10.0, decimals);
    return plainText(std::round(shownValue(quantity, units, imperial) * scale) / scale);
}

const char* unitName(Quantity quantity, UnitSystem units) {
    const bool m = units == UnitSystem::Metric;
    switch (quantity) {
        case Quantity::Range: return m ? "m" : "yd";
        case Quantity::Distance: return m ? "m" : "ft";
        case Quantity::Height: return m ? "cm" : "in";
        case Quantity::Speed: return m ? "m/s" : "ft/s";
        case Quantity::Mass: return m ? "g" : "gr";
        case Quantity::Energy: return m ? "J" : "ft-lb";
        case Quantity::Temperature: return m ? "deg C" : "deg F";
        case Quantity::Pressure: return m ? "hPa" : "inHg";
        case Quantity::WindSpeed: return m ? "m/s" : "mph";
        case Quantity::BulletSize: return m ? "mm" : "in";
        case Quantity::PowderSensitivity: return m ? "m/s per deg C" : "ft/s per deg F";
    }
    return "";
}

const char* unitSystemName(UnitSystem units) { return units == UnitSystem::Metric ? "metric" : "imperial"; }

std::optional<UnitSystem> unitSystemNamed(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return std::tolower(ch); });
    if (lower == "imperial") return UnitSystem::Imperial;
    if (lower == "metric") return UnitSystem::Metric;
    return std::nullopt;
}

}  // namespace tarnwick
