#include "Report.h"

#include "NumberText.h"

namespace tarnwick {

std::string yardsText(double rangeFeet) {
    const auto yards = roundToInteger(rangeFeet / 3);
    return yards ? std::to_string(*yards) : plainText(rangeFeet / 3);
}

namespace {

std::string conditionsLine(double altitude, double temperature, double pressure, double humidity,
                           const std::string& tailWind, const std::string& crossWind) {
    return plainText(altitude) + " ft altitude; " + plainText(temperature) + " deg F; " + plainText(pressure) +
           " MM; " + plainText(humidity) + "% humidity; " + tailWind + " MPH tailwind; " + crossWind +
           " MPH Cross Wind";
}

std::string line(const std::string& text) { return kCrLf + text; }

}  // namespace

std::string bulletLine(const ShotParameters& params, const ReportTexts& texts) {
    if (texts.namesBullet) return texts.txtManufacturer + " " + texts.txtBulletMass + " gr. " + " " + texts.txtBulletType;
    const std::string mass = ", " + plainText(params.BulletMass) + " gr.";
    if (params.Model == BallisticModelKind::PointMass && params.DragFunction == "G7")
        return "Ballistic coefficient " + plainText(params.BallisticCoefG7) + mass;
    const double low = params.BallisticCoefLow, mid = params.BallisticCoefMid, high = params.BallisticCoefHigh;
    if (low == mid && mid == high) return "Ballistic coefficient " + plainText(mid) + mass;
    return "Ballistic coefficients " + plainText(low) + "/" + plainText(mid) + "/" + plainText(high) + " (breaks " +
           plainText(params.BCBreakLow) + "/" + plainText(params.BCBreakHigh) + " ft/s)" + mass;
}

std::string modelLine(const ShotParameters& params) {
    if (params.Model != BallisticModelKind::PointMass) return "";
    return "Point Mass Model, " + params.DragFunction + " Drag Function" + kCrLf;
}

std::string rangeHeader(const ShotParameters& params, const ReportTexts& texts) {
    return "Muzzle Velocity = " + plainText(params.InitialVelocity) +
           line(conditionsLine(params.Altitude, params.Temperature, params.BarometricPressure,
                               params.RelHumidity, texts.txtRTailWind, texts.txtRCrossWind)) +
           line(bulletLine(params, texts));
}

std::string plotTitle(const ShotParameters& params, const ReportTexts& texts) {
    const std::string velocity = plainText(params.InitialVelocity) + " ft/s";
    const auto blank = [](const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; };
    if (texts.namesBullet && blank(texts.txtManufacturer) && blank(texts.txtBulletMass) && blank(texts.txtBulletType))
        return velocity;
    const std::string bullet = bulletLine(params, texts);
    const auto first = bullet.find_first_not_of(' ');
    return bullet.substr(first, bullet.find_last_not_of(' ') - first + 1) + ", " + velocity;
}

std::string dropTableRow(long long yards, double height, double deflection, bool hunting) {
    return line(formatFourDigits(yards) + (hunting ? " yards: " : " yards: drop = ") + formatF3(height) +
                " inches; " + "wind deflection = " + formatF2(deflection) + " inches");
}

namespace {

// The summary lines of one pass; the hunting block prefixes its lines with "Hunting "
// (except the wind deflection) and has no scope height line.
std::string summary(const std::string& prefix, const ShotParameters& params, const EventResults& results,
                    double windDeflection, bool withScopeHeight) {
    std::string text = line(prefix + " 25 yard deviation = " + formatF3(results.dev25) + " inches") +
                       line(prefix + " 50 yard deviation = " + formatF3(results.dev50) + " inches") +
                       line(prefix + "100 yard deviation = " + formatF3(results.dev100) + " inches") +
                       line("100 yard wind deflection = " + formatF2(windDeflection) + " inches") +
                       line(prefix + "LOS cross 1 = " + yardsText(results.cross1) + " yards") +
                       line(prefix + "Bullet peak = " + yardsText(results.peakX) + " yards") +
                       line(prefix + "LOS cross 2 = " + yardsText(results.cross2) + " yards");
    if (withScopeHeight) text += line("Scope Heighth = " + formatF3(params.ScopeHeight) + " inch(es)");
    if (!isVarmint(params)) text += line(prefix + "Max range   = " + yardsText(results.maxRange) + " yards");
    text += line(prefix + "Actual max deviation = " + formatF3(results.peakY) + " inches");
    return text;
}

}  // namespace

std::string rangeSummary(const ShotParameters& params, const EventResults& results, const StrikeValues& strike) {
    return summary("", params, results, strike.RStrikeDeflection, true);
}

std::string huntingHeader(const ShotParameters& params, double huntingVelocity, const ReportTexts& texts) {
    return "Hunting Conditions:" + line("Muzzle Velocity = " + plainText(huntingVelocity)) +
           line(conditionsLine(params.HAltitude, params.HTemperature, params.HBarometricPressure,
                               params.HRelHumidity, texts.txtHTailWind, texts.txtHCrossWind));
}

std::string huntingSummary(const ShotParameters& params, const EventResults& results, const StrikeValues& strike) {
    return summary("Hunting ", params, results, strike.HStrikeDeflection, false);
}

}  // namespace tarnwick
