#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "AtomicFile.h"
#include "BallisticModel.h"
#include "LongRangeEffects.h"

namespace {

const QString kGroup = QStringLiteral("Remembered");

const QSettings::Format kFormat = QSettings::IniFormat;

// Reads every field or nothing.
class RecordReader {
public:
    explicit RecordReader(QSettings& settings) : settings_(settings) {}

    std::string text(const char* key) {
        const QVariant value = settings_.value(key);
        if (!value.isValid()) ok_ = false;
        return value.toString().toStdString();
    }

    bool flag(const char* key) {
        const QString value = settings_.value(key).toString().trimmed().toLower();
        if (value == "true") return true;
        if (value != "false") ok_ = false;
        return false;
    }

    double number(const char* key) {
        bool converted = false;
        const double value = settings_.value(key).toString().toDouble(&converted);
        if (!converted || !std::isfinite(value)) ok_ = false;
        return value;
    }

    int whole(const char* key) {
        bool converted = false;
        const int value = settings_.value(key).toString().toInt(&converted);
        // The geometry is kept as 16-bit numbers.
        if (!converted || value < std::numeric_limits<std::int16_t>::min() ||
            value > std::numeric_limits<std::int16_t>::max())
            ok_ = false;
        return value;
    }

    // A field that records written before it existed lack: missing gives `fallback`.
    double numberOr(const char* key, double fallback) { return settings_.contains(key) ? number(key) : fallback; }
    bool flagOr(const char* key, bool fallback) { return settings_.contains(key) ? flag(key) : fallback; }
    std::string textOr(const char* key, const std::string& fallback) {
        return settings_.contains(key) ? text(key) : fallback;
    }

    bool ok() const { return ok_; }

private:
    QSettings& settings_;
    bool ok_ = true;
};

QString number(double value) { return QString::number(value, 'g', 17); }

const char* sourceName(tarnwick::BulletSource source) {
    switch (source) {
    case tarnwick::BulletSource::Table: return "Table";
    case tarnwick::BulletSource::Manual: return "Manual";
    case tarnwick::BulletSource::Defaults: break;
    }
    return "None";
}

// A record from before the source was kept names a bullet only when Select chose one.
tarnwick::BulletSource readSource(const QSettings& settings, const tarnwick::RememberedSettings& r) {
    const QString name = settings.value("LastBulletSource").toString();
    for (auto source : {tarnwick::BulletSource::Table, tarnwick::BulletSource::Manual, tarnwick::BulletSource::Defaults})
        if (name == QLatin1String(sourceName(source))) return source;
    return r.LastStockNumber.empty() ? tarnwick::BulletSource::Defaults : tarnwick::BulletSource::Table;
}

// Effects no input could have given fall back to their defaults.
RememberedEffects usableEffects(RememberedEffects e) {
    const RememberedEffects defaults;
    if (!(e.twistRate >= 0 && e.twistRate <= tarnwick::kLargestEffectSize)) e.twistRate = defaults.twistRate;
    if (e.latitude && !(std::fabs(*e.latitude) <= tarnwick::kLargestLatitude)) e.latitude.reset();
    if (!(std::fabs(e.azimuth) <= tarnwick::kLargestAzimuth)) e.azimuth = defaults.azimuth;
    return e;
}

RememberedEffects readEffects(RecordReader& read, const QSettings& settings) {
    RememberedEffects e;
    e.twistRate = read.numberOr("TwistRate", e.twistRate);
    e.twistLeft = read.flagOr("TwistLeft", e.twistLeft);
    if (settings.contains("Latitude")) e.latitude = read.number("Latitude");
    e.azimuth = read.numberOr("Azimuth", e.azimuth);
    e.pressureIsSeaLevel = read.flagOr("PressureIsSeaLevel", e.pressureIsSeaLevel);
    return usableEffects(e);
}

void writeEffects(QSettings& settings, const RememberedEffects& e) {
    settings.setValue("TwistRate", number(e.twistRate));
    settings.setValue("TwistLeft", e.twistLeft ? "true" : "false");
    if (e.latitude) settings.setValue("Latitude", number(*e.latitude));  // none: no key
    settings.setValue("Azimuth", number(e.azimuth));
    settings.setValue("PressureIsSeaLevel", e.pressureIsSeaLevel ? "true" : "false");
}

}  // namespace

RememberedEffects effectsOf(const tarnwick::ShotParameters& p) {
    return {p.TwistRate, p.TwistLeft, p.Latitude, p.Azimuth, p.PressureIsSeaLevel};
}

void restoreEffects(tarnwick::ShotParameters& p, const RememberedEffects& e) {
    p.TwistRate = e.twistRate;
    p.TwistLeft = e.twistLeft;
    p.Latitude = e.latitude;
    p.Azimuth = e.azimuth;
    p.PressureIsSeaLevel = e.pressureIsSeaLevel;
}

QString settingsFilePath() {
    return QSettings(kFormat, QSettings::UserScope, QStringLiteral("Tarnwick"), QStringLiteral("Tarnwick")).fileName();
}

