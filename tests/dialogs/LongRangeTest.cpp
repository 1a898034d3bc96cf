#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include "GuiTest.h"
#include "frmLongRange.h"

namespace {

class LongRangeTest : public GuiTest {
protected:
    frmLongRange& dialog() { return program->window<frmLongRange>(); }

    // A .308 175 gr at 2600 ft/s, 1:10 right, 1.24 in long, with two wind zones.
    void typeGoodValues(tarnwick::UnitSystem units) {
        const bool metric = units == tarnwick::UnitSystem::Metric;
        params().BulletMass = 175;
        params().InitialVelocity = 2600;
        session().setUnits(units);
        frmLongRange& d = dialog();
        const std::pair<QLineEdit*, const char*> typed[] = {
            {d.txtTwist, "10"},          {d.txtLength, metric ? "31.496" : "1.24"},
            {d.txtDiameter, metric ? "7.8232" : "0.308"}, {d.txtLatitude, "45"},
            {d.txtAzimuth, "270"},       {d.txtPowderSens, metric ? "0.658368" : "1.2"},
            {d.txtZoneUntil[0], metric ? "274.32" : "300"}, {d.txtZoneSpeed[0], metric ? "4.4704" : "10"},
            {d.txtZoneClock[0], "3"},    {d.txtZoneUntil[1], metric ? "914.4" : "1000"},
            {d.txtZoneSpeed[1], metric ? "2.2352" : "5"}, {d.txtZoneClock[1], "6"}};
        for (const auto& [box, text] : typed) box->setText(text);
        d.optLeftHand->setChecked(true);
    }
};

TEST_F(LongRangeTest, GoodValuesGoIntoTheParametersInEitherUnitsAndShowAgain) {
    for (const auto units : {tarnwick::UnitSystem::Imperial, tarnwick::UnitSystem::Metric}) {
        SCOPED_TRACE(tarnwick::unitSystemName(units));
        program = makeProgram();
        typeGoodValues(units);
        EXPECT_EQ(dialog().lblSg->text(), "Gyroscopic stability Sg = 2.43");
        QSignalSpy announced(&session(), &Session::parametersChanged);
        dialog().cmdOK->click();
        EXPECT_EQ(announced.count(), 1);
        const tarnwick::ShotParameters& p = params();
        EXPECT_EQ(p.TwistRate, 10);
        EXPECT_TRUE(p.TwistLeft);
        EXPECT_NEAR(p.BulletLength, 1.24, 1e-12);
        EXPECT_NEAR(p.BulletDiameter, 0.308, 1e-12);
        EXPECT_EQ(p.Latitude, 45);
        EXPECT_EQ(p.Azimuth, 270);
        EXPECT_NEAR(p.PowderSensitivity.value_or(0), 1.2, 1e-12);
        ASSERT_EQ(p.WindZones.size(), 2u);
        EXPECT_NEAR(p.WindZones[0].until, 900, 1e-9);
        EXPECT_NEAR(p.WindZones[0].crossWind, 176, 1e-9);  // 10 mph from 3 o'clock
        EXPECT_NEAR(p.WindZones[0].tailWind, 0, 1e-9);
        EXPECT_NEAR(p.WindZones[1].until, 3000, 1e-9);
        EXPECT_NEAR(p.WindZones[1].tailWind, 5 * 22.0 / 15, 1e-9);  // 5 mph from behind
        EXPECT_FALSE(dialog().isVisible());

        // Opened again, the dialog shows what was stored; OK stores it unchanged.
        const std::vector<tarnwick::WindZone> stored = p.WindZones;
        dialog().Form_Load();
        EXPECT_EQ(dialog().txtZoneClock[0]->text(), "3");
        EXPECT_EQ(dialog().txtZoneUntil[2]->text(), "");
        dialog().cmdOK->click();
        EXPECT_EQ(params().WindZones[0].crossWind, stored[0].crossWind);
        EXPECT_NEAR(params().BulletLength, 1.24, 1e-12);
    }
}

TEST_F(LongRangeTest, BadBoxNamesItsFieldAndNothingIsStored) {
    const struct {
        const char* box;
        const char* typed;
        const char* named;
    } cases[] = {
        {"txtTwist", "-10", "The twist rate"},
        {"txtLength", "0", "The bullet length"},
        {"txtDiameter", "", "The bullet diameter"},
        {"txtLatitude", "91", "The latitude"},
        {"txtAzimuth", "west", "The azimuth of fire"},
        {"txtAzimuth", "400", "The azimuth of fire"},  // a load file would not read it back
        {"txtPowderSens", "1e999", "The powder sensitivity"},
        {"txtZoneSpeed1", "", "The speed of wind zone 1"},
        {"txtZoneClock2", "13", "The clock hour of wind zone 2"},
        {"txtZoneUntil2", "200", "The range of wind zone 2 must lie beyond"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        program = makeProgram();
        typeGoodValues(tarnwick::UnitSystem::Imperial);
        program->show(dialog());
        dialog().findChild<QLineEdit*>(c.box)->setText(c.typed);
        dialog().cmdOK->click();
        EXPECT_EQ(expectMessage(c.named).icon, MessageIcon::Exclamation);
        EXPECT_EQ(params().TwistRate, 0);
        EXPECT_FALSE(params().Latitude.has_value());
        EXPECT_TRUE(params().WindZones.empty());
        EXPECT_TRUE(dialog().isVisible());
    }
}

TEST_F(LongRangeTest, StabilityFollowsTheBoxesWithItsWarningWords) {
    typeGoodValues(tarnwick::UnitSystem::Imperial);
    const std::pair<const char*, const char*> cases[] = {
        {"10", "Sg = 2.43"}, {"14", "Sg = 1.24  marginal"}, {"18", "Sg = 0.75  unstable"}, {"", "needs the twist"}};
    for (const auto& [twist, shown] : cases) {
        dialog().txtTwist->setText(twist);
        EXPECT_TRUE(dialog().lblSg->text().contains(shown)) << dialog().lblSg->text().toStdString();
    }
}

}  // namespace
