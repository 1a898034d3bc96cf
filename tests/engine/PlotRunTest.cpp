#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <map>
#include <regex>

#include "PlotRun.h"
#include "RecordingSurface.h"
#include "Report.h"

using namespace tarnwick;

namespace {

struct RunResult {
    RunOutcome outcome;
    std::string text;
    ProgramState state;
};

RunResult runWith(ProgramState state, RunInputs inputs = {}, double width = 578, double height = 288) {
    NullSurface surface(width, height);
    TextResults results;
    RunResult r;
    r.outcome = plotRun(state, inputs, surface, results);
    r.text = results.text;
    r.state = std::move(state);
    return r;
}

int lineCount(const std::string& text) {
    int lines = 1;
    for (std::size_t i = text.find("\r\n"); i != std::string::npos; i = text.find("\r\n", i + 2)) ++lines;
    return lines;
}

ProgramState hunting(bool bigGame) {
    ProgramState s;
    s.params.HuntingMode = true;
    s.params.PBRMode = bigGame;
    return s;
}

}  // namespace

TEST(Report, DefaultRunInFull) {
    const RunResult r = runWith(ProgramState{});
    ASSERT_TRUE(r.outcome.completed) << r.outcome.message;
    EXPECT_EQ(r.text,
              "Muzzle Velocity = 2000\r\n"
              "0 ft altitude; 59 deg F; 29.53 MM; 67% humidity; 0 MPH tailwind; 0 MPH Cross Wind\r\n"
              "Ballistic coefficient 0.2, 100 gr.\r\n"
              " 25 yard deviation = 0.505 inches\r\n"
              " 50 yard deviation = 1.952 inches\r\n"
              "100 yard deviation = 2.966 inches\r\n"
              "100 yard wind deflection = 0.00 inches\r\n"
              "LOS cross 1 = 18 yards\r\n"
              "Bullet peak = 92 yards\r\n"
              "LOS cross 2 = 157 yards\r\n"
              "Scope Heighth = 1.500 inch(es)\r\n"
              "Max range   = 182 yards\r\n"
              "Actual max deviation = 3.000 inches");
    EXPECT_EQ(lineCount(r.text), 13);
    EXPECT_EQ(r.state.FirstPageText, r.text);
    EXPECT_EQ(r.state.params.YAxis, 50);
    EXPECT_EQ(r.state.params.XAxis, 238);
}

TEST(Report, HuntingBigGameWithWarmerField) {
    ProgramState s = hunting(true);
    s.params.HTemperature = 79;
    s.params.HAltitude = 5000;
    s.params.InitialVelocity = 2800;
    s.params.BallisticCoefLow = s.params.BallisticCoefMid = s.params.BallisticCoefHigh = 0.447;
    s.params.BulletMass = 165;
    s.SecondPageText = "old help text";
    RunInputs in;
    in.huntingOption = true;
    in.texts.namesBullet = true;
    in.texts.txtManufacturer = "Hornady";
    in.texts.txtBulletMass = "165";
    in.texts.txtBulletType = "SST";
    const RunResult r = runWith(s, in);
    const std::string range =
        "Muzzle Velocity = 2800\r\n"
        "0 ft altitude; 59 deg F; 29.53 MM; 67% humidity; 0 MPH tailwind; 0 MPH Cross Wind\r\n"
        "Hornady 165 gr.  SST\r\n"
        " 25 yard deviation = -0.018 inches\r\n"
        " 50 yard deviation = 1.124 inches\r\n"
        "100 yard deviation = 2.611 inches\r\n"
        "100 yard wind deflection = 0.00 inches\r\n"
        "LOS cross 1 = 26 yards\r\n"
        "Bullet peak = 133 yards\r\n"
        "LOS cross 2 = 233 yards\r\n"
        "Scope Heighth = 1.500 inch(es)\r\n"
        "Max range   = 273 yards\r\n"
        "Actual max deviation = 2.905 inches";
    const std::string field =
        "Hunting Conditions:\r\n"
        "Muzzle Velocity = 2830\r\n"
        "5000 ft altitude; 79 deg F; 29.53 MM; 67% humidity; 0 MPH tailwind; 0 MPH Cross Wind\r\n"
        "Hunting  25 yard deviation = -0.049 inches\r\n"
        "Hunting  50 yard deviation = 1.120 inches\r\n"
        "Hunting 100 yard deviation = 2.648 inches\r\n"
        "100 yard wind deflection = 0.00 inches\r\n"
        "Hunting LOS cross 1 = 26 yards\r\n"
        "Hunting Bullet peak = 138 yards\r\n"
        "Hunting LOS cross 2 = 243 yards\r\n"
        "Hunting Max range   = 284 yards\r\n"
        "Hunting Actual max deviation = 3.000 inches";
    EXPECT_EQ(r.text, range + "\r\n\r\n" + field);
    EXPECT_EQ(r.state.FirstPageText, range);
    EXPECT_EQ(r.state.SecondPageText, field);
}

