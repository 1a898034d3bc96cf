#include "JsonFields.h"

#include <QStringList>
#include <cmath>
#include <utility>

namespace tarnwick::loads::json {

void refuse(const QString& path, const std::string& problem) { throw Refusal{path.toStdString() + ": " + problem}; }

namespace {

void put(QJsonObject& object, QStringList parts, const QJsonValue& value) {
    const QString key = parts.takeFirst();
    if (parts.isEmpty()) {
        object[key] = value;
        return;
    }
    QJsonObject inner = object[key].toObject();
    put(inner, std::move(parts), value);
    object[key] = inner;
}

QJsonValue find(const QJsonObject& root, const char* dotted, bool required) {
    const QString path = QString::fromLatin1(dotted);
    const QStringList parts = path.split(u'.');
    QJsonObject object = root;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const QJsonValue inner = object.value(parts[i]);
        const QString innerPath = parts.mid(0, i + 1).join(u'.');
        if (inner.isUndefined() && !required) return inner;
        if (inner.isUndefined()) refuse(innerPath, "missing");
        if (!inner.isObject()) refuse(innerPath, "expected an object");
        object = inner.toObject();
    }
    const QJsonValue value = object.value(parts.last());
    if (value.isUndefined() && required) refuse(path, "missing");
    return value;
}

}  // namespace

void put(QJsonObject& object, const char* path, const QJsonValue& value) {
    put(object, QString::fromLatin1(path).split(u'.'), value);
}

QJsonObject merged(QJsonObject base, const QJsonObject& changes) {
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        const QJsonValue old = base.value(it.key());
        base[it.key()] = old.isObject() && it.value().isObject() ? QJsonValue(merged(old.toObject(), it.value().toObject()))
                                                                 : QJsonValue(it.value());
    }
    return base;
}

QJsonValue at(const QJsonObject& root, const char* path) { return find(root, path, true); }
QJsonValue optionalAt(const QJsonObject& root, const char* path) { return find(root, path, false); }

double number(const QJsonValue& value, const QString& path) {
    if (!value.isDouble()) refuse(path, "expected a number");
    const double x = value.toDouble();
    if (!std::isfinite(x) || std::fabs(x) > kLargestNumber) refuse(path, "the number is not finite or beyond a million");
    return x;
}

double number(const QJsonObject& root, const char* path) { return number(at(root, path), QString::fromLatin1(path)); }

std::string text(const QJsonObject& root, const char* path) {
    const QJsonValue value = at(root, path);
    if (!value.isString()) refuse(QString::fromLatin1(path), "expected a text");
    return value.toString().toStdString();
}

std::size_t choice(const std::string& word, const QString& path, const char* const* words, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (word == words[i]) return i;
    std::string known;
    for (std::size_t i = 0; i < count; ++i) known += (i ? ", " : "") + std::string(words[i]);
    refuse(path, "unknown word '" + word + "' (expected " + known + ")");
}

}  // namespace tarnwick::loads::json
