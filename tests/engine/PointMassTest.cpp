#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

#include "AirDensity.h"
#include "Flight.h"
#include "PointMassModel.h"
#include "RangeTable.h"

using namespace tarnwick;

namespace {

// A .308 load: 175 gr at 2,600 ft/s, G7 0.243, 100-yard zero, dry air at 59 deg F and 29.92 inHg.
ShotParameters g7Load() {
    ShotParameters p;
    p.Model = BallisticModelKind::PointMass;
    p.DragFunction = "G7";
    p.BallisticCoefG7 = 0.243;
    p.BulletMass = 175;
    p.InitialVelocity = 2600;
    p.HuntingMode = true;
    p.PBRMode = false;
    p.BarometricPressure = p.HBarometricPressure = 29.92;
    p.RelHumidity = p.HRelHumidity = 0;
    return p;
}

// A multi-band G1 bullet (Sierra style) at 2,900 ft/s with wind, a slope and thin warm air.
ShotParameters bandedG1() {
    ShotParameters p;
    p.Model = BallisticModelKind::PointMass;
    p.BallisticCoefLow = 0.410, p.BallisticCoefMid = 0.440, p.BallisticCoefHigh = 0.462;
    p.BCBreakLow = 1800, p.BCBreakHigh = 2500;
    p.InitialVelocity = 2900;
    p.Altitude = 5000, p.Temperature = 90, p.RelHumidity = 50;
    p.RCrossWind = 176, p.RTailWind = -14.7;  // 10 mph from the right, 10 mph head wind
    p.LOSAngle = 15;
    return p;
}

// A slow bullet that goes through the sound barrier on the way.
ShotParameters slowG1() {
    ShotParameters p;
    p.Model = BallisticModelKind::PointMass;
    p.BallisticCoefLow = p.BallisticCoefMid = p.BallisticCoefHigh = 0.15;
    p.InitialVelocity = 1300;
    p.Temperature = 10;
    return p;
}

}  // namespace

TEST(StandardDrag, CompiledTablesAreTheCsvFiles) {
    for (const auto& [law, file] : {std::pair{StandardDragLaw::G1, "drag-g1.csv"}, {StandardDragLaw::G7, "drag-g7.csv"}}) {
        std::ifstream csv(std::string(TARNWICK_DATA_DIR) + "/" + file);
        std::string line;
        std::getline(csv, line);
        std::size_t row = 0;
        const auto table = standardDragTable(law);
        while (std::getline(csv, line)) {
            ASSERT_LT(row, table.size()) << file;
            EXPECT_EQ(table[row].mach, std::stod(line)) << file << " row " << row;
            EXPECT_EQ(table[row].cd, std::stod(line.substr(line.find(',') + 1))) << file << " row " << row;
            ++row;
        }
        EXPECT_EQ(row, table.size()) << file;
    }
}

TEST(StandardDrag, CurveHitsEveryPointAndNeverLeavesItsNeighbours) {
    for (const auto law : {StandardDragLaw::G1, StandardDragLaw::G7}) {
        const auto table = standardDragTable(law);
        const DragCurve& curve = standardDragCurve(law);
        for (std::size_t i = 0; i < table.size(); ++i) {
            EXPECT_NEAR(curve.cd(table[i].mach), table[i].cd, 1e-12) << "Mach " << table[i].mach;
            if (i + 1 == table.size()) break;
            for (const double f : {0.25, 0.5, 0.75}) {  // monotone cubic: no overshoot
                const double m = table[i].mach + f * (table[i + 1].mach - table[i].mach);
                EXPECT_GE(curve.cd(m), std::min(table[i].cd, table[i + 1].cd) - 1e-12) << "Mach " << m;
                EXPECT_LE(curve.cd(m), std::max(table[i].cd, table[i + 1].cd) + 1e-12) << "Mach " << m;
            }
        }
        EXPECT_EQ(curve.cd(7.5), table.back().cd);  // beyond Mach 5 the last value holds
        EXPECT_EQ(curve.cd(-1), table.front().cd);
    }
}

