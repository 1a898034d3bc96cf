#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <fstream>
#include <random>

#include "LoadFile.h"

using namespace tarnwick;
using namespace tarnwick::loads;

namespace {

std::string flownReport(ProgramState state, const RunInputs& inputs) {
    NullSurface surface(kCanvasWidth, kCanvasHeight);
    TextResults results;
    const RunOutcome outcome = plotRun(state, inputs, surface, results);
    return results.text + "|" + outcome.message;
}

std::string savedJson(const ProgramState& state, const RunInputs& inputs) {
    return loadJson(loadOf(state, inputs)).toStdString();
}

}  // namespace

// Random shots saved and opened again: the same document (numbers are written as their
// shortest exact text, so equal text is equal bits), the same report, and keys this
// program does not know survive the next save.
TEST(LoadFile, RandomShotsRoundTripExactly) {
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("shot.tarnwick").toStdString();
    std::mt19937_64 random(16);
    const auto between = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    const auto pick = [&](int count) { return static_cast<int>(random() % count); };
    for (int i = 0; i < 12; ++i) {
        ProgramState state;
        RunInputs inputs;
        ShotParameters& p = state.params;
        p.BallisticCoefLow = between(0.1, 0.8), p.BallisticCoefMid = between(0.1, 0.8), p.BallisticCoefHigh = between(0.1, 0.8);
        p.BCBreakLow = between(800, 1500), p.BCBreakHigh = between(1600, 2600), p.BallisticCoefG7 = between(0.1, 0.4);
        p.BulletMass = between(40, 300), p.InitialVelocity = between(1500, 3800), p.ScopeHeight = between(0, 3);
        p.SaveScopeHeight = between(0, 3), p.MaxDeviation = between(1, 6), state.remembered.LastZeroCrossing = between(100, 300);
        p.Altitude = between(0, 9000), p.HAltitude = between(0, 9000), p.Temperature = between(-20, 100);
        p.HTemperature = between(-20, 100), p.BarometricPressure = between(25, 31), p.HBarometricPressure = between(25, 31);
        p.RelHumidity = between(0, 100), p.HRelHumidity = between(0, 100), p.RTailWind = between(-30, 30);
        p.RCrossWind = between(-200, 200), p.HTailWind = between(-30, 30), p.HCrossWind = between(-200, 200);
        p.LOSAngle = between(-30, 30), p.DeltaT = between(0.0005, 0.002);
        p.HorizontalScale = kDisplayScales[pick(4)].horizontal, p.VerticalScale = between(1, 32);
        p.HuntingMode = pick(2), p.PBRMode = pick(2), inputs.huntingOption = p.HuntingMode;
        p.Model = static_cast<BallisticModelKind>(pick(2));
        p.DragFunction = p.Model == BallisticModelKind::PointMass ? (pick(2) ? "G7" : "G1") : (pick(2) ? "Ingalls" : "G1");
        inputs.texts = {std::to_string(pick(20)), "3.5", "0", "x\"y", pick(2) == 1, "Maker é", "168 gr.", "HPBT"};
        inputs.units = static_cast<UnitSystem>(pick(2));
        inputs.corrections = {static_cast<CorrectionUnit>(pick(4)), between(0.05, 1), static_cast<AngleUnit>(pick(2))};
        p.TwistRate = between(7, 14), p.TwistLeft = pick(2), p.BulletLength = between(0.8, 1.6), p.BulletDiameter = between(0.2, 0.5);
        p.Latitude = between(-90, 90), p.Azimuth = between(-360, 360), p.PressureIsSeaLevel = pick(2);
        p.PowderSensitivity = between(0.5, 3), p.PowderTemperatures = {{between(0, 40), 2500}, {between(60, 100), 2600}};
        p.WindZones = {{between(300, 900), between(-200, 200), between(-30, 30)}, {3000, between(-200, 200), 0}};

        ASSERT_TRUE(writeLoadFile(path, loadOf(state, inputs)).ok());
        ProgramState opened;
        RunInputs openedInputs;
        ASSERT_TRUE(openLoad(path, opened, openedInputs).ok());
        EXPECT_EQ(savedJson(opened, openedInputs), savedJson(state, inputs));
        EXPECT_EQ(flownReport(opened, openedInputs), flownReport(state, inputs));
    }
    QJsonObject withExtras = QJsonDocument::fromJson(loadJson(Load{})).object();
    withExtras["rifle"] = "Model 70";
    QJsonObject bullet = withExtras["bullet"].toObject();
    bullet["lot"] = 7;
    withExtras["bullet"] = bullet;
    const Result<Load> read = parseLoad(QJsonDocument(withExtras).toJson());
    ASSERT_TRUE(read.ok()) << read.error();
    const QJsonObject resaved = QJsonDocument::fromJson(loadJson(*read)).object();
    EXPECT_EQ(resaved["rifle"].toString(), "Model 70");
    EXPECT_EQ(resaved["bullet"].toObject()["lot"].toInt(), 7);

    // A file written before the long-range effects opens with their defaults.
    QJsonObject old = QJsonDocument::fromJson(loadJson(Load{})).object();
    for (const char* key : {"twist", "earth", "pressureReference", "powder", "windZones"}) old.remove(key);
    bullet = old["bullet"].toObject();
    bullet.remove("length"), bullet.remove("diameter"), old["bullet"] = bullet;
    const Result<Load> oldLoad = parseLoad(QJsonDocument(old).toJson());
    ASSERT_TRUE(oldLoad.ok()) << oldLoad.error();
    ProgramState flown, expected;
    RunInputs flownInputs, expectedInputs;
    ASSERT_TRUE(openLoad(path, flown, flownInputs).ok());
    applyLoad(*oldLoad, flown, flownInputs);
    applyLoad(Load{}, expected, expectedInputs);
    EXPECT_EQ(savedJson(flown, flownInputs), savedJson(expected, expectedInputs));
}

