// tarnwick-cli: one plot run from the command line. Prints the report, or with
// --inspect the values a click on the plot would show.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "CliBullets.h"
#include "CliLoads.h"
#include "CliModel.h"
#include "CliOptions.h"
#include "ClickInspection.h"
#include "NumberText.h"
#include "PlotRun.h"

#ifdef TARNWICK_CLI_PNG
#include <QGuiApplication>
#include <cstdlib>

#include "AtomicFile.h"
#include "ImageSurface.h"
#include "PlotExport.h"
#include "Report.h"
#endif

using namespace tarnwick;

namespace {

std::string withLineFeeds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

void printInspection(const ClickInspection& click) {
    std::cout << "caption=" << click.caption << '\n'
              << "lblRangeDrop=" << click.lblRangeDrop << '\n'
              << "lblRangeVelocity=" << click.lblRangeVelocity << '\n'
              << "lblRangeEnergy=" << click.lblRangeEnergy << '\n'
              << "lblRangeDeflection=" << click.lblRangeDeflection << '\n';
    if (click.hunting)
        std::cout << "lblFieldDrop=" << click.lblFieldDrop << '\n'
                  << "lblFieldVelocity=" << click.lblFieldVelocity << '\n'
                  << "lblFieldEnergy=" << click.lblFieldEnergy << '\n'
                  << "lblFieldDeflection=" << click.lblFieldDeflection << '\n';
    std::cout << "targetCaption=" << click.targetCaption << '\n'
              << "RStrikeDrop=" << plainText(click.strike.RStrikeDrop) << '\n'
              << "RStrikeDeflection=" << plainText(click.strike.RStrikeDeflection) << '\n'
              << "HStrikeDrop=" << plainText(click.strike.HStrikeDrop) << '\n'
              << "HStrikeDeflection=" << plainText(click.strike.HStrikeDeflection) << '\n';
}

// A report that never reached its file (a full disk) is a failure, not a success.
int checkedStandardOutput(int status) {
    errno = 0;
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
    std::cerr << "tarnwick-cli: cannot write the standard output: " << (errno ? std::strerror(errno) : "write error")
              << '\n';
    return 1;
}

int run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    CliOptions options;
    try {
        options = parseCliOptions(args, applyLoadOption);
    } catch (const CliError& error) {
        std::cerr << "tarnwick-cli: " << error.what() << "\n(see tarnwick-cli --help)\n";
        return 2;
    } catch (const LoadFileError& error) {
        std::cerr << "tarnwick-cli: " << error.what() << '\n';
        return 1;
    }
    if (options.help) {
        std::cout << cliHelpText();
        return 0;
    }
    if (options.bulletsCommand != CliOptions::BulletsCommand::None) return runBulletsCommand(options);
    if (const int status = applyBulletOption(options)) return status;
    std::vector<ComparedLoad> compared;
    try {
        saveLoadOption(options);
        if (!options.comparePaths.empty()) compared = comparedLoads(options);
    } catch (const LoadFileError& error) {
        std::cerr << "tarnwick-cli: " << error.what() << '\n';
        return 1;
    }
    if (options.rangeTable) return runRangeTable(options);
    if (options.rangeCard && !compared.empty()) {
        std::cout << comparedRangeCard(compared, options.rangeCard->yards(), options.corrections.value_or(Corrections{}));
        return 0;
    }
    if (options.rangeCard) return runRangeCard(options);

    TextResults results;
    RunOutcome outcome;
    // One run, or with --compare every load's run; the first failure is the outcome.
    const auto fly = [&](DrawingSurface& surface) {
        if (compared.empty()) return plotRun(options.state, options.inputs, surface, results);
        const std::vector<RunOutcome> outcomes = compareLoads(compared, surface, results);
        const auto failed = std::find_if(outcomes.begin(), outcomes.end(), [](const RunOutcome& o) { return !o.completed; });
        return failed == outcomes.end() ? outcomes.front() : *failed;
    };
    // A picture that could not be written still leaves the report printed, but the
    // status is 1 (a file failure outranks a numeric one).
    bool pictureWritten = true;
    if (options.pngPath.empty() && options.svgPath.empty() && options.pdfPath.empty()) {
        NullSurface surface(options.canvasWidth, options.canvasHeight);
        outcome = fly(surface);
    } else {
#ifdef TARNWICK_CLI_PNG
        // Text on the picture needs fonts, which need a (windowless) application.
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        int qtArgc = 1;
        QGuiApplication app(qtArgc, argv);
        ImageSurface surface(options.canvasWidth, options.canvasHeight);
        // SVG and PDF draw the plot again, as lines and text, from what the run drew.
        if (!options.svgPath.empty() || !options.pdfPath.empty()) surface.keepOperations();
        outcome = fly(surface);
        const QString title = pageTitle(plotTitle(options.state.params, options.inputs.texts, options.inputs.units));
        const auto write = [&](const std::string& path, const QByteArray& bytes) {
            const std::string_view contents(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            const tarnwick::Status written =
                bytes.isEmpty() ? tarnwick::Status(tarnwick::Error{path + ": the picture could not be encoded"})
                                : tarnwick::files::writeFileAtomically(path, contents);
            if (written.ok()) return;
            std::cerr << "tarnwick-cli: cannot write the picture " << written.error() << '\n';
            pictureWritten = false;
        };
        if (!options.pngPath.empty()) write(options.pngPath, surface.png());
        if (!options.svgPath.empty()) write(options.svgPath, exportPlot(surface, PlotFormat::Svg, title));
        if (!options.pdfPath.empty()) write(options.pdfPath, exportPlot(surface, PlotFormat::Pdf, title));
#else
        std::cerr << "tarnwick-cli: --png, --svg and --pdf need the build with Qt\n";
        return 2;
#endif
    }
    const int failed = pictureWritten ? 3 : 1;
    if (options.inspectX) {
        if (!outcome.completed) {
            std::cerr << outcome.message << '\n';
            return failed;
        }
        const ClickInspection click = inspectClick(options.state.params, options.state.remembered,
                                                   options.inputs.huntingOption, *options.inspectX,
                                                   options.state.strike);
        if (click.failed) {
            std::cerr << "The click shows no values: " << click.problem << '\n';
            return failed;
        }
        printInspection(click);
        return pictureWritten ? 0 : 1;
    }
    std::cout << withLineFeeds(results.text) << '\n';
    if (!outcome.completed) {
        std::cout.flush();
        std::cerr << outcome.message << '\n';
        return failed;
    }
    return pictureWritten ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) { return checkedStandardOutput(run(argc, argv)); }
