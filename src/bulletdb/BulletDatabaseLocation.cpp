#include "BulletDatabaseLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "AtomicFile.h"

namespace BulletDatabaseLocation {

namespace {

struct Override {
    QString programFile;
    QString userFile;
    bool programFolderWritable = true;
};

Override& testLocations() {
    static Override locations;
    return locations;
}

// SQLite writes a journal beside the file, so the folder must be writable too. Trying
// to create a file is the only check that also holds on read-only mounts.
bool canWriteBeside(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists() || !info.isWritable()) return false;
    QTemporaryFile probe(info.absolutePath() + QStringLiteral("/.tarnwick-write-test-XXXXXX"));
    return probe.open();
}

}  // namespace

QString programFile() {
    if (!testLocations().programFile.isEmpty()) return testLocations().programFile;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Bullets.db");
}

QString userFile() {
    if (!testLocations().programFile.isEmpty()) return testLocations().userFile;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Bullets.db");
}

QString pathInUse() {
    const QString copy = userFile();
    if (!copy.isEmpty() && QFileInfo::exists(copy)) return copy;
    return programFile();
}

void setLocations(const QString& program, const QString& user, bool programFolderWritable) {
    testLocations() = Override{program, user, programFolderWritable};
}

tarnwick::Result<QString> writablePath() {
    const QString inUse = pathInUse();
    if (inUse != programFile()) return inUse;
    const bool writable =
        testLocations().programFile.isEmpty() ? canWriteBeside(inUse) : testLocations().programFolderWritable;
    if (writable || !QFileInfo::exists(inUse)) return inUse;

    // Copied whole or not at all (AtomicFile), so a half-copied file is never used.
    const QString copy = userFile();
    const auto fail = [&](const QString& why) -> tarnwick::Result<QString> {
        return tarnwick::Error{QStringLiteral("The bullet database %1 cannot be written, and it cannot be copied to %2: %3")
                                   .arg(QDir::toNativeSeparators(inUse), QDir::toNativeSeparators(copy), why)
                                   .toStdString()};
    };
    if (!QDir().mkpath(QFileInfo(copy).absolutePath())) return fail(QStringLiteral("the folder cannot be created."));
    QFile source(inUse);
    if (!source.open(QIODevice::ReadOnly)) return fail(source.errorString());
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) return fail(source.errorString());
    const std::string target = QFile::encodeName(copy).toStdString();
    const tarnwick::Status written = tarnwick::files::writeFileAtomically(
        target, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written) return fail(QString::fromStdString(tarnwick::files::failureReason(written, target)));
    return copy;
}

}  // namespace BulletDatabaseLocation
