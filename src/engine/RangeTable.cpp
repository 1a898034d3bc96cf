#include "RangeTable.h"

#include <cmath>

#include "NumberText.h"

namespace tarnwick {

namespace {

using Columns = const char* const[6];
constexpr Columns kColumns = {"Range(yd)", "Height(in)", "Drift(in)", "Speed(ft/s)", "Energy(ft-lbs)", "Time(s)"};
constexpr Columns kMetricColumns = {"Range(m)", "Height(cm)", "Drift(cm)", "Speed(m/s)", "Energy(J)", "Time(s)"};

const Columns& columnsFor(UnitSystem units) { return units == UnitSystem::Metric ? kMetricColumns : kColumns; }

void appendColumn(std::string& line, const std::string& text, const char* title) {
    const std::size_t width = std::char_traits<char>::length(title);
    if (!line.empty()) line += "  ";
    if (text.size() < width) line.append(width - text.size(), ' ');
    line += text;
}

}  // namespace

std::vector<double> RangeList::yards(UnitSystem typedIn) const {
    std::vector<double> list;
    const auto count = static_cast<long long>(std::floor((end - start) / step + 1e-6)) + 1;
    for (long long i = 0; i < count; ++i)
        list.push_back(storedValue(Quantity::Range, typedIn, start + static_cast<double>(i) * step));
    return list;
}

RangeTable rangeTable(const BallisticModel& model, Conditions conditions, const std::vector<double>& yards) {
    RangeTable table;
    if (yards.empty()) return table;
    const auto flight = model.fly(conditions, 3 * yards.back());
    for (const double y : yards) {
        if (3 * y > flight->reach()) {
            table.failure = flight->stopReason();
            break;
        }
        table.rows.push_back({y, flight->at(3 * y)});
    }
    return table;
}

std::string rangeTableHeader(UnitSystem units) {
    std::string line;
    for (const char* title : columnsFor(units)) appendColumn(line, title, title);
    return line;
}

std::string rangeTableRow(const RangeTableRow& row, UnitSystem units) {
    const TrajectoryPoint& p = row.point;
    const auto shown = [units](Quantity quantity, double imperial, int decimals) {
        return formatFixed(shownValue(quantity, units, imperial), decimals);
    };
    // Metric ranges were asked for in metres: a millionth shows them as typed.
    const std::string values[] = {shownText(Quantity::Range, units, row.yards, 6), shown(Quantity::Height, p.height, 3),
                                  shown(Quantity::Height, p.drift, 3), shown(Quantity::Speed, p.speed, 1),
                                  shown(Quantity::Energy, p.energy, 0), formatFixed(p.time, 4)};
    std::string line;
    for (std::size_t i = 0; i < std::size(values); ++i) appendColumn(line, values[i], columnsFor(units)[i]);
    return line;
}

}  // namespace tarnwick
