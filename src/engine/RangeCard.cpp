#include "RangeCard.h"

#include <algorithm>
#include <cmath>

#include "Flight.h"
#include "NumberText.h"

namespace tarnwick {

namespace {

std::string mphText(double mph) { return plainText(std::round(mph * 10) / 10) + " mph"; }

// The three corrections of a row, in the order of the columns.
struct CorrectionColumn {
    std::string title;
    CorrectionAxis axis;
    double (*offset)(const RangeCardRow&);
};

std::vector<CorrectionColumn> correctionColumns(const RangeCard& card) {
    return {{"Elevation", CorrectionAxis::Elevation, [](const RangeCardRow& r) { return r.point.height; }},
            {"Wind " + mphText(card.crossWindMph), CorrectionAxis::Windage, [](const RangeCardRow& r) { return r.point.drift; }},
            {"Wind " + mphText(kFullValueWindMph), CorrectionAxis::Windage, [](const RangeCardRow& r) { return r.fullValueDrift; }}};
}

using Cells = std::vector<std::string>;

std::string alignedText(const std::vector<Cells>& lines) {
    std::vector<std::size_t> widths(lines.front().size(), 0);
    for (const Cells& cells : lines)
        for (std::size_t i = 0; i < cells.size(); ++i) widths[i] = std::max(widths[i], cells[i].size());
    std::string text;
    for (const Cells& cells : lines) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            text += (i ? "  " : "") + std::string(widths[i] - cells[i].size(), ' ') + cells[i];
        text += '\n';
    }
    return text;
}

std::string csvText(const std::vector<Cells>& lines) {
    std::string text;
    for (const Cells& cells : lines) {
        for (std::size_t i = 0; i < cells.size(); ++i) text += (i ? "," : "") + cells[i];
        text += '\n';
    }
    return text;
}

}  // namespace

RangeCard rangeCard(const ShotParameters& params, const Sighting& sighting, const std::vector<double>& yards,
                    [[maybe_unused]] UnitSystem units) {
    RangeCard card;
    card.crossWindMph = params.RCrossWind / kCrossWindPerMph;
    try {
        const RangeTable current = rangeTable(*makeBallisticModel(params, sighting), Conditions::Range, yards);
        ShotParameters windy = params;
        windy.RCrossWind = kFullValueWindMph * kCrossWindPerMph;
        const RangeTable fullValue = rangeTable(*makeBallisticModel(windy, sighting), Conditions::Range, yards);
        const std::size_t count = std::min(current.rows.size(), fullValue.rows.size());
        for (std::size_t i = 0; i < count; ++i)
            card.rows.push_back({current.rows[i].yards, current.rows[i].point, fullValue.rows[i].point.drift});
        card.failure = current.failure.empty() ? fullValue.failure : current.failure;
    } catch (const NumericFailure& failure) {
        card.failure = failure.what();
    }
    return card;
}

std::string rangeCardHeading(const ShotParameters& params, const ReportTexts& texts, const Sighting& sighting,
                             [[maybe_unused]] UnitSystem units) {
    const std::string zero =
        isVarmint(params) ? plainText(sighting.zeroCrossingYards) + " yd"
                          : "path peaks " + plainText(params.MaxDeviation) + " in above the line of sight" +
                                (sighting.huntingOption ? " under the hunting conditions" : "");
    const double tailWindMph = params.RTailWind * kTailWindPerMphDenominator / kTailWindPerMphNumerator;
    return "Bullet: " + plotTitle(params, texts) + "\nZero: " + zero + "\nModel: " + modelName(params.Model) + ", " +
           params.DragFunction + " drag law\nAtmosphere: " + plainText(params.Altitude) + " ft, " +
           plainText(params.Temperature) + " deg F, " + plainText(params.BarometricPressure) + " inHg, " +
           plainText(params.RelHumidity) + "% humidity; cross wind " + mphText(params.RCrossWind / kCrossWindPerMph) +
           ", tail wind " + mphText(tailWindMph) + "\n";
}

std::string rangeCardTable(const RangeCard& card, const Corrections& corrections, CardFormat format,
                           [[maybe_unused]] UnitSystem units) {
    const bool csv = format == CardFormat::Csv;
    const bool angles = corrections.unit != CorrectionUnit::Inches;
    const auto columns = correctionColumns(card);
    Cells titles{"Range(yd)"};
    for (const CorrectionColumn& column : columns) {
        if (!csv) {
            titles.push_back(column.title);
            continue;
        }
        titles.push_back(column.title + "(in)");
        if (angles) titles.insert(titles.end(), {column.title + "(" + corrections.unitText() + ")", column.title + " direction"});
    }
    titles.insert(titles.end(), {"Speed(ft/s)", "Energy(ft-lbs)", "Time(s)"});
    std::vector<Cells> lines{titles};
    for (const RangeCardRow& row : card.rows) {
        Cells cells{plainText(row.yards)};
        for (const CorrectionColumn& column : columns) {
            const double offset = column.offset(row);
            if (!csv) {
                cells.push_back(correctionCell(offset, row.point.range, column.axis, corrections));
                continue;
            }
            const CorrectionTexts texts = correctionTexts(offset, row.point.range, column.axis, corrections);
            cells.push_back(texts.offset);
            if (angles) cells.insert(cells.end(), {texts.amount, texts.direction});
        }
        const TrajectoryPoint& p = row.point;
        cells.insert(cells.end(), {formatFixed(p.speed, 1), formatFixed(p.energy, 0), formatFixed(p.time, 4)});
        lines.push_back(std::move(cells));
    }
    return csv ? csvText(lines) : alignedText(lines);
}

}  // namespace tarnwick
