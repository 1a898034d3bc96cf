#include "BulletDatabaseLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include "AtomicFile.h"

namespace BulletDatabaseLocation {

namespace {

// SQLite writes a journal beside the file, so the folder must be writable too. Trying
// to create a file is the only check that also holds on read-only mounts.
bool canWriteBeside(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists() || !info.isWritable()) return false;
    QTemporaryFile probe(info.absolutePath() + QStringLiteral("/.tarnwick-write-test-XXXXXX"));
    return probe.open();
}

}  // namespace

QString pathInUse(const BulletFiles& files) {
    if (!files.userFile.isEmpty() && QFileInfo::exists(files.userFile)) return files.userFile;
    return files.programFile;
}

QString writablePath(const BulletFiles& files, QString* problem) {
    const QString inUse = pathInUse(files);
    if (inUse != files.programFile) return inUse;
    const bool writable = files.programFolderWritable ? *files.programFolderWritable : canWriteBeside(inUse);
    if (writable || !QFileInfo::exists(inUse)) return inUse;

    // Copied whole or not at all (AtomicFile), so a half-copied file is never used.
    const QString& copy = files.userFile;
    const auto fail = [&](const QString& why) {
        if (problem) *problem = QStringLiteral("The bullet database %1 cannot be written, and it cannot be copied to %2: %3")
                                    .arg(QDir::toNativeSeparators(inUse), QDir::toNativeSeparators(copy), why);
        return QString();
    };
    if (!QDir().mkpath(QFileInfo(copy).absolutePath())) return fail(QStringLiteral("the folder cannot be created."));
    QFile source(inUse);
    if (!source.open(QIODevice::ReadOnly)) return fail(source.errorString());
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) return fail(source.errorString());
    const tarnwick::files::FileResult written = tarnwick::files::writeFileAtomically(
        QFile::encodeName(copy).toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.ok()) return fail(QString::fromStdString(written.reason));
    return copy;
}

}  // namespace BulletDatabaseLocation
