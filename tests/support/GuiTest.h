#pragma once
// Fixture for offscreen window tests: a fresh program with scripted services (no
// message box or dialog ever blocks) and settings kept in a temporary folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "BulletDatabaseLocation.h"
#include "ParameterChain.h"
#include "Program.h"
#include "ScriptedServices.h"

// The output of a poppler tool run on a file ("pdfimages" lists the pictures, the others
// write the text), or std::nullopt when the tool is missing.
inline std::optional<QString> popplerOutput(const QString& tool, const QString& file) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return std::nullopt;
    QProcess process;
    process.start(program, tool == "pdfimages" ? QStringList{"-list", file} : QStringList{file, "-"});
    process.waitForFinished(-1);
    return QString::fromUtf8(process.readAllStandardOutput());
}

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
        if (services) expectNoMessages();
        services.reset();
    }

    // A program as the desktop program makes it, on this test's bullet files.
    std::unique_ptr<Program> makeProgram() {
        auto made = std::make_unique<Program>(*services, bulletFiles);
        ParameterChain::of(*made);
        return made;
    }

    // A test takes every message box and question it causes; whatever is left untaken
    // when it ends (closing the windows included) was not expected and fails it.
    // expectMessage and expectQuestion take the oldest one and check that it contains `textPart`.
    RecordedMessage expectMessage(const QString& textPart) {
        return takeNext(services->messages, "message box", textPart);
    }
    RecordedQuestion expectQuestion(const QString& textPart) {
        return takeNext(services->questions, "question", textPart);
    }
    std::vector<RecordedMessage> takeMessages() { return std::exchange(services->messages, {}); }
    std::vector<RecordedQuestion> takeQuestions() { return std::exchange(services->questions, {}); }

    // Fails the test for each message box and question not taken so far, and takes them.
    void expectNoMessages() {
        for (const RecordedMessage& m : takeMessages())
            ADD_FAILURE() << "unexpected message box \"" << m.title.toStdString() << "\": " << m.text.toStdString();
        for (const RecordedQuestion& q : takeQuestions())
            ADD_FAILURE() << "unexpected question \"" << q.title.toStdString() << "\": " << q.text.toStdString();
    }

    tarnwick::ShotParameters& params() { return program->params(); }
    Session& session() { return program->session(); }
    QString bulletFile() const { return BulletDatabaseLocation::pathInUse(bulletFiles); }

    QTemporaryDir settingsDir;
    BulletFiles bulletFiles;
    std::unique_ptr<ScriptedServices> services;
    std::unique_ptr<Program> program;

private:
    // Fails unless there is one to take and its text contains `textPart`.
    template <class Recorded>
    static Recorded takeNext(std::vector<Recorded>& recorded, const char* kind, const QString& textPart) {
        if (recorded.empty()) {
            ADD_FAILURE() << "no " << kind << " containing \"" << textPart.toStdString() << "\"";
            return {};
        }
        Recorded next = recorded.front();
        recorded.erase(recorded.begin());
        EXPECT_TRUE(next.text.contains(textPart))
            << kind << " \"" << next.title.toStdString() << "\": " << next.text.toStdString()
            << "\nexpected to contain \"" << textPart.toStdString() << "\"";
        return next;
    }
};
