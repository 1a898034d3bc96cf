#include <gtest/gtest.h>

#include "Comparison.h"
#include "RecordingSurface.h"

using namespace tarnwick;

// Each compared load's path is drawn in its own colour, and the legend names each load
// once, its stroke in that colour.
TEST(Comparison, OneColourAndLegendEntryPerLoad) {
    for (std::size_t count = 1; count <= kMaxComparedLoads; ++count) {
        std::vector<ComparedLoad> loads(count);
        for (std::size_t i = 0; i < count; ++i) {
            loads[i].name = "load " + std::to_string(i);
            loads[i].state.params.InitialVelocity = 2000 + 300 * static_cast<double>(i);
        }
        RecordingSurface surface;
        TextResults results;
        const auto outcomes = compareLoads(loads, surface, results);
        ASSERT_EQ(outcomes.size(), count);
        const auto texts = surface.texts();
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_EQ(std::count(texts.begin(), texts.end(), loads[i].name), 1);
            const auto lines = surface.opsOfKind(DrawOp::Kind::Line);
            EXPECT_GT(std::count_if(lines.begin(), lines.end(), [&](const DrawOp& op) { return op.pen == kComparisonColours[i]; }), 1);
            EXPECT_NE(results.text.find("=== " + loads[i].name + " ===\r\nMuzzle Velocity = " + std::to_string(2000 + 300 * i)),
                      std::string::npos);
        }
    }
}

// The loads' range cards side by side: a column per load, headed by its name, one row per range.
TEST(Comparison, RangeCardShowsEachLoadsElevationSideBySide) {
    std::vector<ComparedLoad> loads(2);
    loads[0].name = "slow", loads[1].name = "fast";
    loads[1].state.params.InitialVelocity = 3000;
    const std::string card = comparedRangeCard(loads, {100, 200}, *correctionsNamed("moa"));
    const std::string heading = card.substr(0, card.find('\n'));
    EXPECT_EQ(heading.rfind("Range (yd)", 0), 0u);
    EXPECT_LT(heading.find(" slow "), heading.find(" fast")) << heading;
    EXPECT_EQ(std::count(card.begin(), card.end(), '\n'), 3);
    EXPECT_NE(card.find("\n       200"), std::string::npos) << card;
}
