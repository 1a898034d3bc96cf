#pragma once
// Fixture for offscreen window tests: a fresh program with scripted services (no
// message box or dialog ever blocks) and settings kept in a temporary folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

#include "BulletDatabaseLocation.h"
#include "ParameterChain.h"
#include "Program.h"
#include "ScriptedServices.h"

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(settingsDir.isValid());
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        QStandardPaths::setTestModeEnabled(true);
        // Each test works on its own copy of the shipped bullet table, never on the
        // build's file or a user's copy.
        const QString shipped = QCoreApplication::applicationDirPath() + "/Bullets.db";
        const QString copy = settingsDir.filePath("Bullets.db");
        if (QFile::exists(shipped)) {
            QFile::copy(shipped, copy);
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        }
        bulletFiles = {copy, settingsDir.filePath("user/Bullets.db"), true};
        services = std::make_unique<ScriptedServices>();
        program = makeProgram();
    }

    void TearDown() override {
        program.reset();
        services.reset();
    }

    // A program as the desktop program makes it, on this test's bullet files.
    std::unique_ptr<Program> makeProgram() {
        auto made = std::make_unique<Program>(*services, bulletFiles);
        ParameterChain::of(*made);
        return made;
    }

    // Fails the test when a message box or question was shown that the test did not expect.
    void expectNoMessages() const {
        for (const RecordedMessage& m : services->messages)
            ADD_FAILURE() << "unexpected message box \"" << m.title.toStdString() << "\": " << m.text.toStdString();
        for (const RecordedQuestion& q : services->questions)
            ADD_FAILURE() << "unexpected question \"" << q.title.toStdString() << "\": " << q.text.toStdString();
    }

    tarnwick::ShotParameters& params() { return program->params(); }
    Session& session() { return program->session(); }
    QString bulletFile() const { return BulletDatabaseLocation::pathInUse(bulletFiles); }

    QTemporaryDir settingsDir;
    BulletFiles bulletFiles;
    std::unique_ptr<ScriptedServices> services;
    std::unique_ptr<Program> program;
};
