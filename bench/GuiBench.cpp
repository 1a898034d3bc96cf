// Speed of the desktop program's Qt pieces: a plot run drawing on the main window's
// canvas (and through the whole "Plot Trajectory" command), a click on the plot, the
// bullet search over a large table, and the start-up to the main window's first paint.
//
// Runs offscreen. Each figure is wall time of the GUI thread, events included: after a
// drawing operation the pending repaint is processed, so what the user waits for is
// what is measured.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BulletCursor.h"
#include "BulletDatabaseLocation.h"
#include "ClickInspection.h"
#include "ImageSurface.h"
#include "PlotCanvas.h"
#include "PlotRun.h"
#include "Program.h"
#include "ScriptedServices.h"
#include "Services.h"
#include "SqliteStatement.h"
#include "frmSelectBullet.h"
#include "frmTrajInfo.h"
#include "frmTrajectory.h"

extern char** environ;

using namespace tarnwick;
using namespace tarnwick::bulletdb;

namespace {

constexpr const char* kStartupChild = "--startup-child";

std::string& selfPath() {
    static std::string path;
    return path;
}

// A program with scripted services (no message box blocks) and settings in a
// temporary folder, so nothing of the user's is read or written.
struct BenchProgram {
    BenchProgram();
    ~BenchProgram() {
        program.reset();
    }
    QTemporaryDir settings;
    ScriptedServices services;
    std::unique_ptr<Program> program;
};

// --- plot run on the canvas ----------------------------------------------------------

// The canvas widget on its own at the given client size; DeltaT in microseconds. The
// default parameters end the flight when the bullet leaves the canvas at the bottom,
// which is early on a large canvas; "full" flies a faster bullet on a vertical scale
// that keeps it on the canvas to the right edge, with the energy curve drawn too (two
// segments a step) and grid lines.
void BM_CanvasPlotRun(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const bool full = state.range(3) != 0;
    PlotCanvas canvas;
    canvas.resize(width, height);
    canvas.show();
    QApplication::processEvents();
    TextResults results;
    RunOutcome outcome;
    RunInputs inputs;
    inputs.energyCurveOn = inputs.gridLinesOn = full;
    for (auto _ : state) {
        ProgramState programState;
        ShotParameters& p = programState.params;
        p.DeltaT = static_cast<double>(state.range(2)) * 1e-6;
        if (full) {
            p.BallisticCoefLow = p.BallisticCoefMid = p.BallisticCoefHigh = 0.45;
            p.InitialVelocity = 3000;
            p.BulletMass = 150;
            p.VerticalScale = 2;
        }
        canvas.surface().clear();
        outcome = plotRun(programState, inputs, canvas.surface(), results);
        QApplication::processEvents();  // the repaint of what was drawn
    }
    if (!outcome.completed) state.SkipWithError(outcome.message.c_str());
    state.counters["end_x"] = canvas.surface().currentX();
    state.counters["dpr"] = canvas.devicePixelRatioF();
}
BENCHMARK(BM_CanvasPlotRun)
    ->ArgNames({"w", "h", "dt_us", "full"})
    ->Args({578, 288, 1000, 0})
    ->Args({578, 288, 100, 0})
    ->Args({1920, 1080, 1000, 0})
    ->Args({1920, 1080, 100, 0})
    ->Args({578, 288, 100, 1})
    ->Args({1920, 1080, 1000, 1})
    ->Args({1920, 1080, 100, 1})
    ->Unit(benchmark::kMillisecond);

// "Plot Trajectory" of the main window: the canvas, the results window and its text,
// in Hunting mode (two passes) with the drop table on.
void BM_MainWindowPlot(benchmark::State& state) {
    BenchProgram bench;
    frmTrajectory& main = bench.program->window<frmTrajectory>();
    main.show();
    QApplication::processEvents();
    tarnwick::ShotParameters& p = bench.program->params();
    p.DeltaT = static_cast<double>(state.range(0)) * 1e-6;
    p.DropTable = state.range(1) ? 1 : 0;
    for (auto _ : state) {
        main.mnuClear_Click();
        main.mnuPlot_Click();
        QApplication::processEvents();
    }
    if (!bench.services.messages.empty())
        state.SkipWithError(bench.services.messages.front().text.toStdString().c_str());
}
BENCHMARK(BM_MainWindowPlot)
    ->ArgNames({"dt_us", "drop_table"})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({100, 0})
    ->Unit(benchmark::kMillisecond);

// --- click inspection ----------------------------------------------------------------

// The flight walk alone, at the far end of the default plot (x = 500 of 578).
void BM_ClickWalk(benchmark::State& state) {
    ProgramState programState;
    programState.params.YAxis = 50;
    programState.params.HuntingMode = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            inspectClick(programState.params, programState.remembered, true, 500, programState.strike));
    }
}
BENCHMARK(BM_ClickWalk)->Unit(benchmark::kMicrosecond);

