#pragma once
// The plain-text report of a plot run. Lines are joined by CR LF; every line after
// the first of the whole text is introduced by a CR LF, and the text never ends with one.
#include <string>

#include "Corrections.h"
#include "ShotParameters.h"
#include "Units.h"

namespace tarnwick {

inline constexpr const char* kCrLf = "\r\n";

// Distances (feet) and heights (inches) of the notable events of a pass. They start
// at 0 with a run and are overwritten only when their event occurs, also by the
// hunting pass.
struct EventResults {
    double cross1 = 0;    // rises through the line of sight
    double peakX = 0;     // last rising step
    double peakY = 0;
    double cross2 = 0;    // falls back through the line of sight
    double maxRange = 0;  // falls MaxDeviation below the line of sight
    double dev25 = 0, dev50 = 0, dev100 = 0;
    // The heights at 25, 50 and 100 metres and the wind deflection at 100 metres, which
    // a metric report shows in place of the yard marks.
    double metricDev25 = 0, metricDev50 = 0, metricDev100 = 0, metricDeflection100 = 0;
};

// What the report copies as typed: the wind boxes of the environment dialog, and the
// maker, mass and type of the bullet when a bullet of the table is flown.
struct ReportTexts {
    std::string txtRTailWind = "0";
    std::string txtRCrossWind = "0";
    std::string txtHTailWind = "0";
    std::string txtHCrossWind = "0";
    // The bullet line names the bullet by the three texts below; otherwise (a fresh
    // start, a typed coefficient) it states the coefficients and mass flown.
    bool namesBullet = false;
    std::string txtManufacturer;
    std::string txtBulletMass;
    std::string txtBulletType;
};

// Yards for a range in feet: x / 3 rounded to a whole number, halves to even.
std::string yardsText(double rangeFeet);

// The winds of the parameter set (cross wind in in/s, tail wind in ft/s) in mph.
double crossWindMph(double crossWind);
double tailWindMph(double tailWind);

// Line 3 of the range report: the named bullet, or "Ballistic coefficient 0.2, 100 gr.",
// or with three different band coefficients
// "Ballistic coefficients 0.4/0.45/0.5 (breaks 1600/2600 ft/s), 165 gr.". The point-mass
// model's G7 law flies BallisticCoefG7, which the line then states.
// In metric the masses are in grams and the break velocities in m/s.
std::string bulletLine(const ShotParameters& params, const ReportTexts& texts,
                       UnitSystem units = UnitSystem::Imperial);

// The title of a printed or exported plot without its date: the bullet as the report's
// third line names it (left out when a named bullet's three boxes are blank) and the
// muzzle velocity, for example "Sierra 168 gr.  HPBT, 2800 ft/s".
std::string plotTitle(const ShotParameters& params, const ReportTexts& texts, UnitSystem units = UnitSystem::Imperial);

// The lines that name the model, each with its CR LF after it, in front of the range
// header: "Point Mass Model, G1 Drag Function" or "... G7 ...", the range conditions'
// One wind zone as the report and the range card state it, speed and hour to a tenth and
// a calm without the hour: "to 300 yards: 10 mph from 3 o'clock".
std::string windZoneText(const WindZone& zone, UnitSystem units);

// density altitude and the stability lines; empty for the classic model.
std::string modelLine(const ShotParameters& params, UnitSystem units = UnitSystem::Imperial);

// A density altitude as the report and the environment dialog write it: "2,350 feet",
// "716 metres" in metric.
std::string densityAltitudeText(double feet, UnitSystem units);

// "Density altitude = 2,350 feet" ("716 metres" in metric) of the range or hunting
// conditions, without a CR LF; empty for the classic model, whose report stays as it was.
std::string densityAltitudeLine(const ShotParameters& params, bool hunting, UnitSystem units = UnitSystem::Imperial);

// The three header lines of the range report (no CR LF in front). In metric every number
// is converted and the winds are shown from the parameter set rather than as typed.
std::string rangeHeader(const ShotParameters& params, const ReportTexts& texts,
                        UnitSystem units = UnitSystem::Imperial);

// One drop-table row with its CR LF in front; the hunting rows drop the word "drop =".
// `range` is in yards, or in metres for a metric row (heights then in cm).
std::string dropTableRow(long long range, double height, double deflection, bool hunting,
                         UnitSystem units = UnitSystem::Imperial);

// What a drop-table row adds when corrections are given as angles:
// "; elevation 2.9 MOA UP; windage 0.3 MOA LEFT". Empty for inches.
std::string dropRowCorrections(double rangeFeet, double height, double deflection, const Corrections& corrections);

// The range summary lines, each with its CR LF in front.
std::string rangeSummary(const ShotParameters& params, const EventResults& results, const StrikeValues& strike,
                         UnitSystem units = UnitSystem::Imperial);

// "Hunting Conditions:" and the two lines after it (no CR LF in front).
std::string huntingHeader(const ShotParameters& params, double huntingVelocity, const ReportTexts& texts,
                          UnitSystem units = UnitSystem::Imperial);

// The hunting summary lines, each with its CR LF in front.
std::string huntingSummary(const ShotParameters& params, const EventResults& results, const StrikeValues& strike,
                           UnitSystem units = UnitSystem::Imperial);

// True for Hunting mode with the second (Varmint) variant, where no maximum range is shown.
inline bool isVarmint(const ShotParameters& params) { return params.HuntingMode && !params.PBRMode; }

}  // namespace tarnwick