TEST(Report, VarmintZeroesAtTheChosenDistanceAndDropsMaxRange) {
    ProgramState s = hunting(false);
    s.params.InitialVelocity = 3200;
    s.params.BallisticCoefLow = s.params.BallisticCoefMid = s.params.BallisticCoefHigh = 0.3;
    RunInputs in;
    in.huntingOption = true;
    const RunResult r = runWith(s, in);
    ASSERT_TRUE(r.outcome.completed);
    EXPECT_EQ(r.text.find("Max range"), std::string::npos);
    EXPECT_NE(r.text.find("Scope Heighth = 1.500 inch(es)\r\nActual max deviation = 1.444 inches"), std::string::npos);
    EXPECT_NE(r.text.find("Hunting LOS cross 2 = 200 yards\r\nHunting Actual max deviation"), std::string::npos);
    EXPECT_NEAR(r.outcome.events.cross2, 600, 5);
}

TEST(Report, DropTableRowsEveryFiveYards) {
    ProgramState s;
    s.params.DropTable = 1;
    s.params.ScopeHeight = 0;
    s.params.MaxDeviation = 0;
    s.params.PBRMode = false;
    s.params.RCrossWind = 176;  // 10 mph
    RunInputs in;
    in.texts.txtRCrossWind = "10";
    const RunResult r = runWith(s, in);
    ASSERT_TRUE(r.outcome.completed);
    EXPECT_NE(r.text.find("MPH tailwind; 10 MPH Cross Wind\r\nBallistic coefficient 0.2, 100 gr.\r\n"
                          "0005 yards: drop = -0.012 inches; wind deflection = -0.01 inches\r\n"
                          "0010 yards: drop = -0.043 inches; wind deflection = -0.02 inches\r\n"),
              std::string::npos);
    EXPECT_NE(r.text.find("\r\n0100 yards: drop = "), std::string::npos);
    // A level bore on a level line of sight only falls: no crossing, peak or maximum range.
    EXPECT_EQ(r.outcome.events.cross1, 0);
    EXPECT_EQ(r.outcome.events.peakX, 0);
    EXPECT_EQ(r.outcome.events.cross2, 0);
    EXPECT_EQ(r.outcome.events.maxRange, 0);
    EXPECT_LT(r.state.strike.RStrikeDeflection, 0);
}

namespace {

struct PrintedNumber {
    double value;
    int decimals;
};

std::vector<PrintedNumber> printedNumbers(const std::string& line) {
    std::vector<PrintedNumber> numbers;
    const std::regex number(R"(-?[0-9]+(\.([0-9]+))?)");
    for (auto it = std::sregex_iterator(line.begin(), line.end(), number); it != std::sregex_iterator(); ++it)
        numbers.push_back({std::stod(it->str()), static_cast<int>((*it)[2].length())});
    return numbers;
}

std::vector<std::string> reportLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t from = 0;;) {
        const std::size_t end = text.find("\r\n", from);
        lines.push_back(text.substr(from, end - from));
        if (end == std::string::npos) return lines;
        from = end + 2;
    }
}

}  // namespace

