#pragma once
// The shot parameter set and the program-wide values that outlive a plot run.
//
// Units: feet for range and altitude, inches for heights and deviations, ft/s for
// speeds along the line of sight, in/s for cross winds, degrees Fahrenheit, inches
// of mercury, grains, seconds. Canvas positions are in canvas units (pixels),
// origin top-left, y downward.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Constants.h"
#include "Corrections.h"
#include "Units.h"

namespace tarnwick {

// The flight model a run uses: the classic flat-fire model, or point-mass flight with
// drag on both axes and the G1 or G7 standard drag table.
enum class BallisticModelKind { Classic, PointMass };

// A stretch of wind down the range: from the end of the zone before it (or the muzzle)
// out to `until`. The components are those of the single wind of each conditions.
struct WindZone {
    double until = 0;      // feet of range
    double crossWind = 0;  // in/s, from the right positive
    double tailWind = 0;   // ft/s
};

// One measured muzzle velocity of a load at one powder temperature.
struct PowderPoint {
    double temperature = 0;  // deg F
    double velocity = 0;     // ft/s
};

// Everything a plot run needs; the members of the main window, in declaration order.
struct ShotParameters {
    double BallisticCoefLow = 0.2;    // used while air speed < BCBreakLow
    double BallisticCoefMid = 0.2;    // BCBreakLow <= air speed < BCBreakHigh
    double BallisticCoefHigh = 0.2;   // air speed >= BCBreakHigh
    double Altitude = 0;              // feet, range conditions
    double HAltitude = 0;             // feet, hunting conditions
    double ScopeHeight = 1.5;         // inches from bore axis up to the line of sight
    double SaveScopeHeight = 1.5;     // the user's scope height while a drop table forces 0
    double Temperature = 59;          // deg F, range
    double HTemperature = 59;         // deg F, hunting
    double BarometricPressure = 29.53;   // inches of mercury, range
    double HBarometricPressure = 29.53;  // inches of mercury, hunting
    double BCBreakLow = 1000;         // ft/s
    double BCBreakHigh = 2000;        // ft/s
    double MaxDeviation = 3.0;        // inches (Varmint: the zero distance in yards)
    double BulletMass = 100;          // grains
    double InitialVelocity = 2000;    // ft/s at range conditions
    double RelHumidity = 67;          // percent, report only
    double HRelHumidity = 67;         // percent, report only
    double DeltaT = 0.001;            // seconds per integration step
    double DropTable = 0;             // exactly 1 = drop table on
    double LOSAngle = 0;              // degrees, positive uphill
    double VerticalScale = 32;        // canvas units per inch
    double HorizontalScale = 2.0 / 3; // canvas units per foot
    bool InitAll = false;             // true while "Set All Parameters" runs
    bool HuntingMode = false;         // true = Hunting mode, false = Target mode
    bool PBRMode = true;              // first variant (Trajectory / Big Game)
    double RCrossWind = 0;            // in/s, range
    double RTailWind = 0;             // ft/s, range
    double HCrossWind = 0;            // in/s, hunting
    double HTailWind = 0;             // ft/s, hunting
    std::string DragFunction = "G1";  // "G1", "Ingalls"; anything else is Krupp. Point mass: "G1" or "G7"
    double Pi = kTenDigitPi;          // deliberately the 10-digit value
    std::int16_t YAxis = 0;           // canvas x of the vertical axis (kPlotMargin after a run)
    std::int16_t XAxis = 0;           // canvas y of the horizontal axis
    double BallisticCoefG7 = 0;       // G7 coefficient (point-mass model), 0 = none published
    BallisticModelKind Model = BallisticModelKind::Classic;
    // Long-range effects of the point-mass model (LongRangeEffects.h). Spin drift needs both
    // the twist and the length; the earth's rotation needs the latitude.
    double TwistRate = 0;             // inches per turn, 0 = unknown
    bool TwistLeft = false;           // left-hand twist: spin drift to the left
    double BulletLength = 0;          // inches, 0 = unknown
    double BulletDiameter = 0.308;    // inches
    std::optional<double> Latitude;   // degrees, north positive
    double Azimuth = 0;               // degrees of the line of fire east of true north
    // The typed pressures are sea-level pressures (a weather report's) and the point-mass
    // model reduces them to the altitude; false: station pressures, read as they are.
    bool PressureIsSeaLevel = true;
    // How the load's muzzle velocity follows the powder temperature, used by the point-mass
    // model for the hunting velocity: a sensitivity (ft/s per deg F about the range
    // temperature, at which InitialVelocity was measured), or measured points, which win
    // when there are two or more. Neither: the classic fixed 1.5 ft/s per deg F.
    std::optional<double> PowderSensitivity;
    std::vector<PowderPoint> PowderTemperatures;
    // Up to three zones of wind down the range, in order of `until`; empty: the single
    // cross and tail wind of each conditions. The point-mass model flies them.
    std::vector<WindZone> WindZones;
};

// Where the ballistic coefficients, break velocities and mass being flown came from:
// the defaults of a fresh start, a row of the bullet table ("Select"), or the
// coefficient and mass typed into "Set BC...".
enum class BulletSource { Defaults, Table, Manual };

// Settings kept from one start of the program to the next. LastPBRMode,
// LastMaxDeviation and LastZeroCrossing have fixed start values; the others start
// from the defaults of the members they restore, so that a program closed before
// any dialog confirmed a value restores sensible numbers rather than zeros.
struct RememberedSettings {
    std::string LastManufacturer;
    std::string LastStockNumber;
    bool LastHuntingMode = false;
    bool LastPBRMode = true;
    double LastMaxDeviation = 3.0;      // inches
    double LastZeroCrossing = 200;      // yards; the Varmint zero distance
    double LastInitialVelocity = 2000;  // ft/s
    double LastHorizontalScale = 2.0 / 3;
    double LastVerticalScale = 32;
    double LastScopeHeight = 1.5;       // inches
    double LastAltitude = 0;
    double LastTemperature = 59;
    double LastHAltitude = 0;
    double LastHTemperature = 59;
    // The bullet source at exit. A table bullet is found again by LastManufacturer and
    // LastStockNumber; a typed one is kept here.
    BulletSource LastBulletSource = BulletSource::Defaults;
    double LastBallisticCoef = 0.2;  // typed coefficient, all three bands
    double LastBallisticCoefG7 = 0;  // typed G7 coefficient, 0 = none
    double LastBulletMass = 100;     // typed mass, grains
    // The flight model chosen last, and under the point-mass model its drag law (G1 or
    // G7); the classic model starts with G1.
    BallisticModelKind LastModel = BallisticModelKind::Classic;
    std::string LastDragFunction = "G1";
    // How numbers are shown and typed, and how scope corrections are given.
    UnitSystem LastUnits = UnitSystem::Imperial;
    Corrections LastCorrections;
};

// The texts of the table bullet being flown, as the report's bullet line names it.
struct BulletName {
    std::string manufacturer;
    std::string mass;
    std::string type;
};

// The display scales the scale dialog offers (25, 100, 300 and 1000 yards across the
// plot): canvas units per foot of range and per inch of height.
struct DisplayScale {
    double horizontal;
    double vertical;
};
inline constexpr DisplayScale kDisplayScales[] = {{10, 32}, {2, 32}, {2.0 / 3, 32}, {0.2, 1}};

// The remembered settings with every value that no dialog could have stored replaced by
// that field's default: a number that is not finite or beyond any shot, a scale pair
// the scale dialog does not offer, a typed coefficient or mass not above 0, a typed G7
// coefficient below 0.
RememberedSettings usableRemembered(RememberedSettings remembered);

// Height and wind deflection (inches) at one range, for the target view.
struct StrikeValues {
    double RStrikeDeflection = 0;
    double RStrikeDrop = 0;
    double HStrikeDeflection = 0;
    double HStrikeDrop = 0;
};

// Everything the engine reads and writes that lives as long as the program.
struct ProgramState {
    ShotParameters params;
    RememberedSettings remembered;
    StrikeValues strike;
    std::string FirstPageText;   // range report, or the first half of the user guide
    std::string SecondPageText;  // hunting report, or the second half of the user guide
    BulletSource bulletSource = BulletSource::Defaults;  // of the numbers flown now
    BulletName tableBullet;                              // when bulletSource is Table
};

// Copies the restorable remembered settings into the parameter set at start-up. In the
// Target mode's Drop Table variant the maximum deviation is 0, as the run parameters
// dialog sets it there.
void restoreFromRemembered(ShotParameters& params, const RememberedSettings& remembered);

// Flies a typed coefficient (all three bands, breaks 1000 and 2000 ft/s), mass and G7
// coefficient (0 = none), and remembers them as the bullet source ("Set BC...").
void flyTypedBullet(ProgramState& state, double coefficient, double mass, double coefficientG7);

}  // namespace tarnwick
