#pragma once
// Picking one bullet of the table the way the select window does.
#include <optional>
#include <string>

#include "BulletCursor.h"
#include "Report.h"
#include "ShotParameters.h"

namespace tarnwick::bulletdb {

// Moves to the first row whose stock number equals `stock` (letter case ignored) and,
// when `maker` is given, whose maker equals it exactly; true when there is one. Without
// such a row the cursor returns to where it was.
Result<bool> findBullet(BulletCursor& cursor, const std::string& stock, const std::optional<std::string>& maker);

// Flies the bullet of `row` as Select does: its mass, three ballistic coefficients, two
// break velocities, G7 coefficient and length into the parameter set (read by the
// lenient leading-number rule: no value reads as 0, for the length "unknown"), its
// caliber as the bullet diameter when it is a plain number of inches (".308"; otherwise
// the diameter stays), its maker, mass and type for the report's bullet line, and the
// table remembered as the bullet source with the row's maker and stock number.
void flyTableBullet(const FieldTexts& row, ProgramState& state);

// At start-up, when the table was the remembered bullet source: flies the remembered
// bullet (its stock number, its maker exactly) of the database at `path`. False, with
// nothing changed, when the file or the bullet cannot be found.
bool restoreTableBullet(const std::string& path, ProgramState& state);

// The report's bullet line names the table bullet being flown, if there is one.
void nameFlownBullet(const ProgramState& state, ReportTexts& texts);

}  // namespace tarnwick::bulletdb