TEST(Report, MetricReportAgreesWithTheImperialOneAfterConversion) {
    ProgramState s = hunting(true);
    ShotParameters& p = s.params;
    p.Altitude = 1500, p.Temperature = 40, p.BarometricPressure = 29.92;
    p.BallisticCoefLow = 0.4, p.BallisticCoefMid = 0.45, p.BallisticCoefHigh = 0.5, p.BulletMass = 165;
    p.RCrossWind = p.HCrossWind = 176, p.RTailWind = p.HTailWind = 22.0 / 3;  // 10 and 5 mph
    RunInputs in;
    in.huntingOption = true;
    in.texts.txtRCrossWind = in.texts.txtHCrossWind = "10";
    in.texts.txtRTailWind = in.texts.txtHTailWind = "5";
    const RunResult imperial = runWith(s, in);
    in.units = UnitSystem::Metric;
    const RunResult metric = runWith(s, in);

    // One letter per number of a line: Speed, Distance, Temperature, Pressure, Wind, Mass,
    // Range (yards), Height, '-' a plain number; '*' lines report the 25/50/100 marks, which
    // lie at other distances in metric.
    using Q = Quantity;
    const std::map<char, Q> quantities{{'S', Q::Speed}, {'D', Q::Distance}, {'T', Q::Temperature}, {'P', Q::Pressure},
                                       {'W', Q::WindSpeed}, {'M', Q::Mass}, {'R', Q::Range}, {'H', Q::Height}};
    const std::vector<std::string> kinds{"S", "DTP-WW", "---SSM", "*", "*", "*", "*", "-R", "R", "-R", "H", "R", "H", "",
                                         "", "S", "DTP-WW", "*", "*", "*", "*", "-R", "R", "-R", "R", "H"};
    const auto imperialLines = reportLines(imperial.text), metricLines = reportLines(metric.text);
    ASSERT_EQ(imperialLines.size(), kinds.size());
    ASSERT_EQ(metricLines.size(), kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i] == "*") continue;
        const auto was = printedNumbers(imperialLines[i]), is = printedNumbers(metricLines[i]);
        ASSERT_EQ(was.size(), kinds[i].size()) << imperialLines[i];
        ASSERT_EQ(is.size(), kinds[i].size()) << metricLines[i];
        for (std::size_t n = 0; n < was.size(); ++n) {
            if (kinds[i][n] == '-') {
                EXPECT_EQ(is[n].value, was[n].value) << metricLines[i];
                continue;
            }
            const Q q = quantities.at(kinds[i][n]);
            const double perUnit = shownValue(q, UnitSystem::Metric, 1) - shownValue(q, UnitSystem::Metric, 0);
            const double rounding = 0.5 * std::pow(10, -is[n].decimals) + 0.5 * std::pow(10, -was[n].decimals) * perUnit;
            EXPECT_NEAR(is[n].value, shownValue(q, UnitSystem::Metric, was[n].value), rounding + 1e-9)
                << imperialLines[i] << " | " << metricLines[i];
        }
    }
}

TEST(Report, BulletLineNamesTheBulletOrStatesTheNumbersFlown) {
    ShotParameters p;
    ReportTexts named;
    named.namesBullet = true;
    named.txtManufacturer = "Sierra";
    named.txtBulletMass = "165";
    named.txtBulletType = "SBT";
    EXPECT_EQ(bulletLine(p, named), "Sierra 165 gr.  SBT");
    EXPECT_EQ(bulletLine(p, {}), "Ballistic coefficient 0.2, 100 gr.");
    p.BulletMass = 165;
    p.BCBreakLow = 1600;
    p.BCBreakHigh = 2600;
    p.BallisticCoefLow = p.BallisticCoefMid = p.BallisticCoefHigh = 0.45;
    EXPECT_EQ(bulletLine(p, {}), "Ballistic coefficient 0.45, 165 gr.") << "breaks do not matter for one coefficient";
    p.BallisticCoefLow = 0.4;
    p.BallisticCoefHigh = 0.5;
    EXPECT_EQ(bulletLine(p, {}), "Ballistic coefficients 0.4/0.45/0.5 (breaks 1600/2600 ft/s), 165 gr.");
}

TEST(Report, PageTextsAlwaysHoldTheLatestRunOnly) {
    // A run without a hunting pass leaves no earlier hunting report or guide half behind.
    ProgramState s;
    s.FirstPageText = "first half of the guide";
    s.SecondPageText = "second half of the guide";
    const RunResult r = runWith(s);
    EXPECT_EQ(r.state.FirstPageText, r.text);
    EXPECT_EQ(r.state.SecondPageText, "");
    // A run that stops in the range pass leaves what it wrote, as the results window shows it.
    s.params.BallisticCoefHigh = s.params.BallisticCoefMid = s.params.BallisticCoefLow = 0;
    const RunResult stopped = runWith(s);
    ASSERT_FALSE(stopped.outcome.completed);
    EXPECT_EQ(stopped.state.FirstPageText, stopped.text);
    EXPECT_EQ(stopped.state.SecondPageText, "");
}

