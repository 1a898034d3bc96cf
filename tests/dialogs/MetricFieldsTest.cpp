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

template <class Dialog>
Dialog& inMetric(Program& program) {
    program.session().setUnits(UnitSystem::Metric);
    return program.window<Dialog>();
}

// Every box with units, in metric: the stored imperial value shows converted, an
// unchanged text keeps it bit for bit, a typed metric value is stored converted, and
// showing it in imperial and back does not move it.
// The calculators store nothing: their "stored" column is the metric result shown.
TEST_F(MetricFieldsTest, EveryFieldShowsAndTakesMetric) {
    struct Case {
        const char* field;
        std::function<QLineEdit*(Program&)> open;  // stores the imperial value, shows in metric
        std::function<void(Program&)> confirm;
        std::function<double(Program&)> stored;
        const char* shown;
        double unchanged;  // stored after confirming the shown text
        const char* typed;
        double typedStored;
    };
    const auto runParam = [](Program& p) { p.window<frmRunParam>().cmdOK_Click(); };
    const auto flown = [](double Params::*member) { return [member](Program& p) { return p.params().*member; }; };
    const auto env = [&](const char* name, QLineEdit* frmSetEnv::*box, double Params::*member, double imperial,
                         const char* shown, const char* typed, double typedStored) {
        const auto open = [=](Program& p) {
            p.params().*member = imperial;
            return inMetric<frmSetEnv>(p).*box;
        };
        return Case{name, open, [](Program& p) { p.window<frmSetEnv>().cmdSet_Click(); }, flown(member), shown,
                    imperial, typed, typedStored};
    };
    const auto wind = [&](const char* name, QLineEdit* frmSetEnv::*box, std::string WindTexts::*text,
                          double Params::*member, double unchanged, double typedStored) {
        const auto open = [=](Program& p) {
            WindTexts texts;
            texts.*text = "10";
            p.session().environmentSet(texts);
            return inMetric<frmSetEnv>(p).*box;
        };
        return Case{name, open, [](Program& p) { p.window<frmSetEnv>().cmdSet_Click(); }, flown(member), "4.4704",
                    unchanged, "5", typedStored};
    };
    const auto mvCalc = [](QLineEdit* frmMVCalc::*box) {
        return [box](Program& p) {
            frmMVCalc& calc = p.window<frmMVCalc>();
            calc.txtMMVel->setText("2950");
            calc.txtMTemp->setText("59");
            calc.txtCalcT->setText("59");
            return inMetric<frmMVCalc>(p).*box;
        };
    };
    const auto calculate = [](Program& p) { p.window<frmMVCalc>().cmdCalculate_Click(); };
    const auto shownResult = [](QLineEdit* box) { return tarnwick::readLenient(box->text().toStdString()); };
    // 10 mph as the dialog stores it: in/s across, ft/s along the line of fire.
    const double cross10 = 10 * tarnwick::kCrossWindPerMph;
    const double tail10 = 10 * tarnwick::kTailWindPerMphNumerator / tarnwick::kTailWindPerMphDenominator;
    const Case cases[] = {
        {"muzzle velocity",
         [](Program& p) {
             p.state().remembered.LastInitialVelocity = 2950;
             return inMetric<frmRunParam>(p).txtInitVel;
         },
         runParam, flown(&Params::InitialVelocity), "899.16", 2950, "700", 2296.587926509186},
        {"maximum deviation",
         [](Program& p) {
             p.state().remembered.LastMaxDeviation = 3;
             return inMetric<frmRunParam>(p).txtMaxDev;
         },
         runParam, flown(&Params::MaxDeviation), "7.62", 3, "10", 3.937007874015748},
        {"zero crossing",
         [](Program& p) {
             p.session().setMode(true, false);
             p.state().remembered.LastZeroCrossing = 250;
             return inMetric<frmRunParam>(p).txtMaxDev;
         },
         runParam, [](Program& p) { return p.state().remembered.LastZeroCrossing; }, "228.6", 250, "200",
         218.72265966754156},
        {"bullet mass",
         [](Program& p) {
             frmSetBC& dialog = p.window<frmSetBC>();
             dialog.txtBC->setText("0.5");
             dialog.txtBulletMass->setText("168");
             return inMetric<frmSetBC>(p).txtBulletMass;
         },
         [](Program& p) { p.window<frmSetBC>().cmdOK_Click(); }, flown(&Params::BulletMass), "10.8862", 168, "10",
         154.3235835294143},
        {"scope height",
         [](Program& p) {
             p.state().remembered.LastScopeHeight = 1.5;
             return inMetric<frmOtherGun>(p).txtScopeHeight;
         },
         [](Program& p) { p.window<frmOtherGun>().cmdSet_Click(); }, flown(&Params::ScopeHeight), "3.81", 1.5, "5",
         1.968503937007874},
        env("range altitude", &frmSetEnv::txtRAltitude, &Params::Altitude, 5000, "1524", "1000", 3280.839895013123),
        env("range pressure", &frmSetEnv::txtRBarPres, &Params::BarometricPressure, 29.53, "1000", "1013.25",
            29.92124356615747),
        env("range temperature", &frmSetEnv::txtRTemperature, &Params::Temperature, 40, "4.44444", "-10", 14),
        env("hunting altitude", &frmSetEnv::txtHAltitude, &Params::HAltitude, 5000, "1524", "1000",
            3280.839895013123),
        env("hunting pressure", &frmSetEnv::txtHBarPres, &Params::HBarometricPressure, 29.53, "1000", "1013.25",
            29.92124356615747),
        env("hunting temperature", &frmSetEnv::txtHTemperature, &Params::HTemperature, 40, "4.44444", "-10", 14),
        wind("range cross wind", &frmSetEnv::txtRCrossWind, &WindTexts::rangeCross, &Params::RCrossWind,
             cross10, 196.85039370078744),
        wind("range tail wind", &frmSetEnv::txtRTailWind, &WindTexts::rangeTail, &Params::RTailWind, tail10,
             16.404199475065617),
        wind("hunting cross wind", &frmSetEnv::txtHCrossWind, &WindTexts::huntingCross, &Params::HCrossWind,
             cross10, 196.85039370078744),
        wind("hunting tail wind", &frmSetEnv::txtHTailWind, &WindTexts::huntingTail, &Params::HTailWind, tail10,
             16.404199475065617),
        {"measured velocity (calculator)", mvCalc(&frmMVCalc::txtMMVel), calculate,
         [&](Program& p) { return shownResult(p.window<frmMVCalc>().txtCalcMV); }, "899.16", 899.16, "900", 900},
        {"measured temperature (calculator)", mvCalc(&frmMVCalc::txtMTemp), calculate,
         [&](Program& p) { return shownResult(p.window<frmMVCalc>().txtCalcMV); }, "15", 899.16, "-5", 915.619},
        {"wanted temperature (calculator)", mvCalc(&frmMVCalc::txtCalcT), calculate,
         [&](Program& p) { return shownResult(p.window<frmMVCalc>().txtCalcMV); }, "15", 899.16, "-5", 882.701},
        {"wind speed (calculator)",
         [](Program& p) {
             p.window<frmWindCalc>().txtWindSpeed->setText("10");
             return inMetric<frmWindCalc>(p).txtWindSpeed;
         },
         [](Program& p) { p.window<frmWindCalc>().picWind_MouseUp(Qt::LeftButton, 0, 0); },
         [&](Program& p) { return shownResult(p.window<frmWindCalc>().txtTailWind); }, "4.4704", 4.47, "5", 5},
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
        // Shown in imperial and then in metric again, the typed value stays exactly as stored.
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
    frmDisplayScale& scale = program->window<frmDisplayScale>();
    frmSetBC& bc = program->window<frmSetBC>();
    frmOtherGun& gun = program->window<frmOtherGun>();
    frmMVCalc& mv = program->window<frmMVCalc>();
    frmWindCalc& windCalc = program->window<frmWindCalc>();
    const struct {
        const QLabel* label;
        const QAbstractButton* option;
        const char* imperial;
        const char* metric;
    } cases[] = {
        {run.lblInitVel, nullptr, "Muzzle Velocity (fps):", "Muzzle Velocity (m/s):"},
        {run.lblMaxDev, nullptr, "Maximum Deviation (inches):", "Maximum Deviation (cm):"},
        {env.lblRFeet, nullptr, "Ft.", "m"},
        {env.lblHMMerc, nullptr, "MM", "hPa"},
        {env.lblRFarenheight, nullptr, "F", "deg C"},
        {env.lblMPH4, nullptr, "MPH", "m/s"},
        {bc.Label1, nullptr, "gr.", "g."},
        {gun.lblInches, nullptr, "inches.", "cm."},
        {mv.lblCFPS, nullptr, "f.p.s.", "m/s"},
        {mv.lblMT, nullptr, "F", "deg C"},
        {windCalc.lblMPH[2], nullptr, "MPH", "m/s"},
        {nullptr, scale.opt25Yards, "25 Yards", "23 Metres"},
        {nullptr, scale.opt1000Yards, "1000 Yards", "914 Metres"},
    };
    for (const UnitSystem units : {UnitSystem::Metric, UnitSystem::Imperial}) {
        session().setUnits(units);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.imperial);
            const QString text = c.label ? c.label->text() : c.option->text();
            EXPECT_EQ(text, units == UnitSystem::Metric ? c.metric : c.imperial);
        }
    }
}

}  // namespace
