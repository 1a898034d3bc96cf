#pragma once
// The remembered settings and the main window's geometry, kept from one start of the
// program to the next in an INI file (QSettings, organisation and application
// "Tarnwick"). The record is read whole or not at all: a missing, partial or corrupt
// file leaves every default (the bullet source fields, added later, may be missing). The
// record file is replaced whole (AtomicFile), so a crash during the write never leaves half
// a record behind.
#include <QRect>
#include <QString>
#include <optional>

#include "Result.h"
#include "ShotParameters.h"

struct StoredRecord {
    tarnwick::RememberedSettings remembered;
    QRect geometry;  // the main window's left, top, width and height in pixels
};

// The file that holds the record.
QString settingsFilePath();

// The stored record, or std::nullopt when it is missing or cannot be read completely.
// A value that no dialog could have stored comes back as that field's default.
std::optional<StoredRecord> loadStoredRecord();

// Stores the record; the failure says why it could not be written.
tarnwick::Status saveStoredRecord(const StoredRecord& record);
