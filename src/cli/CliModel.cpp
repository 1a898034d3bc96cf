#include "CliModel.h"

#include <iostream>

#include "BallisticModel.h"
#include "Flight.h"
#include "NumberText.h"

using namespace tarnwick;

BallisticModelKind parseModelName(const std::string& value, const std::string& argument) {
    const auto kind = modelNamed(value);
    if (!kind) throw CliError("expected Classic or PointMass in '" + argument + "'");
    return *kind;
}

RangeList parseRangeList(const std::string& value, const std::string& argument) {
    const auto first = value.find(':');
    const auto second = first == std::string::npos ? first : value.find(':', first + 1);
    if (second == std::string::npos) throw CliError("expected START:END:STEP in '" + argument + "'");
    const auto start = readStrict(value.substr(0, first));
    const auto end = readStrict(value.substr(first + 1, second - first - 1));
    const auto step = readStrict(value.substr(second + 1));
    if (!start || !end || !step) throw CliError("not a number in '" + argument + "'");
    if (!(*start >= 0 && *end >= *start && *step > 0))
        throw CliError("ranges must run from 0 or more up to END in steps above 0 in '" + argument + "'");
    if ((*end - *start) / *step > 100000) throw CliError("more than 100000 ranges in '" + argument + "'");
    return {*start, *end, *step};
}

void checkModelChoice(const CliOptions& options) {
    const ShotParameters& p = options.state.params;
    if (p.Model == BallisticModelKind::PointMass) {
        if (p.DragFunction != "G1" && p.DragFunction != "G7")
            throw CliError("Model=PointMass flies DragFunction=G1 or G7, not '" + p.DragFunction + "'");
    } else if (p.DragFunction == "G7") {
        throw CliError("DragFunction=G7 needs Model=PointMass");
    }
    if (options.rangeTable && (options.inspectX || !options.pngPath.empty()))
        throw CliError("--range-table cannot be combined with --inspect or --png");
}

int runRangeTable(const CliOptions& options) {
    RangeTable table;
    try {
        const auto model = makeBallisticModel(
            options.state.params, {options.state.remembered.LastZeroCrossing, options.inputs.huntingOption});
        table = rangeTable(*model, Conditions::Range, options.rangeTable->yards());
    } catch (const NumericFailure& failure) {
        table.failure = failure.what();
    }
    std::cout << rangeTableHeader() << '\n';
    for (const RangeTableRow& row : table.rows) std::cout << rangeTableRow(row) << '\n';
    if (table.failure.empty()) return 0;
    std::cout.flush();
    std::cerr << table.failure << '\n';
    return 3;
}
