// Speed of the engine: one integration step, the default plot run, a 500-yard pass, and
// the point-mass model's zero solve with a 1,000-yard flight.
#include <benchmark/benchmark.h>

#include <cmath>

#include "Constants.h"
#include "Flight.h"
#include "PlotRun.h"
#include "PointMassModel.h"
#include "TrajectoryPass.h"

using namespace tarnwick;

namespace {

ShotParameters rifle() {
    ShotParameters p;
    p.BallisticCoefLow = p.BallisticCoefMid = p.BallisticCoefHigh = 0.45;
    p.BulletMass = 165;
    p.InitialVelocity = 2800;
    return p;
}

// Steps through the speed update and range sum of the flight model to 500 yards (no
// drawing, no events): reported per step.
void BM_IntegratorStep(benchmark::State& state) {
    const ShotParameters p = rifle();
    const FlightModel model = FlightModel::make(p, 0.0, 0.0, {0.45, 0.45, 0.45});
    std::int64_t steps = 0;
    for (auto _ : state) {
        double x = 0, v = p.InitialVelocity;
        while (x < 1500) {
            x += v * p.DeltaT;
            double next = v;
            model.nextSpeed(v, next);
            v = next;
            ++steps;
        }
        benchmark::DoNotOptimize(v);
    }
    state.counters["ns_per_step"] = benchmark::Counter(static_cast<double>(steps),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                                                       benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_IntegratorStep);

void BM_DefaultPlotRun(benchmark::State& state) {
    NullSurface surface(kCanvasWidth, kCanvasHeight);
    TextResults results;
    for (auto _ : state) {
        ProgramState programState;
        benchmark::DoNotOptimize(plotRun(programState, RunInputs{}, surface, results));
    }
}
BENCHMARK(BM_DefaultPlotRun)->Unit(benchmark::kMicrosecond);

// The range pass of a .30 calibre hunting load drawn (and discarded) out to 500 yards.
void BM_PassTo500Yards(benchmark::State& state) {
    ShotParameters p = rifle();
    p.YAxis = kPlotMargin;
    p.XAxis = 388 - kPlotMargin;
    NullSurface surface(kPlotMargin + 1500 * p.HorizontalScale + kPlotRightMargin + 1, 388);
    PassSetup setup;
    setup.muzzleVelocity = p.InitialVelocity;
    setup.launchSpeed = kLaunchFactor * std::sqrt(p.MaxDeviation + p.ScopeHeight);
    setup.model = FlightModel::make(p, 0.0, 0.0, {0.45, 0.45, 0.45});
    setup.energyFactor = p.BulletMass / kGrainsPerSlug;
    setup.L = 169;
    p.VerticalScale = 0.5;  // keep the whole flight above the horizontal axis
    EventResults events;
    double drop = 0, deflection = 0;
    for (auto _ : state) {
        flyPass(p, setup, events, drop, deflection, surface, [](long long, double, double, double) {});
        benchmark::DoNotOptimize(events);
    }
    state.counters["range_ft"] = events.maxRange;
}
BENCHMARK(BM_PassTo500Yards)->Unit(benchmark::kMicrosecond);

// A .308 load, 175 gr G7 0.243 at 2,600 ft/s, zeroed at 100 yards.
ShotParameters g7Load() {
    ShotParameters p;
    p.Model = BallisticModelKind::PointMass;
    p.DragFunction = "G7";
    p.BallisticCoefG7 = 0.243;
    p.BulletMass = 175;
    p.InitialVelocity = 2600;
    p.HuntingMode = true;
    p.PBRMode = false;
    p.BarometricPressure = 29.92;
    p.RelHumidity = 0;
    return p;
}

// Zero solve (root search on the launch angle) plus the flight to 1,000 yards, read there.
void BM_PointMassTo1000Yards(benchmark::State& state) {
    const ShotParameters p = g7Load();
    double height = 0;
    for (auto _ : state) {
        const PointMassModel model(p, {100, false});
        height = model.fly(Conditions::Range, 3000)->at(3000).height;
        benchmark::DoNotOptimize(height);
    }
    state.counters["height_in"] = height;
}
BENCHMARK(BM_PointMassTo1000Yards)->Unit(benchmark::kMicrosecond);

// One Runge-Kutta step of the point-mass flight (four drag evaluations), per step.
void BM_PointMassStep(benchmark::State& state) {
    const PointMassShot shot = pointMassShot(g7Load(), Conditions::Range);
    std::int64_t steps = 0;
    for (auto _ : state) {
        PointMassFlight flight(shot, 0.001);
        while (flight.state().r.x < 3000 && flight.step() == PointMassFlight::End::None) ++steps;
        benchmark::DoNotOptimize(flight.state());
    }
    state.counters["ns_per_step"] = benchmark::Counter(static_cast<double>(steps),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                                                       benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_PointMassStep);

}  // namespace
