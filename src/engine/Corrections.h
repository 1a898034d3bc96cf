#pragma once
// Scope corrections: the angle to dial for a bullet that passes off the line of sight, in
// MOA, mrad or clicks of a chosen click value, and the direction to turn the turret.
#include <optional>
#include <string>
#include <string_view>

#include "Units.h"

namespace tarnwick {

enum class CorrectionUnit { Inches, Moa, Mrad, Clicks };
enum class AngleUnit { Moa, Mrad };

// Elevation corrects the height above the line of sight (a bullet below it needs UP),
// windage the drift, right positive (a bullet drifting right needs LEFT).
enum class CorrectionAxis { Elevation, Windage };

struct Correction {
    double amount = 0;           // MOA, mrad or whole clicks, never negative
    const char* direction = "";  // "UP", "DOWN", "LEFT", "RIGHT"; empty when nothing is dialled
};

struct Corrections {
    CorrectionUnit unit = CorrectionUnit::Inches;
    double clickSize = 0.25;  // one click, in clickUnit
    AngleUnit clickUnit = AngleUnit::Moa;

    // The true angle atan(|offset| / range) in the chosen unit, in clicks rounded to the
    // nearest whole click. Nothing for inches, or at a range not above 0 where no angle exists.
    std::optional<Correction> correctionFor(double offsetInches, double rangeFeet, CorrectionAxis axis) const;
    // "MOA", "mrad", "clicks" or "in".
    const char* unitText() const;
};

// "inches", "moa", "mrad", or "clicks:SIZE" followed by "moa" or "mrad" (clicks:0.25moa,
// clicks:0.1mrad); letter case is ignored, SIZE must be above 0.
std::optional<Corrections> correctionsNamed(std::string_view name);
// The name correctionsNamed reads back: "inches", "moa", "mrad" or "clicks:0.25moa".
std::string correctionsName(const Corrections& corrections);

// One correction as texts: the offset with two decimals (in cm for metric), the angle (MOA
// with one decimal, mrad with two, whole clicks; empty without one) and the direction,
// empty when the shown angle is 0.
struct CorrectionTexts {
    std::string offset, amount, direction;
};
CorrectionTexts correctionTexts(double offsetInches, double rangeFeet, CorrectionAxis axis, const Corrections& corrections,
                                UnitSystem units = UnitSystem::Imperial);

// The angle to dial as a line of text shows it, "3.2 MOA UP" (no direction when the
// shown angle is 0); empty with corrections in inches or where no angle exists.
std::string angleText(double offsetInches, double rangeFeet, CorrectionAxis axis, const Corrections& corrections);

// One correction as a card shows it: "-35.36 in" (or cm) and, unless inches are chosen,
// the angle and direction ("-35.36 in    3.2 MOA UP  "), padded so that a column lines up.
std::string correctionCell(double offsetInches, double rangeFeet, CorrectionAxis axis, const Corrections& corrections,
                           UnitSystem units = UnitSystem::Imperial);

}  // namespace tarnwick
