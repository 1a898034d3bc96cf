#pragma once
// Command-line arguments of tarnwick-cli.
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Comparison.h"
#include "Constants.h"
#include "Corrections.h"
#include "PlotRun.h"
#include "RangeTable.h"
#include "ShotParameters.h"

struct CliError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CliOptions {
    tarnwick::ProgramState state;
    tarnwick::RunInputs inputs;
    int canvasWidth = tarnwick::kCanvasWidth;
    int canvasHeight = tarnwick::kCanvasHeight;
    std::optional<double> inspectX;
    std::string pngPath;
    std::string svgPath;  // the plot drawn as an SVG drawing
    std::string pdfPath;  // the plot on a PDF page with a title line
    bool help = false;

    // The bullet table: --bullet STOCK [--maker NAME] takes a bullet as the select
    // window does; "bullets --export FILE" / "bullets --import FILE" copy the table
    // to or from CSV. --db FILE names the database (otherwise the program's own).
    std::string bulletStock;
    std::optional<std::string> bulletMaker;
    std::string databasePath;
    enum class BulletsCommand { None, Export, Import } bulletsCommand = BulletsCommand::None;
    std::string bulletsFile;

    // --range-table START:END:STEP (yards): print the flight at those ranges instead of the report.
    std::optional<tarnwick::RangeList> rangeTable;
    // --range-card START:END:STEP (yards, metres with --units metric) [--csv]: the range
    // card instead. --corrections applies to the card and to the report's drop table.
    std::optional<tarnwick::RangeList> rangeCard;
    std::optional<tarnwick::Corrections> corrections;
    bool csv = false;
    bool effects = false;  // --effects: the card's windage split by its causes

    // --load FILE: a load file applied before the --set and --text options, which override
    // it; --save-load FILE writes the effective parameters as a load file; --compare FILE...
    // plots up to four load files on one canvas and prints their reports one after another.
    std::string loadPath;
    std::string saveLoadPath;
    std::vector<std::string> comparePaths;
    // The --set and --text assignments ("--set"/"--text", NAME=VALUE) in the order given.
    std::vector<std::pair<std::string, std::string>> assignments;
};


// Throws CliError naming the argument that cannot be used. `applyLoad` runs after every
// argument is read and before the assignments are applied: it applies the --load file.
CliOptions parseCliOptions(const std::vector<std::string>& args,
                           const std::function<void(CliOptions&)>& applyLoad = {});

std::string cliHelpText();
