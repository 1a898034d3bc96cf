#include "CliLoads.h"

#ifdef TARNWICK_CLI_LOADS
#include <filesystem>

#include "LoadFile.h"

using namespace tarnwick::loads;

namespace {

Load readOrThrow(const std::string& path) {
    tarnwick::Result<Load> load = readLoadFile(path);
    if (!load) throw LoadFileError("cannot open the load " + load.error());
    return std::move(*load);
}

}  // namespace

void applyLoadOption(CliOptions& options) {
    applyLoad(readOrThrow(options.loadPath), options.state, options.inputs);
}

void saveLoadOption(const CliOptions& options) {
    if (options.saveLoadPath.empty()) return;
    Load load = loadOf(options.state, options.inputs);
    if (!options.loadPath.empty()) {
        const Load opened = readOrThrow(options.loadPath);
        load.name = opened.name;
        load.notes = opened.notes;
        load.document = opened.document;
    }
    const tarnwick::Status written = writeLoadFile(options.saveLoadPath, load);
    if (!written) throw LoadFileError("cannot write the load " + written.error());
}

std::vector<tarnwick::ComparedLoad> comparedLoads(const CliOptions& options) {
    std::vector<tarnwick::ComparedLoad> loads;
    for (const std::string& path : options.comparePaths) {
        const Load load = readOrThrow(path);
        tarnwick::ComparedLoad& compared = loads.emplace_back();
        compared.name = load.name.empty() ? std::filesystem::path(path).stem().string() : load.name;
        applyLoad(load, compared.state, compared.inputs);
    }
    return loads;
}

#else

namespace {
[[noreturn]] void unavailable() { throw LoadFileError("load files need the build with Qt"); }
}  // namespace

void applyLoadOption(CliOptions&) { unavailable(); }
void saveLoadOption(const CliOptions& options) {
    if (!options.saveLoadPath.empty()) unavailable();
}
std::vector<tarnwick::ComparedLoad> comparedLoads(const CliOptions&) { unavailable(); }

#endif
