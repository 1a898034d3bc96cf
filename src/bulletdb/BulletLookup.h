#pragma once
// Picking one bullet of the table the way the select window does.
#include <optional>
#include <string>

#include "BulletCursor.h"
#include "ShotParameters.h"

namespace tarnwick::bulletdb {

// Moves to the first row whose stock number equals `stock` (letter case ignored) and,
// when `maker` is given, whose maker equals it exactly. Without such a row the cursor
// returns to where it was and `found` is false.
DbResult findBullet(BulletCursor& cursor, const std::string& stock, const std::optional<std::string>& maker,
                    bool& found);

// Mass, the three ballistic coefficients and the two break velocities of a row, read by
// the lenient leading-number rule (no value reads as 0).
void copyBulletInto(const FieldTexts& row, ShotParameters& params);

}  // namespace tarnwick::bulletdb
