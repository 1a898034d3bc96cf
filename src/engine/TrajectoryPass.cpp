#include "TrajectoryPass.h"

#include "NumberText.h"

namespace tarnwick {

void flyPass(const ShotParameters& p, const PassSetup& setup, EventResults& r, double& strikeDrop,
             double& strikeDeflection, DrawingSurface& surface, const DropRowSink& dropRow) {
    const double dt = p.DeltaT;
    const double w = setup.launchSpeed;
    const double L = setup.L;
    const float rightMargin = static_cast<float>(surface.width() - 75);
    const bool dropTable = p.DropTable == 1;
    const bool curve = setup.curve.curveDrawn;
    const bool energy = setup.curve.kind == CurveScale::Kind::Energy;
    const Rgb curveColour = energy ? setup.energyColour : setup.velocityColour;

    double x = 0, v = setup.muzzleVelocity, t = dt, y = 0;
    double prevX = p.YAxis, prevY = L + p.VerticalScale * p.ScopeHeight;
    double curveX = 0, curveY = 0;
    surface.setPenColour(setup.trajectoryColour);

    for (int n = 1;; ++n) {
        if (!(L - y * p.VerticalScale < p.XAxis)) break;
        if (!(static_cast<float>(x * p.HorizontalScale + p.YAxis) < rightMargin)) break;
        if (n > kMaxSteps) throw NumericFailure(stoppedAt(x, "the flight would need more than 32,767 time steps."));

        const double nx = x + v * dt;
        double nv = v;
        if (const auto fault = setup.model.nextSpeed(v, nv); fault != FlightModel::Fault::None)
            throw NumericFailure(stoppedAt(x, faultReason(fault)));
        const double ny = t * w - p.ScopeHeight - kHalfGravity * setup.cosA * (t * t);

        // Line-of-sight and peak events: the range before the step, the height after it.
        if (ny >= 0 && y < 0) r.cross1 = x;
        else if (ny > y) { r.peakY = ny; r.peakX = x; }
        else if (ny <= 0 && y > 0) r.cross2 = x;
        else if (ny <= -p.MaxDeviation && y > -p.MaxDeviation) r.maxRange = x;

        if (x < 75 && 75 <= nx) r.dev25 = ny;
        else if (x < 150 && 150 <= nx) r.dev50 = ny;
        else if (x < 300 && 300 <= nx) {
            r.dev100 = ny;
            strikeDrop = ny;
            strikeDeflection = -setup.crossWind * lagTime(t, nx, p.InitialVelocity);
        }

        if (dropTable) {
            // A row each time a multiple of 15 feet (5 yards) is passed.
            const auto feetAfter = roundToInteger(nx), feetBefore = roundToInteger(x);
            if (feetAfter && feetBefore && *feetAfter % 15 < *feetBefore % 15) {
                const auto yards = roundToInteger(nx / 3);
                if (yards) dropRow(*yards, ny, -setup.crossWind * lagTime(t, nx, p.InitialVelocity));
            }
        }

        const double canvasX = nx * p.HorizontalScale + p.YAxis;
        const double canvasY = L - ny * p.VerticalScale;
        surface.line(prevX, prevY, canvasX, canvasY);
        prevX = canvasX;
        prevY = canvasY;

        if (curve) {
            const double newCurveY = energy ? p.XAxis - setup.energyFactor * nv * nv / 2 * setup.curve.scale
                                            : p.XAxis - (nv - 500) * setup.curve.scale;
            if (n > 1) {
                surface.setPenColour(curveColour);
                surface.line(curveX, curveY, canvasX, newCurveY);
                surface.setPenColour(setup.trajectoryColour);
            }
            curveX = canvasX;
            curveY = newCurveY;
        }

        x = nx;
        v = nv;
        y = ny;
        t = t + dt;
    }
}

}  // namespace tarnwick
