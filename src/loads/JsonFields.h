#pragma once
// Reading and writing the values of a load document by their dotted place in it
// ("range.temperature"). A value that is wrong throws a Refusal naming its place; the
// reader of the whole document turns it into the message of the refused file.
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <cstddef>
#include <optional>
#include <string>

namespace tarnwick::loads::json {

// No shot needs a number beyond a million of its unit (as for the remembered settings).
inline constexpr double kLargestNumber = 1e6;

// A refused document: the field and what is wrong with it.
struct Refusal {
    std::string message;
};

[[noreturn]] void refuse(const QString& path, const std::string& problem);

// Sets the value at a dotted path, making the objects on the way.
void put(QJsonObject& object, const char* path, const QJsonValue& value);
// Writes `changes` over `base`, object by object, so that keys only `base` has stay.
QJsonObject merged(QJsonObject base, const QJsonObject& changes);

// The value at a dotted path; every object on the way must be there.
QJsonValue at(const QJsonObject& root, const char* path);
// As `at`, but a value or object missing on the way is an undefined value: the keys a
// file written by an older program may lack. An object on the way that is something
// else is still refused.
QJsonValue optionalAt(const QJsonObject& root, const char* path);

// A finite number within a million of its unit.
double number(const QJsonValue& value, const QString& path);
double number(const QJsonObject& root, const char* path);
std::string text(const QJsonObject& root, const char* path);

// The index of the word at `path` among `words`.
std::size_t choice(const std::string& word, const QString& path, const char* const* words, std::size_t count);

template <std::size_t N>
std::size_t choice(const QJsonObject& root, const char* path, const char* const (&words)[N]) {
    return choice(text(root, path), QString::fromLatin1(path), words, N);
}

template <class E, std::size_t N>
E choiceOf(const QJsonObject& root, const char* path, const char* const (&words)[N]) {
    return static_cast<E>(choice(root, path, words));
}

}  // namespace tarnwick::loads::json
