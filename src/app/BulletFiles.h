#pragma once
// Where the program keeps its bullet table: the file beside the program and the user's
// own copy, given to the program when it is made (tests give temporary places).
#include <QString>
#include <optional>

struct BulletFiles {
    QString programFile;  // Bullets.db beside the program
    QString userFile;     // the user's copy, made by the first change when programFile cannot be written
    // Whether programFile's folder can be written; unset asks the file system. Tests set
    // it, since a test running with full rights cannot make a folder read-only.
    std::optional<bool> programFolderWritable;

    // The real places: the program's folder and the user's data folder.
    static BulletFiles standard();
};
