#include "TrajectoryPass.h"

#include "Constants.h"
#include "NumberText.h"

namespace tarnwick {

namespace {

using Fault = FlightModel::Fault;

// Which distance mark a step from x to x' (feet) passes; one per step, the nearest first.
enum class Mark { None, Yards25, Yards50, Yards100 };

inline Mark markPassed(double x, double nx) {
    if (x < 75 && 75 <= nx) return Mark::Yards25;
    if (x < 150 && 150 <= nx) return Mark::Yards50;
    if (x < 300 && 300 <= nx) return Mark::Yards100;
    return Mark::None;
}

// The state of one pass and the step that leads from it.
class Pass {
public:
    double x = 0, v, t, y = 0;      // state before the step
    double nx = 0, nv = 0, ny = 0;  // state after it
    Mark mark = Mark::None;         // the distance mark the step passes
    double markDeflection = 0;      // wind deflection at the 100-yard mark

    Pass(const ShotParameters& p, const PassSetup& setup, EventResults& r, double& strikeDrop, double& strikeDeflection)
        : v(setup.muzzleVelocity), t(p.DeltaT), model_(setup.model), dt_(p.DeltaT), w_(setup.launchSpeed),
          scopeHeight_(p.ScopeHeight), cosA_(setup.cosA), maxDeviation_(p.MaxDeviation), crossWind_(setup.crossWind),
          initialVelocity_(p.InitialVelocity), r_(r), strikeDrop_(strikeDrop), strikeDeflection_(strikeDeflection) {}

    // Works out the step from the current state into nx, nv, ny, and the strike deflection
    // when the step passes 100 yards. Records nothing, so a failing step leaves no trace.
    Fault computeStep() {
        nx = x + v * dt_;
        nv = v;
        if (const auto fault = model_.nextSpeed(v, nv); fault != Fault::None) return fault;
        ny = t * w_ - scopeHeight_ - kHalfGravity * cosA_ * (t * t);
        if (const auto fault = finiteState(nx, nv, ny); fault != Fault::None) return fault;
        mark = markPassed(x, nx);
        return mark == Mark::Yards100 ? deflectionAfterStep(markDeflection) : Fault::None;
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
        case Mark::Yards25: r_.dev25 = ny; break;
        case Mark::Yards50: r_.dev50 = ny; break;
        case Mark::Yards100:
            r_.dev100 = ny;
            strikeDrop_ = ny;
            strikeDeflection_ = markDeflection;
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
    EventResults& r_;
    double& strikeDrop_;
    double& strikeDeflection_;
};

}  // namespace

void flyPass(const ShotParameters& p, const PassSetup& setup, EventResults& r, double& strikeDrop,
             double& strikeDeflection, DrawingSurface& surface, const DropRowSink& dropRow) {
    const bool dropTable = p.DropTable == 1;
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
            // A row each time a multiple of 15 feet (5 yards) is passed.
            const auto feetAfter = roundToInteger(pass.nx), feetBefore = roundToInteger(pass.x);
            if (feetAfter && feetBefore && *feetAfter % 15 < *feetBefore % 15) {
                const auto yards = roundToInteger(pass.nx / 3);
                double deflection = 0;
                if (const auto fault = pass.deflectionAfterStep(deflection); fault != Fault::None)
                    throw NumericFailure(stoppedAt(pass.x, faultReason(fault)));
                if (yards) dropRow(*yards, pass.ny, deflection);
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
