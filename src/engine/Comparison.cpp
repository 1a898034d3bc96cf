#include "Comparison.h"

#include <algorithm>

#include "Constants.h"
#include "NumberText.h"
#include "RangeCard.h"

namespace tarnwick {

namespace {

// One line per load: a short stroke in its colour and its name, right-aligned inside
// the plot's margin.
void drawLegend(const std::vector<ComparedLoad>& loads, DrawingSurface& surface) {
    constexpr double kStroke = 24, kGap = 6;
    double widest = 0;
    for (const ComparedLoad& load : loads) widest = std::max(widest, surface.textWidth(load.name));
    const double left = surface.width() - kPlotMargin - kStroke - kGap - widest;
    double top = kPlotMargin;
    surface.setPenStyle(PenStyle::Solid);
    for (std::size_t i = 0; i < loads.size(); ++i) {
        const double rowHeight = surface.textHeight(loads[i].name);
        surface.setPenColour(kComparisonColours[i]);
        surface.line(left, top + rowHeight / 2, left + kStroke, top + rowHeight / 2);
        surface.setPenColour(colours::Black);
        surface.setCurrent(left + kStroke + kGap, top);
        surface.print(loads[i].name);
        top += rowHeight;
    }
}

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace

std::string comparedRangeCard(const std::vector<ComparedLoad>& loads, const std::vector<double>& yards,
                              const Corrections& corrections) {
    std::vector<RangeCard> cards;
    std::size_t width = correctionCell(0, 300, CorrectionAxis::Elevation, corrections).size();
    for (const ComparedLoad& load : loads) {
        const Sighting sighting = sightingOf(load.state.remembered, load.inputs.huntingOption);
        cards.push_back(rangeCard(load.state.params, sighting, yards));
        width = std::max(width, load.name.size());
    }
    std::string text = padded("Range (yd)", 10);
    for (const ComparedLoad& load : loads) text += "  " + padded(load.name, width);
    text += '\n';
    for (std::size_t row = 0; row < yards.size(); ++row) {
        text += padded(plainText(yards[row]), 10);
        for (const RangeCard& card : cards) {
            const std::string cell = row < card.rows.size()
                                         ? correctionCell(card.rows[row].point.height, yards[row] * 3,
                                                          CorrectionAxis::Elevation, corrections)
                                         : std::string();
            text += "  " + padded(cell, width);
        }
        text += '\n';
    }
    for (std::size_t i = 0; i < loads.size(); ++i)
        if (!cards[i].failure.empty()) text += loads[i].name + ": " + cards[i].failure + '\n';
    return text;
}

std::vector<RunOutcome> compareLoads(std::vector<ComparedLoad>& loads, DrawingSurface& surface, ResultsWindow& results) {
    if (loads.size() > kMaxComparedLoads) loads.resize(kMaxComparedLoads);
    std::vector<RunOutcome> outcomes;
    std::string text;
    for (std::size_t i = 0; i < loads.size(); ++i) {
        ComparedLoad& load = loads[i];
        // One canvas, one scale: the paths are only comparable under the same one.
        load.state.params.HorizontalScale = loads.front().state.params.HorizontalScale;
        load.state.params.VerticalScale = loads.front().state.params.VerticalScale;
        load.inputs.pathColour = kComparisonColours[i];
        TextResults report;
        outcomes.push_back(plotRun(load.state, load.inputs, surface, report));
        if (i > 0) text += std::string(kCrLf) + kCrLf;
        text += "=== " + load.name + " ===" + kCrLf + report.text;
        if (!outcomes.back().completed) text += std::string(kCrLf) + outcomes.back().message;
    }
    drawLegend(loads, surface);
    results.setText(text);
    results.showWindow();
    return outcomes;
}

}  // namespace tarnwick
