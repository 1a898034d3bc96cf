#pragma once
// The remembered settings and the main window's geometry, kept from one start of the
// program to the next in an INI file (QSettings, organisation and application
// "Tarnwick"). The record is read whole or not at all: a missing, partial or corrupt
// file leaves every default (the bullet source fields and the effects, added later, may
// be missing). The
// record file is replaced whole (AtomicFile), so a crash during the write never leaves half
// a record behind.
#include <QRect>
#include <QString>
#include <optional>

#include "Result.h"
#include "ShotParameters.h"

// The rifle, the place and the reading of the barometer the point-mass model's long-range
// effects were flown for at exit, flown again at the next start. The wind zones and the
// powder data belong to a day and a load (load files keep them); the bullet's length
// and diameter come with the bullet.
struct RememberedEffects {
    double twistRate = 0;            // inches per turn, 0 = unknown
    bool twistLeft = false;
    std::optional<double> latitude;  // degrees, north positive; none: the earth's rotation is off
    double azimuth = 0;              // degrees from true north
    bool pressureIsSeaLevel = true;
};

RememberedEffects effectsOf(const tarnwick::ShotParameters& params);
void restoreEffects(tarnwick::ShotParameters& params, const RememberedEffects& effects);

struct StoredRecord {
    tarnwick::RememberedSettings remembered;
    QRect geometry;  // the main window's left, top, width and height in pixels
    RememberedEffects effects{};  // {} lets a record be written {remembered, geometry}
};

// The file that holds the record.
QString settingsFilePath();

// The stored record, or std::nullopt when it is missing or cannot be read completely.
// A value that no dialog could have stored comes back as that field's default.
std::optional<StoredRecord> loadStoredRecord();

// Stores the record; the failure says why it could not be written.
tarnwick::Status saveStoredRecord(const StoredRecord& record);
