#pragma once
// tarnwick-cli and load files: --load, --save-load and --compare.
#include <stdexcept>
#include <vector>

#include "CliOptions.h"
#include "Comparison.h"

// A load file that could not be read or written (exit status 1).
struct LoadFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Applies the --load file to the options' state and inputs; throws LoadFileError.
void applyLoadOption(CliOptions& options);

// With --save-load: writes the effective parameters, keeping the name, notes and unknown
// keys of the --load file. Throws LoadFileError.
void saveLoadOption(const CliOptions& options);

// The --compare files, each named by its load's name or else its file name. Throws
// LoadFileError.
std::vector<tarnwick::ComparedLoad> comparedLoads(const CliOptions& options);
