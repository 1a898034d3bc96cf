// The key window's legend and placement; the remembered settings kept between starts.
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include "FormSupport.h"
#include "GuiTest.h"
#include "SettingsStore.h"
#include "frmKey.h"
#include "frmRunParam.h"
#include "frmTrajectory.h"

namespace {

using KeyTest = GuiTest;

// The colour of the sample line at a row given in the legend's 90-unit scale.
QColor lineColour(const frmKey& key, double units) {
    const QImage& legend = key.legend();
    const int x = qRound((key.width() - 10) * legend.devicePixelRatio());
    const int y = qRound(key.unitToY(units) * legend.devicePixelRatio());
    for (int dy : {0, -1, 1}) {
        const QColor c = legend.pixelColor(x, std::clamp(y + dy, 0, legend.height() - 1));
        if (c != QColor(Qt::white)) return c;
    }
    return Qt::white;
}

TEST_F(KeyTest, LegendRowsFollowTheCurveOptions) {
    frmTrajectory& main = program->window<frmTrajectory>();
    main.mnuKey->trigger();
    frmKey& key = program->window<frmKey>();
    EXPECT_EQ(key.windowTitle(), "Key:");
    EXPECT_EQ(lineColour(key, 20), QColor(Qt::black));
    EXPECT_EQ(lineColour(key, 40), QColor(Qt::white));
    EXPECT_EQ(lineColour(key, 60), QColor(0, 0, 255));
    EXPECT_EQ(lineColour(key, 80), QColor(Qt::white));

    main.mnuEnergy_Click();
    // Unchanged until the legend is activated again.
    EXPECT_EQ(lineColour(key, 40), QColor(Qt::white));
    main.mnuKey->trigger();
    EXPECT_EQ(lineColour(key, 20), QColor(Qt::black));
    EXPECT_EQ(lineColour(key, 40), QColor(255, 0, 0));
    EXPECT_EQ(lineColour(key, 60), QColor(0, 0, 255));
    EXPECT_EQ(lineColour(key, 80), QColor(255, 0, 255));

    main.mnuVelocityOn_Click();
    expectMessage("Disabling Energy curve.");  // the velocity curve replaces the energy curve
    key.Form_Activate();
    EXPECT_EQ(lineColour(key, 40), QColor(0, 255, 0));
    EXPECT_EQ(lineColour(key, 80), QColor(0, 255, 255));
}

// In metric the energy and velocity rows name their unit, and the window widens so that
// their sample lines stay visible; imperial rows are as they always were.
TEST_F(KeyTest, MetricRowsNameTheirUnit) {
    frmTrajectory& main = program->window<frmTrajectory>();
    frmKey& key = program->window<frmKey>();
    main.mnuEnergy_Click();
    key.Form_Activate();
    EXPECT_EQ(key.labels(), QStringList({"Hunting Trajectory: ", "Range Trajectory: ", "Range Energy: ",
                                         "Hunting Energy: "}));
    session().setUnits(tarnwick::UnitSystem::Metric);
    main.mnuVelocityOn_Click();
    expectMessage("Disabling Energy curve.");
    key.Form_Activate();
    EXPECT_EQ(key.labels(), QStringList({"Hunting Trajectory: ", "Range Trajectory: ", "Range Velocity (m/s): ",
                                         "Hunting Velocity (m/s): "}));
    EXPECT_GE(key.width(), qRound(QFontMetricsF(key.font()).horizontalAdvance("Hunting Velocity (m/s): ")) + 60);
    EXPECT_EQ(lineColour(key, 80), QColor(0, 255, 255));
}

TEST_F(KeyTest, StaysOnScreenBelowAMainWindowAtTheBottom) {
    frmTrajectory& main = program->window<frmTrajectory>();
    const QSize screen = screenSize(&main);
    main.move(0, screen.height() - main.frameGeometry().height());
    frmKey& key = program->window<frmKey>();
    EXPECT_EQ(key.y() + key.frameGeometry().height(), screen.height());
}

using SettingsTest = GuiTest;

TEST_F(SettingsTest, RecordRoundTripsAndRestoresAtStartUp) {
    StoredRecord record;
    record.remembered.LastManufacturer = "Sierra, \"Game King\"";
    record.remembered.LastStockNumber = "2145";
    record.remembered.LastHuntingMode = true;
    record.remembered.LastPBRMode = false;
    record.remembered.LastZeroCrossing = 250;
    record.remembered.LastInitialVelocity = 2850;
    record.remembered.LastHorizontalScale = 0.2;  // the 1000-yard pair
    record.remembered.LastVerticalScale = 1;
    record.remembered.LastScopeHeight = 1.75;
    record.remembered.LastHTemperature = -10.5;
    record.remembered.LastModel = tarnwick::BallisticModelKind::PointMass;
    record.remembered.LastDragFunction = "G7";
    record.effects = {10, true, 45.5, 90, false};
    record.geometry = QRect(20, 30, 640, 400);
    ASSERT_TRUE(saveStoredRecord(record));
    EXPECT_FALSE(QFile::exists(settingsFilePath() + ".new")) << "no temporary file is left behind";

    frmTrajectory& main = program->window<frmTrajectory>();
    const tarnwick::RememberedSettings& r = program->state().remembered;
    EXPECT_EQ(r.LastManufacturer, "Sierra, \"Game King\"");
    EXPECT_EQ(r.LastStockNumber, "2145");
    EXPECT_TRUE(params().HuntingMode);
    EXPECT_FALSE(params().PBRMode);
    EXPECT_EQ(r.LastZeroCrossing, 250);
    EXPECT_EQ(params().InitialVelocity, 2850);
    EXPECT_EQ(params().HorizontalScale, 0.2) << "doubles survive exactly";
    EXPECT_EQ(params().VerticalScale, 1);
    EXPECT_EQ(params().ScopeHeight, 1.75);
    EXPECT_EQ(params().HTemperature, -10.5);
    EXPECT_EQ(params().Model, tarnwick::BallisticModelKind::PointMass);
    EXPECT_EQ(params().DragFunction, "G7");
    EXPECT_EQ(main.mnuDragShow->text(), "Using Point Mass, G7");
    EXPECT_EQ(params().TwistRate, 10);
    EXPECT_TRUE(params().TwistLeft);
    EXPECT_EQ(params().Latitude, 45.5);
    EXPECT_EQ(params().Azimuth, 90);
    EXPECT_FALSE(params().PressureIsSeaLevel);
    EXPECT_EQ(main.size(), QSize(640, 400));
    EXPECT_EQ(main.pos(), QPoint(20, 30));

    // Closing the main window stores what is current.
    program->state().remembered.LastInitialVelocity = 3100;
    params().Latitude.reset();
    main.move(40, 50);
    main.close();
    const std::optional<StoredRecord> saved = loadStoredRecord();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->remembered.LastInitialVelocity, 3100);
    EXPECT_FALSE(saved->effects.latitude);
    EXPECT_EQ(saved->effects.twistRate, 10);
    EXPECT_EQ(saved->geometry, QRect(40, 50, 640, 400));
}