TEST(Report, UserTextsAreCopiedAsTyped) {
    RunInputs in;
    in.texts.txtRTailWind = "5 or so";
    in.texts.txtRCrossWind = "";
    const RunResult r = runWith(ProgramState{}, in);
    EXPECT_NE(r.text.find("67% humidity; 5 or so MPH tailwind;  MPH Cross Wind"), std::string::npos);
}

TEST(Report, PlotTitleNamesTheBulletAsTheReportDoesAndTheVelocity) {
    struct Case {
        bool named;
        std::string maker, mass, type;
        double velocity;
        std::string title;
    };
    for (const Case& c : {Case{true, "", "", "", 2000, "2000 ft/s"}, Case{true, " ", "  ", "", 2650.5, "2650.5 ft/s"},
                          Case{true, "Sierra", "168", "HPBT", 2800, "Sierra 168 gr.  HPBT, 2800 ft/s"},
                          Case{true, "", "150", "", 2000, "150 gr., 2000 ft/s"},
                          Case{false, "", "", "", 2000, "Ballistic coefficient 0.5, 168 gr., 2000 ft/s"}}) {
        ProgramState s;
        s.params.InitialVelocity = c.velocity;
        s.params.BallisticCoefLow = s.params.BallisticCoefMid = s.params.BallisticCoefHigh = 0.5;
        s.params.BulletMass = 168;
        RunInputs in;
        in.texts.namesBullet = c.named;
        in.texts.txtManufacturer = c.maker;
        in.texts.txtBulletMass = c.mass;
        in.texts.txtBulletType = c.type;
        EXPECT_EQ(plotTitle(s.params, in.texts), c.title);
        // The bullet is named as the report's third line names it, without its outer blanks.
        const std::string report = runWith(s, in).text;
        const std::size_t third = report.find("\r\n", report.find("\r\n") + 2) + 2;
        std::string line = report.substr(third, report.find("\r\n", third) - third);
        line = line.substr(line.find_first_not_of(' '), line.find_last_not_of(' ') - line.find_first_not_of(' ') + 1);
        if (c.title.find(", ") != std::string::npos) {
            EXPECT_EQ(line, c.title.substr(0, c.title.rfind(", ")));
        }
    }
}

TEST(PlotRun, HuntingScalingPeaksOnlyTheFieldPassAtMaxDeviation) {
    ProgramState s = hunting(true);
    s.params.HTemperature = 79;
    RunInputs in;
    in.huntingOption = true;
    NullSurface surface;
    TextResults results;
    ProgramState rangeOnly = s;
    rangeOnly.params.HuntingMode = false;
    const RunOutcome target = plotRun(rangeOnly, RunInputs{}, surface, results);
    const RunOutcome both = plotRun(s, in, surface, results);
    EXPECT_NEAR(target.events.peakY, 3.0, 0.01);
    EXPECT_NE(results.text.find("\r\nActual max deviation = 2.868"), std::string::npos);  // range pass launched lower
    EXPECT_NE(results.text.find("Hunting Actual max deviation = 3.000"), std::string::npos);
    EXPECT_NE(results.text.find("Muzzle Velocity = 2030"), std::string::npos);
}

TEST(PlotRun, ResultsWindowShownAfterTheRangePass) {
    NullSurface surface;
    TextResults results;
    results.visible = true;
    ProgramState s;
    s.params.DeltaT = 0;
    plotRun(s, RunInputs{}, surface, results);
    EXPECT_FALSE(results.visible) << "hidden at the start of every run";
    ProgramState ok;
    plotRun(ok, RunInputs{}, surface, results);
    EXPECT_TRUE(results.visible);
}

TEST(PlotRun, NarrowCanvasFliesNothingAndKeepsEarlierResults) {
    const RunResult r = runWith(ProgramState{}, {}, 125, 288);
    ASSERT_TRUE(r.outcome.completed);
    EXPECT_EQ(r.outcome.events.peakY, 0);
    EXPECT_NE(r.text.find("LOS cross 1 = 0 yards"), std::string::npos);
}

