#pragma once
// The range table: one flight's values at exactly the ranges asked for, and its text.
#include <string>
#include <vector>

#include "BallisticModel.h"
#include "Units.h"

namespace tarnwick {

// Ranges in yards: start, start + step, ... up to end; the last may overshoot end by a
// millionth of a step (decimal steps such as 0.1 do not add up exactly). Needs
// 0 <= start <= end and step > 0, and is meant for lists of a size that can be printed.
struct RangeList {
    double start = 0, end = 0, step = 1;
    // Every range from start to end, in yards; a list typed in metric units is in metres.
    std::vector<double> yards(UnitSystem typedIn = UnitSystem::Imperial) const;
};

struct RangeTableRow {
    double yards = 0;
    TrajectoryPoint point;
};

struct RangeTable {
    std::vector<RangeTableRow> rows;
    std::string failure;  // why the table ends early, in plain words; empty when it is whole
};

// Flies `conditions` once out to the last range and reads every range off the flight.
RangeTable rangeTable(const BallisticModel& model, Conditions conditions, const std::vector<double>& yards);

// "Range(yd)  Height(in)  Drift(in)  Speed(ft/s)  Energy(ft-lbs)  Time(s)", and one row
// under it: height and drift with three decimals, speed with one, energy whole, time with
// four. Columns are right-aligned and separated by blanks; no line ends are included.
// Metric shows m, cm, m/s and J in the same columns.
std::string rangeTableHeader(UnitSystem units = UnitSystem::Imperial);
std::string rangeTableRow(const RangeTableRow& row, UnitSystem units = UnitSystem::Imperial);

}  // namespace tarnwick
