#include "CliBullets.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#ifdef TARNWICK_CLI_BULLETS
#include "BulletCursor.h"
#include "BulletLookup.h"
#include "BulletTable.h"
#endif
#ifdef TARNWICK_CLI_PNG
#include <QCoreApplication>
#include <QStandardPaths>
#endif

namespace {

#ifdef TARNWICK_CLI_BULLETS
namespace fs = std::filesystem;

// The database the desktop program would use: the user's copy once it exists, else
// Bullets.db beside the program (in a build folder, at its top).
std::string defaultDatabase() {
#ifdef TARNWICK_CLI_PNG
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!user.isEmpty() && fs::exists(fs::path(user.toStdString()) / "Bullets.db"))
        return (fs::path(user.toStdString()) / "Bullets.db").string();
#endif
    std::error_code ignored;
    const fs::path folder = fs::read_symlink("/proc/self/exe", ignored).parent_path();
    // Beside the program; in a build folder the program sits in src/cli below the top,
    // where the build puts Bullets.db beside the desktop program.
    for (const fs::path& candidate : {folder / "Bullets.db", folder / ".." / ".." / "Bullets.db"})
        if (fs::exists(candidate, ignored)) return candidate.lexically_normal().string();
    return (folder / "Bullets.db").string();
}

std::string databaseOf(const CliOptions& options) {
    return options.databasePath.empty() ? defaultDatabase() : options.databasePath;
}
#endif

}  // namespace

int runBulletsCommand(const CliOptions& options) {
#ifdef TARNWICK_CLI_BULLETS
    using namespace tarnwick::bulletdb;
    const std::string path = databaseOf(options);
    const bool exporting = options.bulletsCommand == CliOptions::BulletsCommand::Export;
    tarnwick::Result<BulletTable> table =
        BulletTable::open(path, exporting ? BulletTable::Access::ReadOnly : BulletTable::Access::ReadWrite);
    if (!table) {
        std::cerr << "tarnwick-cli: cannot open the bullet database " << path << ": " << table.error() << '\n';
        return 1;
    }
    if (!exporting && table->readOnly()) {
        std::cerr << "tarnwick-cli: the bullet database " << path << " cannot be written\n";
        return 1;
    }
    if (exporting) {
        const tarnwick::Result<int> rows = table->exportCsvFile(options.bulletsFile);
        if (!rows) {
            std::cerr << "tarnwick-cli: " << rows.error() << '\n';
            return 1;
        }
        std::cout << *rows << " bullets written to " << options.bulletsFile << '\n';
        return 0;
    }
    const tarnwick::Result<CsvCounts> counts = table->importCsvFile(options.bulletsFile);
    if (!counts) {
        std::cerr << "tarnwick-cli: " << counts.error() << "\nnothing was imported\n";
        return 1;
    }
    std::cout << importSummary(*counts) << " (bullet database " << path << ")\n";
    return 0;
#else
    (void)options;
    std::cerr << "tarnwick-cli: the bullet table needs the build with the desktop program\n";
    return 2;
#endif
}

int applyBulletOption(CliOptions& options) {
    if (options.bulletStock.empty()) return 0;
#ifdef TARNWICK_CLI_BULLETS
    using namespace tarnwick::bulletdb;
    const std::string path = databaseOf(options);
    tarnwick::Result<BulletTable> table = BulletTable::open(path, BulletTable::Access::ReadOnly);
    if (!table) {
        std::cerr << "tarnwick-cli: cannot open the bullet database " << path << ": " << table.error() << '\n';
        return 1;
    }
    BulletCursor cursor = table->cursor();
    const tarnwick::Result<bool> found = findBullet(cursor, options.bulletStock, options.bulletMaker);
    if (!found) {
        std::cerr << "tarnwick-cli: " << path << ": " << found.error() << '\n';
        return 1;
    }
    if (!*found) {
        std::cerr << "tarnwick-cli: no bullet with stock number '" << options.bulletStock << "'"
                  << (options.bulletMaker ? " and maker '" + *options.bulletMaker + "'" : std::string()) << " in "
                  << path << '\n';
        return 2;
    }
    // The table's numbers win over --set, as in the help text; but a length given with
    // --set stands in for a row that has none.
    const bool lengthSet = std::any_of(options.assignments.begin(), options.assignments.end(), [](const auto& a) {
        return a.first == "--set" && a.second.rfind("BulletLength=", 0) == 0;
    });
    const double setLength = options.state.params.BulletLength;
    flyTableBullet(cursor.current(), options.state);
    if (lengthSet && options.state.params.BulletLength == 0) options.state.params.BulletLength = setLength;
    nameFlownBullet(options.state, options.inputs.texts);
    return 0;
#else
    std::cerr << "tarnwick-cli: --bullet needs the build with the desktop program\n";
    return 2;
#endif
}
