#include "PathEvents.h"

#include <algorithm>
#include <cmath>

#include "RootSearch.h"

namespace tarnwick {

namespace {

// Ranges are found to a ten-millionth of a foot, heights to a billionth of an inch.
constexpr double kRangeTolerance = 1e-7;
constexpr double kHeightTolerance = 1e-9;

// The range between two steps at which the height reaches `level`; the heights at the
// two steps lie on either side of it.
double rangeAtHeight(const Trajectory& path, double from, double to, double level) {
    const auto above = [&](double x) { return path.at(x).height - level; };
    return brentRoot(above, from, above(from), to, above(to), kRangeTolerance, kHeightTolerance).value_or(to);
}

// The highest point between two ranges over which the height rises and then falls:
// golden-section search.
TrajectoryPoint highestBetween(const Trajectory& path, double a, double b) {
    const double shrink = (std::sqrt(5.0) - 1) / 2;
    const auto height = [&](double x) { return path.at(x).height; };
    double c = b - shrink * (b - a), d = a + shrink * (b - a);
    double hc = height(c), hd = height(d);
    while (b - a > kRangeTolerance * std::max(1.0, b)) {
        if (hc >= hd) {
            b = d, d = c, hd = hc;
            c = b - shrink * (b - a), hc = height(c);
        } else {
            a = c, c = d, hc = hd;
            d = a + shrink * (b - a), hd = height(d);
        }
    }
    return path.at((a + b) / 2);
}

}  // namespace

void recordPathEvents(const Trajectory& path, double maxDeviation, EventResults& events, double& strikeDrop,
                      double& strikeDeflection) {
    const auto& steps = path.steps();
    std::size_t top = 0;
    for (std::size_t i = 1; i < steps.size(); ++i) {
        const double x0 = steps[i - 1].range, x1 = steps[i].range;
        const double y0 = steps[i - 1].height, y1 = steps[i].height;
        if (y0 < 0 && y1 >= 0) events.cross1 = rangeAtHeight(path, x0, x1, 0);
        if (y0 > 0 && y1 <= 0) events.cross2 = rangeAtHeight(path, x0, x1, 0);
        if (y0 > -maxDeviation && y1 <= -maxDeviation) events.maxRange = rangeAtHeight(path, x0, x1, -maxDeviation);
        if (y1 > steps[top].height) top = i;
    }
    if (top > 0) {
        const TrajectoryPoint peak =
            highestBetween(path, steps[top - 1].range, steps[std::min(top + 1, steps.size() - 1)].range);
        events.peakX = peak.range;
        events.peakY = peak.height;
    }

    const auto heightAt = [&](double range, double& into) {
        if (path.reach() >= range) into = path.at(range).height;
    };
    heightAt(75, events.dev25);
    heightAt(150, events.dev50);
    heightAt(300, events.dev100);
    const auto metres = [](double m) { return storedValue(Quantity::Distance, UnitSystem::Metric, m); };
    heightAt(metres(25), events.metricDev25);
    heightAt(metres(50), events.metricDev50);
    heightAt(metres(100), events.metricDev100);
    if (path.reach() >= metres(100)) events.metricDeflection100 = path.at(metres(100)).drift;
    if (path.reach() >= 300) {
        const TrajectoryPoint strike = path.at(300);
        strikeDrop = strike.height;
        strikeDeflection = strike.drift;
    }
}

}  // namespace tarnwick
