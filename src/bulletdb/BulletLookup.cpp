#include "BulletLookup.h"

#include "NumberText.h"

namespace tarnwick::bulletdb {

DbResult findBullet(BulletCursor& cursor, const std::string& stock, const std::optional<std::string>& maker,
                    bool& found) {
    const auto mark = cursor.bookmark();
    if (DbResult error = cursor.findFirst(Field::StockNumber, stock, found)) return error;
    while (found && maker && cursor.current()[index(Field::Manufacturer)].value_or("") != *maker) {
        if (DbResult error = cursor.findNext(Field::StockNumber, stock, found)) return error;
    }
    if (!found) return cursor.returnTo(mark);
    return std::nullopt;
}

void copyBulletInto(const FieldTexts& row, ShotParameters& params) {
    const auto number = [&row](Field field) { return readLenient(row[index(field)].value_or("")); };
    params.BallisticCoefLow = number(Field::LowBC);
    params.BallisticCoefMid = number(Field::MidBC);
    params.BallisticCoefHigh = number(Field::HighBC);
    params.BCBreakLow = number(Field::LowBreakVelocity);
    params.BCBreakHigh = number(Field::HighBreakVelocity);
    params.BulletMass = number(Field::BulletMass);
}

}  // namespace tarnwick::bulletdb