std::optional<StoredRecord> loadStoredRecord() {
    const QString path = settingsFilePath();
    if (!QFileInfo::exists(path)) return std::nullopt;
    QSettings settings(path, kFormat);
    if (settings.status() != QSettings::NoError) return std::nullopt;
    settings.beginGroup(kGroup);
    RecordReader read(settings);
    StoredRecord record;
    tarnwick::RememberedSettings& r = record.remembered;
    r.LastManufacturer = read.text("LastManufacturer");
    r.LastStockNumber = read.text("LastStockNumber");
    r.LastHuntingMode = read.flag("LastHuntingMode");
    r.LastPBRMode = read.flag("LastPBRMode");
    r.LastMaxDeviation = read.number("LastMaxDeviation");
    r.LastZeroCrossing = read.number("LastZeroCrossing");
    r.LastInitialVelocity = read.number("LastInitialVelocity");
    r.LastHorizontalScale = read.number("LastHorizontalScale");
    r.LastVerticalScale = read.number("LastVerticalScale");
    r.LastScopeHeight = read.number("LastScopeHeight");
    r.LastAltitude = read.number("LastAltitude");
    r.LastTemperature = read.number("LastTemperature");
    r.LastHAltitude = read.number("LastHAltitude");
    r.LastHTemperature = read.number("LastHTemperature");
    r.LastBulletSource = readSource(settings, r);
    r.LastBallisticCoef = read.numberOr("LastBallisticCoef", r.LastBallisticCoef);
    r.LastBulletMass = read.numberOr("LastBulletMass", r.LastBulletMass);
    // A model this program does not know starts the classic one.
    r.LastModel = tarnwick::modelNamed(read.textOr("LastModel", "")).value_or(tarnwick::BallisticModelKind::Classic);
    r.LastDragFunction = read.textOr("LastDragFunction", r.LastDragFunction);
    r.LastBallisticCoefG7 = read.numberOr("LastBallisticCoefG7", r.LastBallisticCoefG7);
    // Unknown words keep imperial units and inch corrections.
    r.LastUnits = tarnwick::unitSystemNamed(read.textOr("Units", "")).value_or(r.LastUnits);
    r.LastCorrections = tarnwick::correctionsNamed(read.textOr("Corrections", "")).value_or(r.LastCorrections);
    record.effects = readEffects(read, settings);
    const int top = read.whole("Top");
    const int left = read.whole("Left");
    const int height = read.whole("Height");
    const int width = read.whole("Width");
    if (!read.ok() || width <= 0 || height <= 0) return std::nullopt;
    record.geometry = QRect(left, top, width, height);
    record.remembered = tarnwick::usableRemembered(record.remembered);
    return record;
}

tarnwick::Status saveStoredRecord(const StoredRecord& record) {
    const QString path = settingsFilePath();
    const QString folder = QFileInfo(path).absolutePath();
    auto fail = [](const QString& reason) { return tarnwick::Status(tarnwick::Error{reason.toStdString()}); };
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(folder)));
    // QSettings writes the INI text into a scratch folder of its own; the record file is
    // then replaced with that text whole (AtomicFile), so a reader sees the old or the
    // new record, and a link to a record kept elsewhere stays a link.
    QTemporaryDir scratch(folder + QStringLiteral("/.settings-XXXXXX"));
    if (!scratch.isValid()) return fail(QStringLiteral("cannot write in %1").arg(QDir::toNativeSeparators(folder)));
    const QString draft = scratch.filePath(QStringLiteral("record.ini"));
    {
        QSettings settings(draft, kFormat);
        settings.beginGroup(kGroup);
        const tarnwick::RememberedSettings& r = record.remembered;
        settings.setValue("LastManufacturer", QString::fromStdString(r.LastManufacturer));
        settings.setValue("LastStockNumber", QString::fromStdString(r.LastStockNumber));
        settings.setValue("LastHuntingMode", r.LastHuntingMode ? "true" : "false");
        settings.setValue("LastPBRMode", r.LastPBRMode ? "true" : "false");
        settings.setValue("LastMaxDeviation", number(r.LastMaxDeviation));
        settings.setValue("LastZeroCrossing", number(r.LastZeroCrossing));
        settings.setValue("LastInitialVelocity", number(r.LastInitialVelocity));
        settings.setValue("LastHorizontalScale", number(r.LastHorizontalScale));
        settings.setValue("LastVerticalScale", number(r.LastVerticalScale));
        settings.setValue("LastScopeHeight", number(r.LastScopeHeight));
        settings.setValue("LastAltitude", number(r.LastAltitude));
        settings.setValue("LastTemperature", number(r.LastTemperature));
        settings.setValue("LastHAltitude", number(r.LastHAltitude));
        settings.setValue("LastHTemperature", number(r.LastHTemperature));
        settings.setValue("LastBulletSource", sourceName(r.LastBulletSource));
        settings.setValue("LastBallisticCoef", number(r.LastBallisticCoef));
        settings.setValue("LastBulletMass", number(r.LastBulletMass));
        settings.setValue("LastModel", tarnwick::modelName(r.LastModel));
        settings.setValue("LastDragFunction", QString::fromStdString(r.LastDragFunction));
        settings.setValue("LastBallisticCoefG7", number(r.LastBallisticCoefG7));
        settings.setValue("Units", tarnwick::unitSystemName(r.LastUnits));
        settings.setValue("Corrections", QString::fromStdString(tarnwick::correctionsName(r.LastCorrections)));
        writeEffects(settings, usableEffects(record.effects));
        settings.setValue("Top", record.geometry.top());
        settings.setValue("Left", record.geometry.left());
        settings.setValue("Height", record.geometry.height());
        settings.setValue("Width", record.geometry.width());
        settings.endGroup();
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return fail(QStringLiteral("cannot write %1").arg(QDir::toNativeSeparators(draft)));
    }
    QFile written(draft);
    if (!written.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(draft), written.errorString()));
    const QByteArray text = written.readAll();
    const std::string target = QFile::encodeName(path).toStdString();
    const tarnwick::Status replaced = tarnwick::files::writeFileAtomically(
        target, std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    if (!replaced)
        return fail(QStringLiteral("cannot replace %1: %2")
                        .arg(QDir::toNativeSeparators(path),
                             QString::fromStdString(tarnwick::files::failureReason(replaced, target))));
    return {};
}
