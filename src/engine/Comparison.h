#pragma once
// A comparison of loads ("which is flatter to 400 yards?"): up to four loads flown on one
// canvas, each path in its own colour, with a legend naming each load, and their reports
// one after another.
#include <iterator>
#include <string>
#include <vector>

#include "PlotRun.h"

namespace tarnwick {

// Colours that colour-blind eyes tell apart (Okabe and Ito's palette, less its black,
// which the frame uses, and its yellow, which is faint on white): blue, vermillion,
// bluish green and reddish purple.
inline constexpr Rgb kComparisonColours[] = {{0, 114, 178}, {213, 94, 0}, {0, 158, 115}, {204, 121, 167}};
inline constexpr std::size_t kMaxComparedLoads = std::size(kComparisonColours);

struct ComparedLoad {
    std::string name;  // as the legend and the report's heading show it
    ProgramState state;
    RunInputs inputs;
};

// Flies every load (at most kMaxComparedLoads) on `surface` under the first load's display
// scale, then draws the legend in the top right corner. The results window shows each
// load's report under a line with its name. One outcome per load.
std::vector<RunOutcome> compareLoads(std::vector<ComparedLoad>& loads, DrawingSurface& surface, ResultsWindow& results);

// The range card of the loads side by side: per range (yards) each load's elevation
// correction under its range conditions, in a column headed by its name. A load whose
// flight ends early leaves its later cells blank and says why below the table.
std::string comparedRangeCard(const std::vector<ComparedLoad>& loads, const std::vector<double>& yards,
                              const Corrections& corrections);

}  // namespace tarnwick
