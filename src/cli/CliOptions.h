#pragma once
// Command-line arguments of tarnwick-cli.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "PlotRun.h"
#include "ShotParameters.h"

struct CliError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CliOptions {
    tarnwick::ProgramState state;
    tarnwick::RunInputs inputs;
    int canvasWidth = 578;
    int canvasHeight = 288;
    std::optional<double> inspectX;
    std::string pngPath;
    bool help = false;
};

// Throws CliError naming the argument that cannot be used.
CliOptions parseCliOptions(const std::vector<std::string>& args);

std::string cliHelpText();
