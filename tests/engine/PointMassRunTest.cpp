#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "BallisticModel.h"
#include "ClickInspection.h"
#include "NumberText.h"
#include "PlotRun.h"
#include "RecordingSurface.h"

using namespace tarnwick;

namespace {

// A 175 gr bullet at 2,600 ft/s, G7 0.243, a 10 mph wind from the right; Varmint zero 250 yards.
ProgramState pointMass(const char* law, bool huntingMode, bool bigGame) {
    ProgramState s;
    ShotParameters& p = s.params;
    p.Model = BallisticModelKind::PointMass;
    p.DragFunction = law;
    p.BallisticCoefG7 = 0.243, p.BulletMass = 175, p.InitialVelocity = 2600;
    p.HuntingMode = huntingMode, p.PBRMode = bigGame;
    p.HTemperature = 79;
    p.RCrossWind = p.HCrossWind = 176;
    s.remembered.LastZeroCrossing = 250;
    return s;
}

RunOutcome run(ProgramState& state, bool huntingOption, RecordingSurface& surface, std::string& text,
               RunInputs inputs = {}) {
    TextResults results;
    inputs.huntingOption = huntingOption;
    const RunOutcome outcome = plotRun(state, inputs, surface, results);
    text = results.text;
    return outcome;
}

}  // namespace

TEST(PointMassRun, ReportNamesTheModelAndItsEventsLieOnTheFlight) {
    struct Case {
        const char* law;
        bool huntingMode, bigGame;
        long lines;  // the classic report's lines, the model line and the density altitudes
    };
    for (const Case& c : {Case{"G1", false, true, 15}, Case{"G7", true, true, 29}, Case{"G7", true, false, 27}}) {
        SCOPED_TRACE(std::string(c.law) + (c.huntingMode ? (c.bigGame ? " big game" : " varmint") : " target"));
        RecordingSurface surface(1000, 400);
        ProgramState s = pointMass(c.law, c.huntingMode, c.bigGame);
        s.params.HorizontalScale = 0.5;
        std::string text;
        const RunOutcome outcome = run(s, c.huntingMode, surface, text);
        ASSERT_TRUE(outcome.completed) << outcome.message;
        EXPECT_EQ(s.FirstPageText.substr(0, 35), std::string("Point Mass Model, ") + c.law + " Drag Function\r");
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n') + 1, c.lines);
        EXPECT_EQ(s.SecondPageText.find("\r\nHunting density altitude = ") != std::string::npos, c.huntingMode);

        // The last pass's events and 100-yard values against its flight.
        const auto flight = makeBallisticModel(s.params, {250, c.huntingMode})
                                ->fly(c.huntingMode ? Conditions::Hunting : Conditions::Range, 3000);
        const EventResults& e = outcome.events;
        EXPECT_NEAR(flight->at(e.cross1).height, 0, 1e-6);
        EXPECT_NEAR(flight->at(e.cross2).height, 0, 1e-6);
        EXPECT_NEAR(flight->at(e.maxRange).height, -s.params.MaxDeviation, 1e-6);
        EXPECT_DOUBLE_EQ(flight->at(e.peakX).height, e.peakY);
        EXPECT_GE(e.peakY, std::max(flight->at(e.peakX - 1).height, flight->at(e.peakX + 1).height));
        EXPECT_TRUE(e.cross1 < e.peakX && e.peakX < e.cross2);
        EXPECT_EQ(e.dev100, flight->at(300).height);
        EXPECT_EQ(e.metricDev100, flight->at(100 / 0.3048).height);
        EXPECT_EQ(c.huntingMode ? s.strike.HStrikeDeflection : s.strike.RStrikeDeflection, flight->at(300).drift);

        // The last pass's path runs from the muzzle over points of the flight until it
        // leaves the plot (line of sight at 175, axis at 350, right margin at 925).
        const Rgb colour = c.huntingMode ? colours::HuntingTrajectory : colours::RangeTrajectory;
        const auto lines = surface.opsOfKind(DrawOp::Kind::Line);
        auto op = std::find_if(lines.begin(), lines.end(),
                               [&](const DrawOp& l) { return l.pen == colour && l.x1 == 50 && l.y1 == 175 + 48; });
        int drawn = 0;
        for (; op != lines.end() && op->pen == colour; ++op, ++drawn)
            EXPECT_NEAR(op->y2, 175 - flight->at((op->x2 - 50) / 0.5).height * 32, 1e-6);
        ASSERT_GT(drawn, 100);
        EXPECT_TRUE((op - 1)->x2 >= 925 || (op - 1)->y2 >= 350);
    }
}

