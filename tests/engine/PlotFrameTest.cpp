#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "PlotFrame.h"
#include "RecordingSurface.h"

using namespace tarnwick;

namespace {

ShotParameters framed() {
    ShotParameters p;
    p.YAxis = 50;
    p.XAxis = 238;
    return p;
}

// x positions of the range ticks: vertical lines ending on the horizontal axis row.
std::vector<double> rangeTicks(const RecordingSurface& s) {
    std::vector<double> xs;
    for (const DrawOp& op : s.opsOfKind(DrawOp::Kind::Line))
        if (op.x1 == op.x2 && op.y2 == s.height() - 50 && op.x1 != 50) xs.push_back(op.x1);
    return xs;
}

bool hasText(const RecordingSurface& s, const std::string& text, double x, double y) {
    for (const DrawOp& op : s.opsOfKind(DrawOp::Kind::Text))
        if (op.text == text && op.x1 == x && op.y1 == y) return true;
    return false;
}

}  // namespace

TEST(PlotAxis, DefaultFrame) {
    RecordingSurface s(578, 288);
    const ShotParameters p = framed();
    PlotAxis(s, p, 119, false);
    const auto lines = s.opsOfKind(DrawOp::Kind::Line);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].x1, 50); EXPECT_EQ(lines[0].y1, 0); EXPECT_EQ(lines[0].y2, 238);
    EXPECT_EQ(lines[1].x2, 503); EXPECT_EQ(lines[1].y2, 238);
    EXPECT_EQ(lines[2].penStyle, PenStyle::Dotted);  // line of sight
    EXPECT_EQ(lines[2].y1, 119);
    // Eye centred on the line of sight in the left margin; barrel 1.5 inches below.
    const auto eye = s.opsOfKind(DrawOp::Kind::ShowEye);
    ASSERT_EQ(eye.size(), 1u);
    EXPECT_EQ(eye[0].x1, 9); EXPECT_EQ(eye[0].y1, 103);
    const auto barrel = s.opsOfKind(DrawOp::Kind::Rectangle);
    ASSERT_EQ(barrel.size(), 1u);
    EXPECT_EQ(barrel[0].x1, 12.5); EXPECT_EQ(barrel[0].y1, 119 + 48 - 5);
    EXPECT_EQ(barrel[0].x2, 53);   EXPECT_EQ(barrel[0].y2, 119 + 48 + 5);
    // Range labels every 25 yards, 50 units apart, with a leading blank.
    const auto ticks = rangeTicks(s);
    ASSERT_FALSE(ticks.empty());
    EXPECT_NEAR(ticks[0], 100, 1e-9);
    EXPECT_NEAR(ticks[1], 150, 1e-9);
    EXPECT_LE(ticks.back(), 503);
    EXPECT_TRUE(hasText(s, " 25", ticks[0] - 10, 240));
    EXPECT_TRUE(hasText(s, "Yards", 269, 263));
    // Height marks every inch: -1 and +1 first.
    EXPECT_TRUE(hasText(s, "-1", 15, 119 + 32 - 10));
    EXPECT_TRUE(hasText(s, "+1", 15, 119 - 32 - 10));
    EXPECT_FALSE(hasText(s, "-4", 15, 119 + 128 - 10)) << "119 + 4 * 32 reaches the axis";
    // Point-blank band at +/- 3 inches, dash-dot-dot.
    int band = 0;
    for (const DrawOp& op : s.opsOfKind(DrawOp::Kind::Line))
        if (op.penStyle == PenStyle::DashDotDot && (op.y1 == 119 - 96 || op.y1 == 119 + 96)) ++band;
    EXPECT_EQ(band, 2);
}

TEST(PlotAxis, RangeStepFollowsTheHorizontalScale) {
    const struct { double scale; double stepFeet; } cases[] = {
        {2.0 / 3, 75}, {1, 75}, {1.0001, 30}, {5, 30}, {5.5, 15}, {0.5, 300}, {0.51, 75},
    };
    for (const auto& c : cases) {
        RecordingSurface s(578, 288);
        ShotParameters p = framed();
        p.HorizontalScale = c.scale;
        PlotAxis(s, p, 119, false);
        const auto ticks = rangeTicks(s);
        ASSERT_FALSE(ticks.empty()) << c.scale;
        EXPECT_NEAR(ticks[0], 50 + c.stepFeet * c.scale, 1e-9) << c.scale;
    }
}

TEST(PlotAxis, HeightStepTwelveInchesBelowScaleTen) {
    RecordingSurface s(578, 288);
    ShotParameters p = framed();
    p.VerticalScale = 9.99;
    PlotAxis(s, p, 50, false);
    EXPECT_TRUE(hasText(s, "-12", 15, 50 + 12 * 9.99 - 10));
    EXPECT_TRUE(hasText(s, "+12", 15, 50 - 12 * 9.99 - 10)) << "marks above are drawn even off the canvas";
    EXPECT_FALSE(hasText(s, "-1", 15, 50 + 9.99 - 10));
}

