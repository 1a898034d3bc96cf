#pragma once
// tarnwick-cli and the flight models: --set Model=..., the drag laws each model flies,
// --range-table and --range-card.
#include <string>

#include "CliOptions.h"

// "Classic" or "PointMass"; throws CliError naming the argument otherwise.
tarnwick::BallisticModelKind parseModelName(const std::string& value, const std::string& argument);

// "START:END:STEP" (yards, or metres in metric): 0 <= START <= END, STEP > 0, at most 100,000 ranges. Throws
// CliError naming the argument otherwise.
tarnwick::RangeList parseRangeList(const std::string& value, const std::string& argument);

// After all arguments are read: G7 needs the point-mass model, which flies G1 and G7 only,
// and a range table or card replaces the report and the plot, so it goes with none of
// --inspect, --png, --svg and --pdf; --csv needs --range-card, and --corrections goes
// with the range card or with the report's drop table (DropTable=1).
void checkModelChoice(const CliOptions& options);

// Prints the range table of the range conditions; returns the exit status (3 when the
// flight stopped short or the sight could not be set, the reason on standard error).
int runRangeTable(const CliOptions& options);

// Prints the range card (its heading unless --csv); the exit status as for the range table.
int runRangeCard(const CliOptions& options);
