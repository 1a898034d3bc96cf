#include "RangeCard.h"

#include <algorithm>
#include <cmath>

#include "Flight.h"
#include "LongRangeEffects.h"
#include "NumberText.h"

namespace tarnwick {

namespace {

// A wind to a tenth: "10 mph", or in metric "4.5 m/s".
std::string windText(double mph, UnitSystem units) {
    if (units == UnitSystem::Imperial) return plainText(std::round(mph * 10) / 10) + " mph";
    return shownText(Quantity::WindSpeed, units, mph, 1) + " m/s";
}

// The three corrections of a row, in the order of the columns.
struct CorrectionColumn {
    std::string title;
    CorrectionAxis axis;
    double (*offset)(const RangeCardRow&);
};

std::vector<CorrectionColumn> correctionColumns(const RangeCard& card, UnitSystem units) {
    return {{"Elevation", CorrectionAxis::Elevation, [](const RangeCardRow& r) { return r.point.height; }},
            {card.windZones ? "Wind zones" : "Wind " + windText(card.crossWindMph, units), CorrectionAxis::Windage,
             [](const RangeCardRow& r) { return r.point.drift; }},
            {"Wind " + windText(card.fullValueWindMph, units), CorrectionAxis::Windage, [](const RangeCardRow& r) { return r.fullValueDrift; }}};
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

namespace {

const char* effectName(DriftEffect effect) {
    switch (effect) {
    case DriftEffect::Wind: return "Wind";
    case DriftEffect::Spin: return "Spin";
    case DriftEffect::Coriolis: return "Coriolis";
    }
    return "";
}

std::vector<DriftEffect> effectsOn(const ShotParameters& params, bool windZones) {
    std::vector<DriftEffect> effects;
    const bool crossZone = std::any_of(params.WindZones.begin(), params.WindZones.end(),
                                       [](const WindZone& zone) { return zone.crossWind != 0; });
    if (windZones ? crossZone : params.RCrossWind != 0) effects.push_back(DriftEffect::Wind);
    if (params.Model != BallisticModelKind::PointMass) return effects;
    if (spinDriftOn(params)) effects.push_back(DriftEffect::Spin);
    if (params.Latitude) effects.push_back(DriftEffect::Coriolis);
    return effects;
}

RangeTable rangeTableOf(const ShotParameters& params, const Sighting& sighting, const std::vector<double>& yards) {
    return rangeTable(*makeBallisticModel(params, sighting), Conditions::Range, yards);
}

// The windage of each effect at every row: the wind's is the drift of a flight without
// spin drift or the earth's rotation, the earth's what its rotation adds to that, and spin
// drift what it adds on top, so that the three add up to the drift flown.
void splitWindage(RangeCard& card, const ShotParameters& params, const Sighting& sighting,
                  const std::vector<double>& yards) {
    ShotParameters noSpin = params;
    noSpin.TwistRate = 0;
    ShotParameters windOnly = noSpin;
    windOnly.Latitude.reset();
    const RangeTable withoutSpin = rangeTableOf(noSpin, sighting, yards);
    const RangeTable wind = rangeTableOf(windOnly, sighting, yards);
    for (std::size_t i = 0; i < card.rows.size() && i < withoutSpin.rows.size() && i < wind.rows.size(); ++i) {
        double* share = card.rows[i].effectDrift;
        share[static_cast<int>(DriftEffect::Wind)] = wind.rows[i].point.drift;
        share[static_cast<int>(DriftEffect::Coriolis)] = withoutSpin.rows[i].point.drift - wind.rows[i].point.drift;
        share[static_cast<int>(DriftEffect::Spin)] = card.rows[i].point.drift - withoutSpin.rows[i].point.drift;
    }
}

}  // namespace

RangeCard rangeCard(const ShotParameters& params, const Sighting& sighting, const std::vector<double>& yards,
                    UnitSystem units, bool splitEffects) {
    RangeCard card;
    card.crossWindMph = crossWindMph(params.RCrossWind);
    card.windZones = params.Model == BallisticModelKind::PointMass && !params.WindZones.empty();
    if (units == UnitSystem::Metric)
        card.fullValueWindMph = storedValue(Quantity::WindSpeed, units, kFullValueWindMetresPerSecond);
    if (splitEffects) card.effects = effectsOn(params, card.windZones);
    try {
        const RangeTable current = rangeTableOf(params, sighting, yards);
        ShotParameters windy = params;
        windy.RCrossWind = card.fullValueWindMph * kCrossWindPerMph;
        windy.WindZones.clear();
        const RangeTable fullValue = rangeTableOf(windy, sighting, yards);
        const std::size_t count = std::min(current.rows.size(), fullValue.rows.size());
        for (std::size_t i = 0; i < count; ++i)
            card.rows.push_back({current.rows[i].yards, current.rows[i].point, fullValue.rows[i].point.drift});
        card.failure = current.failure.empty() ? fullValue.failure : current.failure;
        if (!card.effects.empty()) splitWindage(card, params, sighting, yards);
    } catch (const NumericFailure& failure) {
        card.failure = failure.what();
    }
    return card;
}

namespace {
// The wind the card flies: the single cross and tail wind, or the point-mass model's zones.
std::string windHeading(const ShotParameters& params, UnitSystem units) {
    if (params.Model != BallisticModelKind::PointMass || params.WindZones.empty())
        return "cross wind " + windText(crossWindMph(params.RCrossWind), units) + ", tail wind " +
               windText(tailWindMph(params.RTailWind), units);
    std::string text = "wind zones";
    for (const WindZone& zone : params.WindZones) text += (&zone == &params.WindZones.front() ? " " : ", ") + windZoneText(zone, units);
    return text;
}
}  // namespace

std::string rangeCardHeading(const ShotParameters& params, const ReportTexts& texts, const Sighting& sighting,
                             UnitSystem units) {
    const auto shown = [units](Quantity quantity, double imperial, int decimals) {
        return shownText(quantity, units, imperial, decimals) + " " + unitName(quantity, units);
    };
    const std::string zero =
        isVarmint(params) ? shown(Quantity::Range, sighting.zeroCrossingYards, 1)
                          : "path peaks " + shown(Quantity::Height, params.MaxDeviation, 2) + " above the line of sight" +
                                (sighting.huntingOption ? " under the hunting conditions" : "");
    return "Bullet: " + plotTitle(params, texts, units) + "\nZero: " + zero + "\nModel: " + modelName(params.Model) +
           ", " + params.DragFunction + " drag law\nAtmosphere: " + shown(Quantity::Distance, params.Altitude, 0) +
           ", " + shown(Quantity::Temperature, params.Temperature, 1) + ", " +
           shown(Quantity::Pressure, params.BarometricPressure, 1) + ", " + plainText(params.RelHumidity) +
           "% humidity; " + windHeading(params, units) + "\n";
}

std::string rangeCardTable(const RangeCard& card, const Corrections& corrections, CardFormat format,
                           UnitSystem units) {
    const bool csv = format == CardFormat::Csv;
    const bool angles = corrections.unit != CorrectionUnit::Inches;
    const bool metric = units == UnitSystem::Metric;
    const auto columns = correctionColumns(card, units);
    const std::string heightUnit = std::string("(") + unitName(Quantity::Height, units) + ")";
    Cells titles{metric ? "Range(m)" : "Range(yd)"};
    for (const CorrectionColumn& column : columns) {
        if (!csv) {
            titles.push_back(column.title);
            continue;
        }
        titles.push_back(column.title + heightUnit);
        if (angles) titles.insert(titles.end(), {column.title + "(" + corrections.unitText() + ")", column.title + " direction"});
    }
    for (const DriftEffect effect : card.effects) titles.push_back(effectName(effect) + (csv ? heightUnit : ""));
    titles.insert(titles.end(), {metric ? "Speed(m/s)" : "Speed(ft/s)", metric ? "Energy(J)" : "Energy(ft-lbs)", "Time(s)"});
    std::vector<Cells> lines{titles};
    for (const RangeCardRow& row : card.rows) {
        // Metric ranges were asked for in metres: a millionth shows them as typed.
        Cells cells{shownText(Quantity::Range, units, row.yards, 6)};
        for (const CorrectionColumn& column : columns) {
            const double offset = column.offset(row);
            if (!csv) {
                cells.push_back(correctionCell(offset, row.point.range, column.axis, corrections, units));
                continue;
            }
            const CorrectionTexts texts = correctionTexts(offset, row.point.range, column.axis, corrections, units);
            cells.push_back(texts.offset);
            if (angles) cells.insert(cells.end(), {texts.amount, texts.direction});
        }
        // Each share is shown as the step between the rounded running sums, so that the
        // shares shown add up to the windage shown.
        double sum = 0, shownSum = 0;
        for (const DriftEffect effect : card.effects) {
            sum += row.effectDrift[static_cast<int>(effect)];
            const double shown = std::round(shownValue(Quantity::Height, units, sum) * 100) / 100;
            const std::string offset = formatFixed(shown - shownSum, 2);
            shownSum = shown;
            cells.push_back(csv ? offset : offset + " " + unitName(Quantity::Height, units));
        }
        const TrajectoryPoint& p = row.point;
        cells.insert(cells.end(), {formatFixed(shownValue(Quantity::Speed, units, p.speed), 1),
                                   formatFixed(shownValue(Quantity::Energy, units, p.energy), 0), formatFixed(p.time, 4)});
        lines.push_back(std::move(cells));
    }
    return csv ? csvText(lines) : alignedText(lines);
}

}  // namespace tarnwick
