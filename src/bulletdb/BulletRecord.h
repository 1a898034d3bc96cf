#pragma once
// One row of the bullet table `Bullets` and the names of its twelve columns.
//
// Units of the numeric columns: grains for the mass, ft/s for the break velocities,
// inches for the length; the three band coefficients are G1-type numbers, the G7 column
// the maker's G7 coefficient (no value when the maker publishes none). The length, which
// spin drift needs, has no value unless the user gives one. The columns keep the names
// the shipped table has always used, spaces included.
#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace tarnwick::bulletdb {

enum class Field : std::size_t {
    Caliber,
    Manufacturer,
    BulletType,
    BulletMass,
    StockNumber,
    LowBC,
    MidBC,
    HighBC,
    LowBreakVelocity,
    HighBreakVelocity,
    G7BC,
    BulletLength,
};

inline constexpr std::size_t kFieldCount = 12;
// Files made before the G7 or the length column have only the columns before it; they
// gain the ones they lack at their first change (prepareForChanges), and CSV files may
// still leave them out. The columns from here on are these optional ones.
inline constexpr std::size_t kLegacyFieldCount = 10;

inline constexpr std::array<const char*, kFieldCount> kColumnNames = {
    "Caliber",
    "Manufacturer",
    "Bullet Type",
    "Bullet Mass",
    "StockNumber",
    "Low Ballistic Coefficient",
    "Mid Ballistic Coefficient",
    "High Ballistic Coefficient",
    "Low Break Velocity",
    "High Break Velocity",
    "G7 Ballistic Coefficient",
    "Bullet Length",
};

constexpr std::size_t index(Field field) { return static_cast<std::size_t>(field); }
constexpr const char* columnName(Field field) { return kColumnNames[index(field)]; }

// Caliber, maker, type and stock number are text; the other eight are numbers.
constexpr bool isNumeric(Field field) {
    return field != Field::Caliber && field != Field::Manufacturer && field != Field::BulletType &&
           field != Field::StockNumber;
}
constexpr bool isNumeric(std::size_t column) { return isNumeric(static_cast<Field>(column)); }

// A row as the windows show it: each field as text, numbers in their plain form;
// std::nullopt where the row holds no value.
using FieldTexts = std::array<std::optional<std::string>, kFieldCount>;

}  // namespace tarnwick::bulletdb