TEST(PlotRun, SuccessiveRunsDrawOverEachOther) {
    RecordingSurface surface;
    TextResults results;
    ProgramState s;
    plotRun(s, RunInputs{}, surface, results);
    const std::size_t first = surface.ops().size();
    plotRun(s, RunInputs{}, surface, results);
    EXPECT_EQ(surface.ops().size(), 2 * first);
    EXPECT_TRUE(surface.opsOfKind(DrawOp::Kind::Clear).empty());
}

TEST(PlotRun, TrajectoryStartsAtTheMuzzleInBlackAndHuntingInBlue) {
    RecordingSurface surface;
    TextResults results;
    ProgramState s = hunting(true);
    RunInputs in;
    in.huntingOption = true;
    plotRun(s, in, surface, results);
    bool sawBlackStart = false, sawBlue = false;
    for (const DrawOp& op : surface.opsOfKind(DrawOp::Kind::Line)) {
        if (op.pen == colours::Black && op.x1 == 50 && op.y1 == 119 + 32 * 1.5) sawBlackStart = true;
        if (op.pen == colours::Blue) sawBlue = true;
    }
    EXPECT_TRUE(sawBlackStart);
    EXPECT_TRUE(sawBlue);
}

TEST(PlotRun, EnergyCurveTakesPrecedenceAndUsesItsColours) {
    RecordingSurface surface;
    TextResults results;
    ProgramState s;
    s.params.BulletMass = 150;
    s.params.InitialVelocity = 3000;
    RunInputs in;
    in.energyCurveOn = true;
    in.velocityCurveOn = true;
    plotRun(s, in, surface, results);
    int red = 0, green = 0;
    for (const DrawOp& op : surface.opsOfKind(DrawOp::Kind::Line)) {
        red += op.pen == colours::Red;
        green += op.pen == colours::Green;
    }
    EXPECT_GT(red, 10);
    EXPECT_EQ(green, 0);
}

// Each numeric failure ends the run with a sentence and keeps what was written.
TEST(PlotRunFailures, ZeroTimeStepStopsAtOnce) {
    ProgramState s;
    s.params.DeltaT = 0;
    const auto start = std::chrono::steady_clock::now();
    const RunResult r = runWith(s);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(r.outcome.completed);
    EXPECT_NE(r.outcome.message.find("time step"), std::string::npos);
}

TEST(PlotRunFailures, ZeroCoefficientStopsBeforeTheDivision) {
    ProgramState s;
    s.params.BallisticCoefHigh = s.params.BallisticCoefMid = s.params.BallisticCoefLow = 0;
    const RunResult r = runWith(s);
    EXPECT_FALSE(r.outcome.completed);
    EXPECT_EQ(r.outcome.message, "The run stopped at 0 yards: the ballistic coefficient in use is zero.");
    EXPECT_NE(r.text.find("Muzzle Velocity = 2000"), std::string::npos) << "the header stays";
}

TEST(PlotRunFailures, ZeroPressureHasNoDensity) {
    ProgramState s;
    s.params.BarometricPressure = 0;
    const RunResult r = runWith(s);
    EXPECT_FALSE(r.outcome.completed);
    EXPECT_NE(r.outcome.message.find("air density of the range conditions"), std::string::npos);
    ProgramState h = hunting(true);
    h.params.HBarometricPressure = 0;
    RunInputs in;
    in.huntingOption = true;
    const RunResult hr = runWith(h, in);
    EXPECT_FALSE(hr.outcome.completed);
    EXPECT_NE(hr.outcome.message.find("hunting conditions"), std::string::npos);
    EXPECT_EQ(hr.state.FirstPageText.substr(0, 22), "Muzzle Velocity = 2000") << "the range report stays";
}

TEST(PlotRun, NegativeDensityFactorIsFlownAsItComes) {
    // A negative pressure or a temperature below absolute zero gives negative
    // coefficients; the run flies them rather than stopping.
    for (const auto& [pressure, temperature] : {std::pair{-29.53, 59.0}, std::pair{29.53, -500.0}}) {
        ProgramState s;
        s.params.BarometricPressure = pressure;
        s.params.Temperature = temperature;
        const RunResult r = runWith(s);
        EXPECT_TRUE(r.outcome.completed) << r.outcome.message;
        EXPECT_EQ(lineCount(r.text), 13);
    }
}

