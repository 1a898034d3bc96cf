#include "TrajectoryPass.h"

#include <array>
#include <cmath>
#include <optional>

#include "Constants.h"
#include "NumberText.h"

namespace tarnwick {

namespace {

using Fault = FlightModel::Fault;

// Which distance mark a step from x to x' (feet) passes; one per step, the nearest first.
enum class Mark { None, At25, At50, At100 };
using MarkRanges = std::array<double, 3>;  // feet
constexpr MarkRanges kYardMarks{75, 150, 300};

inline Mark markPassed(double x, double nx, const MarkRanges& marks) {
    if (x < marks[0] && marks[0] <= nx) return Mark::At25;
    if (x < marks[1] && marks[1] <= nx) return Mark::At50;
    if (x < marks[2] && marks[2] <= nx) return Mark::At100;
    return Mark::None;
}

MarkRanges metreMarks() {
    const auto feet = [](double metres) { return storedValue(Quantity::Distance, UnitSystem::Metric, metres); };
    return {feet(25), feet(50), feet(100)};
}

// The state of one pass and the step that leads from it.
class Pass {
public:
    double x = 0, v, t, y = 0;      // state before the step
    double nx = 0, nv = 0, ny = 0;  // state after it
    Mark mark = Mark::None;         // the distance mark the step passes
    double markDeflection = 0;      // wind deflection at the 100-yard mark
    Mark metreMark = Mark::None;    // the metre mark it passes, in a metric run only
    double metreMarkDeflection = 0;

    Pass(const ShotParameters& p, const PassSetup& setup, EventResults& r, double& strikeDrop, double& strikeDeflection)
        : v(setup.muzzleVelocity), t(p.DeltaT), model_(setup.model), dt_(p.DeltaT), w_(setup.launchSpeed),
          scopeHeight_(p.ScopeHeight), cosA_(setup.cosA), maxDeviation_(p.MaxDeviation), crossWind_(setup.crossWind),
          initialVelocity_(p.InitialVelocity), metric_(setup.units == UnitSystem::Metric), metreMarks_(metreMarks()),
          r_(r), strikeDrop_(strikeDrop), strikeDeflection_(strikeDeflection) {}

    // Works out the step from the current state into nx, nv, ny, and the strike deflection
    // when the step passes 100 yards. Records nothing, so a failing step leaves no trace.
    Fault computeStep() {
        nx = x + v * dt_;
        nv = v;
        if (const auto fault = model_.nextSpeed(v, nv); fault != Fault::None) return fault;
        ny = t * w_ - scopeHeight_ - kHalfGravity * cosA_ * (t * t);
        if (const auto fault = finiteState(nx, nv, ny); fault != Fault::None) return fault;
        mark = markPassed(x, nx, kYardMarks);
        metreMark = metric_ ? markPassed(x, nx, metreMarks_) : Mark::None;
        if (mark == Mark::At100)
            if (const auto fault = deflectionAfterStep(markDeflection); fault != Fault::None) return fault;
        return metreMark == Mark::At100 ? deflectionAfterStep(metreMarkDeflection) : Fault::None;
    }

    Fault deflectionAfterStep(double& deflection) const {
        return windDeflection(crossWind_, t, nx, initialVelocity_, deflection);
    }

    // Line-of-sight and peak events (the range before the step, the height after it) and
    // the distance marks of the step just worked out.
    void recordStep() {
        if (ny >= 0 && y < 0) r_.cross1 = x;
        else if (ny > y) { r_.peakY = ny; r_.peakX = x; }
        else if (ny <= 0 && y > 0) r_.cross2 = x;
        else if (ny <= -maxDeviation_ && y > -maxDeviation_) r_.maxRange = x;

        switch (mark) {
        case Mark::At25: r_.dev25 = ny; break;
        case Mark::At50: r_.dev50 = ny; break;
        case Mark::At100:
            r_.dev100 = ny;
            strikeDrop_ = ny;
            strikeDeflection_ = markDeflection;
            break;
        case Mark::None: break;
        }
        switch (metreMark) {
        case Mark::At25: r_.metricDev25 = ny; break;
        case Mark::At50: r_.metricDev50 = ny; break;
        case Mark::At100:
            r_.metricDev100 = ny;
            r_.metricDeflection100 = metreMarkDeflection;
            break;
        case Mark::None: break;
        }
    }

