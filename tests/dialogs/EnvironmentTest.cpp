#include <QApplication>
#include <QPalette>

#include "GuiTest.h"
#include "frmSetEnv.h"
#include "frmSetSlope.h"

namespace {

using EnvironmentTest = GuiTest;

TEST_F(EnvironmentTest, WindsAreConvertedFromMilesPerHour) {
    struct Case {
        const char* typed;
        double crossWind;  // in/s
        double tailWind;   // ft/s
    };
    const Case cases[] = {
        {"10", 176, 14.666666666666666},
        {"15", 264, 22},
        {"-15", -264, -22},  // a head wind is a negative tail wind
        {"7.5 mph", 132, 11},
        {"calm", 0, 0},
    };
    frmSetEnv& dialog = program->window<frmSetEnv>();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        for (QLineEdit* box : {dialog.txtRCrossWind, dialog.txtRTailWind, dialog.txtHCrossWind, dialog.txtHTailWind})
            box->setText(c.typed);
        dialog.cmdSet_Click();
        EXPECT_DOUBLE_EQ(params().RCrossWind, c.crossWind);
        EXPECT_DOUBLE_EQ(params().RTailWind, c.tailWind);
        EXPECT_DOUBLE_EQ(params().HCrossWind, c.crossWind);
        EXPECT_DOUBLE_EQ(params().HTailWind, c.tailWind);
    }
}

TEST_F(EnvironmentTest, OkStoresBothAtmospheresAndRemembersAltitudesAndTemperatures) {
    frmSetEnv& dialog = program->window<frmSetEnv>();
    dialog.Form_Activate();  // Target mode: the hunting boxes are hidden
    ASSERT_TRUE(dialog.txtHAltitude->isHidden());
    dialog.txtRAltitude->setText("1200");
    dialog.txtRBarPres->setText("28.9");
    dialog.txtRTemperature->setText("41");
    dialog.txtRRelHum->setText("30%");
    dialog.txtHAltitude->setText("5000");
    dialog.txtHBarPres->setText("25.1");
    dialog.txtHTemperature->setText("-5");
    dialog.txtHRelHum->setText("80");
    dialog.cmdSet_Click();

    const auto& p = params();
    EXPECT_EQ(p.Altitude, 1200);
    EXPECT_EQ(p.BarometricPressure, 28.9);
    EXPECT_EQ(p.Temperature, 41);
    EXPECT_EQ(p.RelHumidity, 30);
    EXPECT_EQ(p.HAltitude, 5000) << "hidden hunting boxes are stored in Target mode too";
    EXPECT_EQ(p.HBarometricPressure, 25.1);
    EXPECT_EQ(p.HTemperature, -5);
    EXPECT_EQ(p.HRelHumidity, 80);
    const auto& last = program->state().remembered;
    EXPECT_EQ(last.LastAltitude, 1200);
    EXPECT_EQ(last.LastTemperature, 41);
    EXPECT_EQ(last.LastHAltitude, 5000);
    EXPECT_EQ(last.LastHTemperature, -5);
}

TEST_F(EnvironmentTest, LoadShowsTheSessionsConditionsAndTypedWinds) {
    tarnwick::RememberedSettings last;
    last.LastAltitude = 850;
    last.LastTemperature = 72.5;
    last.LastHAltitude = 6000;
    last.LastHTemperature = 20;
    session().restore(last);
    session().environmentSet({"5 mph", "0", "0", "12"});
    frmSetEnv& dialog = program->window<frmSetEnv>();
    EXPECT_EQ(dialog.txtRAltitude->text(), "850");
    EXPECT_EQ(dialog.txtRTemperature->text(), "72.5");
    EXPECT_EQ(dialog.txtHAltitude->text(), "6000");
    EXPECT_EQ(dialog.txtHTemperature->text(), "20");
    EXPECT_EQ(dialog.txtRBarPres->text(), "29.53");
    EXPECT_EQ(dialog.txtHRelHum->text(), "67");
    EXPECT_EQ(dialog.txtRTailWind->text(), "5 mph") << "a wind shows as it was typed";
    EXPECT_EQ(dialog.txtHCrossWind->text(), "12");
}

// The classic model always reads sea-level pressures: its choice shows that and stores
// nothing. The density altitudes follow the boxes and the choice.
TEST_F(EnvironmentTest, PressureChoiceFollowsTheModelAndTheDensityAltitudeTheBoxes) {
    using tarnwick::BallisticModelKind;
    const struct {
        BallisticModelKind model;
        bool choose;  // sea-level pressure
        bool seaLevelShown, enabled, stored;
        const char* densityAltitude;
    } steps[] = {
        {BallisticModelKind::PointMass, false, false, true, false, "Density altitude: 8,643 feet"},
        {BallisticModelKind::PointMass, true, true, true, true, "Density altitude: 15,579 feet"},
        {BallisticModelKind::Classic, false, true, false, false, "Density altitude: 15,579 feet"},
    };
    frmSetEnv& dialog = program->window<frmSetEnv>();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.choose);
        session().setBallisticModel(step.model);
        params().PressureIsSeaLevel = step.choose;
        dialog.Form_Load();
        dialog.txtRAltitude->setText("6000");
        dialog.txtRBarPres->setText("24");
        dialog.txtRTemperature->setText("80");
        EXPECT_EQ(dialog.optSeaLevelPressure->isChecked(), step.seaLevelShown);
        EXPECT_EQ(dialog.optStationPressure->isEnabled(), step.enabled);
        EXPECT_EQ(dialog.lblRDensityAlt->text(), step.densityAltitude);
        dialog.cmdSet_Click();
        EXPECT_EQ(params().PressureIsSeaLevel, step.stored);
    }
}

