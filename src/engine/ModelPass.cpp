#include "ModelPass.h"

#include <algorithm>

#include "Constants.h"
#include "Flight.h"
#include "PathEvents.h"

namespace tarnwick {

namespace {

// Flies out to `range`, and twice as far again while the bullet is still above the
// maximum deviation below the line of sight: no event of the report comes after that.
// The flight's own time limit ends the doubling.
std::unique_ptr<Trajectory> flyPastTheEvents(const BallisticModel& model, Conditions conditions, double range,
                                             double maxDeviation) {
    for (;;) {
        auto path = model.fly(conditions, range);
        if (!path->stopReason().empty() || path->steps().back().height <= -maxDeviation) return path;
        range *= 2;
    }
}

}  // namespace

void flyModelPass(const ShotParameters& p, const PathStyle& style, const BallisticModel& model,
                  Conditions conditions, EventResults& results, double& strikeDrop, double& strikeDeflection,
                  DrawingSurface& surface, const DropRowSink& dropRow, UnitSystem units) {
    PathPen pen(p, style, surface);
    if (!pen.onPlot(0, -p.ScopeHeight)) return;

    const double unit = 1 / p.HorizontalScale;  // feet per canvas unit
    const double plotEdge = (surface.width() - kPlotRightMargin - p.YAxis) * unit;
    const auto path = flyPastTheEvents(model, conditions, std::max(plotEdge, 300.0), p.MaxDeviation);

    TrajectoryPoint point = path->at(0);
    bool stoppedOnPlot = false;
    for (double k = 1; pen.onPlot(point.range, point.height); ++k) {
        if (point.range >= path->reach()) {
            stoppedOnPlot = !path->stopReason().empty();
            break;
        }
        point = path->at(std::min(k * unit, path->reach()));
        pen.drawTo(point.range, point.height, point.speed);
    }
    if (p.DropTable == 1) {
        const double feetPerStep = units == UnitSystem::Metric ? storedValue(Quantity::Distance, units, 1) : 3.0;
        for (long long range = 5; feetPerStep * range <= point.range; range += 5) {
            const TrajectoryPoint row = path->at(feetPerStep * range);
            dropRow(range, row.range, row.height, row.drift);
        }
    }
    recordPathEvents(*path, p.MaxDeviation, results, strikeDrop, strikeDeflection);
    if (stoppedOnPlot) throw NumericFailure(path->stopReason());
}

}  // namespace tarnwick
