#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "GuiTest.h"
#include "frmMVCalc.h"

namespace {

// The next widget the Tab key reaches.
QWidget* nextTabStop(QWidget* widget) {
    QWidget* next = widget->nextInFocusChain();
    while (next != widget && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    return next;
}

class MVCalcTest : public GuiTest {
protected:
    frmMVCalc& calc() { return program->window<frmMVCalc>(); }

    void enter(const QString& velocity, const QString& measuredAt, const QString& wantedAt) {
        calc().txtMMVel->setText(velocity);
        calc().txtMTemp->setText(measuredAt);
        calc().txtCalcT->setText(wantedAt);
    }
};

TEST_F(MVCalcTest, StartsWithEmptyBoxesAndItsCaptions) {
    frmMVCalc& w = calc();
    EXPECT_EQ(w.windowTitle(), "Muzzle Velocity Calculator");
    for (QLineEdit* box : {w.txtMMVel, w.txtMTemp, w.txtCalcT, w.txtCalcMV}) EXPECT_TRUE(box->text().isEmpty());
    EXPECT_EQ(w.txtMeasuredVel->text(), "Measured Muzzle Velocity:");
    EXPECT_EQ(w.lblCalcT->text(), "Calculate Muzzle Velocity at what Air/Case Temperature?");
    EXPECT_EQ(w.cmdCalculate->text(), "Calculate");
    // Tab order: the three inputs, Calculate, the result, Done.
    EXPECT_EQ(nextTabStop(w.txtMMVel), w.txtMTemp);
    EXPECT_EQ(nextTabStop(w.txtMTemp), w.txtCalcT);
    EXPECT_EQ(nextTabStop(w.txtCalcT), w.cmdCalculate);
    EXPECT_EQ(nextTabStop(w.cmdCalculate), w.txtCalcMV);
    EXPECT_EQ(nextTabStop(w.txtCalcMV), w.cmdDone);
}

TEST_F(MVCalcTest, CarriesVelocityToOtherTemperatureAtOneAndAHalfFeetPerSecondPerDegree) {
    struct Case {
        const char *velocity, *measuredAt, *wantedAt, *expected;
    };
    const Case cases[] = {
        {"2950", "70", "30", "2890"},     {"2950", "70", "90", "2980"},   {"2950", "70", "70", "2950"},
        {"2950.5", "70", "71", "2952"},   {"2950.5", "70", "70.5", "2951.25"},
        {" 2950 ", " 70", "-10 ", "2830"}, {"3000", "0", "-40", "2940"}, {"2.95e3", "7e1", "3e1", "2890"},
    };
    for (const Case& c : cases) {
        enter(c.velocity, c.measuredAt, c.wantedAt);
        calc().cmdCalculate_Click();
        EXPECT_EQ(calc().txtCalcMV->text(), c.expected) << c.velocity << " at " << c.measuredAt << " to " << c.wantedAt;
    }
}

TEST_F(MVCalcTest, NonNumberNamesTheFieldAndKeepsTheOldResult) {
    struct Case {
        const char *velocity, *measuredAt, *wantedAt, *message;
    };
    const Case cases[] = {
        {"", "70", "30", "Measured Muzzle Velocity must be a number."},
        {"2950 fps", "70", "30", "Measured Muzzle Velocity must be a number."},
        {"2950", "seventy", "30", "Air/Case Temperature at time of measurement must be a number."},
        {"2950", "70", "  ", "Air/Case Temperature to calculate for must be a number."},
        {"2950", "70", "3,0", "Air/Case Temperature to calculate for must be a number."},
        {"1e999", "70", "30", "Measured Muzzle Velocity must be a number."},
        // With several bad boxes the wanted temperature is named first, then the measured one.
        {"x", "y", "z", "Air/Case Temperature to calculate for must be a number."},
        {"x", "y", "30", "Air/Case Temperature at time of measurement must be a number."},
    };
    enter("2950", "70", "30");
    calc().cmdCalculate_Click();
    ASSERT_EQ(calc().txtCalcMV->text(), "2890");
    for (const Case& c : cases) {
        enter(c.velocity, c.measuredAt, c.wantedAt);
        calc().cmdCalculate_Click();
        EXPECT_EQ(expectMessage(c.message).icon, MessageIcon::Exclamation);
        EXPECT_EQ(calc().txtCalcMV->text(), "2890");
    }
}

TEST_F(MVCalcTest, ResultTooLargeToHoldIsReportedNotShownAsInfinity) {
    enter("2950", "70", "30");
    calc().cmdCalculate_Click();
    enter("1e308", "-1e308", "1e308");
    calc().cmdCalculate_Click();
    expectMessage("too large to show");
    EXPECT_EQ(calc().txtCalcMV->text(), "2890");
}

TEST_F(MVCalcTest, EditingAnInputKeepsTheResultUntilCalculateAndEnterCalculates) {
    frmMVCalc& w = calc();
    program->show(w);
    enter("2950", "70", "30");
    QTest::mouseClick(w.cmdCalculate, Qt::LeftButton);
    EXPECT_EQ(w.txtCalcMV->text(), "2890");
    w.txtCalcT->setText("90");
    EXPECT_EQ(w.txtCalcMV->text(), "2890");
    w.txtCalcT->setFocus();
    QTest::keyClick(w.txtCalcT, Qt::Key_Return);
    EXPECT_EQ(w.txtCalcMV->text(), "2980");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(MVCalcTest, DoneHidesAndTheTextsStayForTheNextOpening) {
    frmMVCalc& w = calc();
    program->show(w);
    enter("2950", "70", "90");
    w.cmdCalculate_Click();
    QTest::mouseClick(w.cmdDone, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    frmMVCalc& again = calc();
    EXPECT_EQ(&again, &w);
    EXPECT_EQ(again.txtMMVel->text(), "2950");
    EXPECT_EQ(again.txtCalcMV->text(), "2980");
}

// Two measured points give the load's sensitivity (the slope between them), stored and
// announced; points at one temperature give none.
TEST_F(MVCalcTest, TwoMeasuredPointsFillThePowderSensitivity) {
    const struct {
        tarnwick::UnitSystem units;
        const char *t1, *v1, *t2, *v2;
        double stored;  // ft/s per deg F; 0: refused
        const char* shown;
    } cases[] = {
        {tarnwick::UnitSystem::Imperial, "20", "2550", "90", "2634", 1.2, "1.2 ft/s per deg F"},
        {tarnwick::UnitSystem::Metric, "35", "800", "-5", "780", 0.5 / (0.3048 * 1.8), "0.5 m/s per deg C"},
        {tarnwick::UnitSystem::Imperial, "70", "2550", "70", "2634", 0, "different temperatures"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        program = makeProgram();
        session().setUnits(c.units);
        frmMVCalc& w = calc();
        w.txtSensT1->setText(c.t1);
        w.txtSensV1->setText(c.v1);
        w.txtSensT2->setText(c.t2);
        w.txtSensV2->setText(c.v2);
        QSignalSpy announced(&session(), &Session::parametersChanged);
        w.cmdUseSens->click();
        if (c.stored == 0) expectMessage(c.shown);
        else EXPECT_TRUE(w.lblSensResult->text().endsWith(c.shown)) << w.lblSensResult->text().toStdString();
        EXPECT_NEAR(params().PowderSensitivity.value_or(0), c.stored, 1e-12);
        EXPECT_EQ(announced.count(), c.stored == 0 ? 0 : 1);
    }
}

TEST_F(MVCalcTest, FaqItemsShowTheirTextsUnderTwoDifferentTitles) {
    calc().mnuWhat->trigger();
    calc().mnuHow->trigger();
    const std::vector<RecordedMessage> messages = takeMessages();
    ASSERT_EQ(messages.size(), 2u);
    const RecordedMessage& what = messages[0];
    const RecordedMessage& how = messages[1];
    EXPECT_EQ(what.title, "Muzzle Velocity is a Function of Temperature");
    EXPECT_EQ(how.title, "Muzzle Velocity as a Function of Temperature");
    for (const RecordedMessage& m : messages) {
        EXPECT_EQ(m.icon, MessageIcon::Information);
        EXPECT_EQ(m.text.split("\r\n").size(), 8);
        EXPECT_FALSE(m.text.endsWith("\r\n"));
    }
    EXPECT_TRUE(what.text.startsWith("Given the Muzzle velocity of a specific\r\ngun, bullet,"));
    EXPECT_TRUE(how.text.contains("increases/decreases 1.5 fps for each degree (F)\r\n"));
}

}  // namespace
