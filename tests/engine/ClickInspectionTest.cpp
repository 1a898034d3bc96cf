#include <gtest/gtest.h>

#include <string>

#include "ClickInspection.h"
#include "Corrections.h"
#include "Flight.h"
#include "NumberText.h"
#include "Units.h"

using namespace tarnwick;

namespace {

ShotParameters plotted() {
    ShotParameters p;
    p.YAxis = 50;
    p.XAxis = 238;
    return p;
}

}  // namespace

TEST(ClickInspection, TargetModeShowsRangeValuesOnly) {
    const ShotParameters p = plotted();
    StrikeValues before;
    before.HStrikeDrop = 7;
    before.HStrikeDeflection = 8;
    const ClickInspection c = inspectClick(p, RememberedSettings{}, false, 250, before);
    // x = 250 is 200 canvas units right of the axis: 300 feet, 100 yards.
    EXPECT_EQ(c.caption, "At 100. Yards:");
    EXPECT_EQ(c.targetCaption, "Target at 100. yards:");
    EXPECT_FALSE(c.hunting);
    EXPECT_EQ(c.lblRangeDeflection, "0.00 inches");
    EXPECT_NE(c.lblRangeVelocity.find(". feet/sec"), std::string::npos);
    EXPECT_NE(c.lblRangeEnergy.find(". ft-lbs"), std::string::npos);
    EXPECT_NEAR(c.strike.RStrikeDrop, 2.966, 0.02);  // the default run's 100-yard height
    EXPECT_EQ(c.strike.HStrikeDrop, 7);
    EXPECT_EQ(c.strike.HStrikeDeflection, 8);
    EXPECT_TRUE(c.problem.empty());
}

// The texts are in the remembered units (speed and energy converted from the imperial
// ones); with corrections in an angle the drop and the deflection name the angle to dial.
TEST(ClickInspection, TextsInTheRememberedUnitsAndCorrections) {
    const struct Case {
        UnitSystem units;
        const char *corrections, *caption, *dropUnit, *deflection;
        BallisticModelKind model = BallisticModelKind::Classic;
    } cases[] = {
        {UnitSystem::Imperial, "moa", "At 100. Yards:", " inches, 2.8 MOA DOWN", "0.00 inches, 0.0 MOA"},
        {UnitSystem::Metric, "inches", "At 91. Metres:", " cm", "0.00 cm"},
        {UnitSystem::Metric, "mrad", "At 91. Metres:", " cm, 0.83 mrad DOWN", "0.00 cm, 0.00 mrad"},
        {UnitSystem::Metric, "clicks:0.25moa", "At 91. Metres:", " cm, 11 clicks DOWN", "0.00 cm, 0 clicks",
         BallisticModelKind::PointMass},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.corrections);
        ShotParameters p = plotted();
        p.Model = c.model;
        RememberedSettings shown;
        shown.LastUnits = c.units;
        shown.LastCorrections = *correctionsNamed(c.corrections);
        const ClickInspection imperial = inspectClick(p, RememberedSettings{}, false, 250, StrikeValues{});
        const ClickInspection click = inspectClick(p, shown, false, 250, StrikeValues{});
        EXPECT_EQ(click.caption, c.caption);
        EXPECT_EQ(click.lblRangeDrop, formatF3(shownValue(Quantity::Height, c.units, click.strike.RStrikeDrop)) +
                                          c.dropUnit);
        EXPECT_EQ(click.lblRangeDeflection, c.deflection);
        const double speed = shownValue(Quantity::Speed, c.units, std::stod(imperial.lblRangeVelocity));
        const double energy = shownValue(Quantity::Energy, c.units, std::stod(imperial.lblRangeEnergy));
        EXPECT_NEAR(std::stod(click.lblRangeVelocity), speed, 1);
        EXPECT_NEAR(std::stod(click.lblRangeEnergy), energy, 2);
        const bool metric = c.units == UnitSystem::Metric;
        EXPECT_TRUE(click.lblRangeVelocity.ends_with(metric ? ". m/s" : ". feet/sec")) << click.lblRangeVelocity;
        EXPECT_TRUE(click.lblRangeEnergy.ends_with(metric ? ". J" : ". ft-lbs")) << click.lblRangeEnergy;
    }
}

TEST(ClickInspection, LeftOfTheFirstStepShowsThePointAlone) {
    const ClickInspection c = inspectClick(plotted(), RememberedSettings{}, false, 10, StrikeValues{});
    EXPECT_EQ(c.caption, "At . Yards:");
    EXPECT_EQ(c.lblRangeDeflection, "0.00 inches");
    EXPECT_EQ(c.lblRangeVelocity, "1997. feet/sec");  // the speed after one step: 2000 - 510.5 * 0.001 / 0.2
}