TEST(PointMassRun, DropTableReadsTheFlightEveryFiveYardsOnThePlot) {
    RecordingSurface surface;
    ProgramState s = pointMass("G1", false, false);
    s.params.DropTable = 1;
    s.params.ScopeHeight = s.params.MaxDeviation = 0;
    s.params.VerticalScale = 1;
    std::string text;
    ASSERT_TRUE(run(s, false, surface, text).completed);
    const TrajectoryPoint at100 = makeBallisticModel(s.params, {})->fly(Conditions::Range, 300)->at(300);
    EXPECT_NE(text.find(dropTableRow(100, at100.height, at100.drift, false)), std::string::npos);
    // The plot's edge is 453 units, 679.5 feet, out: the last row is at 225 yards.
    EXPECT_NE(text.find("\r\n0225 yards: drop = "), std::string::npos);
    EXPECT_EQ(text.find("\r\n0230 yards"), std::string::npos);

    // In metric a row every 5 m, here with the MOA to dial: the last at 205 m (672.6 ft).
    RunInputs metric;
    metric.units = UnitSystem::Metric;
    metric.corrections.unit = CorrectionUnit::Moa;
    ASSERT_TRUE(run(s, false, surface, text, metric).completed);
    const double feet = 100 / 0.3048;
    const TrajectoryPoint at100m = makeBallisticModel(s.params, {})->fly(Conditions::Range, feet)->at(feet);
    EXPECT_NE(text.find(dropTableRow(100, at100m.height, at100m.drift, false, UnitSystem::Metric) +
                        dropRowCorrections(feet, at100m.height, at100m.drift, metric.corrections)),
              std::string::npos);
    EXPECT_NE(text.find("\r\n0205 metres: drop = "), std::string::npos);
    EXPECT_EQ(text.find("\r\n0210 metres"), std::string::npos);
}

TEST(PointMassRun, ClickReadsTheFlightAtTheClickedRange) {
    ProgramState s = pointMass("G7", true, true);
    s.params.YAxis = 50;
    const ClickInspection c = inspectClick(s.params, s.remembered, true, 250, StrikeValues{});
    ASSERT_FALSE(c.failed) << c.problem;
    const auto model = makeBallisticModel(s.params, {250, true});
    const double x = 200 / s.params.HorizontalScale;  // 300 feet
    const TrajectoryPoint range = model->fly(Conditions::Range, x)->at(x);
    const TrajectoryPoint field = model->fly(Conditions::Hunting, x)->at(x);
    EXPECT_EQ(c.caption, "At 100. Yards:");
    EXPECT_EQ(c.targetCaption, "Hunting Target at 100. yards:");
    EXPECT_EQ(c.lblRangeVelocity, formatWholeWithPoint(range.speed) + " feet/sec");
    EXPECT_EQ(c.lblFieldEnergy, formatWholeWithPoint(field.energy) + " ft-lbs");
    EXPECT_EQ(c.strike.RStrikeDrop, range.height);
    EXPECT_EQ(c.strike.HStrikeDeflection, field.drift);

    // A flight that ends before the click shows where it ended and why.
    s.params.LOSAngle = 60;
    const ClickInspection far = inspectClick(s.params, s.remembered, false, 50 + 12000 * s.params.HorizontalScale, {});
    EXPECT_NE(far.caption.find("(stopped short: the bullet no longer moves down range.)"), std::string::npos)
        << far.caption;
}

TEST(PointMassRun, FailuresKeepWhatWasDrawnAndSayWhy) {
    struct Case {
        void (*change)(ShotParameters&);
        const char* message;
        bool drawn;  // the frame, the model line and the header
    };
    const Case cases[] = {
        {[](ShotParameters& p) { p.BallisticCoefG7 = 0; }, "G7 ballistic coefficient", true},
        {[](ShotParameters& p) { p.LOSAngle = 60, p.HorizontalScale = 0.2, p.VerticalScale = 0.001; },
         "no longer moves down range", true},  // turns back on the plot
        {[](ShotParameters& p) { p.HTailWind = std::nan(""); }, "the hunting tail wind", false},
        {[](ShotParameters& p) { p.DragFunction = "Krupp"; }, "G1 and G7 drag laws only", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        RecordingSurface surface(5000, 400);
        ProgramState s = pointMass("G7", true, true);
        c.change(s.params);
        std::string text;
        const RunOutcome outcome = run(s, true, surface, text);
        EXPECT_NE(outcome.message.find(c.message), std::string::npos) << outcome.message;
        EXPECT_EQ(!text.empty() && !surface.ops().empty(), c.drawn);
        EXPECT_EQ(text.find("deviation"), std::string::npos);
    }
}
