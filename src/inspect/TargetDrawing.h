#pragma once
// The ruled target of the target view. Drawing units are 1/72 inch of screen; `scale`
// is drawing units per inch of target (72 = life size). y grows downward, so a strike
// above the line of sight is drawn above the point of aim and a positive (rightward)
// deflection to its right.
#include "DrawingSurface.h"
#include "ShotParameters.h"
#include "Units.h"

struct TargetView {
    int scale = 72;    // drawing units per inch of target
    int centreX = 0;   // point of aim, drawing units
    int centreY = 0;
    tarnwick::UnitSystem units = tarnwick::UnitSystem::Imperial;  // the ruling's unit: inch or cm
};

// Clears the surface and draws the ruling (one black line per inch, or per centimetre in
// metric, through the point of aim, out to every edge), the red bull (radius scale / 4), the black range strike
// and, when `huntingMode`, the blue hunting strike (radius scale / 6.66).
void drawTarget(tarnwick::DrawingSurface& surface, const TargetView& view, const tarnwick::StrikeValues& strike,
                bool huntingMode);