TEST(PlotAxis, MetricLabelsMetresAndCentimetresAtRoundSteps) {
    const struct { double horizontal, vertical; const char* firstRange; int cm; } cases[] = {
        {1, 32, " 25", 1}, {6, 12, " 5", 5}, {0.5, 2, " 100", 20},  // 1 cm is 12.6 units at scale 32, 20 cm 15.7 at 2
    };
    for (const auto& c : cases) {
        RecordingSurface s(578, 288);
        ShotParameters p = framed();
        p.HorizontalScale = c.horizontal, p.VerticalScale = c.vertical;
        PlotAxis(s, p, 119, false, UnitSystem::Metric);
        const double firstFeet = std::stod(c.firstRange) / 0.3048, cmHeight = c.cm / 2.54 * c.vertical;
        const auto ticks = rangeTicks(s);
        ASSERT_FALSE(ticks.empty()) << c.horizontal;
        EXPECT_NEAR(ticks[0], 50 + firstFeet * c.horizontal, 1e-9) << c.horizontal;
        EXPECT_TRUE(hasText(s, c.firstRange, ticks[0] - 10, 240)) << c.horizontal;
        EXPECT_TRUE(hasText(s, "Metres", 269, 263));
        // The third mark: the first ones may lie beside the eye.
        EXPECT_TRUE(hasText(s, "-" + std::to_string(3 * c.cm), 15, 119 + 3 * cmHeight - 10)) << c.vertical;
    }
}

TEST(PlotAxis, PlainDropChartHasNoEyeBarrelOrBand) {
    RecordingSurface s(578, 288);
    ShotParameters p = framed();
    p.ScopeHeight = 0;
    p.MaxDeviation = 0;
    p.PBRMode = false;
    PlotAxis(s, p, 50, false);
    EXPECT_FALSE(s.eyeVisible());
    EXPECT_TRUE(hasText(s, "0", 23, 40));
    EXPECT_TRUE(s.opsOfKind(DrawOp::Kind::Rectangle).empty());
    for (const DrawOp& op : s.opsOfKind(DrawOp::Kind::Line)) EXPECT_NE(op.penStyle, PenStyle::DashDotDot);
}

TEST(PlotAxis, BandLeftOutWhenItWouldNotFit) {
    RecordingSurface s(578, 288);
    ShotParameters p = framed();
    p.MaxDeviation = 3.7;  // 32 * 3.7 * 2 + 50 = 286.8 < 288: drawn
    PlotAxis(s, p, 119, false);
    int band = 0;
    for (const DrawOp& op : s.opsOfKind(DrawOp::Kind::Line)) band += op.penStyle == PenStyle::DashDotDot;
    EXPECT_EQ(band, 2);
    RecordingSurface t(578, 288);
    p.MaxDeviation = 3.75;  // 290 >= 288: left out
    PlotAxis(t, p, 119, false);
    for (const DrawOp& op : t.opsOfKind(DrawOp::Kind::Line)) EXPECT_NE(op.penStyle, PenStyle::DashDotDot);
}

TEST(PlotAxis, GridLinesRunFromTheTopInLightGrey) {
    RecordingSurface s(578, 288);
    PlotAxis(s, framed(), 119, true);
    bool gridRange = false, gridHeight = false;
    for (const DrawOp& op : s.opsOfKind(DrawOp::Kind::Line)) {
        if (op.pen == colours::LightGrey && op.x1 == op.x2 && op.y1 == 0 && op.penStyle == PenStyle::Dotted) gridRange = true;
        if (op.pen == colours::LightGrey && op.y1 == op.y2 && op.x2 == 503) gridHeight = true;
    }
    EXPECT_TRUE(gridRange);
    EXPECT_TRUE(gridHeight);
}

TEST(PlotAxis, TinyOrZeroScalesFinish) {
    for (double scale : {0.0, 1e-12, -3.0}) {
        RecordingSurface s(578, 288);
        ShotParameters p = framed();
        p.VerticalScale = scale;
        p.HorizontalScale = scale;
        PlotAxis(s, p, 119, false);  // must return: the counters stop at the 16-bit limit
        SUCCEED();
    }
}

