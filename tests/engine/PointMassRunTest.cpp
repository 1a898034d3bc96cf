#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "BallisticModel.h"
#include "ClickInspection.h"
#include "NumberText.h"
#include "PlotRun.h"
#include "RecordingSurface.h"

using namespace tarnwick;

namespace {

ProgramState pointMass(const char* law, bool huntingMode, bool bigGame) {
    ProgramState s;
    s.params.Model = BallisticModelKind::PointMass;
    s.params.DragFunction = law;
    s.params.BallisticCoefG7 = 0.243;
    s.params.BulletMass = 175;
    s.params.InitialVelocity = 2600;
    s.params.HuntingMode = huntingMode;
    s.params.PBRMode = bigGame;
    s.params.HTemperature = 79;
    s.params.RCrossWind = s.params.HCrossWind = 176;
    s.remembered.LastZeroCrossing = 250;
    return s;
}

struct Ran {
    RunOutcome outcome;
    std::string text;
    ProgramState state;
};

Ran run(ProgramState state, bool huntingOption, RecordingSurface& surface) {
    TextResults results;
    RunInputs inputs;
    inputs.huntingOption = huntingOption;
    Ran r;
    r.outcome = plotRun(state, inputs, surface, results);
    r.text = results.text;
    r.state = std::move(state);
    return r;
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

}  // namespace

TEST(PointMassRun, ReportNamesTheModelAndItsEventsLieOnTheFlight) {
    struct Case {
        const char* law;
        bool huntingMode, bigGame;
        const char* header;
        int lines;  // the classic report's lines and the model line
    };
    const Case cases[] = {{"G1", false, true, "Point Mass Model, G1 Drag Function", 14},
                          {"G7", true, true, "Point Mass Model, G7 Drag Function", 27},
                          {"G7", true, false, "Point Mass Model, G7 Drag Function", 25}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header + std::string(c.huntingMode ? (c.bigGame ? " big game" : " varmint") : " target"));
        RecordingSurface surface(1000, 400);
        ProgramState s = pointMass(c.law, c.huntingMode, c.bigGame);
        s.params.HorizontalScale = 0.5;
        const Ran r = run(s, c.huntingMode, surface);
        ASSERT_TRUE(r.outcome.completed) << r.outcome.message;
        EXPECT_EQ(firstLine(r.text), c.header);
        EXPECT_EQ(std::count(r.text.begin(), r.text.end(), '\n') + 1, c.lines);
        EXPECT_EQ(firstLine(r.state.FirstPageText), c.header);

        // The last pass's events, marks and strike values against the flight itself.
        const Conditions last = c.huntingMode ? Conditions::Hunting : Conditions::Range;
        const auto model = makeBallisticModel(r.state.params, {250, c.huntingMode});
        const auto flight = model->fly(last, 3000);
        const EventResults& e = r.outcome.events;
        EXPECT_NEAR(flight->at(e.cross1).height, 0, 1e-6);
        EXPECT_NEAR(flight->at(e.cross2).height, 0, 1e-6);
        EXPECT_NEAR(flight->at(e.maxRange).height, -r.state.params.MaxDeviation, 1e-6);
        EXPECT_LT(e.cross1, e.peakX);
        EXPECT_LT(e.peakX, e.cross2);
        EXPECT_DOUBLE_EQ(flight->at(e.peakX).height, e.peakY);
        EXPECT_GE(e.peakY, flight->at(e.peakX - 1).height);
        EXPECT_GE(e.peakY, flight->at(e.peakX + 1).height);
        EXPECT_EQ(e.dev25, flight->at(75).height);
        EXPECT_EQ(e.dev100, flight->at(300).height);
        const double strikeDrift = c.huntingMode ? r.state.strike.HStrikeDeflection : r.state.strike.RStrikeDeflection;
        EXPECT_EQ(strikeDrift, flight->at(300).drift);
        EXPECT_LT(strikeDrift, 0);  // a wind from the right

        // The last pass's path runs from the muzzle over points of the flight until it
        // leaves the plot (line of sight at 175, axis at 350, right margin at 925).
        const Rgb colour = c.huntingMode ? colours::HuntingTrajectory : colours::RangeTrajectory;
        const auto lines = surface.opsOfKind(DrawOp::Kind::Line);
        auto op = std::find_if(lines.begin(), lines.end(), [&](const DrawOp& line) {
            return line.pen == colour && line.x1 == 50 && line.y1 == 175 + 32 * 1.5;
        });
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
    const Ran r = run(s, false, surface);
    ASSERT_TRUE(r.outcome.completed) << r.outcome.message;
    const auto flight = makeBallisticModel(r.state.params, {})->fly(Conditions::Range, 900);
    const TrajectoryPoint at100 = flight->at(300);
    EXPECT_NE(r.text.find(dropTableRow(100, at100.height, at100.drift, false)), std::string::npos);
    // The plot's edge is 453 units, 679.5 feet, out: the last row is at 225 yards.
    EXPECT_NE(r.text.find("\r\n0225 yards: drop = "), std::string::npos);
    EXPECT_EQ(r.text.find("\r\n0230 yards"), std::string::npos);
    // A drop chart never rises: no crossing, no peak.
    EXPECT_EQ(r.outcome.events.cross1, 0);
    EXPECT_EQ(r.outcome.events.peakX, 0);
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
    EXPECT_EQ(c.lblRangeDrop, formatF3(range.height) + " inches");
    EXPECT_EQ(c.lblRangeVelocity, formatWholeWithPoint(range.speed) + " feet/sec");
    EXPECT_EQ(c.lblFieldEnergy, formatWholeWithPoint(field.energy) + " ft-lbs");
    EXPECT_EQ(c.lblFieldDeflection, formatF2(field.drift) + " inches");
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
        const char* what;
        void (*change)(ProgramState&);
        const char* message;
        bool reportHeader;  // the model line and the header were written
    };
    const Case cases[] = {
        {"no G7 coefficient", [](ProgramState& s) { s.params.BallisticCoefG7 = 0; }, "G7 ballistic coefficient", true},
        {"turns back on the plot",
         [](ProgramState& s) {
             s.params.LOSAngle = 60;
             s.params.HorizontalScale = 0.2;
             s.params.VerticalScale = 0.001;
         },
         "no longer moves down range", true},
        {"not a number", [](ProgramState& s) { s.params.HTailWind = std::nan(""); }, "the hunting tail wind", false},
        {"Krupp", [](ProgramState& s) { s.params.DragFunction = "Krupp"; }, "G1 and G7 drag laws only", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingSurface surface(5000, 400);
        ProgramState s = pointMass("G7", true, true);
        c.change(s);
        const Ran r = run(s, true, surface);
        EXPECT_FALSE(r.outcome.completed);
        EXPECT_NE(r.outcome.message.find(c.message), std::string::npos) << r.outcome.message;
        EXPECT_EQ(r.text.empty(), !c.reportHeader);
        EXPECT_EQ(surface.ops().empty(), !c.reportHeader);
        EXPECT_EQ(r.text.find("deviation"), std::string::npos);
    }
}
