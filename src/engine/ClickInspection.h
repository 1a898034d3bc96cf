#pragma once
// What a left click on the plot shows: the bullet is flown again from the current
// parameters until its plotted position passes the clicked x, for range conditions
// and, in Hunting mode, for hunting conditions. Under the point-mass model the values
// are read off its flight at exactly the range under the click.
#include <string>

#include "ShotParameters.h"

namespace tarnwick {

struct ClickInspection {
    std::string caption;  // point information window, "At 250. Yards:"
    std::string lblRangeDrop, lblRangeVelocity, lblRangeEnergy, lblRangeDeflection;
    bool hunting = false;  // whether the "In the field:" values were worked out
    std::string lblFieldDrop, lblFieldVelocity, lblFieldEnergy, lblFieldDeflection;
    std::string targetCaption;  // the target view's caption
    StrikeValues strike;        // the strike values after the click
    std::string problem;        // why a walk stopped short, in plain words; empty when it did not
    bool failed = false;        // a numeric failure: no values at all, `problem` says why
};

// Inspects a click at canvas x `clickX` (left button). `previous` supplies the strike
// values that the click leaves alone (the hunting ones in Target mode). A click whose
// numbers cannot be worked out (a zero time step, an unreachable Varmint zero, values
// that are no longer finite) shows no values, says why and keeps every strike value.
// The texts are in `remembered`'s units; with its corrections in an angle, the drop and
// the deflection also name the angle to dial and its direction.
ClickInspection inspectClick(const ShotParameters& params, const RememberedSettings& remembered,
                             bool huntingOption, double clickX, const StrikeValues& previous);

}  // namespace tarnwick
