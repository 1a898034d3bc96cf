#include "ScaledSurface.h"

#include <cmath>

ScaledSurface::ScaledSurface(tarnwick::DrawingSurface& inner, double pixelsPerUnit)
    : inner_(inner), factor_(std::isfinite(pixelsPerUnit) && pixelsPerUnit > 0 ? pixelsPerUnit : 1.0) {}

void ScaledSurface::line(double x1, double y1, double x2, double y2) {
    inner_.line(x1 * factor_, y1 * factor_, x2 * factor_, y2 * factor_);
}

void ScaledSurface::rectangle(double x1, double y1, double x2, double y2) {
    inner_.rectangle(x1 * factor_, y1 * factor_, x2 * factor_, y2 * factor_);
}

void ScaledSurface::circle(double cx, double cy, double radius) {
    inner_.circle(cx * factor_, cy * factor_, radius * factor_);
}