TEST_F(EnvironmentTest, HuntingFrameColoursFollowTheModeAtEachActivation) {
    frmSetEnv& dialog = program->window<frmSetEnv>();
    struct Row {
        bool hunting;
        QColor background;
        QColor text;
    };
    const Row rows[] = {
        {true, QColor(137, 255, 255), QApplication::palette().color(QPalette::ButtonText)},
        {false, QColor(128, 128, 128), QColor(64, 64, 64)},
        {true, QColor(137, 255, 255), QApplication::palette().color(QPalette::ButtonText)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.hunting);
        params().HuntingMode = row.hunting;
        dialog.Form_Activate();
        for (QWidget* w : std::initializer_list<QWidget*>{dialog.fraHunting, dialog.lblHAltitude, dialog.lblHPercent,
                                                          dialog.lblHTW, dialog.lblMPH3, dialog.lblMPH4}) {
            EXPECT_EQ(w->palette().color(QPalette::Window), row.background) << w->objectName().toStdString();
            EXPECT_EQ(w->palette().color(QPalette::WindowText), row.text) << w->objectName().toStdString();
        }
        for (QLineEdit* box : {dialog.txtHAltitude, dialog.txtHBarPres, dialog.txtHTemperature, dialog.txtHRelHum,
                               dialog.txtHCrossWind, dialog.txtHTailWind}) {
            EXPECT_EQ(box->isEnabled(), row.hunting);
            EXPECT_EQ(box->isHidden(), !row.hunting);
        }
        EXPECT_FALSE(dialog.txtRAltitude->isHidden());
    }
}

TEST_F(EnvironmentTest, WindWhoseConversionOverflowsIsRefusedAndNothingStored) {
    struct Case {
        const char* field;
        const char* typed;
        const char* named;
    };
    const Case cases[] = {
        {"txtRCrossWind", "2e307", "Cross Wind (Range Conditions)"},  // finite, but x 17.6 is not
        {"txtHTailWind", "1e308", "Tail Wind (Hunting Conditions)"},  // x 22 overflows before / 15
        {"txtHAltitude", "1e999", "Altitude (Hunting Conditions)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        program = makeProgram();
        frmSetEnv& dialog = program->window<frmSetEnv>();
        params().InitAll = true;
        program->show(dialog);
        dialog.txtRAltitude->setText("900");
        dialog.findChild<QLineEdit*>(c.field)->setText(c.typed);
        dialog.cmdSet->click();
        EXPECT_EQ(expectMessage(c.named).icon, MessageIcon::Exclamation);
        EXPECT_EQ(params().Altitude, 0);
        EXPECT_EQ(params().RCrossWind, 0);
        EXPECT_EQ(params().HTailWind, 0);
        EXPECT_EQ(program->state().remembered.LastAltitude, 0);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(program->loaded<frmSetSlope>(), nullptr) << "the chain does not go on";
    }
}

TEST_F(EnvironmentTest, OkOpensTheSlopeDialogOnlyDuringSetAll) {
    frmSetEnv& dialog = program->window<frmSetEnv>();
    program->show(dialog);
    dialog.cmdSet->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(program->loaded<frmSetSlope>(), nullptr);
    params().InitAll = true;
    program->show(dialog);
    dialog.cmdSet->click();
    ASSERT_NE(program->loaded<frmSetSlope>(), nullptr);
    EXPECT_TRUE(program->loaded<frmSetSlope>()->isVisible());
}

TEST_F(EnvironmentTest, MenusShowHelpAndOpenTheWindCalculatorBlocking) {
    frmSetEnv& dialog = program->window<frmSetEnv>();
    EXPECT_EQ(dialog.mnuCalc->text(), "Cross && Tail Wind Calculator");
    dialog.mnuCalc->trigger();
    ASSERT_EQ(services->blockingShown.size(), 1u);
    EXPECT_EQ(services->blockingShown[0], "frmWindCalc");
    dialog.mnuRangeHelp->trigger();
    dialog.mnuHuntingHelp->trigger();
    const std::vector<RecordedMessage> messages = takeMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].title, "Range Conditions:");
    EXPECT_EQ(messages[1].title, "Hunting Conditions:");
    EXPECT_EQ(messages[1].text.split("\r\n").size(), 6);
}

}  // namespace
