#pragma once
// Draws one pass's path, and its energy or velocity curve, point by point while the
// bullet is on the plot. The classic pass draws each integration step with it, the pass
// of a flown trajectory its samples.
#include <cstdint>

#include "Constants.h"
#include "DrawingSurface.h"
#include "PlotFrame.h"
#include "ShotParameters.h"

namespace tarnwick {

// How a pass is drawn: the line-of-sight row, the curve and the colours.
struct PathStyle {
    double energyFactor = 0;  // BulletMass / kGrainsPerSlug
    std::int16_t L = 0;       // line-of-sight row
    CurveScale curve;
    Rgb trajectoryColour = colours::RangeTrajectory;
    Rgb energyColour = colours::RangeEnergy;
    Rgb velocityColour = colours::RangeVelocity;
};

class PathPen {
public:
    // Sets the trajectory colour; the path starts at the muzzle, ScopeHeight below the line of sight.
    PathPen(const ShotParameters& p, const PathStyle& style, DrawingSurface& surface)
        : surface_(surface), L_(style.L), verticalScale_(p.VerticalScale), horizontalScale_(p.HorizontalScale),
          yAxis_(p.YAxis), xAxis_(p.XAxis), energyFactor_(style.energyFactor), curveScale_(style.curve.scale),
          rightMargin_(static_cast<float>(surface.width() - kPlotRightMargin)),
          trajectoryColour_(style.trajectoryColour),
          curveColour_(style.curve.kind == CurveScale::Kind::Energy ? style.energyColour : style.velocityColour),
          curve_(style.curve.curveDrawn), energy_(style.curve.kind == CurveScale::Kind::Energy), prevX_(p.YAxis),
          prevY_(L_ + p.VerticalScale * p.ScopeHeight) {
        surface_.setPenColour(trajectoryColour_);
    }

    // Whether a point (range in feet, height in inches) lies above the horizontal axis and
    // left of the right margin, both strictly; the second test compares 32-bit floats.
    bool onPlot(double range, double height) const {
        if (!(L_ - height * verticalScale_ < xAxis_)) return false;
        return static_cast<float>(range * horizontalScale_ + yAxis_) < rightMargin_;
    }

    // A line from the previous point to this one, and the curve's segment to its speed
    // (ft/s); the curve's first point is only remembered.
    void drawTo(double range, double height, double speed) {
        const double canvasX = range * horizontalScale_ + yAxis_;
        const double canvasY = L_ - height * verticalScale_;
        surface_.line(prevX_, prevY_, canvasX, canvasY);
        prevX_ = canvasX;
        prevY_ = canvasY;
        if (!curve_) return;
        const double curveY = energy_ ? xAxis_ - energyFactor_ * speed * speed / 2 * curveScale_
                                      : xAxis_ - (speed - 500) * curveScale_;
        if (curveStarted_) {
            surface_.setPenColour(curveColour_);
            surface_.line(curveX_, curveY_, canvasX, curveY);
            surface_.setPenColour(trajectoryColour_);
        }
        curveStarted_ = true;
        curveX_ = canvasX;
        curveY_ = curveY;
    }

private:
    // Copies of what stays fixed during the pass, so the step keeps them in registers.
    DrawingSurface& surface_;
    const double L_, verticalScale_, horizontalScale_, yAxis_, xAxis_, energyFactor_, curveScale_;
    const float rightMargin_;
    const Rgb trajectoryColour_, curveColour_;
    const bool curve_, energy_;
    double prevX_, prevY_;
    double curveX_ = 0, curveY_ = 0;
    bool curveStarted_ = false;
};

}  // namespace tarnwick