TEST_F(SettingsTest, FirstStartKeepsTheDefaults) {
    program->window<frmTrajectory>();
    EXPECT_EQ(params().InitialVelocity, 2000);
    EXPECT_EQ(params().MaxDeviation, 3.0);
    EXPECT_EQ(params().ScopeHeight, 1.5);
    EXPECT_EQ(params().DragFunction, "G1");
    EXPECT_TRUE(params().PBRMode);
    EXPECT_EQ(program->state().remembered.LastZeroCrossing, 200);
}

// A record kept elsewhere and linked in (as dotfile tools do) stays linked, and a file of
// the user's named like a temporary file is left alone.
TEST_F(SettingsTest, SavingKeepsALinkedRecordLinkedAndTheUsersFilesAlone) {
    QTemporaryDir elsewhere;
    const QString path = settingsFilePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    ASSERT_TRUE(QFile::link(elsewhere.filePath("Tarnwick.ini"), path));
    QFile own(path + ".new");
    ASSERT_TRUE(own.open(QIODevice::WriteOnly) && own.write("mine") == 4);
    own.close();
    ASSERT_TRUE(saveStoredRecord(StoredRecord{{}, QRect(20, 30, 640, 400)}));
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(loadStoredRecord());
    EXPECT_EQ(own.size(), 4);
    EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"Tarnwick.ini", "Tarnwick.ini.new"}))
        << "nothing else left behind";
}

TEST_F(SettingsTest, ProgramClosedBeforeAnyDialogRestoresDefaultsNotZeros) {
    frmTrajectory& main = program->window<frmTrajectory>();
    main.close();
    const std::optional<StoredRecord> saved = loadStoredRecord();
    ASSERT_TRUE(saved);
    tarnwick::ShotParameters restored;
    tarnwick::restoreFromRemembered(restored, saved->remembered);
    EXPECT_EQ(restored.InitialVelocity, 2000);
    EXPECT_EQ(restored.VerticalScale, 32);
    EXPECT_EQ(restored.HorizontalScale, 2.0 / 3);
    EXPECT_EQ(restored.Temperature, 59);
}

