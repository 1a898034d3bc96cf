#pragma once
// The bullet-type keys the select window prints below its fields: for each maker a
// heading and rows of abbreviations with their meanings, placed at character columns
// (column 1 is the left edge).
#include <QString>
#include <vector>

struct TypeKeyEntry {
    QString abbreviation;
    QString meaning;
    int abbreviationColumn;
    int meaningColumn;
};

struct TypeKey {
    QString maker;
    QString heading;             // printed at column 2
    int lineCount;               // lines the window grows by: the rows plus two
    std::vector<std::vector<TypeKeyEntry>> rows;
};

// Barnes, Hornady, Nosler, Sierra and Speer, in that order.
const std::vector<TypeKey>& typeKeys();
const TypeKey* typeKeyFor(const QString& maker);
