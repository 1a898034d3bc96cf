#include "LoadEffects.h"

#include <QJsonArray>

#include "JsonFields.h"
#include "LongRangeEffects.h"
#include "PowderTemperature.h"
#include "Wind.h"

namespace tarnwick::loads {

namespace {

using namespace json;

// The same bounds tarnwick-cli's --set holds these inputs to.
struct Bounded {
    const char* path;
    double ShotParameters::*member;
    double low, high;
    const char* rule;
};
const Bounded kBounded[] = {
    {"bullet.length", &ShotParameters::BulletLength, 0, kLargestEffectSize, "0 (unknown) to 1000 inches"},
    {"bullet.diameter", &ShotParameters::BulletDiameter, kSmallestDiameter, kLargestEffectSize, "0.001 to 1000 inches"},
    {"twist.rate", &ShotParameters::TwistRate, 0, kLargestEffectSize, "0 (unknown) to 1000 inches per turn"},
    {"earth.azimuth", &ShotParameters::Azimuth, -kLargestAzimuth, kLargestAzimuth, "between -360 and 360 degrees"},
};
// Numbers that may be left out: null in the document.
struct Optional {
    const char* path;
    std::optional<double> ShotParameters::*member;
    double low, high;
    const char* rule;
};
const Optional kOptional[] = {
    {"earth.latitude", &ShotParameters::Latitude, -kLargestLatitude, kLargestLatitude, "null or between -90 and 90 degrees"},
    {"powder.sensitivity", &ShotParameters::PowderSensitivity, -kLargestNumber, kLargestNumber, "null or a number"},
};
const char* const kTwistHands[] = {"right", "left"};
const char* const kPressureReferences[] = {"seaLevel", "station"};

double within(const QJsonValue& value, const QString& path, double low, double high, const char* rule) {
    const double x = number(value, path);
    if (!(x >= low && x <= high)) refuse(path, std::string("must be ") + rule);
    return x;
}

std::size_t word(const QJsonObject& root, const char* path, const char* const (&words)[2]) {
    const QJsonValue value = optionalAt(root, path);
    if (value.isUndefined()) return 0;
    if (!value.isString()) refuse(QString::fromLatin1(path), "expected a text");
    return choice(value.toString().toStdString(), QString::fromLatin1(path), words, 2);
}

// The objects of the list at `path` (none when it is absent), each handed to `read` with
// its place ("windZones[1]").
template <class Read>
void readList(const QJsonObject& root, const char* path, Read read) {
    const QJsonValue value = optionalAt(root, path);
    if (value.isUndefined()) return;
    if (!value.isArray()) refuse(QString::fromLatin1(path), "expected a list");
    const QJsonArray list = value.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString place = QString::fromLatin1(path) + u'[' + QString::number(i) + u']';
        if (!list[i].isObject()) refuse(place, "expected an object");
        read(list[i].toObject(), place);
    }
}

// The engine's reason a value cannot be flown, if any, refused at `path` (without its full stop).
void refuseProblem(const char* path, std::string problem) {
    if (problem.empty()) return;
    problem.pop_back();
    refuse(QString::fromLatin1(path), problem);
}

double field(const QJsonObject& object, const QString& place, const char* key) {
    const QString path = place + u'.' + QString::fromLatin1(key);
    const QJsonValue value = object.value(QString::fromLatin1(key));
    if (value.isUndefined()) refuse(path, "missing");
    return number(value, path);
}

}  // namespace

void readEffects(const QJsonObject& root, ShotParameters& p) {
    for (const Bounded& b : kBounded)
        if (const QJsonValue value = optionalAt(root, b.path); !value.isUndefined())
            p.*b.member = within(value, QString::fromLatin1(b.path), b.low, b.high, b.rule);
    for (const Optional& o : kOptional) {
        const QJsonValue value = optionalAt(root, o.path);
        p.*o.member = value.isUndefined() || value.isNull()
                          ? std::nullopt
                          : std::optional(within(value, QString::fromLatin1(o.path), o.low, o.high, o.rule));
    }
    p.TwistLeft = word(root, "twist.hand", kTwistHands) == 1;
    p.PressureIsSeaLevel = word(root, "pressureReference", kPressureReferences) == 0;
    p.PowderTemperatures.clear();
    readList(root, "powder.temperatures", [&](const QJsonObject& point, const QString& place) {
        const PowderPoint read{field(point, place, "temperature"), field(point, place, "velocity")};
        if (!(read.velocity > 0)) refuse(place + QStringLiteral(".velocity"), "must be above 0");
        p.PowderTemperatures.push_back(read);
    });
    refuseProblem("powder", powderInputProblem(p));
    p.WindZones.clear();
    readList(root, "windZones", [&](const QJsonObject& zone, const QString& place) {
        p.WindZones.push_back({field(zone, place, "until"), field(zone, place, "crossWind"), field(zone, place, "tailWind")});
    });
    refuseProblem("windZones", windZonesProblem(p.WindZones));
}

void writeEffects(QJsonObject& document, const ShotParameters& p) {
    for (const Bounded& b : kBounded) put(document, b.path, p.*b.member);
    for (const Optional& o : kOptional) put(document, o.path, (p.*o.member) ? QJsonValue(*(p.*o.member)) : QJsonValue());
    put(document, "twist.hand", kTwistHands[p.TwistLeft ? 1 : 0]);
    put(document, "pressureReference", kPressureReferences[p.PressureIsSeaLevel ? 0 : 1]);
    QJsonArray points;
    for (const PowderPoint& point : p.PowderTemperatures)
        points.append(QJsonObject{{"temperature", point.temperature}, {"velocity", point.velocity}});
    put(document, "powder.temperatures", points);
    QJsonArray zones;
    for (const WindZone& zone : p.WindZones)
        zones.append(QJsonObject{{"until", zone.until}, {"crossWind", zone.crossWind}, {"tailWind", zone.tailWind}});
    put(document, "windZones", zones);
}

void copyEffects(const ShotParameters& from, ShotParameters& to) {
    for (const Bounded& b : kBounded) to.*b.member = from.*b.member;
    for (const Optional& o : kOptional) to.*o.member = from.*o.member;
    to.TwistLeft = from.TwistLeft;
    to.PressureIsSeaLevel = from.PressureIsSeaLevel;
    to.PowderTemperatures = from.PowderTemperatures;
    to.WindZones = from.WindZones;
}

}  // namespace tarnwick::loads