TEST(PlotRunFailures, IngallsWithoutAirSpeed) {
    ProgramState s;
    s.params.DragFunction = "Ingalls";
    s.params.RTailWind = 2000;
    const RunResult r = runWith(s);
    EXPECT_FALSE(r.outcome.completed);
    EXPECT_NE(r.outcome.message.find("Ingalls"), std::string::npos);
}

TEST(PlotRunFailures, ZeroMuzzleVelocityInTheLagTime) {
    ProgramState s;
    s.params.InitialVelocity = 0;
    s.params.LOSAngle = -60;  // gravity alone carries the bullet down the slope past 100 yards
    s.params.VerticalScale = 0.5;
    const RunResult r = runWith(s);
    EXPECT_FALSE(r.outcome.completed);
    EXPECT_NE(r.outcome.message.find("muzzle velocity is zero"), std::string::npos) << r.outcome.message;
}

TEST(PlotRunFailures, StepLimit) {
    ProgramState s;
    s.params.DeltaT = 1e-6;
    const RunResult r = runWith(s);
    EXPECT_FALSE(r.outcome.completed);
    EXPECT_NE(r.outcome.message.find("32,767"), std::string::npos);
}

// A Varmint run with the Hunting option, zeroed at `zeroYards`.
RunResult varmintRun(double zeroYards) {
    ProgramState s = hunting(false);
    s.remembered.LastZeroCrossing = zeroYards;
    RunInputs in;
    in.huntingOption = true;
    return runWith(s, in);
}

TEST(PlotRunFailures, VarmintZeroOutOfReach) {
    const RunResult r = varmintRun(100000);
    EXPECT_FALSE(r.outcome.completed);
    EXPECT_NE(r.outcome.message.find("cannot be reached"), std::string::npos);
    // just past the default bullet's farthest reach
    EXPECT_NE(varmintRun(2157).outcome.message.find("cannot be reached"), std::string::npos);
    const RunResult zero = varmintRun(0);
    EXPECT_FALSE(zero.outcome.completed);
    EXPECT_NE(zero.outcome.message.find("more than 0 yards"), std::string::npos);
}

TEST(PlotRun, VarmintZeroBeyond32767StepsIsStillFound) {
    // The zero search has no 16-bit step counter: 2155 yards takes the default bullet
    // about 38,800 steps to reach.
    const RunResult r = varmintRun(2155);
    EXPECT_TRUE(r.outcome.completed) << r.outcome.message;
    EXPECT_NE(r.text.find("Hunting Actual max deviation"), std::string::npos);
}

TEST(PlotRunFailures, NotFiniteInputIsNamed) {
    ProgramState s;
    s.params.LOSAngle = std::numeric_limits<double>::infinity();
    const RunResult r = runWith(s);
    EXPECT_FALSE(r.outcome.completed);
    EXPECT_EQ(r.outcome.message, "The run stopped: the slope is not a usable number.");
    ProgramState n;
    n.params.MaxDeviation = -5;
    EXPECT_FALSE(runWith(n).outcome.completed);
}

namespace {

ProgramState rifle308() {
    ProgramState s;
    s.params.InitialVelocity = 2800;
    s.params.BallisticCoefLow = s.params.BallisticCoefMid = s.params.BallisticCoefHigh = 0.45;
    s.params.BulletMass = 165;
    return s;
}

}  // namespace

// The report comes from the flight, not from what fits on the plot: a plot that ends at
// 226 yards, or at 50 with a horizontal scale of 3, reports as one wide enough for all.
TEST(PlotRun, ShortAndLongDisplayScalesGiveTheSameReport) {
    ProgramState bigGame = rifle308(), varmint = rifle308();
    bigGame.params.HuntingMode = varmint.params.HuntingMode = true;
    bigGame.params.HTemperature = 79;
    bigGame.params.RCrossWind = bigGame.params.HCrossWind = 176;
    varmint.params.PBRMode = false;
    varmint.remembered.LastZeroCrossing = 300;
    for (const auto& [state, shortScale] : {std::pair{rifle308(), 2.0 / 3}, {bigGame, 3.0}, {varmint, 3.0}}) {
        RunInputs in;
        in.huntingOption = state.params.HuntingMode;
        ProgramState shortPlot = state, longPlot = state;
        shortPlot.params.HorizontalScale = shortScale;
        longPlot.params.HorizontalScale = 0.2;
        longPlot.params.VerticalScale = 1;
        const RunResult shortRun = runWith(shortPlot, in), longRun = runWith(longPlot, in, 2000, 600);
        ASSERT_TRUE(shortRun.outcome.completed && longRun.outcome.completed);
        EXPECT_EQ(shortRun.text, longRun.text);
    }
    const std::string text = runWith(rifle308()).text;
    EXPECT_NE(text.find("\r\nLOS cross 2 = 236 yards\r\nScope Heighth = 1.500 inch(es)\r\nMax range   = 275 yards"),
              std::string::npos) << text;
}

