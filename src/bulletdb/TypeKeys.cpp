#include "TypeKeys.h"

namespace {

using Pair = std::pair<const char*, const char*>;

// A row of two entries at the maker's four columns.
std::vector<TypeKeyEntry> two(Pair left, Pair right, int a1, int m1, int a2, int m2) {
    return {{left.first, left.second, a1, m1}, {right.first, right.second, a2, m2}};
}

// A row of one entry: abbreviation at column 2, meaning at `meaningColumn`.
std::vector<TypeKeyEntry> one(Pair entry, int meaningColumn) { return {{entry.first, entry.second, 2, meaningColumn}}; }

TypeKey makeKey(const char* maker, std::vector<std::vector<TypeKeyEntry>> rows) {
    TypeKey key;
    key.maker = QString::fromLatin1(maker);
    key.heading = key.maker + QStringLiteral(" Bullets - Type Key:");
    key.lineCount = static_cast<int>(rows.size()) + 2;
    key.rows = std::move(rows);
    return key;
}

std::vector<TypeKey> buildKeys() {
    std::vector<TypeKey> keys;
    {
        const auto row = [](Pair l, Pair r) { return two(l, r, 2, 8, 28, 34); };
        keys.push_back(makeKey("Barnes", {
            row({"X S", "Spitzer X-Bullet"}, {"X FN", "Flat Nose X-Bullet"}),
            row({"X BT", "X-Bullet w/ Boat Tail"}, {"RNSP", "Round Nose Soft Point"}),
            row({"SSP", "Spitzer Soft Point"}, {"JHP", "Jacketted Hollow Point"}),
            row({"FNSP", "Flat Nose Soft Point"}, {"Solid", "Solid Copper Bullet"}),
        }));
    }
    {
        const auto row = [](Pair l, Pair r) { return two(l, r, 2, 8, 25, 32); };
        keys.push_back(makeKey("Hornady", {
            row({"BT", "Boat Tail"}, {"CL", "Crimp Lock"}),
            row({"C/T", "Combat Target"}, {"FMJ", "Full Metal Jacket"}),
            row({"FP", "Flat Point"}, {"HP", "Hollow Point"}),
            row({"RN", "Round Nose"}, {"JTC", "Jacketed Truncated Cone"}),
            row({"SIL", "Silhouette"}, {"SWC", "Semi-Wadcutter"}),
            row({"SJ", "Short Jacket"}, {"SP", "Spire Point"}),
            one({"SX", "Super Explosive"}, 8),
            one({"XTP", "Extreme Terminal Performance"}, 10),
            one({"A-MAX", "Advanced Match Accuracy"}, 10),
            one({"V-MAX", "Maximum Expansion Varmint Bullet"}, 10),
        }));
    }
    {
        const auto row = [](Pair l, Pair r) { return two(l, r, 2, 8, 32, 38); };
        keys.push_back(makeKey("Nosler", {
            row({"SP", "Spitzer"}, {"RN", "Round Nose"}),
            row({"FP", "Flat Point"}, {"FMJ", "Full Metal Jacket"}),
            one({"HP", "Hollow Point"}, 8),
        }));
    }
    {
        const auto row = [](Pair l, Pair r) { return two(l, r, 2, 8, 25, 32); };
        keys.push_back(makeKey("Sierra", {
            row({"SP", "Spitzer"}, {"RN", "Round Nose"}),
            row({"FN", "Flat Nose"}, {"FMJ", "Full Metal Jacket"}),
            row({"HP", "Hollow Point"}, {"FPJ", "Full Profile Jacketed"}),
            row({"J", "Jacketed"}, {"SBT", "Spitzer Boat Tail"}),
            row({"BT", "Boat Tail"}, {"JSP", "Jacketed Soft Point"}),
            row({"SPT", "Spitzer"}, {"JHC", "Jacketed Hollow Cavity"}),
            row({"SMP", "Semi Pointed"}, {"JHP", "Jacketed Hollow Point"}),
        }));
    }
    {
        const auto row = [](Pair l, Pair r) { return two(l, r, 2, 8, 32, 38); };
        keys.push_back(makeKey("Speer", {
            row({"SP", "Spitzer"}, {"GD", "Gold Dot"}),
            row({"AE", "Action Express"}, {"FMJ", "Full Metal Jacket"}),
            row({"HP", "Hollow Point"}, {"BT", "Boat Tail"}),
            row({"AGS", "African Grand Slam"}, {"SWC", "Semi-Wad Cutter"}),
            row({"GS", "Grand Slam"}, {"JSP", "Jacketed Soft Point"}),
            one({"TMJ", "Total Metal Jacket"}, 8),
            one({"TNT", "Explosive Varmint Bullet"}, 8),
            one({"JHP", "Jacketed Hollow Point"}, 8),
        }));
    }
    return keys;
}

}  // namespace

const std::vector<TypeKey>& typeKeys() {
    static const std::vector<TypeKey> keys = buildKeys();
    return keys;
}

const TypeKey* typeKeyFor(const QString& maker) {
    for (const TypeKey& key : typeKeys())
        if (key.maker == maker) return &key;
    return nullptr;
}
