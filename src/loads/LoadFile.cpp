#include "LoadFile.h"

#include <QFile>
#include <QJsonDocument>
#include <algorithm>
#include <cmath>
#include <utility>

#include "AtomicFile.h"
#include "DragFunctions.h"
#include "JsonFields.h"
#include "LoadEffects.h"

namespace tarnwick::loads {

namespace {

using namespace json;

// The numbers of the parameter set, by their place in the document.
const std::pair<const char*, double ShotParameters::*> kNumbers[] = {
    {"bullet.mass", &ShotParameters::BulletMass},
    {"bullet.coefficients.low", &ShotParameters::BallisticCoefLow},
    {"bullet.coefficients.mid", &ShotParameters::BallisticCoefMid},
    {"bullet.coefficients.high", &ShotParameters::BallisticCoefHigh},
    {"bullet.breaks.low", &ShotParameters::BCBreakLow},
    {"bullet.breaks.high", &ShotParameters::BCBreakHigh},
    {"bullet.g7", &ShotParameters::BallisticCoefG7},
    {"muzzleVelocity", &ShotParameters::InitialVelocity},
    {"scopeHeight", &ShotParameters::ScopeHeight},
    {"savedScopeHeight", &ShotParameters::SaveScopeHeight},
    {"maxDeviation", &ShotParameters::MaxDeviation},
    {"range.altitude", &ShotParameters::Altitude},
    {"range.temperature", &ShotParameters::Temperature},
    {"range.pressure", &ShotParameters::BarometricPressure},
    {"range.humidity", &ShotParameters::RelHumidity},
    {"range.tailWind", &ShotParameters::RTailWind},
    {"range.crossWind", &ShotParameters::RCrossWind},
    {"hunting.altitude", &ShotParameters::HAltitude},
    {"hunting.temperature", &ShotParameters::HTemperature},
    {"hunting.pressure", &ShotParameters::HBarometricPressure},
    {"hunting.humidity", &ShotParameters::HRelHumidity},
    {"hunting.tailWind", &ShotParameters::HTailWind},
    {"hunting.crossWind", &ShotParameters::HCrossWind},
    {"slope", &ShotParameters::LOSAngle},
    {"dropTable", &ShotParameters::DropTable},
    {"timeStep", &ShotParameters::DeltaT},
    {"displayScale.horizontal", &ShotParameters::HorizontalScale},
    {"displayScale.vertical", &ShotParameters::VerticalScale},
};

// The texts of the report, by their place in the document.
const std::pair<const char*, std::string ReportTexts::*> kTexts[] = {
    {"bullet.maker", &ReportTexts::txtManufacturer},
    {"bullet.massText", &ReportTexts::txtBulletMass},
    {"bullet.type", &ReportTexts::txtBulletType},
    {"range.tailWindText", &ReportTexts::txtRTailWind},
    {"range.crossWindText", &ReportTexts::txtRCrossWind},
    {"hunting.tailWindText", &ReportTexts::txtHTailWind},
    {"hunting.crossWindText", &ReportTexts::txtHCrossWind},
};

// The words of the document's choices, index = the enumeration's value.
const char* const kSources[] = {"defaults", "table", "typed"};
const char* const kModels[] = {"classic", "pointMass"};
const char* const kCorrectionUnits[] = {"inches", "moa", "mrad", "clicks"};
const char* const kAngleUnits[] = {"moa", "mrad"};
// Mode and variant: Target's Trajectory and Drop Table, Hunting's Big Game and Varmint.
const char* const kVariants[] = {"trajectory", "dropTable", "bigGame", "varmint"};

Load readDocument(const QJsonObject& root) {
    const QJsonValue version = at(root, "version");
    if (!version.isDouble()) refuse("version", "expected a number");
    if (version.toDouble() != kLoadFormatVersion)
        refuse("version", "unknown load file version " + QString::number(version.toDouble()).toStdString() +
                              " (this program reads version " + std::to_string(kLoadFormatVersion) + ")");
    Load load;
    load.document = root;
    load.name = text(root, "name");
    load.notes = text(root, "notes");
    for (const auto& [path, member] : kNumbers) load.params.*member = number(root, path);
    for (const auto& [path, member] : kTexts) load.texts.*member = text(root, path);
    load.zeroDistance = number(root, "zeroDistance");
    load.bulletSource = choiceOf<BulletSource>(root, "bullet.source", kSources);
    load.texts.namesBullet = load.bulletSource == BulletSource::Table;
    load.stockNumber = text(root, "bullet.stockNumber");
    const std::size_t variant = choice(root, "variant", kVariants);
    load.params.HuntingMode = variant >= 2;
    load.params.PBRMode = variant % 2 == 0;
    load.params.Model = choiceOf<BallisticModelKind>(root, "model", kModels);
    load.params.DragFunction = text(root, "dragFunction");
    const bool known = std::find(kDragFunctionNames.begin(), kDragFunctionNames.end(), load.params.DragFunction) !=
                       kDragFunctionNames.end();
    if (load.params.Model == BallisticModelKind::PointMass ? load.params.DragFunction != "G1" && load.params.DragFunction != "G7"
                                                           : !known)
        refuse("dragFunction", "'" + load.params.DragFunction + "' is not a drag law of the " + kModels[int(load.params.Model)] +
                                   " model (classic: G1, Ingalls, Krupp; pointMass: G1, G7)");
    const std::optional<UnitSystem> units = unitSystemNamed(text(root, "units"));
    if (!units) refuse("units", "expected imperial or metric");
    load.units = *units;
    load.corrections.unit = choiceOf<CorrectionUnit>(root, "corrections.unit", kCorrectionUnits);
    load.corrections.clickSize = number(root, "corrections.clickSize");
    if (!(load.corrections.clickSize > 0)) refuse("corrections.clickSize", "must be above 0");
    load.corrections.clickUnit = choiceOf<AngleUnit>(root, "corrections.clickUnit", kAngleUnits);
    readEffects(root, load.params);
    return load;
}

}  // namespace

Load loadOf(const ProgramState& state, const RunInputs& inputs) {
    Load load;
    load.params = state.params;
    load.zeroDistance = state.remembered.LastZeroCrossing;
    load.texts = inputs.texts;
    // Bullet texts given by hand name the bullet as a table row does.
    load.bulletSource = inputs.texts.namesBullet ? BulletSource::Table : state.bulletSource;
    if (load.bulletSource == BulletSource::Table) load.stockNumber = state.remembered.LastStockNumber;
    load.units = inputs.units;
    load.corrections = inputs.corrections;
    return load;
}

void applyLoad(const Load& load, ProgramState& state, RunInputs& inputs) {
    ShotParameters& p = state.params;
    for (const auto& [path, member] : kNumbers) p.*member = load.params.*member;
    p.HuntingMode = load.params.HuntingMode;
    p.PBRMode = load.params.PBRMode;
    p.Model = load.params.Model;
    p.DragFunction = load.params.DragFunction;
    copyEffects(load.params, p);
    state.remembered.LastZeroCrossing = load.zeroDistance;
    state.bulletSource = load.bulletSource;
    const bool table = load.bulletSource == BulletSource::Table;
    state.tableBullet = table ? BulletName{load.texts.txtManufacturer, load.texts.txtBulletMass, load.texts.txtBulletType}
                              : BulletName{};
    if (table) {
        state.remembered.LastManufacturer = load.texts.txtManufacturer;
        state.remembered.LastStockNumber = load.stockNumber;
    }
    inputs.texts = load.texts;
    inputs.texts.namesBullet = table;
    inputs.huntingOption = p.HuntingMode;
    inputs.units = load.units;
    inputs.corrections = load.corrections;
    state.remembered.LastUnits = load.units;
    state.remembered.LastCorrections = load.corrections;
}

QByteArray loadJson(const Load& load) {
    QJsonObject fresh;
    put(fresh, "version", kLoadFormatVersion);
    put(fresh, "name", QString::fromStdString(load.name));
    put(fresh, "notes", QString::fromStdString(load.notes));
    for (const auto& [path, member] : kNumbers) put(fresh, path, load.params.*member);
    for (const auto& [path, member] : kTexts) put(fresh, path, QString::fromStdString(load.texts.*member));
    put(fresh, "zeroDistance", load.zeroDistance);
    put(fresh, "bullet.source", kSources[int(load.bulletSource)]);
    put(fresh, "bullet.stockNumber", QString::fromStdString(load.stockNumber));
    put(fresh, "variant", kVariants[(load.params.HuntingMode ? 2 : 0) + (load.params.PBRMode ? 0 : 1)]);
    put(fresh, "model", kModels[int(load.params.Model)]);
    put(fresh, "dragFunction", QString::fromStdString(load.params.DragFunction));
    put(fresh, "units", unitSystemName(load.units));
    put(fresh, "corrections.unit", kCorrectionUnits[int(load.corrections.unit)]);
    put(fresh, "corrections.clickSize", load.corrections.clickSize);
    put(fresh, "corrections.clickUnit", kAngleUnits[int(load.corrections.clickUnit)]);
    writeEffects(fresh, load.params);
    return QJsonDocument(merged(load.document, fresh)).toJson(QJsonDocument::Indented);
}

Result<Load> parseLoad(const QByteArray& json) {
    if (json.size() > kMaxLoadFileBytes) return Error{"the file is larger than a load file can be (1 MB)"};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return Error{"not a load file: " + error.errorString().toStdString() + " at character " +
                     std::to_string(error.offset)};
    if (!document.isObject()) return Error{"not a load file: expected a JSON object"};
    try {
        return readDocument(document.object());
    } catch (const json::Refusal& refusal) {
        return Error{refusal.message};
    }
}

Result<Load> readLoadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return Error{path + ": " + file.errorString().toStdString()};
    // One byte past the limit tells a file that is too large without reading it all.
    const QByteArray bytes = file.read(kMaxLoadFileBytes + 1);
    if (file.error() != QFileDevice::NoError) return Error{path + ": " + file.errorString().toStdString()};
    Result<Load> load = parseLoad(bytes);
    if (!load) return Error{path + ": " + load.error()};
    return load;
}

Status writeLoadFile(const std::string& path, const Load& load) {
    const QByteArray json = loadJson(load);
    return files::writeFileAtomically(path, std::string_view(json.constData(), static_cast<std::size_t>(json.size())));
}

Status openLoad(const std::string& path, ProgramState& state, RunInputs& inputs) {
    const Result<Load> load = readLoadFile(path);
    if (!load) return load.failure();
    applyLoad(*load, state, inputs);
    return {};
}

}  // namespace tarnwick::loads
