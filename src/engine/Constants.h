#pragma once
// The fixed numbers of the program, each named once: the engine, the drawing, the
// windows, the command line and the benchmarks all take them from here. Change one and
// every result that depends on it follows; keep each expression's order of operations
// where they are used, so that the numbers stay the same to the last bit.

namespace tarnwick {

// --- physics ---

// Pi to ten significant digits, used on purpose by the classic model's slope, the
// gravity indicator and the wind calculator (cos 90 degrees is then not quite 0).
inline constexpr double kTenDigitPi = 3.141592654;
// Grains per slug (7000 gr/lb x 32.174 ft/s^2): BulletMass / kGrainsPerSlug * v * v / 2
// is the energy in foot-pounds.
inline constexpr double kGrainsPerSlug = 225218;
// The muzzle velocity gains this many ft/s per degree F of powder temperature.
inline constexpr double kVelocityPerDegreeF = 1.5;

// --- wind speeds typed in miles per hour ---

// A cross wind in mph times this is in inches per second.
inline constexpr double kCrossWindPerMph = 17.6;
// A tail wind in mph times 22, then divided by 15, is in feet per second.
inline constexpr double kTailWindPerMphNumerator = 22;
inline constexpr double kTailWindPerMphDenominator = 15;

// --- the plot's layout, in canvas units ---

// The canvas (the main window's client area) as designed.
inline constexpr int kCanvasWidth = 578;
inline constexpr int kCanvasHeight = 288;
// The vertical axis stands this far in from the left, the range axis this far up from
// the bottom; the drop chart's line of sight and the top of the energy or velocity
// scale lie this far down from the top.
inline constexpr int kPlotMargin = 50;
// The plot ends this far short of the right edge, leaving room for the curve's scale.
inline constexpr int kPlotRightMargin = 75;

}  // namespace tarnwick
