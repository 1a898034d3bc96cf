#include <gtest/gtest.h>

#include <cmath>

#include "Atmosphere.h"
#include "DragFunctions.h"

using namespace tarnwick;

TEST(DragTables, WorkedValues) {
    EXPECT_DOUBLE_EQ(Gavre(800), 28.8);
    EXPECT_DOUBLE_EQ(Gavre(800.0001), 28.8 + 0.118 * (800.0001 - 800));
    EXPECT_NEAR(Gavre(0), 0, 1e-12);
    EXPECT_NEAR(Gavre(4000), 1649.6, 1e-9);
    EXPECT_DOUBLE_EQ(Gavre(850), 28.8 + 0.118 * 50);  // the upper end belongs to the lower segment
    EXPECT_NEAR(krupp(1120), 120.0, 1e-12);
    EXPECT_NEAR(krupp(0), 0, 1e-12);
    EXPECT_LT(Gavre(-100), 0);  // no clamping
}

TEST(DragTables, ContinuousAtEveryBreakpoint) {
    const double breaks[] = {850, 900, 950, 1000, 1050, 1100, 1120, 1150, 1200, 1250, 1300, 1400,
                             1600, 1800, 2000, 2200, 2400, 2600, 2800, 3000, 3200, 3400, 3600, 3800};
    for (double b : breaks) {
        EXPECT_NEAR(Gavre(b), Gavre(b + 1e-7), 1e-4) << b;
        EXPECT_NEAR(krupp(b), krupp(b + 1e-7), 1e-4) << b;
    }
}

TEST(Ingalls, BandsChosenByStrictLessThan) {
    EXPECT_DOUBLE_EQ(Ingalls(839.999), std::exp(1.6 * std::log(839.999)) * 0.00074422);
    EXPECT_DOUBLE_EQ(Ingalls(840), std::exp(3.0 * std::log(840.0)) * 5.9939e-08);
    EXPECT_DOUBLE_EQ(Ingalls(2600), std::exp(1.67 * std::log(2600.0)) * 0.0015366);
    EXPECT_DOUBLE_EQ(Ingalls(1100), std::exp(6.45 * std::log(1100.0)) * 2.3385e-18);
}

TEST(Deceleration, ExactCaseSensitiveDispatch) {
    EXPECT_EQ(Deceleration("G1", 1500), Gavre(1500));
    EXPECT_EQ(Deceleration("Ingalls", 1500), Ingalls(1500));
    for (const char* other : {"Krupp", "g1", "", "G2", "ingalls"})
        EXPECT_EQ(Deceleration(other, 1500), krupp(1500)) << other;
}

TEST(DensityFactor, StandardAirIsOneAndHalvesEvery18480Feet) {
    EXPECT_EQ(densityFactor(0, 29.53, 59), 1.0);
    EXPECT_NEAR(densityFactor(18480, 29.53, 59), 2.0, 1e-12);
    EXPECT_GT(densityFactor(0, 29.53, 90), 1.0);   // warmer air is thinner
    EXPECT_GT(densityFactor(0, 25, 59), 1.0);      // lower pressure too
    EXPECT_FALSE(std::isfinite(densityFactor(0, 0, 59)));
}

// The standard atmosphere's own air (pressure and temperature of the ICAO table) lies at
// its own height; a sea-level pressure is first reduced to the altitude.
TEST(DensityAltitude, StandardAtmosphereRowsLieAtTheirHeight) {
    const struct {
        double altitude, pressure, temperature;
        bool seaLevel;
        double expected;
    } rows[] = {
        {0, 29.92, 59, false, 0},          {5000, 24.896, 41.17, false, 5000},
        {10000, 20.577, 23.34, false, 10000}, {5000, 29.92, 41.17, true, 5000},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(densityAltitude(r.altitude, r.pressure, r.temperature, r.seaLevel), r.expected, 25) << r.altitude;
    EXPECT_NEAR(densityAltitude(0, 29.92, 90, false), 1989, 1);  // a hot day at sea level
}

TEST(HuntingMuzzleVelocity, OneAndAHalfFeetPerSecondPerDegree) {
    ShotParameters p;
    p.HTemperature = 79;
    EXPECT_EQ(huntingMuzzleVelocity(p), 2030);
    p.HTemperature = p.Temperature;
    EXPECT_EQ(huntingMuzzleVelocity(p), p.InitialVelocity);
}

TEST(ShotParameters, StartUpDefaults) {
    const ShotParameters p;
    EXPECT_EQ(p.HorizontalScale, 2.0 / 3);
    EXPECT_EQ(p.Pi, 3.141592654);
    EXPECT_NE(std::cos(90 * p.Pi / 180), 0.0);  // the 10-digit constant is not quite pi
    EXPECT_EQ(p.DragFunction, "G1");
    EXPECT_TRUE(p.PBRMode);
    EXPECT_FALSE(p.HuntingMode);
    const RememberedSettings r;
    EXPECT_TRUE(r.LastPBRMode);
    EXPECT_EQ(r.LastMaxDeviation, 3.0);
    EXPECT_EQ(r.LastZeroCrossing, 200);
}
