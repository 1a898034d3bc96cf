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

namespace {

void copyBulletInto(const FieldTexts& row, ShotParameters& params) {
    const auto number = [&row](Field field) { return readLenient(row[index(field)].value_or("")); };
    params.BallisticCoefLow = number(Field::LowBC);
    params.BallisticCoefMid = number(Field::MidBC);
    params.BallisticCoefHigh = number(Field::HighBC);
    params.BCBreakLow = number(Field::LowBreakVelocity);
    params.BCBreakHigh = number(Field::HighBreakVelocity);
    params.BulletMass = number(Field::BulletMass);
}

}  // namespace

void flyTableBullet(const FieldTexts& row, ProgramState& state) {
    const auto text = [&row](Field field) { return row[index(field)].value_or(""); };
    copyBulletInto(row, state.params);
    state.bulletSource = BulletSource::Table;
    state.tableBullet = {text(Field::Manufacturer), text(Field::BulletMass), text(Field::BulletType)};
    state.remembered.LastBulletSource = BulletSource::Table;
    state.remembered.LastManufacturer = text(Field::Manufacturer);
    state.remembered.LastStockNumber = text(Field::StockNumber);
}

bool restoreTableBullet(const std::string& path, ProgramState& state) {
    const RememberedSettings& remembered = state.remembered;
    if (remembered.LastBulletSource != BulletSource::Table || remembered.LastStockNumber.empty()) return false;
    BulletCursor cursor;
    bool found = false;
    if (cursor.open(path, BulletCursor::Access::ReadOnly) ||
        findBullet(cursor, remembered.LastStockNumber, remembered.LastManufacturer, found) || !found)
        return false;
    flyTableBullet(cursor.current(), state);
    return true;
}

void nameFlownBullet(const ProgramState& state, ReportTexts& texts) {
    texts.namesBullet = state.bulletSource == BulletSource::Table;
    if (!texts.namesBullet) return;
    texts.txtManufacturer = state.tableBullet.manufacturer;
    texts.txtBulletMass = state.tableBullet.mass;
    texts.txtBulletType = state.tableBullet.type;
}

}  // namespace tarnwick::bulletdb