TEST(AirDensity, StandardAirAndWorkedValues) {
    struct Case {
        double altitude, pressure, temperature, humidity, ratio, sound;
    };
    const Case cases[] = {
        {0, 29.92, 59, 0, 1.0, 1116.45},
        {0, 29.92, 100, 0, 518.67 / 559.67, 49.0223 * std::sqrt(559.67)},
        {8000, 29.92, 59, 0, 0.742780, 1116.45},   // standard atmosphere tables: 0.7428 at 8,000 ft
        {0, 29.92, 59, 100, 0.993650, 1116.45},    // vapour 17.02 hPa at 15 deg C
        {0, 29.53, 59, 0, 29.53 / 29.92, 1116.45},
    };
    for (const Case& c : cases) {
        const Air air = airFor(c.altitude, c.pressure, c.temperature, c.humidity, "range");
        EXPECT_NEAR(air.densityRatio, c.ratio, 2e-6) << c.altitude << " ft, " << c.temperature << " F, " << c.humidity << " %";
        EXPECT_NEAR(air.speedOfSound, c.sound, 0.01);
    }
    const std::pair<Case, const char*> refused[] = {
        {{0, 29.92, 59, -1, 0, 0}, "humidity must be between 0 and 100"},
        {{0, 29.92, 59, 101, 0, 0}, "humidity must be between 0 and 100"},
        {{0, 29.92, -459.67, 0, 0, 0}, "absolute zero"},
        {{0, 0, 59, 0, 0, 0}, "no density"},
        {{200000, 29.92, 59, 0, 0, 0}, "no density"},
    };
    for (const auto& [c, message] : refused) {
        try {
            airFor(c.altitude, c.pressure, c.temperature, c.humidity, "hunting");
            ADD_FAILURE() << message;
        } catch (const NumericFailure& failure) {
            EXPECT_NE(std::string(failure.what()).find(message), std::string::npos) << failure.what();
            EXPECT_NE(std::string(failure.what()).find("hunting"), std::string::npos) << failure.what();
        }
    }
}

TEST(PointMassFlight, WithoutDragFollowsTheClosedForm) {
    // x = V cos(q) t - g sin(a) t^2 / 2 and y = -h + V sin(q) t - g cos(a) t^2 / 2 along and
    // across a line of sight sloped by a, for launch angle q above it.
    for (const double slope : {0.0, 30.0, -20.0}) {
        const ShotParameters p = g7Load();
        PointMassShot shot = pointMassShot(p, Conditions::Range);
        shot.dragLow = shot.dragMid = shot.dragHigh = 0;
        const double a = slope * 3.141592653589793 / 180, q = 0.01, v = shot.muzzleVelocity;
        shot.gravity = {-kGravityFeet * std::sin(a), -kGravityFeet * std::cos(a), 0};
        for (const double x : {300.0, 1234.5, 3000.0}) {
            const double gx = kGravityFeet * std::sin(a), vx = v * std::cos(q);
            const double t = gx == 0 ? x / vx : (vx - std::sqrt(vx * vx - 2 * gx * x)) / gx;
            const FlightState s = flyToRange(shot, q, x).value();
            EXPECT_NEAR(s.t, t, 1e-9) << slope << " deg, " << x << " ft";
            EXPECT_NEAR(s.r.y * 12, -p.ScopeHeight + 12 * (v * std::sin(q) * t - kGravityFeet * std::cos(a) * t * t / 2), 1e-6);
            EXPECT_NEAR(s.v.x, vx - gx * t, 1e-9);
        }
    }
}

TEST(PointMassSightIn, ZeroAndPeakAreWhereTheyWereAskedFor) {
    struct Case {
        const char* name;
        ShotParameters params;
        bool varmint;
        double zeroYards;
    };
    const Case cases[] = {{"G7 .308", g7Load(), true, 100},   {"banded G1", bandedG1(), true, 300},
                          {"slow G1", slowG1(), true, 150},   {"G7 .308", g7Load(), false, 0},
                          {"banded G1", bandedG1(), false, 0}, {"slow G1", slowG1(), false, 0}};
    for (const Case& c : cases) {
        ShotParameters p = c.params;
        p.HuntingMode = c.varmint;
        p.PBRMode = !c.varmint;
        const PointMassModel model(p, {c.zeroYards, false});
        const auto flight = model.fly(Conditions::Range, 3 * 400);
        if (c.varmint) {
            EXPECT_NEAR(flight->at(3 * c.zeroYards).height, 0, 0.01) << c.name;
            continue;
        }
        double peak = -1e9;  // the highest point, looked for a foot at a time
        for (double x = 0; x <= 3 * 400; x += 1) peak = std::max(peak, flight->at(x).height);
        EXPECT_NEAR(peak, p.MaxDeviation, 0.01) << c.name;
    }
}