// A click on the main window's plot: the walk, the point information window's texts
// and the target view's caption, with the repaint that follows.
void BM_ClickOnPlot(benchmark::State& state) {
    BenchProgram bench;
    frmTrajectory& main = bench.program->window<frmTrajectory>();
    main.show();
    main.mnuPlot_Click();
    QApplication::processEvents();
    frmTrajInfo& info = bench.program->window<frmTrajInfo>();
    info.showClick(300);  // first showing: creates and places the windows
    QApplication::processEvents();
    double x = 450;
    for (auto _ : state) {
        info.showClick(x);
        x = x == 450 ? 451 : 450;  // a new value each time, so the labels really change
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ClickOnPlot)->Unit(benchmark::kMicrosecond);

// --- bullet search ---------------------------------------------------------------------

// A bullet table of `rows` generated rows: 40 calibres, 12 makers, unique stock numbers
// "S000001"...; the last row's stock number is the hardest match to reach.
class GeneratedTable {
public:
    explicit GeneratedTable(int rows) : path_(dir_.filePath("Bullets.db").toStdString()) {
        sqlite3* db = nullptr;
        sqlite3_open(path_.c_str(), &db);
        createBulletTable(db);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        {
            Statement insert(db, "INSERT INTO Bullets (" + quotedColumnList() +
                                     ") VALUES (?1, ?2, ?3, ?4, ?5, 0.3, 0.35, 0.4, 1400, 2200)");
            for (int i = 1; i <= rows; ++i) {
                char stock[16];
                std::snprintf(stock, sizeof stock, "S%06d", i);
                insert.bindText(1, ".%03d" + std::to_string(172 + (i % 40) * 3));
                insert.bindText(2, "Maker " + std::to_string(i % 12));
                insert.bindText(3, i % 2 ? "Spitzer" : "Hollow Point");
                insert.bindText(4, std::to_string(50 + i % 200));
                insert.bindText(5, stock);
                insert.step();
                sqlite3_reset(insert.get());
            }
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        char last[16];
        std::snprintf(last, sizeof last, "S%06d", rows);
        lastStock_ = last;
    }
    const std::string& path() const { return path_; }
    const std::string& lastStock() const { return lastStock_; }
    QString qpath() const { return QString::fromStdString(path_); }
    QString userPath() const { return dir_.filePath("user/Bullets.db"); }

private:
    QTemporaryDir dir_;
    std::string path_;
    std::string lastStock_;
};

GeneratedTable& table10k() {
    static GeneratedTable table(10000);
    return table;
}

// Every window of the program works on the generated table.
BenchProgram::BenchProgram() {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    program = std::make_unique<Program>(services, BulletFiles{table10k().qpath(), table10k().userPath(), true});
}

// The cursor's part of Search: calibre, then maker, then stock number, as the windows
// ask it. Arg 0: the last row's stock number (two fruitless scans, then a match at the
// end); arg 1: a text nothing matches (three fruitless scans).
void BM_CursorSearch(benchmark::State& state) {
    BulletCursor cursor;
    if (cursor.open(table10k().path(), BulletCursor::Access::ReadOnly)) {
        state.SkipWithError("cannot open the generated table");
        return;
    }
    const std::string text = state.range(0) == 0 ? table10k().lastStock() : std::string("no such bullet");
    for (auto _ : state) {
        bool found = false;
        for (const Field field : {Field::Caliber, Field::Manufacturer, Field::StockNumber}) {
            cursor.findFirst(field, text, found);
            if (found) break;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_CursorSearch)->ArgName("no_match")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Search in the select window (the boxes filled from the found row); arg as above.
void BM_SelectWindowSearch(benchmark::State& state) {
    BenchProgram bench;
    frmSelectBullet& select = bench.program->window<frmSelectBullet>();
    select.txtSearch->setText(state.range(0) == 0 ? QString::fromStdString(table10k().lastStock())
                                                  : QStringLiteral("no such bullet"));
    for (auto _ : state) {
        select.cmdSearch_Click();
    }
    const std::size_t expectedMessages = state.range(0) == 0 ? 0 : static_cast<std::size_t>(state.iterations());
    if (bench.services.messages.size() != expectedMessages) state.SkipWithError("unexpected message box");
}
BENCHMARK(BM_SelectWindowSearch)->ArgName("no_match")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// --- start-up ----------------------------------------------------------------------------

// The child: what the desktop program's main() does, ending at once when the main
// window's canvas has been painted for the first time.
class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
        return false;
    }
};

int startupChild(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tarnwick");
    QApplication::setApplicationName("Tarnwick");
    QApplication::setApplicationVersion("2.5");
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(eyePicture())));
    QtServices services;
    Program program(services);
    frmTrajectory& main = program.window<frmTrajectory>();
    FirstPaint firstPaint;
    main.canvas->installEventFilter(&firstPaint);
    main.show();
    return app.exec() == 0 ? 1 : 2;  // reaching here means no paint came
}

// Wall time from starting the process to the first paint of the main window (the child
// exits right after it, without tearing anything down).
void BM_StartupToFirstPaint(benchmark::State& state) {
    QTemporaryDir config;
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) && std::strncmp(*e, "XDG_CONFIG_HOME=", 16)) env.push_back(*e);
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("XDG_CONFIG_HOME=" + config.path().toStdString());
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string self = selfPath();
    std::string flag = kStartupChild;
    char* args[] = {self.data(), flag.data(), nullptr};

    // The child's notices go nowhere; whether it painted shows in its exit status.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, self.c_str(), &quiet, nullptr, args, envp.data()) != 0) {
            posix_spawn_file_actions_destroy(&quiet);
            state.SkipWithError("cannot start the child");
            return;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        const auto end = std::chrono::steady_clock::now();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the child did not paint its main window");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    posix_spawn_file_actions_destroy(&quiet);
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

// Qt's notices about what the offscreen platform cannot do (raise a window, size hints)
// would bury the table; warnings and worse still show.
void quietNotices(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    if (message.startsWith("This plugin does not support") || message.startsWith("QStandardPaths:")) return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

int main(int argc, char** argv) {
    // The start-up figure starts this same program again, by its absolute path.
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    selfPath() = length > 0 ? std::string(self, static_cast<std::size_t>(length)) : std::string(argv[0]);
    if (argc > 1 && std::strcmp(argv[1], kStartupChild) == 0) return startupChild(argc, argv);
    qInstallMessageHandler(quietNotices);

    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tarnwick");
    QApplication::setApplicationName("Tarnwick");
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
