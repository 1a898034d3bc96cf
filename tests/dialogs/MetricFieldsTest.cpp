#include <QLabel>
#include <functional>

#include "Constants.h"
#include "GuiTest.h"
#include "NumberText.h"
#include "frmDisplayScale.h"
#include "frmMVCalc.h"
#include "frmOtherGun.h"
#include "frmRunParam.h"
#include "frmSetBC.h"
#include "frmSetEnv.h"
#include "frmWindCalc.h"

namespace {

using MetricFieldsTest = GuiTest;
using tarnwick::UnitSystem;
using Params = tarnwick::ShotParameters;
using Remembered = tarnwick::RememberedSettings;
using Step = std::function<void(Program&)>;
using Value = std::function<double(Program&)>;

struct Case {
    const char* field;
    std::function<QLineEdit*(Program&)> open;  // stores the imperial value, shows the dialog in metric
    Step confirm;
    Value stored;
    const char* shown;
    double unchanged;  // stored after confirming the shown text
    const char* typed;
    double typedStored;
};

template <class Dialog>
Case row(const char* field, Step setup, QLineEdit* Dialog::*box, std::function<void(Dialog&)> confirm, Value stored,
         const char* shown, double unchanged, const char* typed, double typedStored) {
    const auto open = [=](Program& p) {
        setup(p);
        p.session().setUnits(UnitSystem::Metric);
        return p.window<Dialog>().*box;
    };
    return {field, open, [=](Program& p) { confirm(p.window<Dialog>()); }, stored, shown, unchanged, typed,
            typedStored};
}

Step remember(double Remembered::*setting, double value) {
    return [=](Program& p) { p.state().remembered.*setting = value; };
}
Step fly(double Params::*member, double value) {
    return [=](Program& p) { p.params().*member = value; };
}
Value flown(double Params::*member) {
    return [=](Program& p) { return p.params().*member; };
}
// Texts typed in imperial before the switch to metric (boxes that load nothing stored).
template <class Dialog>
Step typedInImperial(std::initializer_list<std::pair<QLineEdit* Dialog::*, const char*>> texts) {
    const std::vector<std::pair<QLineEdit* Dialog::*, const char*>> all(texts);
    return [=](Program& p) {
        for (const auto& [box, text] : all) (p.window<Dialog>().*box)->setText(text);
    };
}
// The dialog reads winds leniently: "10 mph" is 10 mph too.
Step windTyped(std::string WindTexts::*wind, const char* text = "10") {
    return [=](Program& p) {
        WindTexts texts;
        texts.*wind = text;
        p.session().environmentSet(texts);
    };
}
// The calculators store nothing: their value is the metric result they show.
template <class Dialog>
Value resultShown(QLineEdit* Dialog::*box) {
    return [=](Program& p) { return tarnwick::readLenient((p.window<Dialog>().*box)->text().toStdString()); };
}

// Every box with units, in metric: the stored imperial value shows converted, an
// unchanged text keeps it bit for bit, a typed metric value is stored converted, and
// showing it in imperial and back does not move it.
TEST_F(MetricFieldsTest, EveryFieldShowsAndTakesMetric) {
    using E = frmSetEnv;
    using M = frmMVCalc;
    const Step varmint = [](Program& p) {
        p.session().setMode(true, false);
        p.state().remembered.LastZeroCrossing = 250;
    };
    const Step bcTyped = typedInImperial<frmSetBC>({{&frmSetBC::txtBC, "0.5"}, {&frmSetBC::txtBulletMass, "168"}});
    const Step mvTyped = typedInImperial<M>({{&M::txtMMVel, "2950"}, {&M::txtMTemp, "59"}, {&M::txtCalcT, "59"}});
    // 10 mph as the dialog stores it: in/s across, ft/s along the line of fire.
    const double cross10 = 10 * tarnwick::kCrossWindPerMph;
    const double tail10 = 10 * tarnwick::kTailWindPerMphNumerator / tarnwick::kTailWindPerMphDenominator;
    const double cross5 = 196.85039370078744, tail5 = 16.404199475065617;  // 5 m/s
    const Case cases[] = {
        row<frmRunParam>("muzzle velocity", remember(&Remembered::LastInitialVelocity, 2950), &frmRunParam::txtInitVel,
                         &frmRunParam::cmdOK_Click, flown(&Params::InitialVelocity), "899.16", 2950, "700",
                         2296.587926509186),
        row<frmRunParam>("maximum deviation", remember(&Remembered::LastMaxDeviation, 3), &frmRunParam::txtMaxDev,
                         &frmRunParam::cmdOK_Click, flown(&Params::MaxDeviation), "7.62", 3, "10", 3.937007874015748),
        row<frmRunParam>("zero crossing", varmint, &frmRunParam::txtMaxDev, &frmRunParam::cmdOK_Click,
                         [](Program& p) { return p.state().remembered.LastZeroCrossing; }, "228.6", 250, "200",
                         218.72265966754156),
        row<frmSetBC>("bullet mass", bcTyped, &frmSetBC::txtBulletMass, &frmSetBC::cmdOK_Click,
                      flown(&Params::BulletMass), "10.8862", 168, "10", 154.3235835294143),
        row<frmOtherGun>("scope height", remember(&Remembered::LastScopeHeight, 1.5), &frmOtherGun::txtScopeHeight,
                         &frmOtherGun::cmdSet_Click, flown(&Params::ScopeHeight), "3.81", 1.5, "5", 1.968503937007874),
        row<E>("range altitude", fly(&Params::Altitude, 5000), &E::txtRAltitude, &E::cmdSet_Click,
               flown(&Params::Altitude), "1524", 5000, "1000", 3280.839895013123),
        row<E>("range pressure", fly(&Params::BarometricPressure, 29.53), &E::txtRBarPres, &E::cmdSet_Click,
               flown(&Params::BarometricPressure), "1000", 29.53, "1013.25", 29.92124356615747),
        row<E>("range temperature", fly(&Params::Temperature, 40), &E::txtRTemperature, &E::cmdSet_Click,
               flown(&Params::Temperature), "4.44444", 40, "-10", 14),
        row<E>("range cross wind", windTyped(&WindTexts::rangeCross), &E::txtRCrossWind, &E::cmdSet_Click,
               flown(&Params::RCrossWind), "4.4704", cross10, "5", cross5),
        row<E>("range tail wind", windTyped(&WindTexts::rangeTail), &E::txtRTailWind, &E::cmdSet_Click,
               flown(&Params::RTailWind), "4.4704", tail10, "5", tail5),
        row<E>("hunting altitude", fly(&Params::HAltitude, 5000), &E::txtHAltitude, &E::cmdSet_Click,
               flown(&Params::HAltitude), "1524", 5000, "1000", 3280.839895013123),
        row<E>("hunting pressure", fly(&Params::HBarometricPressure, 29.53), &E::txtHBarPres, &E::cmdSet_Click,
               flown(&Params::HBarometricPressure), "1000", 29.53, "1013.25", 29.92124356615747),
        row<E>("hunting temperature", fly(&Params::HTemperature, 40), &E::txtHTemperature, &E::cmdSet_Click,
               flown(&Params::HTemperature), "4.44444", 40, "-10", 14),
        row<E>("hunting cross wind", windTyped(&WindTexts::huntingCross), &E::txtHCrossWind, &E::cmdSet_Click,
               flown(&Params::HCrossWind), "4.4704", cross10, "5", cross5),
        row<E>("hunting tail wind", windTyped(&WindTexts::huntingTail, "10 mph"), &E::txtHTailWind, &E::cmdSet_Click,
               flown(&Params::HTailWind), "4.4704", tail10, "5", tail5),
        // 2950 ft/s at 59 deg F; typed -5 deg C is 23 deg F, 36 deg F (54 ft/s) away.
        row<M>("measured velocity", mvTyped, &M::txtMMVel, &M::cmdCalculate_Click, resultShown(&M::txtCalcMV),
               "899.16", 899.16, "900", 900),
        row<M>("measured temperature", mvTyped, &M::txtMTemp, &M::cmdCalculate_Click, resultShown(&M::txtCalcMV),
               "15", 899.16, "-5", 915.619),
        row<M>("wanted temperature", mvTyped, &M::txtCalcT, &M::cmdCalculate_Click, resultShown(&M::txtCalcMV),
               "15", 899.16, "-5", 882.701),
        row<frmWindCalc>("wind speed", typedInImperial<frmWindCalc>({{&frmWindCalc::txtWindSpeed, "10"}}),
                         &frmWindCalc::txtWindSpeed, [](frmWindCalc& w) { w.picWind_MouseUp(Qt::LeftButton, 0, 0); },
                         resultShown(&frmWindCalc::txtTailWind), "4.4704", 4.47, "5", 5),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        program = makeProgram();
        QLineEdit* box = c.open(*program);
        EXPECT_EQ(box->text(), c.shown);
        c.confirm(*program);
        EXPECT_EQ(c.stored(*program), c.unchanged);
        box->setText(c.typed);
        c.confirm(*program);
        EXPECT_DOUBLE_EQ(c.stored(*program), c.typedStored);
        const double typed = c.stored(*program);
        session().setUnits(UnitSystem::Imperial);
        session().setUnits(UnitSystem::Metric);
        c.confirm(*program);
        EXPECT_EQ(c.stored(*program), typed);
    }
}

// Unit labels and captions name the metric units in metric, and are the imperial
// texts again when the units go back.
TEST_F(MetricFieldsTest, CaptionsFollowTheUnits) {
    frmRunParam& run = program->window<frmRunParam>();
    frmSetEnv& env = program->window<frmSetEnv>();
    frmMVCalc& mv = program->window<frmMVCalc>();
    const struct {
        const QWidget* widget;
        const char* imperial;
        const char* metric;
    } cases[] = {
        {run.lblInitVel, "Muzzle Velocity (fps):", "Muzzle Velocity (m/s):"},
        {run.lblMaxDev, "Maximum Deviation (inches):", "Maximum Deviation (cm):"},
        {env.lblRFeet, "Ft.", "m"},
        {env.lblHMMerc, "MM", "hPa"},
        {env.lblRFarenheight, "F", "deg C"},
        {env.lblMPH4, "MPH", "m/s"},
        {program->window<frmSetBC>().Label1, "gr.", "g."},
        {program->window<frmOtherGun>().lblInches, "inches.", "cm."},
        {mv.lblCFPS, "f.p.s.", "m/s"},
        {mv.lblMT, "F", "deg C"},
        {program->window<frmWindCalc>().lblMPH[2], "MPH", "m/s"},
        {program->window<frmDisplayScale>().opt25Yards, "25 Yards", "23 Metres"},
    };
    for (const UnitSystem units : {UnitSystem::Metric, UnitSystem::Imperial}) {
        session().setUnits(units);
        for (const auto& c : cases)
            EXPECT_EQ(c.widget->property("text").toString(), units == UnitSystem::Metric ? c.metric : c.imperial);
    }
}

}  // namespace
