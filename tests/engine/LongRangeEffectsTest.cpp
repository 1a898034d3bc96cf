#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "AirDensity.h"
#include "Flight.h"
#include "LongRangeEffects.h"
#include "PointMassFlight.h"
#include "PointMassModel.h"
#include "PowderTemperature.h"
#include "Wind.h"

using namespace tarnwick;

TEST(LongRangeEffects, MillerStabilityWithItsCorrections) {
    // 168 gr .308 match bullet, 1.215 in long, 1:12 twist: t = 38.961, l = 3.9448 calibers,
    // 30 * 168 / (38.961^2 * 0.308^3 * 3.9448 * 16.561) = 1.7394 at 2,800 ft/s in standard air.
    struct Case {
        double velocity, temperature, pressure, sg;
    };
    const Case cases[] = {
        {2800, 59, 29.92, 1.7394},
        {2600, 59, 29.92, 1.7394 * 0.975600},  // (2600 / 2800)^(1/3)
        {2800, 100, 29.92, 1.7394 * 560 / 519},
        {2800, 59, 24.896, 1.7394 * 29.92 / 24.896},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(millerStability(168, 0.308, 1.215, 12, c.velocity, c.temperature, c.pressure), c.sg, 2e-4)
            << c.velocity << " ft/s, " << c.temperature << " F, " << c.pressure << " inHg";
}

TEST(LongRangeEffects, LitzSpinDrift) {
    // 1.25 * (1.5 + 1.2) * 1.5^1.83 = 3.375 * 2.10013
    EXPECT_NEAR(spinDriftInches(1.5, 1.5), 7.0880, 1e-4);
}

TEST(LongRangeEffects, CoriolisInVacuumFollowsTheFlatFireClosedForm) {
    // Level fire at V with no drag: along x = V t the earth's rotation W at latitude L moves
    // the bullet sideways by W sin L V t^2 (plus W cos L g t^3 / 3 firing north, from the
    // fall), and firing east lifts it by W cos L V t^2 (Eotvos).
    ShotParameters p;
    p.Model = BallisticModelKind::PointMass;
    p.Latitude = 45;
    const double s = kEarthRotation * std::sin(kPiDouble / 4), c = kEarthRotation * std::cos(kPiDouble / 4);
    for (const double azimuth : {0.0, 90.0}) {
        p.Azimuth = azimuth;
        PointMassShot shot = pointMassShot(p, Conditions::Range);
        shot.dragLow = shot.dragMid = shot.dragHigh = 0;
        const double v = shot.muzzleVelocity, x = 3000, t = x / v, g = kGravityFeet;
        const FlightState state = flyToRange(shot, 0, x).value();
        const double side = s * v * t * t + (azimuth == 0 ? c * g * t * t * t / 3 : 0);
        const double lift = azimuth == 0 ? 0 : c * v * t * t;
        EXPECT_NEAR(state.r.z * 12, side * 12, 1e-3) << azimuth;
        EXPECT_NEAR(state.r.y * 12, (-g * t * t / 2 + lift) * 12 - p.ScopeHeight, 1e-3) << azimuth;
    }
}

TEST(LongRangeEffects, CoriolisWithDragTurnsTheHeadingAtTwiceTheEarthsRate) {
    // At the pole, firing level, drag slows the sideways and forward speeds alike, so the
    // heading vz / vx turns at exactly 2 W: z = 2 W * integral of t dx (less than the
    // 2 W * integral of x dt a flight without sideways drag would give).
    ShotParameters p;
    p.Model = BallisticModelKind::PointMass;
    p.Latitude = 90;
    const PointMassShot shot = pointMassShot(p, Conditions::Range);
    PointMassFlight flight(shot, 0);
    double integral = 0;
    while (flight.state().r.x < 3000) {
        const FlightState before = flight.state();
        ASSERT_EQ(flight.step(), PointMassFlight::End::None);
        integral += (before.t + flight.state().t) / 2 * (flight.state().r.x - before.r.x);
    }
    EXPECT_NEAR(flight.state().r.z / (2 * kEarthRotation * integral), 1, 1e-4);
}

TEST(LongRangeEffects, SeaLevelPressureIsReducedToTheAltitude) {
    // Standard atmosphere at 5,000 ft: 843.07 hPa = 24.896 inHg under 29.921 inHg at sea level.
    EXPECT_NEAR(pressureAtAltitude(29.921, 5000), 24.896, 2e-3);
    // The same air typed as a weather report's pressure or as the station's.
    ShotParameters reported;
    reported.Model = BallisticModelKind::PointMass;
    reported.Altitude = 5000;
    reported.BarometricPressure = 29.92;
    ShotParameters station = reported;
    station.PressureIsSeaLevel = false;
    station.BarometricPressure = pressureAtAltitude(29.92, 5000);
    EXPECT_DOUBLE_EQ(pointMassShot(station, Conditions::Range).dragMid,
                     pointMassShot(reported, Conditions::Range).dragMid);
}

TEST(LongRangeEffects, FieldVelocityFollowsThePowderTemperature) {
    // Measured 2600 ft/s at 59 F, fired at 20 F; points 20:2550 and 90:2640 rise 9/7 ft/s per F.
    struct Case {
        std::optional<double> sensitivity;
        std::vector<PowderPoint> points;
        double huntingTemperature, velocity;
    };
    const std::vector<PowderPoint> table{{90, 2640}, {20, 2550}};
    const Case cases[] = {
        {std::nullopt, {}, 20, 2600 - 1.5 * 39},         // neither: the classic 1.5 ft/s per F
        {1.2, {}, 20, 2600 - 1.2 * 39},
        {-0.5, {}, 20, 2600 + 0.5 * 39},                 // a powder that gains in the cold
        {1.2, {{20, 2550}}, 20, 2600 - 1.2 * 39},        // one point is no table
        {1.2, table, 20, 2600 - 90.0 / 70 * 39},         // the points win
        {std::nullopt, table, 100, 2600 + 90.0 / 70 * 41},  // beyond the last point
        {std::nullopt, {{20, 2550}, {60, 2600}, {90, 2610}}, 75, 2600 + 5 + 50.0 / 40},  // (2605 - 2598.75)
    };
    for (const Case& c : cases) {
        ShotParameters p;
        p.InitialVelocity = 2600;
        p.PowderSensitivity = c.sensitivity;
        p.PowderTemperatures = c.points;
        p.HTemperature = c.huntingTemperature;
        EXPECT_NEAR(fieldMuzzleVelocity(p), c.velocity, 1e-9) << c.points.size() << " points at " << c.huntingTemperature;
    }
}

TEST(LongRangeEffects, SensitivityFromTwoMeasuredPoints) {
    EXPECT_DOUBLE_EQ(powderSensitivityFrom(90, 2640, 20, 2550).value(), 90.0 / 70);
    EXPECT_FALSE(powderSensitivityFrom(59, 2600, 59, 2650));
}

TEST(LongRangeEffects, ClockWindsSplitAsTheWindCalculatorDoes) {
    struct Case {
        double hour, cross, tail;  // mph
    };
    for (const Case& c : {Case{3, 10, 0}, Case{9, -10, 0}, Case{12, 0, -10}, Case{6, 0, 10}, Case{4, 5 * std::sqrt(3.0), 5}}) {
        const WindZone zone = windZoneFrom(300, 10, c.hour);
        EXPECT_DOUBLE_EQ(zone.until, 900);
        EXPECT_NEAR(zone.crossWind, crossWindFromMph(c.cross), 1e-9) << c.hour;
        EXPECT_NEAR(zone.tailWind, tailWindFromMph(c.tail), 1e-9) << c.hour;
    }
}

TEST(LongRangeEffects, WindZonesChangeTheWindWhereTheyEnd) {
    ShotParameters single;
    single.Model = BallisticModelKind::PointMass;
    single.RCrossWind = 176;
    single.RTailWind = 5;
    ShotParameters zoned = single;
    zoned.WindZones = {{3000, 176, 5}};
    const FlightState plain = flyToRange(pointMassShot(single, Conditions::Range), 0.002, 1500).value();
    const FlightState one = flyToRange(pointMassShot(zoned, Conditions::Range), 0.002, 1500).value();
    EXPECT_EQ(one.r.y, plain.r.y);
    EXPECT_EQ(one.r.z, plain.r.z);
    // Calm out to 1,200 ft, a cross wind beyond: no drift at 1,150 ft, drift at 1,500 ft.
    zoned.WindZones = {{1200, 0, 0}, {3000, 176, 0}};
    const PointMassShot shot = pointMassShot(zoned, Conditions::Range);
    EXPECT_EQ(flyToRange(shot, 0.002, 1150).value().r.z, 0);
    EXPECT_LT(flyToRange(shot, 0.002, 1500).value().r.z, 0);
}

TEST(LongRangeEffects, UnusablePowderOrWindZonesStopTheRun) {
    const auto nan = std::numeric_limits<double>::quiet_NaN();
    const std::function<void(ShotParameters&)> cases[] = {
        [&](ShotParameters& p) { p.PowderSensitivity = nan; },
        [](ShotParameters& p) { p.PowderTemperatures = {{20, 2550}, {20, 2600}}; },
        [](ShotParameters& p) { p.WindZones = {{900, 0, 0}, {600, 0, 0}}; },
        [](ShotParameters& p) { p.WindZones = {{300, 0, 0}, {600, 0, 0}, {900, 0, 0}, {1200, 0, 0}}; },
        [&](ShotParameters& p) { p.WindZones = {{900, nan, 0}}; },
    };
    for (const auto& spoil : cases) {
        ShotParameters p;
        p.Model = BallisticModelKind::PointMass;
        spoil(p);
        EXPECT_THROW(pointMassShot(p, Conditions::Hunting), NumericFailure);
    }
}