TEST(PlotRun, FlightOffThePlotDrawsNothingAndAddsNoDropTableRow) {
    ProgramState s = rifle308();
    s.params.DropTable = 1;
    RecordingSurface surface;  // 578 wide: the plot ends at 226 yards
    TextResults results;
    ASSERT_TRUE(plotRun(s, RunInputs{}, surface, results).completed);
    EXPECT_NE(results.text.find("\r\n0225 yards: drop = "), std::string::npos);
    EXPECT_EQ(results.text.find("\r\n0230 yards: drop = "), std::string::npos);
    for (const DrawOp& op : surface.opsOfKind(DrawOp::Kind::Line)) EXPECT_LE(op.x2, 578 - 75 + 2);
}

// Past the plot's edge a step fault ends the undrawn flight quietly and the report stays;
// each row fails when the same flight is drawn to its end.
TEST(PlotRun, FlightOffThePlotEndsQuietly) {
    const std::pair<const char*, void (*)(ShotParameters&)> cases[] = {
        {"zero coefficient", [](ShotParameters& p) { p.BallisticCoefLow = 0, p.BCBreakLow = 2700; }},
        {"32,767 steps", [](ShotParameters& p) { p.DeltaT = 1e-6; }},
        {"speed down to zero", [](ShotParameters& p) { p.LOSAngle = 90, p.InitialVelocity = 300; }},
        {"not finite", [](ShotParameters& p) { p.InitialVelocity = -10, p.LOSAngle = -45, p.RCrossWind = 1.7e308; }},
    };
    for (const auto& [name, change] : cases) {
        ProgramState offPlot = rifle308();
        change(offPlot.params);
        ProgramState drawnToTheEnd = offPlot;
        offPlot.params.HorizontalScale = 100;  // the plot ends 1.5 yards out
        drawnToTheEnd.params.HorizontalScale = drawnToTheEnd.params.VerticalScale = 0.01;
        const RunOutcome outcome = runWith(offPlot).outcome;
        EXPECT_TRUE(outcome.completed) << name << ": " << outcome.message;
        EXPECT_FALSE(runWith(drawnToTheEnd).outcome.completed) << name;
    }
}

// On the plot, a value that stops being finite is a numeric failure and no line shows it.
TEST(PlotRunFailures, ValuesThatStopBeingFinite) {
    const std::pair<void (*)(ShotParameters&), const char*> cases[] = {
        {[](ShotParameters& p) { p.BallisticCoefMid = 1e-310; }, "The run stopped at 1 yards: the numbers grew"},
        {[](ShotParameters& p) { p.DeltaT = 1e308; }, "The run stopped at 0 yards: the numbers grew"},
        {[](ShotParameters& p) { p.InitialVelocity = -10, p.LOSAngle = -45, p.RCrossWind = 1.7e308, p.DropTable = 1; },
         "The run stopped at 5 yards: the numbers grew"},
        {[](ShotParameters& p) { p.HuntingMode = true, p.Temperature = -1e308, p.HTemperature = 1e308; },
         "The run stopped: the hunting muzzle velocity is too large"},
        {[](ShotParameters& p) { p.HuntingMode = true, p.PBRMode = false, p.BallisticCoefMid = 1e-310; },
         "The zero distance of 200 yards cannot be reached: the numbers grew"},
    };
    for (const auto& [change, message] : cases) {
        ProgramState s;
        change(s.params);
        RunInputs in;
        in.huntingOption = s.params.HuntingMode;
        const RunResult r = runWith(s, in);
        EXPECT_FALSE(r.outcome.completed) << message;
        EXPECT_EQ(r.outcome.message.rfind(message, 0), 0u) << r.outcome.message;
        EXPECT_EQ(r.text.find("nan"), std::string::npos) << r.text;
        EXPECT_EQ(r.text.find("inf"), std::string::npos) << r.text;
    }
}
