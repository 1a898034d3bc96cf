#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "Constants.h"
#include "NumberText.h"
#include "RangeCard.h"
#include "Units.h"

using namespace tarnwick;

namespace {

Corrections clicks(double size, AngleUnit unit) {
    Corrections c;
    c.unit = CorrectionUnit::Clicks, c.clickSize = size, c.clickUnit = unit;
    return c;
}

Corrections angles(CorrectionUnit unit) {
    Corrections c;
    c.unit = unit;
    return c;
}

}  // namespace

TEST(Corrections, TrueAnglesRoundedToClicksWithTheDirectionToDial) {
    struct Case {
        Corrections corrections;
        double yards, offset;
        CorrectionAxis axis;
        double amount;  // atan(|offset| / (36 * yards)) in MOA or mrad, or rounded clicks
        std::string direction;
    };
    const auto elevation = CorrectionAxis::Elevation, windage = CorrectionAxis::Windage;
    const Case cases[] = {
        {angles(CorrectionUnit::Moa), 100, -10, elevation, 9.54927202467942, "UP"},
        {angles(CorrectionUnit::Moa), 100, 3, elevation, 2.864788312508796, "DOWN"},
        {angles(CorrectionUnit::Mrad), 500, -100, elevation, 5.555498400692622, "UP"},
        {angles(CorrectionUnit::Mrad), 500, 0, windage, 0, ""},
        {clicks(0.25, AngleUnit::Moa), 1000, 50, windage, 19, "LEFT"},      // 19.099 clicks
        {clicks(0.125, AngleUnit::Moa), 500, -5, windage, 8, "RIGHT"},      // 7.639 clicks
        {clicks(0.1, AngleUnit::Mrad), 1000, -400, elevation, 111, "UP"},   // 111.107 clicks
        {clicks(0.1, AngleUnit::Mrad), 1000, 0.1, elevation, 0, ""},        // 0.028 clicks
    };
    for (const Case& c : cases) {
        const auto correction = c.corrections.correctionFor(c.offset, 3 * c.yards, c.axis);
        ASSERT_TRUE(correction) << c.yards << " yd, " << c.offset << " in";
        EXPECT_NEAR(correction->amount, c.amount, 1e-9) << c.yards << " yd, " << c.offset << " in";
        EXPECT_EQ(correction->direction, c.direction) << c.yards << " yd, " << c.offset << " in";
    }
    EXPECT_FALSE(angles(CorrectionUnit::Moa).correctionFor(-1.5, 0, elevation));
    EXPECT_FALSE(Corrections{}.correctionFor(-10, 300, elevation));
    EXPECT_EQ(correctionCell(-35.36, 3000, elevation, angles(CorrectionUnit::Moa)), "  -35.36 in   3.4 MOA UP  ");
}

TEST(Corrections, NamesOfTheCommandLine) {
    const auto tenth = correctionsNamed("clicks:0.1MRAD");
    ASSERT_TRUE(tenth);
    EXPECT_EQ(tenth->unit, CorrectionUnit::Clicks);
    EXPECT_EQ(tenth->clickSize, 0.1);
    EXPECT_EQ(tenth->clickUnit, AngleUnit::Mrad);
    EXPECT_EQ(correctionsNamed("moa")->unit, CorrectionUnit::Moa);
    for (const char* bad : {"degrees", "clicks:0moa", "clicks:0.25", "clicks:-1mrad", "clicks:moa"})
        EXPECT_FALSE(correctionsNamed(bad)) << bad;
    for (const char* name : {"inches", "moa", "mrad", "clicks:0.25moa", "clicks:0.1mrad", "clicks:0.3moa"})
        EXPECT_EQ(correctionsName(*correctionsNamed(name)), name);
}

TEST(Units, ExactFactorsAndRoundTrips) {
    struct Case {
        Quantity quantity;
        double imperial, metric;
    };
    for (const Case& c : {Case{Quantity::Range, 100, 91.44}, Case{Quantity::Height, 1.5, 3.81},
                          Case{Quantity::Speed, 2800, 853.44}, Case{Quantity::Mass, 168, 10.88621688},
                          Case{Quantity::Energy, 1000, 1355.8179}, Case{Quantity::Temperature, 59, 15},
                          Case{Quantity::Pressure, 29.92, 1013.207888}, Case{Quantity::Distance, 5000, 1524},
                          Case{Quantity::WindSpeed, 10, 4.4704}}) {
        EXPECT_NEAR(shownValue(c.quantity, UnitSystem::Metric, c.imperial), c.metric, 1e-9) << unitName(c.quantity, UnitSystem::Metric);
        EXPECT_NEAR(storedValue(c.quantity, UnitSystem::Metric, c.metric), c.imperial, 1e-9);
        EXPECT_EQ(shownValue(c.quantity, UnitSystem::Imperial, c.imperial), c.imperial);
    }
    EXPECT_EQ(unitSystemNamed("Metric"), UnitSystem::Metric);
    EXPECT_FALSE(unitSystemNamed("si"));
}

