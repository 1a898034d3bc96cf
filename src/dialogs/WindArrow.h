#pragma once
// Geometry and drawing of the wind calculator's bird's-eye picture, free of widgets.
//
// Picture coordinates are pixels, origin top-left, x to the right, y downward; w and h
// are the picture's inner width and height. The shooter stands at the bottom, the
// target at the top. A direction angle is in radians, measured from straight down
// (behind the shooter) towards the right: 0 is a pure tail wind, pi/2 a cross wind from
// the right, pi a head wind, -pi/2 (or 3pi/2) a cross wind from the left; pi is
// tarnwick::kTenDigitPi, as the calculator has always held it.
#include <cstdint>
#include <optional>

#include "Constants.h"
#include "DrawingSurface.h"
#include "Wind.h"

namespace windcalc {

// The arrowhead's barbs: length in pixels and angle off the shaft in radians.
inline constexpr double kBarbLength = 30.0;
inline constexpr double kBarbAngle = 0.17;

// The arrow: its tail lies on the side the wind comes from, its head points where the
// wind blows.
struct Arrow {
    std::int16_t startX = 0, startY = 0;  // tail
    std::int16_t endX = 0, endY = 0;      // head
    friend bool operator==(const Arrow&, const Arrow&) = default;
};

// The two ends of the arrowhead outline drawn from the head (the head -> p1 -> p2 -> head).
struct Barbs {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// Cross and tail components of a wind (Wind.h): the calculator and the wind zones split
// a wind alike.
using Components = tarnwick::WindComponents;
using tarnwick::windComponents;

// The direction of the pointer (x, y) seen from the picture's centre. A pointer level
// with the centre gives pi/2 on the right and -pi/2 on the left; the exact centre has
// no direction.
std::optional<double> pointerDirection(double x, double y, double w, double h);

// The arrow for a pointer: the tail a quarter of the picture height from the centre on
// the pointer's side, the head its reflection through the centre, both rounded to whole
// pixels (halves to even). No arrow at the exact centre or when a point cannot be held.
std::optional<Arrow> arrowForPointer(double x, double y, double w, double h);

// The arrow straight up through the centre (a pure tail wind) with which the
// calculator starts.
Arrow initialArrow(double w, double h);

// The direction of an arrow from its rounded points. Tail and head level with each
// other give pi/2 for a tail on the right and -pi/2 for one on the left; an arrow
// whose ends coincide has no direction.
std::optional<double> arrowAngle(const Arrow& arrow, double h);

Barbs barbPoints(const Arrow& arrow, double angle);

// The arrow's shaft and arrowhead outline in one colour (white erases it).
void drawArrow(tarnwick::DrawingSurface& surface, const Arrow& arrow, double angle, tarnwick::Rgb colour);

// The range seen from above: the target rings at the top, the red firing line, the
// shooter's mark, the caption "Firing Line" and the ring within which the arrow turns.
// Draws over what is there without clearing; leaves the pen black and the fill style
// transparent.
void drawRangeBackground(tarnwick::DrawingSurface& surface);

}  // namespace windcalc
