// tarnwick-cli: one plot run from the command line. Prints the report, or with
// --inspect the values a click on the plot would show.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "CliBullets.h"
#include "CliOptions.h"
#include "ClickInspection.h"
#include "NumberText.h"
#include "PlotRun.h"

#ifdef TARNWICK_CLI_PNG
#include <QGuiApplication>
#include <cstdlib>

#include "ImageSurface.h"
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

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    CliOptions options;
    try {
        options = parseCliOptions(args);
    } catch (const CliError& error) {
        std::cerr << "tarnwick-cli: " << error.what() << "\n(see tarnwick-cli --help)\n";
        return 2;
    }
    if (options.help) {
        std::cout << cliHelpText();
        return 0;
    }
    if (options.bulletsCommand != CliOptions::BulletsCommand::None) return runBulletsCommand(options);
    if (const int status = applyBulletOption(options)) return status;

    TextResults results;
    RunOutcome outcome;
    if (options.pngPath.empty()) {
        NullSurface surface(options.canvasWidth, options.canvasHeight);
        outcome = plotRun(options.state, options.inputs, surface, results);
    } else {
#ifdef TARNWICK_CLI_PNG
        // Text on the picture needs fonts, which need a (windowless) application.
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        int qtArgc = 1;
        QGuiApplication app(qtArgc, argv);
        ImageSurface surface(options.canvasWidth, options.canvasHeight);
        outcome = plotRun(options.state, options.inputs, surface, results);
        if (!surface.savePng(QString::fromStdString(options.pngPath))) {
            std::cerr << "tarnwick-cli: cannot write the picture to " << options.pngPath << '\n';
            return 1;
        }
#else
        std::cerr << "tarnwick-cli: --png needs the build with Qt\n";
        return 2;
#endif
    }
    if (options.inspectX) {
        if (!outcome.completed) {
            std::cerr << outcome.message << '\n';
            return 3;
        }
        const ClickInspection click = inspectClick(options.state.params, options.state.remembered,
                                                   options.inputs.huntingOption, *options.inspectX,
                                                   options.state.strike);
        if (click.failed) {
            std::cerr << "The click shows no values: " << click.problem << '\n';
            return 3;
        }
        printInspection(click);
        return 0;
    }
    std::cout << withLineFeeds(results.text) << '\n';
    if (!outcome.completed) {
        std::cout.flush();
        std::cerr << outcome.message << '\n';
        return 3;
    }
    return 0;
}