// No label sits under the eye picture or runs into the energy scale's title, and the top
// label of a tall canvas is whole on it or left out.
TEST(PlotAxis, LabelsStayClearOfTheEyeAndTheCurveTitleAndOnTheCanvas) {
    const auto box = [](const DrawOp& op) {  // NullSurface text: 7 units a character, 13 high
        return std::array<double, 4>{op.x1, op.y1, op.x1 + 7.0 * op.text.size(), op.y1 + 13};
    };
    const auto meet = [](std::array<double, 4> a, std::array<double, 4> b) {
        return a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];
    };
    RecordingSurface s(578, 288);
    ShotParameters p = framed();
    p.VerticalScale = 1;  // 12-inch marks, the inner ones beside the eye
    const double rangeLabelsEnd = PlotAxis(s, p, 119, false);
    drawCurveScale(s, p, p.BulletMass / kGrainsPerSlug, true, false, rangeLabelsEnd);
    const auto texts = s.opsOfKind(DrawOp::Kind::Text);
    const auto lastRange = std::find_if(texts.begin(), texts.end(), [](const DrawOp& op) { return op.text == " 225"; });
    ASSERT_NE(lastRange, texts.end());
    EXPECT_EQ(rangeLabelsEnd, box(*lastRange)[2]);
    for (const DrawOp& op : texts) {
        EXPECT_FALSE(meet(box(op), {9, 103, 41, 135})) << op.text << " under the eye";
        const bool title = op.text == "Energy" || op.text == "(ft-lbs)";
        EXPECT_FALSE(title && meet(box(op), box(*lastRange))) << op.text;
    }
    EXPECT_TRUE(hasText(s, "-24", 15, 119 + 16)) << "moved just below the eye";

    RecordingSurface tall(578, 700);
    p = framed();
    p.XAxis = 650;
    PlotAxis(tall, p, 325, false);
    EXPECT_TRUE(hasText(tall, "+10", 15, 0)) << "its tick is 5 units from the top";
    RecordingSurface metric(578, 288);
    PlotAxis(metric, framed(), 119, false, UnitSystem::Metric);
    const auto shown = metric.texts();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "+9"), 0) << "at the top edge it would lie on +8";
}

TEST(CurveScale, VelocityMappingAndTicks) {
    RecordingSurface s(578, 288);
    ShotParameters p = framed();
    p.InitialVelocity = 3000;
    const CurveScale c = drawCurveScale(s, p, p.BulletMass / kGrainsPerSlug, false, true);
    EXPECT_EQ(c.kind, CurveScale::Kind::Velocity);
    EXPECT_DOUBLE_EQ(c.scale, 188.0 / 2500);
    EXPECT_TRUE(c.curveDrawn);
    // 0.0752 < 0.0768: ticks every 500 ft/s, labelled from 1000.
    EXPECT_TRUE(hasText(s, " 1000", 523, 238 - 500 * c.scale - 10));
    EXPECT_TRUE(hasText(s, "Velocity", 513, 228));
    const auto lines = s.opsOfKind(DrawOp::Kind::Line);
    EXPECT_EQ(lines[0].pen, colours::Green);
    EXPECT_EQ(lines[0].x1, 503);
    EXPECT_EQ(lines[0].y2, 0);
}

TEST(CurveScale, EnergyTicksAndTheSmallScaleCutOff) {
    RecordingSurface s(578, 288);
    ShotParameters p = framed();
    p.InitialVelocity = 2000;
    p.BulletMass = 100;
    const double k = p.BulletMass / kGrainsPerSlug;
    const CurveScale c = drawCurveScale(s, p, k, true, false);
    EXPECT_EQ(c.kind, CurveScale::Kind::Energy);
    EXPECT_DOUBLE_EQ(c.scale, 2 * 188.0 / (k * 2000 * 2000));
    EXPECT_TRUE(c.curveDrawn);  // about 0.21: 200 ft-lb ticks
    EXPECT_TRUE(hasText(s, " 200", 523, 238 - 200 * c.scale - 10));

    RecordingSurface big(578, 288);
    p.BulletMass = 500;
    p.InitialVelocity = 4000;
    const CurveScale small = drawCurveScale(big, p, p.BulletMass / kGrainsPerSlug, true, false);
    EXPECT_LT(small.scale, 0.03072);
    EXPECT_FALSE(small.curveDrawn);
    EXPECT_EQ(big.opsOfKind(DrawOp::Kind::Line).size(), 1u) << "only the axis line";
    EXPECT_TRUE(big.texts().empty());
}

TEST(CurveScale, SlowMuzzleVelocityLeavesTheCurveOut) {
    for (double v : {500.0, 400.0}) {
        RecordingSurface s(578, 288);
        ShotParameters p = framed();
        p.InitialVelocity = v;
        EXPECT_FALSE(drawCurveScale(s, p, p.BulletMass / kGrainsPerSlug, false, true).curveDrawn) << v;
    }
}

TEST(GravityIndicator, HangsDownOnTheLevelAndSwingsLeftUphill) {
    RecordingSurface s(578, 288);
    ShotParameters p;
    drawGravityIndicator(s, p);
    auto line = s.opsOfKind(DrawOp::Kind::Line).at(0);
    EXPECT_EQ(line.x1, 378); EXPECT_EQ(line.y1, 10);
    EXPECT_EQ(line.x2, 378); EXPECT_EQ(line.y2, 110);
    EXPECT_EQ(line.pen, colours::Blue);
    const auto ball = s.opsOfKind(DrawOp::Kind::Circle).at(0);
    EXPECT_EQ(ball.x2, 5);
    EXPECT_EQ(ball.fillStyle, FillStyle::Solid);
    EXPECT_EQ(ball.fill, colours::Blue);

    RecordingSurface up(578, 288);
    p.LOSAngle = 90;
    drawGravityIndicator(up, p);
    line = up.opsOfKind(DrawOp::Kind::Line).at(0);
    EXPECT_NEAR(line.x2, 278, 1e-6);
    EXPECT_NEAR(line.y2, 10, 1e-6);
}
