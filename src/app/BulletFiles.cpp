#include "BulletFiles.h"

#include <QCoreApplication>
#include <QStandardPaths>

BulletFiles BulletFiles::standard() {
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/Bullets.db"),
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Bullets.db"),
            std::nullopt};
}
