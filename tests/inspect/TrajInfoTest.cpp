// The point information window as a plot click fills it.
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "FormSupport.h"
#include "GuiTest.h"
#include "NumberText.h"
#include "PlotRun.h"
#include "RecordingSurface.h"
#include "frmRunParam.h"
#include "frmTarget.h"
#include "frmTrajInfo.h"
#include "frmTrajectory.h"

using namespace tarnwick;

namespace {

class TrajInfoTest : public GuiTest {
protected:
    // The main window comes first, as in the program: its start-up sets the parameters.
    void SetUp() override {
        GuiTest::SetUp();
        program->window<frmTrajectory>();
    }

    // A default plot run on a 578 x 288 canvas (axis at x = 50, 2/3 unit per foot).
    void plotDefault() {
        RecordingSurface surface(578, 288);
        TextResults results;
        RunInputs inputs;
        inputs.huntingOption = huntingOption()->isChecked();
        ASSERT_TRUE(plotRun(program->state(), inputs, surface, results).completed);
    }

    QRadioButton* huntingOption() { return program->window<frmRunParam>().optHuntingMode; }

    // The canvas x of a range in yards under the current plot mapping.
    double xAtYards(double yards) { return params().YAxis + yards * 3 * params().HorizontalScale; }

    frmTrajInfo& info() { return program->window<frmTrajInfo>(); }
    static std::string text(const QLabel* label) { return label->text().toStdString(); }
};

TEST_F(TrajInfoTest, ClickAtHundredYardsShowsTheRangeValuesOfTheRun) {
    plotDefault();
    const double runDrop = program->state().strike.RStrikeDrop;  // the run's 100-yard height
    info().showClick(xAtYards(100));

    EXPECT_EQ(info().windowTitle().toStdString(), "At 100. Yards:");
    EXPECT_TRUE(info().isVisible());
    EXPECT_EQ(program->window<frmTarget>().windowTitle().toStdString(), "Target at 100. yards:");
    // The click lands within one time step (about 2 feet) of the run's 100-yard point.
    const double clickDrop = program->state().strike.RStrikeDrop;
    EXPECT_NEAR(clickDrop, runDrop, 0.05);
    EXPECT_EQ(text(info().lblRangeDrop), formatF3(clickDrop) + " inches");
    EXPECT_EQ(text(info().lblRangeDeflection), "0.00 inches");
    for (const QLabel* label : {info().lblRangeVelocity, info().lblRangeEnergy}) {
        const std::string value = text(label);
        EXPECT_FALSE(value.empty());
        EXPECT_NE(value.find(". "), std::string::npos) << value;  // "#." then the unit
    }
    EXPECT_TRUE(info().fraField->isHidden());
}

TEST_F(TrajInfoTest, ClickLeftOfTheFirstStepShowsThePointAlone) {
    plotDefault();
    params().RCrossWind = 100;
    info().showClick(0);
    EXPECT_EQ(info().windowTitle().toStdString(), "At . Yards:");
    EXPECT_EQ(text(info().lblRangeDeflection), "0.00 inches");
    EXPECT_EQ(program->window<frmTarget>().windowTitle().toStdString(), "Target at . yards:");
}

TEST_F(TrajInfoTest, TargetModeHidesTheFieldAndKeepsTheHuntingStrike) {
    plotDefault();
    huntingOption()->setChecked(false);
    program->state().strike.HStrikeDrop = -4.25;
    program->state().strike.HStrikeDeflection = 1.5;
    info().showClick(xAtYards(150));
    EXPECT_TRUE(info().fraField->isHidden());
    EXPECT_EQ(program->state().strike.HStrikeDrop, -4.25);
    EXPECT_EQ(program->state().strike.HStrikeDeflection, 1.5);
    EXPECT_FALSE(info().fraRange->isHidden());
}

TEST_F(TrajInfoTest, HuntingWithEqualConditionsShowsEqualFrames) {
    params().HuntingMode = true;
    huntingOption()->setChecked(true);
    plotDefault();
    info().showClick(xAtYards(200));

    EXPECT_FALSE(info().fraField->isHidden());
    EXPECT_EQ(text(info().lblFieldDrop), text(info().lblRangeDrop));
    EXPECT_EQ(text(info().lblFieldVelocity), text(info().lblRangeVelocity));
    EXPECT_EQ(text(info().lblFieldEnergy), text(info().lblRangeEnergy));
    EXPECT_EQ(text(info().lblFieldDeflection), text(info().lblRangeDeflection));
    // The hunting pass writes the target view's caption last.
    EXPECT_EQ(program->window<frmTarget>().windowTitle().toStdString(), "Hunting Target at 200. yards:");
    EXPECT_EQ(program->state().strike.HStrikeDrop, program->state().strike.RStrikeDrop);

    // Back to Target mode (selecting it, as the options only change by selection):
    // the field frame goes away again.
    program->window<frmRunParam>().optTargetMode->setChecked(true);
    info().showClick(xAtYards(200));
    EXPECT_TRUE(info().fraField->isHidden());
}

TEST_F(TrajInfoTest, CrossWindDeflectsAgainstItsSign) {
    params().HuntingMode = true;
    huntingOption()->setChecked(true);
    plotDefault();
    params().RCrossWind = 176;   // 10 mph from the left, in/s
    params().HCrossWind = -176;  // the field wind from the other side
    info().showClick(xAtYards(200));
    EXPECT_LT(program->state().strike.RStrikeDeflection, 0);
    EXPECT_GT(program->state().strike.HStrikeDeflection, 0);
    EXPECT_EQ(text(info().lblRangeDeflection).front(), '-');
    EXPECT_EQ(text(info().lblRangeDeflection), formatF2(program->state().strike.RStrikeDeflection) + " inches");
}

TEST_F(TrajInfoTest, ClickUsesTheCurrentParametersNotTheLastRun) {
    // No plot run yet: the axis is still at 0, and the click works from the parameters.
    info().showClick(200);  // 300 feet right of x = 0
    EXPECT_EQ(info().windowTitle().toStdString(), "At 100. Yards:");
    const double before = program->state().strike.RStrikeDrop;
    params().InitialVelocity = 3000;  // same launch angle, reaches 100 yards sooner
    info().showClick(200);
    EXPECT_LT(program->state().strike.RStrikeDrop, before - 0.1);
}

TEST_F(TrajInfoTest, WalksThatCannotReachTheClickStopAndSaySo) {
    plotDefault();
    params().DeltaT = 1e-6;  // 32,767 steps cover about 22 yards
    info().showClick(xAtYards(250));
    EXPECT_NE(info().windowTitle().indexOf("32,767"), -1) << info().windowTitle().toStdString();
    EXPECT_FALSE(info().lblRangeDrop->text().isEmpty());

    params().DeltaT = 0.001;
    params().BallisticCoefLow = params().BallisticCoefMid = params().BallisticCoefHigh = 0.0005;
    info().showClick(xAtYards(250));  // the bullet stops long before 250 yards
    EXPECT_NE(info().windowTitle().indexOf("stopped short"), -1) << info().windowTitle().toStdString();

    params().DeltaT = 0;
    info().showClick(xAtYards(250));
    EXPECT_TRUE(info().windowTitle().startsWith("No values")) << info().windowTitle().toStdString();
    EXPECT_TRUE(info().lblRangeDrop->text().isEmpty()) << "no stale values under a failed click";
}

TEST_F(TrajInfoTest, RightPressOnThePlotChangesNothing) {
    plotDefault();
    frmTrajectory& main = program->window<frmTrajectory>();
    const StrikeValues before = program->state().strike;
    main.Form_MouseDown(Qt::RightButton, Qt::NoModifier, xAtYards(200), 100);
    EXPECT_EQ(program->loaded<frmTrajInfo>(), nullptr);
    EXPECT_EQ(program->state().strike.RStrikeDrop, before.RStrikeDrop);

    main.Form_MouseDown(Qt::LeftButton, Qt::NoModifier, xAtYards(200), 100);
    ASSERT_NE(program->loaded<frmTrajInfo>(), nullptr);
    EXPECT_EQ(info().windowTitle().toStdString(), "At 200. Yards:");
}

TEST_F(TrajInfoTest, PlacedBelowTheMainWindowAndKeptOnScreen) {
    frmTrajectory& main = program->window<frmTrajectory>();
    main.setGeometry(40, 30, 300, 200);
    const QRect frame = main.frameGeometry();
    EXPECT_EQ(info().pos(), QPoint(frame.left(), frame.top() + frame.height()));
    EXPECT_GT(info().width(), 0);

    // Near the bottom right of the screen it moves up and left to stay visible.
    const QSize screen = screenSize(&info());
    info().close();  // the close box unloads; the next use places it again
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main.setGeometry(screen.width() - 100, screen.height() - 100, 300, 200);
    const QRect placed = info().frameGeometry();
    EXPECT_LE(placed.bottom(), screen.height());
    EXPECT_LE(placed.right(), screen.width());
}

// With an angle to dial the window grows to show the values whole, and a click on show
// is shown again when the units or the corrections change.
TEST_F(TrajInfoTest, MetricClickWithCorrectionsFitsAndFollowsTheChoice) {
    plotDefault();
    const int imperialWidth = info().width();
    info().showClick(xAtYards(100));
    session().setUnits(UnitSystem::Metric);
    session().setCorrections(*correctionsNamed("moa"));
    EXPECT_EQ(info().windowTitle().toStdString(), "At 91. Metres:");
    EXPECT_EQ(program->window<frmTarget>().windowTitle().toStdString(), "Target at 91. metres:");
    EXPECT_TRUE(text(info().lblRangeDrop).ends_with(" cm, 2.8 MOA DOWN"));
    EXPECT_GT(info().width(), imperialWidth);
    EXPECT_GE(info().lblRangeDrop->width(), info().fontMetrics().horizontalAdvance(info().lblRangeDrop->text()));

    session().setUnits(UnitSystem::Imperial);
    session().setCorrections(Corrections{});
    EXPECT_EQ(text(info().lblRangeDrop), formatF3(program->state().strike.RStrikeDrop) + " inches");
    EXPECT_EQ(info().width(), imperialWidth);
}

TEST_F(TrajInfoTest, RowCaptionsLineUpWithTheValues) {
    frmTrajInfo& w = info();
    program->show(w);  // frame titles take their room only once the style is settled
    const auto middle = [&w](const QWidget* label) { return label->mapTo(&w, label->rect().center()).y(); };
    EXPECT_NEAR(middle(w.lblDrop), middle(w.lblRangeDrop), 1);
    EXPECT_NEAR(middle(w.lblDeflection), middle(w.lblRangeDeflection), 1);
    EXPECT_NEAR(middle(w.lblEnergy), middle(w.lblFieldEnergy), 1);
    EXPECT_EQ(w.fraRange->title(), "At the range:");
    EXPECT_EQ(w.fraField->title(), "In the field:");
    EXPECT_EQ(w.windowTitle(), "At 100 yds:");
}

}  // namespace
