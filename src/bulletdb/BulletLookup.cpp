#include "BulletLookup.h"

#include "BulletTable.h"
#include "NumberText.h"

namespace tarnwick::bulletdb {

Result<bool> findBullet(BulletCursor& cursor, const std::string& stock, const std::optional<std::string>& maker) {
    const auto mark = cursor.bookmark();
    Result<bool> found = cursor.findFirst(Field::StockNumber, stock);
    while (found && *found && maker && cursor.current()[index(Field::Manufacturer)].value_or("") != *maker)
        found = cursor.findNext(Field::StockNumber, stock);
    if (!found || *found) return found;
    if (Status back = cursor.returnTo(mark); !back) return back.failure();
    return false;
}

namespace {

// Bullet diameters lie below an inch; a caliber text such as "6.5 mm" or "30-06" says
// nothing sure about the diameter.
constexpr double kLargestDiameter = 1;

void copyBulletInto(const FieldTexts& row, ShotParameters& params) {
    const auto number = [&row](Field field) { return readLenient(row[index(field)].value_or("")); };
    params.BallisticCoefLow = number(Field::LowBC);
    params.BallisticCoefMid = number(Field::MidBC);
    params.BallisticCoefHigh = number(Field::HighBC);
    params.BCBreakLow = number(Field::LowBreakVelocity);
    params.BCBreakHigh = number(Field::HighBreakVelocity);
    params.BulletMass = number(Field::BulletMass);
    params.BallisticCoefG7 = number(Field::G7BC);
    // A row without a length flies without spin drift rather than with another bullet's.
    params.BulletLength = number(Field::BulletLength);
    const std::optional<double> caliber = readStrict(row[index(Field::Caliber)].value_or(""));
    if (caliber && *caliber > 0 && *caliber < kLargestDiameter) params.BulletDiameter = *caliber;
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
    Result<BulletTable> table = BulletTable::open(path, BulletTable::Access::ReadOnly);
    if (!table) return false;
    BulletCursor cursor = table->cursor();
    const Result<bool> found = findBullet(cursor, remembered.LastStockNumber, remembered.LastManufacturer);
    if (!found || !*found) return false;
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
