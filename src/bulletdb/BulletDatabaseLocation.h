#pragma once
// Where the program keeps its bullet table. The file Bullets.db lives in the program's
// folder; when that folder cannot be written (an installed program), the first change
// copies the file once into the user's data folder, and from then on both windows use
// that copy.
#include <QString>

#include "Result.h"

namespace BulletDatabaseLocation {

// The file beside the program.
QString programFile();
// The user's own copy (QStandardPaths::AppDataLocation).
QString userFile();

// The file in use: the user's copy once it exists, otherwise the program's file.
QString pathInUse();

// The file to write to. Copies the program's file to the user's data folder the first
// time it is needed; the failure says why that copy could not be made.
tarnwick::Result<QString> writablePath();

// Tests point both files at temporary places; `programFolderWritable` stands in for
// the check of the program folder (which a test running with full rights cannot
// reproduce). An empty programFile restores the real locations.
void setLocations(const QString& programFile, const QString& userFile, bool programFolderWritable = true);

}  // namespace BulletDatabaseLocation
