#include <gtest/gtest.h>

#include <algorithm>

#include "ClassicModel.h"
#include "PlotRun.h"
#include "RangeTable.h"

using namespace tarnwick;

TEST(RangeTable, RangesRunFromStartToEndDespiteRounding) {
    struct Case {
        RangeList list;
        std::size_t count;
        double last;
    };
    const Case cases[] = {{{100, 1000, 100}, 10, 1000}, {{0, 1, 0.1}, 11, 1.0}, {{5, 5, 1}, 1, 5}, {{0, 10, 3}, 4, 9}};
    for (const Case& c : cases) {
        const auto yards = c.list.yards();
        ASSERT_EQ(yards.size(), c.count) << c.list.start << ":" << c.list.end << ":" << c.list.step;
        EXPECT_NEAR(yards.back(), c.last, 1e-9);
    }
}

TEST(RangeTable, StopsWhereTheFlightEndsAndSaysWhy) {
    ShotParameters p;
    p.Model = BallisticModelKind::PointMass;
    p.LOSAngle = 60;  // steeply uphill: the default bullet turns back after about 1,100 yards
    const auto model = makeBallisticModel(p, {});
    const RangeTable table = rangeTable(*model, Conditions::Range, RangeList{0, 5000, 500}.yards());
    EXPECT_GE(table.rows.size(), 2u);
    EXPECT_LT(table.rows.size(), 11u);
    EXPECT_NE(table.failure.find("no longer moves down range"), std::string::npos) << table.failure;
    EXPECT_EQ(rangeTableHeader(), "Range(yd)  Height(in)  Drift(in)  Speed(ft/s)  Energy(ft-lbs)  Time(s)");
    EXPECT_EQ(rangeTableRow(table.rows.front()), "        0      -1.500      0.000       2000.0             888   0.0000");
}

TEST(ClassicModel, FliesTheStepsOfThePlotRun) {
    // The step that passes 300 feet carries the plot run's 100-yard deviation and strike
    // values, in every way of sighting in.
    struct Case {
        bool hunting, bigGame;
        double zeroYards, fieldWarmer;
    };
    for (const Case& c : {Case{false, true, 0, 0}, Case{true, false, 250, 20}, Case{true, true, 0, 30}}) {
        ProgramState state;
        state.params.HuntingMode = c.hunting;
        state.params.PBRMode = c.bigGame;
        state.params.HTemperature += c.fieldWarmer;
        state.params.RCrossWind = 100, state.params.HCrossWind = 50;
        state.remembered.LastZeroCrossing = c.zeroYards;
        RunInputs inputs;
        inputs.huntingOption = c.hunting;
        NullSurface surface(2000, 400);
        TextResults results;
        ASSERT_TRUE(plotRun(state, inputs, surface, results).completed);

        const ClassicModel model(state.params, {c.zeroYards, c.hunting});
        const auto stepPast300 = [](const Trajectory& t) {
            return *std::find_if(t.steps().begin(), t.steps().end(), [](const TrajectoryPoint& s) { return s.range >= 300; });
        };
        const TrajectoryPoint range = stepPast300(*model.fly(Conditions::Range, 400));
        EXPECT_EQ(range.height, state.strike.RStrikeDrop);
        EXPECT_EQ(range.drift, state.strike.RStrikeDeflection);
        if (!c.hunting) continue;
        const TrajectoryPoint field = stepPast300(*model.fly(Conditions::Hunting, 400));
        EXPECT_EQ(field.height, state.strike.HStrikeDrop);
        EXPECT_EQ(field.drift, state.strike.HStrikeDeflection);
    }
}
