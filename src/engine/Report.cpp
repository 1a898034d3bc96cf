#include "Report.h"

#include <cmath>

#include "Atmosphere.h"
#include "Constants.h"
#include "LongRangeEffects.h"
#include "NumberText.h"
#include "Wind.h"

namespace tarnwick {

std::string yardsText(double rangeFeet) {
    const auto yards = roundToInteger(rangeFeet / 3);
    return yards ? std::to_string(*yards) : plainText(rangeFeet / 3);
}

double crossWindMph(double crossWind) { return crossWind / kCrossWindPerMph; }
double tailWindMph(double tailWind) { return tailWind * kTailWindPerMphDenominator / kTailWindPerMphNumerator; }

namespace {

constexpr auto kMetric = UnitSystem::Metric;

// A range in feet as the report names it: "250 yards", or in metric "229 metres".
std::string rangeText(double rangeFeet, UnitSystem units) {
    if (units == UnitSystem::Imperial) return yardsText(rangeFeet) + " yards";
    const double metres = shownValue(Quantity::Distance, kMetric, rangeFeet);
    const auto whole = roundToInteger(metres);
    return (whole ? std::to_string(*whole) : plainText(metres)) + " metres";
}

// A height in inches, in cm for metric, with the line's decimals.
std::string heightText(double inches, UnitSystem units, int decimals) {
    return formatFixed(shownValue(Quantity::Height, units, inches), decimals);
}

struct Weather {
    double altitude, temperature, pressure, humidity;
    std::string tailWind, crossWind;  // imperial: as typed
};

std::string conditionsLine(const Weather& c, UnitSystem units) {
    if (units == UnitSystem::Imperial)
        return plainText(c.altitude) + " ft altitude; " + plainText(c.temperature) + " deg F; " +
               plainText(c.pressure) + " MM; " + plainText(c.humidity) + "% humidity; " + c.tailWind +
               " MPH tailwind; " + c.crossWind + " MPH Cross Wind";
    return shownText(Quantity::Distance, kMetric, c.altitude, 0) + " m altitude; " +
           shownText(Quantity::Temperature, kMetric, c.temperature, 1) + " deg C; " +
           shownText(Quantity::Pressure, kMetric, c.pressure, 1) + " hPa; " + plainText(c.humidity) + "% humidity; " +
           c.tailWind + " m/s tailwind; " + c.crossWind + " m/s Cross Wind";
}

// The wind boxes as the report quotes them: as typed, or in metric converted from the
// parameter set's winds.
std::string windText(const std::string& typed, double mph, UnitSystem units) {
    return units == UnitSystem::Imperial ? typed : shownText(Quantity::WindSpeed, units, mph, 1);
}

std::string muzzleVelocityLine(double velocity, UnitSystem units) {
    if (units == UnitSystem::Imperial) return "Muzzle Velocity = " + plainText(velocity);
    return "Muzzle Velocity = " + shownText(Quantity::Speed, units, velocity, 1) + " m/s";
}

std::string line(const std::string& text) { return kCrLf + text; }

// "Wind zone to 300 yards: 10 mph from 3 o'clock" for each wind zone the point-mass model
// flies, each with its CR LF in front.
std::string windZoneLines(const ShotParameters& params, UnitSystem units) {
    if (params.Model != BallisticModelKind::PointMass) return "";
    std::string text;
    for (const WindZone& zone : params.WindZones) text += line("Wind zone " + windZoneText(zone, units));
    return text;
}

// A bullet mass as the bullet line states it: "100 gr." or "6.48 g".
std::string massText(double grains, UnitSystem units) {
    return units == UnitSystem::Imperial ? plainText(grains) + " gr." : shownText(Quantity::Mass, units, grains, 2) + " g";
}

}  // namespace

std::string bulletLine(const ShotParameters& params, const ReportTexts& texts, UnitSystem units) {
    if (texts.namesBullet) {
        // A typed mass that is not a number is quoted, with its grains.
        const auto grains = readStrict(texts.txtBulletMass);
        const std::string mass = units == UnitSystem::Imperial || !grains ? texts.txtBulletMass + " gr. "
                                                                          : massText(*grains, units) + " ";
        return texts.txtManufacturer + " " + mass + " " + texts.txtBulletType;
    }
    const std::string mass = ", " + massText(params.BulletMass, units);
    if (params.Model == BallisticModelKind::PointMass && params.DragFunction == "G7")
        return "Ballistic coefficient " + plainText(params.BallisticCoefG7) + mass;
    const double low = params.BallisticCoefLow, mid = params.BallisticCoefMid, high = params.BallisticCoefHigh;
    if (low == mid && mid == high) return "Ballistic coefficient " + plainText(mid) + mass;
    return "Ballistic coefficients " + plainText(low) + "/" + plainText(mid) + "/" + plainText(high) + " (breaks " +
           shownText(Quantity::Speed, units, params.BCBreakLow, 1) + "/" +
           shownText(Quantity::Speed, units, params.BCBreakHigh, 1) + " " + unitName(Quantity::Speed, units) + ")" +
           mass;
}

std::string windZoneText(const WindZone& zone, UnitSystem units) {
    const auto tenth = [](double value) { return plainText(std::round(value * 10) / 10); };
    const ClockWind wind = clockWindOf(zone);
    return "to " + rangeText(zone.until, units) + ": " + tenth(shownValue(Quantity::WindSpeed, units, wind.mph)) + " " +
           unitName(Quantity::WindSpeed, units) + (wind.hour > 0 ? " from " + tenth(wind.hour) + " o'clock" : "");
}

std::string modelLine(const ShotParameters& params, UnitSystem units) {
    if (params.Model != BallisticModelKind::PointMass) return "";
    return "Point Mass Model, " + params.DragFunction + " Drag Function" + kCrLf +
           densityAltitudeLine(params, false, units) + kCrLf + stabilityLines(params, kCrLf);
}

std::string densityAltitudeLine(const ShotParameters& params, bool hunting, UnitSystem units) {
    if (params.Model != BallisticModelKind::PointMass) return "";
    const double feet = hunting ? densityAltitude(params.HAltitude, params.HBarometricPressure, params.HTemperature,
                                                  params.PressureIsSeaLevel)
                                : densityAltitude(params.Altitude, params.BarometricPressure, params.Temperature,
                                                  params.PressureIsSeaLevel);
    return std::string(hunting ? "Hunting density" : "Density") + " altitude = " + densityAltitudeText(feet, units);
}

std::string densityAltitudeText(double feet, UnitSystem units) {
    return groupedWhole(shownValue(Quantity::Distance, units, feet)) + (units == kMetric ? " metres" : " feet");
}

std::string rangeHeader(const ShotParameters& params, const ReportTexts& texts, UnitSystem units) {
    const Weather conditions{params.Altitude, params.Temperature, params.BarometricPressure, params.RelHumidity,
                                windText(texts.txtRTailWind, tailWindMph(params.RTailWind), units),
                                windText(texts.txtRCrossWind, crossWindMph(params.RCrossWind), units)};
    return muzzleVelocityLine(params.InitialVelocity, units) + line(conditionsLine(conditions, units)) +
           windZoneLines(params, units) + line(bulletLine(params, texts, units));
}

std::string plotTitle(const ShotParameters& params, const ReportTexts& texts, UnitSystem units) {
    const std::string velocity =
        shownText(Quantity::Speed, units, params.InitialVelocity, 1) + " " + unitName(Quantity::Speed, units);
    const auto blank = [](const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; };
    if (texts.namesBullet && blank(texts.txtManufacturer) && blank(texts.txtBulletMass) && blank(texts.txtBulletType))
        return velocity;
    const std::string bullet = bulletLine(params, texts, units);
    const auto first = bullet.find_first_not_of(' ');
    return bullet.substr(first, bullet.find_last_not_of(' ') - first + 1) + ", " + velocity;
}

std::string dropTableRow(long long range, double height, double deflection, bool hunting, UnitSystem units) {
    const bool metric = units == kMetric;
    const std::string heightUnit = metric ? " cm" : " inches";
    return line(formatFourDigits(range) + (metric ? " metres:" : " yards:") + (hunting ? " " : " drop = ") +
                heightText(height, units, 3) + heightUnit + "; " + "wind deflection = " +
                heightText(deflection, units, 2) + heightUnit);
}

std::string dropRowCorrections(double rangeFeet, double height, double deflection, const Corrections& corrections) {
    const auto angle = [&](const char* name, double offset, CorrectionAxis axis) {
        const std::string text = angleText(offset, rangeFeet, axis, corrections);
        return text.empty() ? text : std::string("; ") + name + " " + text;
    };
    return angle("elevation", height, CorrectionAxis::Elevation) + angle("windage", deflection, CorrectionAxis::Windage);
}

namespace {

// The summary lines of one pass; the hunting block prefixes its lines with "Hunting "
// (except the wind deflection) and has no scope height line. Metric reports the heights
// at 25, 50 and 100 metres.
std::string summary(const std::string& prefix, const ShotParameters& params, const EventResults& results,
                    double windDeflection, bool withScopeHeight, UnitSystem units) {
    const bool metric = units == kMetric;
    const std::string mark = metric ? " m" : " yard";
    const std::string cm = metric ? " cm" : " inches";
    const auto deviation = [&](const char* at, double imperial, double metricValue) {
        return line(prefix + at + mark + " deviation = " + heightText(metric ? metricValue : imperial, units, 3) + cm);
    };
    std::string text = deviation(" 25", results.dev25, results.metricDev25) +
                       deviation(" 50", results.dev50, results.metricDev50) +
                       deviation("100", results.dev100, results.metricDev100) +
                       line("100" + mark + " wind deflection = " +
                            heightText(metric ? results.metricDeflection100 : windDeflection, units, 2) + cm) +
                       line(prefix + "LOS cross 1 = " + rangeText(results.cross1, units)) +
                       line(prefix + "Bullet peak = " + rangeText(results.peakX, units)) +
                       line(prefix + "LOS cross 2 = " + rangeText(results.cross2, units));
    if (withScopeHeight)
        text += line("Scope Heighth = " + heightText(params.ScopeHeight, units, 3) + (metric ? " cm" : " inch(es)"));
    if (!isVarmint(params)) text += line(prefix + "Max range   = " + rangeText(results.maxRange, units));
    text += line(prefix + "Actual max deviation = " + heightText(results.peakY, units, 3) + cm);
    return text;
}

}  // namespace

std::string rangeSummary(const ShotParameters& params, const EventResults& results, const StrikeValues& strike,
                         UnitSystem units) {
    return summary("", params, results, strike.RStrikeDeflection, true, units);
}

std::string huntingHeader(const ShotParameters& params, double huntingVelocity, const ReportTexts& texts,
                          UnitSystem units) {
    const Weather conditions{params.HAltitude, params.HTemperature, params.HBarometricPressure,
                                params.HRelHumidity,
                                windText(texts.txtHTailWind, tailWindMph(params.HTailWind), units),
                                windText(texts.txtHCrossWind, crossWindMph(params.HCrossWind), units)};
    return "Hunting Conditions:" + line(muzzleVelocityLine(huntingVelocity, units)) +
           line(conditionsLine(conditions, units)) + windZoneLines(params, units);
}

std::string huntingSummary(const ShotParameters& params, const EventResults& results, const StrikeValues& strike,
                           UnitSystem units) {
    return summary("Hunting ", params, results, strike.HStrikeDeflection, false, units);
}

}  // namespace tarnwick