TEST_F(SettingsTest, CorruptOrPartialRecordLeavesAllDefaults) {
    StoredRecord record;
    record.remembered.LastInitialVelocity = 2900;
    record.geometry = QRect(20, 30, 640, 400);
    ASSERT_TRUE(saveStoredRecord(record));
    QFile file(settingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();

    // A record written before the effects were kept is whole without them.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(good).replace("TwistRate=", "Ignored=").replace("Azimuth=", "Ignored2="));
    file.close();
    EXPECT_TRUE(loadStoredRecord());

    const QByteArray variants[] = {
        QByteArray(good).replace("LastTemperature=", "Ignored="),        // a field missing
        QByteArray(good).replace("LastInitialVelocity=2900", "LastInitialVelocity=fast"),
        QByteArray(good).replace("LastInitialVelocity=2900", "LastInitialVelocity=nan"),
        QByteArray(good).replace("TwistLeft=false", "TwistLeft=maybe"),
        QByteArray(good).replace("Width=640", "Width=99999"),
        QByteArray("\x00\xff\xfe garbage [[[ ==", 17),
    };
    for (const QByteArray& variant : variants) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(variant);
        file.close();
        EXPECT_FALSE(loadStoredRecord()) << variant.toStdString();
    }
    frmTrajectory& main = program->window<frmTrajectory>();
    EXPECT_EQ(params().InitialVelocity, 2000);
    EXPECT_EQ(main.size().width(), 578);
}

TEST_F(SettingsTest, ValuesNoDialogCouldStoreFallBackAndTheWindowFitsTheScreen) {
    StoredRecord record;
    record.remembered.LastInitialVelocity = 1e308;
    record.remembered.LastVerticalScale = 0;  // not a pair the scale dialog offers
    record.remembered.LastScopeHeight = -1e300;
    record.remembered.LastBallisticCoef = 0;
    record.remembered.LastZeroCrossing = 250;  // a usable value stays
    record.remembered.LastModel = tarnwick::BallisticModelKind::PointMass;  // stays, with a law it flies
    record.remembered.LastDragFunction = "Krupp";
    record.effects.latitude = 95;
    record.effects.twistRate = 10;  // a usable value stays
    const QSize screen = QGuiApplication::primaryScreen()->availableSize();
    for (const QSize stored : {screen * 5, QSize(1, 1)}) {
        SCOPED_TRACE(stored.width());
        record.geometry = QRect(QPoint(0, 0), stored);
        ASSERT_TRUE(saveStoredRecord(record));
        program.reset();
        program = makeProgram();
        frmTrajectory& main = program->window<frmTrajectory>();
        EXPECT_LE(main.width(), screen.width());
        EXPECT_LE(main.height(), screen.height());
        EXPECT_GE(main.width(), main.minimumSizeHint().width());
        EXPECT_GE(main.height(), main.minimumSizeHint().height());
        EXPECT_EQ(params().InitialVelocity, 2000);
        EXPECT_EQ(params().VerticalScale, 32);
        EXPECT_EQ(params().HorizontalScale, 2.0 / 3);
        EXPECT_EQ(params().ScopeHeight, 1.5);
        EXPECT_EQ(program->state().remembered.LastBallisticCoef, 0.2);
        EXPECT_EQ(program->state().remembered.LastZeroCrossing, 250);
        EXPECT_EQ(params().Model, tarnwick::BallisticModelKind::PointMass);
        EXPECT_EQ(params().DragFunction, "G1");
        EXPECT_FALSE(params().Latitude);
        EXPECT_EQ(params().TwistRate, 10);
    }
    // What is saved back is what was restored; a value typed beyond any shot is not kept.
    program->state().remembered.LastMaxDeviation = -1e7;
    program->window<frmTrajectory>().close();
    QSettings saved(settingsFilePath(), QSettings::IniFormat);
    saved.beginGroup("Remembered");
    EXPECT_EQ(saved.value("LastInitialVelocity").toDouble(), 2000);
    EXPECT_EQ(saved.value("LastVerticalScale").toDouble(), 32);
    EXPECT_EQ(saved.value("LastMaxDeviation").toDouble(), 3);
    EXPECT_LE(saved.value("Width").toInt(), screen.width());
}

TEST_F(SettingsTest, RestartInTheDropTableVariantFliesAsTheRunDialogSetsIt) {
    StoredRecord record;
    record.remembered.LastPBRMode = false;  // Target mode, Drop Table
    record.remembered.LastScopeHeight = 2.25;
    record.geometry = QRect(20, 30, 640, 400);
    ASSERT_TRUE(saveStoredRecord(record));
    frmTrajectory& main = program->window<frmTrajectory>();
    EXPECT_EQ(params().MaxDeviation, 0);
    EXPECT_EQ(params().ScopeHeight, 0);
    EXPECT_FALSE(main.mnuStandard->isEnabled());
    // The first plot is a straight drop table, as after the run dialog's OK.
    main.mnuPlot_Click();
    EXPECT_TRUE(program->state().FirstPageText.ends_with("\r\nActual max deviation = 0.000 inches"));
    // The user's scope height is only set aside.
    program->window<frmRunParam>().optOne->click();
    EXPECT_EQ(params().ScopeHeight, 2.25);
}

}  // namespace
