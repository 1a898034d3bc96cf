#pragma once
// Retardation of the standard projectile (ballistic coefficient 1.0), in ft/s²,
// as a function of the bullet's speed through the air in ft/s. Pure functions.
#include <array>
#include <string_view>

namespace tarnwick {

double Gavre(double speed);    // G1 law, piecewise linear
double Ingalls(double speed);  // Ingalls (Mayevski) power law; speed must be > 0
double krupp(double speed);    // Krupp law, piecewise linear

enum class DragLaw { G1, Ingalls, Krupp };

// The names the drag-function commands store in DragFunction, one per law offered.
inline constexpr std::array<std::string_view, 3> kDragFunctionNames{"G1", "Ingalls", "Krupp"};

// "G1" and "Ingalls" by exact, case-sensitive comparison; any other text is Krupp.
DragLaw dragLawNamed(std::string_view dragFunction);

double Deceleration(DragLaw law, double speed);
double Deceleration(std::string_view dragFunction, double speed);

}  // namespace tarnwick
