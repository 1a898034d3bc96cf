#pragma once
// Where the program keeps its bullet table. The file Bullets.db lives in the program's
// folder; when that folder cannot be written (an installed program), the first change
// copies the file once into the user's data folder, and from then on both windows use
// that copy.
#include <QString>

#include "BulletFiles.h"

namespace BulletDatabaseLocation {

// The file in use: the user's copy once it exists, otherwise the program's file.
QString pathInUse(const BulletFiles& files);

// The file to write to. Copies the program's file to the user's data folder the first
// time it is needed; returns an empty string and sets `problem` when that fails.
QString writablePath(const BulletFiles& files, QString* problem);

}  // namespace BulletDatabaseLocation