TEST(RangeCard, RowsReadTheFlightAndTheTenMphFlightAtExactRanges) {
    for (const auto kind : {BallisticModelKind::Classic, BallisticModelKind::PointMass}) {
        ShotParameters p;
        p.Model = kind;
        p.RCrossWind = 5 * kCrossWindPerMph;
        const RangeCard card = rangeCard(p, {}, RangeList{100, 1000, 50}.yards());
        ASSERT_EQ(card.rows.size(), 19u);
        EXPECT_TRUE(card.failure.empty()) << card.failure;
        EXPECT_EQ(card.crossWindMph, 5);
        const auto flight = makeBallisticModel(p, {})->fly(Conditions::Range, 3000);
        p.RCrossWind = 10 * kCrossWindPerMph;
        const auto windy = makeBallisticModel(p, {})->fly(Conditions::Range, 3000);
        for (std::size_t i = 0; i < card.rows.size(); ++i) {
            const RangeCardRow& row = card.rows[i];
            EXPECT_EQ(row.yards, 100 + 50.0 * static_cast<double>(i));
            const TrajectoryPoint at = flight->at(3 * row.yards);
            EXPECT_EQ(row.point.height, at.height);
            EXPECT_EQ(row.point.drift, at.drift);
            EXPECT_EQ(row.point.speed, at.speed);
            EXPECT_EQ(row.point.energy, at.energy);
            EXPECT_EQ(row.point.time, at.time);
            EXPECT_EQ(row.fullValueDrift, windy->at(3 * row.yards).drift);
        }
        const std::string csv = rangeCardTable(card, angles(CorrectionUnit::Mrad), CardFormat::Csv);
        EXPECT_EQ(csv.substr(0, csv.find('\n')),
                  "Range(yd),Elevation(in),Elevation(mrad),Elevation direction,Wind 5 mph(in),Wind 5 mph(mrad),"
                  "Wind 5 mph direction,Wind 10 mph(in),Wind 10 mph(mrad),Wind 10 mph direction,Speed(ft/s),"
                  "Energy(ft-lbs),Time(s)");
        EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 20);
    }
}

TEST(RangeCard, MetricCardInMetresCentimetresAndTheTrueAngles) {
    ShotParameters p;
    p.RCrossWind = 5 * kCrossWindPerMph;
    const std::vector<double> metres{100, 500, 1000};
    std::vector<double> yards;
    for (const double m : metres) yards.push_back(m / 0.9144);
    const RangeCard card = rangeCard(p, {}, yards, UnitSystem::Metric);
    ASSERT_EQ(card.rows.size(), 3u);
    EXPECT_NEAR(card.fullValueWindMph, 11.18468, 1e-5);  // 5 m/s
    const std::string csv = rangeCardTable(card, angles(CorrectionUnit::Mrad), CardFormat::Csv, UnitSystem::Metric);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "Range(m),Elevation(cm),Elevation(mrad),Elevation direction,Wind 2.2 m/s(cm),Wind 2.2 m/s(mrad),"
              "Wind 2.2 m/s direction,Wind 5 m/s(cm),Wind 5 m/s(mrad),Wind 5 m/s direction,Speed(m/s),Energy(J),Time(s)");
    std::istringstream lines(csv.substr(csv.find('\n') + 1));
    for (std::size_t i = 0; i < metres.size(); ++i) {
        std::string line;
        std::getline(lines, line);
        const double heightCm = card.rows[i].point.height * 2.54;
        // The elevation angle is atan(drop / range), with both in metres.
        const double mrad = std::atan(std::abs(heightCm) / (100 * metres[i])) * 1000;
        const std::size_t thirdComma = line.find(',', line.find(',', line.find(',') + 1) + 1);
        EXPECT_EQ(line.substr(0, thirdComma),
                  plainText(metres[i]) + "," + formatFixed(heightCm, 2) + "," + formatFixed(mrad, 2));
    }
}

TEST(RangeCard, EffectColumnsSplitTheWindageByItsCauses) {
    ShotParameters p;
    p.Model = BallisticModelKind::PointMass;
    p.TwistRate = 10;
    p.BulletLength = 1.24;
    p.Latitude = 45;
    p.WindZones = {{600, 88, 0}, {3000, 176, 0}};
    const RangeCard card = rangeCard(p, {}, {300, 700}, UnitSystem::Imperial, true);
    ASSERT_EQ(card.effects, (std::vector<DriftEffect>{DriftEffect::Wind, DriftEffect::Spin, DriftEffect::Coriolis}));
    ASSERT_EQ(card.rows.size(), 2u);
    ShotParameters plain = p;
    plain.WindZones.clear();
    EXPECT_EQ(card.rows[1].fullValueDrift, rangeCard(plain, {}, {700}).rows[0].fullValueDrift);  // 10 mph, no zones
    for (const RangeCardRow& row : card.rows) {
        const double* share = row.effectDrift;
        EXPECT_NEAR(share[0] + share[1] + share[2], row.point.drift, 1e-9);
        EXPECT_LT(share[0], 0);  // from the right
        EXPECT_GT(share[1], 0);  // right-hand twist
        EXPECT_GT(share[2], 0);  // northern latitude
    }
    const std::string text = rangeCardTable(card, {}, CardFormat::Csv);
    EXPECT_EQ(text.substr(0, text.find('\n')), "Range(yd),Elevation(in),Wind zones(in),Wind 10 mph(in),Wind(in),Spin(in),"
                                               "Coriolis(in),Speed(ft/s),Energy(ft-lbs),Time(s)");
    const std::string heading = rangeCardHeading(p, {}, {});
    EXPECT_NE(heading.find("; wind zones to 200 yards: 5 mph from 3 o'clock, to 1000 yards: 10 mph from 3 o'clock\n"),
              std::string::npos)
        << heading;
    p.Model = BallisticModelKind::Classic;  // neither spin drift nor the earth's rotation, and calm
    EXPECT_TRUE(rangeCard(p, {}, {300}, UnitSystem::Imperial, true).effects.empty());
}