TEST(PointMassSightIn, HuntingFliesTheSameAngleWithTheFieldsVelocityAndAir) {
    ShotParameters p = g7Load();
    p.HTemperature = 99;  // 40 degrees warmer: 60 ft/s faster, thinner air
    const double vh = 2600 + 1.5 * 40;
    // Varmint: zeroed under range conditions; the field flight shoots high at the zero.
    const PointMassModel varmint(p, {200, true});
    EXPECT_NEAR(varmint.fly(Conditions::Range, 600)->at(600).height, 0, 0.01);
    const auto field = varmint.fly(Conditions::Hunting, 600);
    EXPECT_EQ(field->steps().front().speed, vh);
    EXPECT_GT(field->at(600).height, 0.3);
    // Big Game with the Hunting option: the field flight has the point-blank peak, and the
    // range flight, slower at the same angle, stays below it.
    p.PBRMode = true;
    const PointMassModel bigGame(p, {200, true});
    EXPECT_NEAR(peakHeight(pointMassShot(p, Conditions::Hunting), bigGame.launchAngle()), p.MaxDeviation, 1e-6);
    EXPECT_LT(peakHeight(pointMassShot(p, Conditions::Range), bigGame.launchAngle()), p.MaxDeviation - 0.1);
}

TEST(PointMassStep, HalvingTheStepMovesTheDropAt1000YardsByLessThanAHundredth) {
    for (const ShotParameters& p : {g7Load(), bandedG1(), slowG1()}) {
        PointMassShot shot = pointMassShot(p, Conditions::Range);
        const double angle = zeroAngle(shot, 100);
        const double drop = heightAtRange(shot, angle, 3000);
        shot.step /= 2;
        EXPECT_LT(std::fabs(heightAtRange(shot, angle, 3000) - drop), 0.01) << p.InitialVelocity;
    }
}

TEST(PointMassModel, G7308LoadAgreesWithAPublishedSolver) {
    // A point-mass solver's figures for this load: -432 in and 1,088 ft/s at 1,000 yards.
    const PointMassModel model(g7Load(), {100, true});
    const RangeTable table = rangeTable(model, Conditions::Range, RangeList{100, 1000, 100}.yards());
    ASSERT_EQ(table.rows.size(), 10u);
    EXPECT_TRUE(table.failure.empty());
    EXPECT_NEAR(table.rows.front().point.height, 0, 0.01);
    EXPECT_NEAR(table.rows.back().point.height, -432, 1);
    EXPECT_NEAR(table.rows.back().point.speed, 1088, 2);
    EXPECT_NEAR(table.rows.back().point.energy, 175 * 1088.3 * 1088.3 / 450436, 1);
}

TEST(PointMassFailures, AreReportedInPlainWords) {
    struct Case {
        void (*change)(ShotParameters&, Sighting&);
        const char* message;
    };
    const Case cases[] = {
        {[](ShotParameters& p, Sighting&) { p.BallisticCoefG7 = 0; }, "G7 ballistic coefficient must be above zero"},
        {[](ShotParameters& p, Sighting&) { p.DragFunction = "Krupp"; }, "G1 and G7 drag laws only"},
        {[](ShotParameters& p, Sighting&) { p.BarometricPressure = 0; }, "range air has no density"},
        {[](ShotParameters& p, Sighting&) { p.RelHumidity = 120; }, "range humidity must be between 0 and 100"},
        {[](ShotParameters& p, Sighting&) { p.InitialVelocity = NAN; }, "muzzle velocity is not a usable number"},
        {[](ShotParameters& p, Sighting&) { p.LOSAngle = 90; }, "between -90 and 90"},
        {[](ShotParameters&, Sighting& s) { s.zeroCrossingYards = 0; }, "more than 0 yards"},
        {[](ShotParameters&, Sighting& s) { s.zeroCrossingYards = 5000; }, "cannot be reached"},
        {[](ShotParameters& p, Sighting&) { p.PBRMode = true, p.MaxDeviation = -2; }, "below zero"},
        {[](ShotParameters& p, Sighting&) { p.PBRMode = true, p.MaxDeviation = 1e6; }, "no launch angle"},
        {[](ShotParameters& p, Sighting&) { p.PBRMode = true, p.InitialVelocity = 10, p.HTemperature = 0; },
         "hunting muzzle velocity must be a number above zero"},
    };
    for (const Case& c : cases) {
        ShotParameters p = g7Load();
        Sighting s{100, true};
        c.change(p, s);
        try {
            makeBallisticModel(p, s);
            ADD_FAILURE() << c.message;
        } catch (const NumericFailure& failure) {
            EXPECT_NE(std::string(failure.what()).find(c.message), std::string::npos) << failure.what();
        }
    }
}
