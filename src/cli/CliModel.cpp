#include "CliModel.h"

#include <iostream>

#include "BallisticModel.h"
#include "Flight.h"
#include "LongRangeEffects.h"
#include "NumberText.h"
#include "RangeCard.h"

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
    // A table replaces the report and the plot, so a picture asked for would silently be missing.
    const bool plotOutput =
        options.inspectX || !options.pngPath.empty() || !options.svgPath.empty() || !options.pdfPath.empty();
    if (options.rangeTable && options.rangeCard) throw CliError("--range-table and --range-card cannot be combined");
    if ((options.rangeTable || options.rangeCard) && plotOutput)
        throw CliError(std::string(options.rangeTable ? "--range-table" : "--range-card") +
                       " cannot be combined with --inspect, --png, --svg or --pdf");
    if (!options.rangeCard && options.csv) throw CliError("--csv goes with --range-card");
    if (!options.rangeCard && options.effects) throw CliError("--effects goes with --range-card");
    // Corrections show on the card and in the report's drop table; anywhere else they would do nothing.
    if (options.corrections && !options.rangeCard && (options.rangeTable || options.state.params.DropTable != 1))
        throw CliError("--corrections goes with --range-card or the report's drop table (--set DropTable=1)");
}

namespace {

Sighting sightingOf(const CliOptions& options) {
    return tarnwick::sightingOf(options.state.remembered, options.inputs.huntingOption);
}

// The rows reached are printed; the reason a table ended early goes to standard error.
int tableStatus(const std::string& failure) {
    if (failure.empty()) return 0;
    std::cout.flush();
    std::cerr << failure << '\n';
    return 3;
}

}  // namespace

int runRangeTable(const CliOptions& options) {
    RangeTable table;
    try {
        const auto model = makeBallisticModel(options.state.params, sightingOf(options));
        table = rangeTable(*model, Conditions::Range, options.rangeTable->yards(options.inputs.units));
    } catch (const NumericFailure& failure) {
        table.failure = failure.what();
    }
    std::cout << rangeTableHeader(options.inputs.units) << '\n';
    for (const RangeTableRow& row : table.rows) std::cout << rangeTableRow(row, options.inputs.units) << '\n';
    if (options.state.params.Model == BallisticModelKind::PointMass) std::cout << stabilityLines(options.state.params, "\n");
    return tableStatus(table.failure);
}

int runRangeCard(const CliOptions& options) {
    const ShotParameters& params = options.state.params;
    const UnitSystem units = options.inputs.units;
    const RangeCard card = rangeCard(params, sightingOf(options), options.rangeCard->yards(units), units, options.effects);
    // The CSV is the title row and the rows alone, for a spreadsheet to read.
    if (!options.csv) std::cout << rangeCardHeading(params, options.inputs.texts, sightingOf(options), units);
    std::cout << rangeCardTable(card, options.corrections.value_or(Corrections{}),
                                options.csv ? CardFormat::Csv : CardFormat::Text, units);
    return tableStatus(card.failure);
}