    void advance() {
        x = nx;
        v = nv;
        y = ny;
        t = t + dt_;
    }

private:
    // Copies of what stays fixed during the pass, so the step keeps them in registers.
    const FlightModel model_;
    const double dt_, w_, scopeHeight_, cosA_, maxDeviation_, crossWind_, initialVelocity_;
    const bool metric_;
    const MarkRanges metreMarks_;
    EventResults& r_;
    double& strikeDrop_;
    double& strikeDeflection_;
};

}  // namespace

void flyPass(const ShotParameters& p, const PassSetup& setup, EventResults& r, double& strikeDrop,
             double& strikeDeflection, DrawingSurface& surface, const DropRowSink& dropRow) {
    const bool dropTable = p.DropTable == 1;
    const bool metric = setup.units == UnitSystem::Metric;
    Pass pass(p, setup, r, strikeDrop, strikeDeflection);
    PathPen pen(p, setup, surface);

    // On the plot: every step is drawn, and a step that cannot be flown ends the run.
    int n = 1;
    for (;; ++n) {
        if (!pen.onPlot(pass.x, pass.y)) break;
        if (n > kMaxSteps)
            throw NumericFailure(stoppedAt(pass.x, "the flight would need more than 32,767 time steps."));
        if (const auto fault = pass.computeStep(); fault != Fault::None)
            throw NumericFailure(stoppedAt(pass.x, faultReason(fault)));

        if (dropTable) {
            // A row each time a multiple of 15 feet (5 yards) is passed, in whole feet. In
            // metric each time a multiple of 5 metres is passed, measured exactly: whole
            // metres would put a row up to half a metre short of its mark.
            bool crossed = false;
            std::optional<long long> label;
            if (metric) {
                const double before = std::floor(shownValue(Quantity::Distance, setup.units, pass.x) / 5);
                const double after = std::floor(shownValue(Quantity::Distance, setup.units, pass.nx) / 5);
                crossed = after > before && before >= 0;
                if (crossed) label = roundToInteger(5 * after);
            } else {
                const auto after = roundToInteger(pass.nx), before = roundToInteger(pass.x);
                crossed = after && before && *after % 15 < *before % 15;
                if (crossed) label = roundToInteger(pass.nx / 3);
            }
            if (crossed) {
                double deflection = 0;
                if (const auto fault = pass.deflectionAfterStep(deflection); fault != Fault::None)
                    throw NumericFailure(stoppedAt(pass.x, faultReason(fault)));
                if (label) dropRow(*label, pass.nx, pass.ny, deflection);
            }
        }
        pass.recordStep();
        pen.drawTo(pass.nx, pass.ny, pass.nv);
        pass.advance();
    }
    if (n == 1) return;  // nothing flown: the muzzle is already off the plot

    // Off the plot the report's events and marks still come from the flight: the same
    // steps fly on undrawn, without drop-table rows, until the bullet is past 100 yards
    // and below the maximum deviation. A speed of zero or less, the step limit, or a step
    // that cannot be flown (its numbers not finite included) ends this part quietly,
    // keeping what was recorded: the report is sound up to the plot's edge, and the plot
    // is what the user asked to see.
    for (; n <= kMaxSteps; ++n) {
        if (pass.x >= 300 && pass.y <= -p.MaxDeviation) return;
        if (pass.v <= 0) return;
        if (pass.computeStep() != Fault::None) return;
        pass.recordStep();
        pass.advance();
    }
}

}  // namespace tarnwick