// Every malformed file is refused with a message naming what is wrong, and the shot
// being flown stays as it was.
TEST(LoadFile, MalformedFilesChangeNothing) {
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("bad.tarnwick").toStdString();
    const std::string good = loadJson(Load{}).toStdString();
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        std::string contents;
        std::string message;
    } cases[] = {
        {good.substr(0, good.size() / 2), "not a load file"},
        {"[1, 2]", "expected a JSON object"},
        {replaced("\"temperature\": 59", "\"temperature\": \"59\""), "temperature: expected a number"},
        {replaced("\"slope\": 0", "\"slope\": NaN"), "not a load file"},
        {replaced("\"muzzleVelocity\": 2000", "\"muzzleVelocity\": 1e300"), "muzzleVelocity: the number is not finite"},
        {replaced("\"muzzleVelocity\": 2000", "\"muzzleVelocity\": 1e400"), "not a load file"},
        {replaced("\"version\": 1", "\"version\": 2"), "version: unknown load file version 2"},
        {replaced("\"g7\": 0,", ""), "bullet.g7: missing"},
        {replaced("\"model\": \"classic\"", "\"model\": \"rocket\""), "model: unknown word 'rocket'"},
        {replaced("\"dragFunction\": \"G1\"", "\"dragFunction\": \"G7\""), "dragFunction: 'G7' is not a drag law"},
        {replaced("\"units\": \"imperial\"", "\"units\": 3"), "units: expected a text"},
        {good + std::string(10 << 20, ' '), "larger than a load file can be"},
        {replaced("\"rate\": 0", "\"rate\": -8"), "twist.rate: must be 0 (unknown) to 1000"},
        {replaced("\"hand\": \"right\"", "\"hand\": true"), "twist.hand: expected a text"},
        {replaced("\"latitude\": null", "\"latitude\": 91"), "earth.latitude: must be null or between -90 and 90"},
        {replaced("\"windZones\": [", "\"windZones\": [{\"until\": 900, \"crossWind\": 0, \"tailWind\": 0}, {\"until\": 300}"),
         "windZones[1].crossWind: missing"},
        {replaced("\"windZones\": [", "\"windZones\": [{\"until\": 900, \"crossWind\": 0, \"tailWind\": 0}, "
                                      "{\"until\": 300, \"crossWind\": 0, \"tailWind\": 0}"),
         "windZones: each wind zone must end beyond"},
        {replaced("\"temperatures\": [", "\"temperatures\": [{\"temperature\": 20, \"velocity\": 0}"),
         "powder.temperatures[0].velocity: must be above 0"},
        {replaced("\"temperatures\": [", "\"temperatures\": [{\"temperature\": 20, \"velocity\": 2500}, "
                                         "{\"temperature\": 20, \"velocity\": 2600}"),
         "powder: two powder temperature points have the same temperature"},
    };
    for (const auto& c : cases) {
        std::ofstream(path, std::ios::binary) << c.contents;
        ProgramState state;
        RunInputs inputs;
        state.params.InitialVelocity = 2700;
        const std::string before = savedJson(state, inputs);
        const Status status = openLoad(path, state, inputs);
        ASSERT_FALSE(status.ok()) << c.message;
        EXPECT_NE(status.error().find(c.message), std::string::npos) << status.error();
        EXPECT_EQ(savedJson(state, inputs), before) << c.message;
    }
}
