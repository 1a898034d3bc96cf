#include "StandardDrag.h"

#include <cmath>
#include <stdexcept>

namespace tarnwick {

DragCurve::DragCurve(std::span<const MachCd> points) {
    const std::size_t n = points.size();
    if (n < 2) throw std::invalid_argument("a drag table needs at least two points");
    std::vector<double> secant(n - 1);
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const double h = points[k + 1].mach - points[k].mach;
        if (!(h > 0)) throw std::invalid_argument("drag table Mach numbers must increase");
        secant[k] = (points[k + 1].cd - points[k].cd) / h;
    }
    // Fritsch-Carlson: start from the mean of the neighbouring secants (zero at a local
    // extreme), then shrink any pair of end slopes that would let a piece overshoot.
    std::vector<double> slope(n);
    slope[0] = secant[0];
    slope[n - 1] = secant[n - 2];
    for (std::size_t k = 1; k + 1 < n; ++k)
        slope[k] = secant[k - 1] * secant[k] <= 0 ? 0 : (secant[k - 1] + secant[k]) / 2;
    for (std::size_t k = 0; k + 1 < n; ++k) {
        if (secant[k] == 0) {
            slope[k] = slope[k + 1] = 0;
            continue;
        }
        const double alpha = slope[k] / secant[k], beta = slope[k + 1] / secant[k];
        const double radius = std::hypot(alpha, beta);
        if (radius > 3) {
            slope[k] = 3 / radius * alpha * secant[k];
            slope[k + 1] = 3 / radius * beta * secant[k];
        }
    }
    pieces_.reserve(n);
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const double h = points[k + 1].mach - points[k].mach;
        const double m0 = slope[k], m1 = slope[k + 1], d = secant[k];
        pieces_.push_back({points[k].mach, points[k].cd, m0, (3 * d - 2 * m0 - m1) / h, (m0 + m1 - 2 * d) / (h * h)});
    }
    pieces_.push_back({points[n - 1].mach, points[n - 1].cd, 0, 0, 0});
    last_ = n - 1;
}

const DragCurve& standardDragCurve(StandardDragLaw law) {
    static const DragCurve g1(standardDragTable(StandardDragLaw::G1));
    static const DragCurve g7(standardDragTable(StandardDragLaw::G7));
    return law == StandardDragLaw::G7 ? g7 : g1;
}

}  // namespace tarnwick