TEST(ClickInspection, EqualConditionsGiveEqualFrames) {
    ShotParameters p = plotted();
    p.HuntingMode = true;
    p.RCrossWind = p.HCrossWind = 176;
    const ClickInspection c = inspectClick(p, RememberedSettings{}, true, 300, StrikeValues{});
    EXPECT_TRUE(c.hunting);
    EXPECT_EQ(c.lblRangeDrop, c.lblFieldDrop);
    EXPECT_EQ(c.lblRangeVelocity, c.lblFieldVelocity);
    EXPECT_EQ(c.lblRangeEnergy, c.lblFieldEnergy);
    EXPECT_EQ(c.lblRangeDeflection, c.lblFieldDeflection);
    EXPECT_LT(c.strike.RStrikeDeflection, 0) << "a positive cross wind deflects negatively";
    EXPECT_EQ(c.targetCaption.rfind("Hunting Target at ", 0), 0u);
}

TEST(ClickInspection, WarmFieldPeaksHigherThanTheRange) {
    ShotParameters p = plotted();
    p.HuntingMode = true;
    p.HTemperature = 99;
    const ClickInspection c = inspectClick(p, RememberedSettings{}, true, 250, StrikeValues{});
    EXPECT_GT(c.strike.HStrikeDrop, c.strike.RStrikeDrop);
}

TEST(ClickInspection, VarmintUsesTheZeroSearch) {
    ShotParameters p = plotted();
    p.HuntingMode = true;
    p.PBRMode = false;
    p.InitialVelocity = 3200;
    p.HorizontalScale = 1.0 / 3;
    RememberedSettings r;
    r.LastZeroCrossing = 200;
    // 200 yards = 600 feet = 200 canvas units right of the axis.
    const ClickInspection c = inspectClick(p, r, true, 250, StrikeValues{});
    EXPECT_NEAR(c.strike.RStrikeDrop, 0, 0.1);
}

TEST(ClickInspection, UnreachableClicksStopAndSaySo) {
    ShotParameters p = plotted();
    p.DeltaT = 1e-5;  // 32,767 steps reach only about 65 feet
    const ClickInspection far = inspectClick(p, RememberedSettings{}, false, 500, StrikeValues{});
    EXPECT_NE(far.caption.find("32,767"), std::string::npos) << far.caption;

    ShotParameters uphill = plotted();
    uphill.LOSAngle = 90;
    uphill.InitialVelocity = 100;
    const ClickInspection stalled = inspectClick(uphill, RememberedSettings{}, false, 500, StrikeValues{});
    EXPECT_NE(stalled.caption.find("speed fell to zero"), std::string::npos) << stalled.caption;

    // Fired backwards down a steep slope the bullet turns and comes forward: a speed at
    // or below zero does not end the walk by itself.
    ShotParameters backwards = plotted();
    backwards.InitialVelocity = -10;
    backwards.LOSAngle = -45;
    const ClickInspection recovered = inspectClick(backwards, RememberedSettings{}, false, 300, StrikeValues{});
    EXPECT_EQ(recovered.caption, "At 125. Yards:");
    EXPECT_EQ(recovered.lblRangeVelocity, "409. feet/sec");
}

// A click that cannot be worked out (numbers no longer finite, an unusable time step or
// Varmint zero) shows no values, says why and keeps every strike value.
TEST(ClickInspection, ClicksThatCannotBeWorkedOutShowNone) {
    const std::string tooLarge = "the numbers grew too large to work out; check the parameters for extreme values.";
    const struct {
        void (*change)(ShotParameters&, RememberedSettings&);
        std::string reason;
    } cases[] = {
        {[](ShotParameters& p, RememberedSettings&) { p.LOSAngle = 1e308; }, tooLarge},
        {[](ShotParameters& p, RememberedSettings&) { p.BulletMass = 1e308; }, tooLarge},  // energy
        {[](ShotParameters& p, RememberedSettings&) { p.HCrossWind = 1.7e308, p.HTemperature = -1e5; },
         tooLarge},  // deflection
        {[](ShotParameters& p, RememberedSettings&) { p.DeltaT = 0; },
         "the time step must be a positive number of seconds."},
        {[](ShotParameters& p, RememberedSettings& r) { p.PBRMode = false, r.LastZeroCrossing = 0; },
         "the Varmint zero distance must be more than 0 yards."},
        {[](ShotParameters& p, RememberedSettings& r) {
             p.PBRMode = false, r.LastZeroCrossing = 100, p.BallisticCoefHigh = 0;
         },
         "The zero distance of 100 yards cannot be reached: the ballistic coefficient in use is zero."},
    };
    StrikeValues before;
    before.RStrikeDrop = 1;
    before.HStrikeDeflection = 2;
    for (const auto& c : cases) {
        ShotParameters p = plotted();
        RememberedSettings r;
        c.change(p, r);
        const ClickInspection click = inspectClick(p, r, true, 300, before);
        EXPECT_TRUE(click.failed);
        EXPECT_EQ(click.caption, "No values: " + c.reason);
        EXPECT_EQ(click.lblRangeDrop + click.lblFieldEnergy + click.lblFieldDeflection + click.targetCaption, "");
        EXPECT_EQ(click.strike.RStrikeDrop, 1);
        EXPECT_EQ(click.strike.HStrikeDeflection, 2);
    }
}
