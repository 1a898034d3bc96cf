#include "Corrections.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

#include "NumberText.h"

namespace tarnwick {

namespace {

double angleIn(AngleUnit unit, double radians) {
    return unit == AngleUnit::Moa ? radians * 10800 / std::numbers::pi : radians * 1000;
}

std::string padLeft(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace

std::optional<Correction> Corrections::correctionFor(double offsetInches, double rangeFeet, CorrectionAxis axis) const {
    if (unit == CorrectionUnit::Inches || !(rangeFeet > 0) || !std::isfinite(offsetInches)) return std::nullopt;
    const double radians = std::atan(std::abs(offsetInches) / (rangeFeet * 12));
    Correction c;
    if (unit == CorrectionUnit::Clicks)
        c.amount = std::round(angleIn(clickUnit, radians) / clickSize);
    else
        c.amount = angleIn(unit == CorrectionUnit::Moa ? AngleUnit::Moa : AngleUnit::Mrad, radians);
    if (c.amount == 0) return c;
    const bool elevation = axis == CorrectionAxis::Elevation;
    if (offsetInches < 0) c.direction = elevation ? "UP" : "RIGHT";
    if (offsetInches > 0) c.direction = elevation ? "DOWN" : "LEFT";
    return c;
}

const char* Corrections::unitText() const {
    switch (unit) {
        case CorrectionUnit::Moa: return "MOA";
        case CorrectionUnit::Mrad: return "mrad";
        case CorrectionUnit::Clicks: return "clicks";
        case CorrectionUnit::Inches: break;
    }
    return "in";
}

std::optional<Corrections> correctionsNamed(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return std::tolower(ch); });
    Corrections chosen;
    if (lower == "inches") return chosen;
    if (lower == "moa" || lower == "mrad") {
        chosen.unit = lower == "moa" ? CorrectionUnit::Moa : CorrectionUnit::Mrad;
        return chosen;
    }
    const std::string_view prefix = "clicks:";
    if (lower.rfind(prefix, 0) != 0) return std::nullopt;
    std::string_view size = std::string_view(lower).substr(prefix.size());
    chosen.unit = CorrectionUnit::Clicks;
    if (size.ends_with("mrad")) {
        chosen.clickUnit = AngleUnit::Mrad;
        size.remove_suffix(4);
    } else if (size.ends_with("moa")) {
        size.remove_suffix(3);
    } else {
        return std::nullopt;
    }
    const auto value = readStrict(size);
    if (!value || !(*value > 0)) return std::nullopt;
    chosen.clickSize = *value;
    return chosen;
}

std::string correctionsName(const Corrections& corrections) {
    switch (corrections.unit) {
        case CorrectionUnit::Moa: return "moa";
        case CorrectionUnit::Mrad: return "mrad";
        case CorrectionUnit::Clicks:
            return "clicks:" + plainText(corrections.clickSize) + (corrections.clickUnit == AngleUnit::Moa ? "moa" : "mrad");
        case CorrectionUnit::Inches: break;
    }
    return "inches";
}

CorrectionTexts correctionTexts(double offsetInches, double rangeFeet, CorrectionAxis axis, const Corrections& corrections,
                                UnitSystem units) {
    CorrectionTexts texts{formatFixed(shownValue(Quantity::Height, units, offsetInches), 2), "", ""};
    const auto correction = corrections.correctionFor(offsetInches, rangeFeet, axis);
    if (!correction) return texts;
    const int decimals = corrections.unit == CorrectionUnit::Clicks ? 0 : corrections.unit == CorrectionUnit::Moa ? 1 : 2;
    texts.amount = formatFixed(correction->amount, decimals);
    // A correction too small to show has nothing to dial.
    if (texts.amount.find_first_not_of("0.") != std::string::npos) texts.direction = correction->direction;
    return texts;
}

std::string angleText(double offsetInches, double rangeFeet, CorrectionAxis axis, const Corrections& corrections) {
    if (corrections.unit == CorrectionUnit::Inches) return "";
    const CorrectionTexts texts = correctionTexts(offsetInches, rangeFeet, axis, corrections);
    if (texts.amount.empty()) return "";
    return texts.amount + " " + corrections.unitText() + (texts.direction.empty() ? "" : " " + texts.direction);
}

std::string correctionCell(double offsetInches, double rangeFeet, CorrectionAxis axis, const Corrections& corrections,
                           UnitSystem units) {
    const CorrectionTexts texts = correctionTexts(offsetInches, rangeFeet, axis, corrections, units);
    std::string cell = padLeft(texts.offset, 8) + " " + unitName(Quantity::Height, units);
    if (corrections.unit == CorrectionUnit::Inches) return cell;
    const std::size_t directionWidth = axis == CorrectionAxis::Elevation ? 4 : 5;
    const std::string unit = texts.amount.empty() ? std::string(std::string(corrections.unitText()).size(), ' ')
                                                  : corrections.unitText();
    return cell + padLeft(texts.amount, 6) + " " + unit + " " + texts.direction +
           std::string(directionWidth - texts.direction.size(), ' ');
}

}  // namespace tarnwick
