#pragma once
// Load files (.tarnwick): a whole shot as a human-readable JSON document, saved and opened
// again, so that a rifle and load need not be typed in anew. The document holds every
// value a plot run reads: the bullet, the muzzle velocity and sight, the mode and
// variant, both atmospheres and winds, the slope, the drag law and model, the time step,
// the display scale, the units and corrections, a name and notes, and the long-range
// effects of the point-mass model (LoadEffects.h).
//
// Reading is strict: an unknown version, a missing value, a wrong type, a number that is
// not finite or beyond a million of its unit, or a word the program does not know is
// refused with a message naming the field ("range.temperature: ..."). A refused file
// changes nothing. Keys the program does not know are kept and written back on save.
// Numbers are written as the shortest text that reads back to the same double.
#include <QByteArray>
#include <QJsonObject>
#include <string>

#include "PlotRun.h"
#include "Result.h"
#include "ShotParameters.h"

namespace tarnwick::loads {

inline constexpr int kLoadFormatVersion = 1;
// A load is a few kilobytes; anything past this is not a load file.
inline constexpr qint64 kMaxLoadFileBytes = 1 << 20;

struct Load {
    std::string name;
    std::string notes;
    ShotParameters params;        // the members a run reads; the others keep their defaults
    double zeroDistance = 200;    // yards, the Varmint zero
    BulletSource bulletSource = BulletSource::Defaults;
    std::string stockNumber;      // of a table bullet
    ReportTexts texts;            // the wind texts and the bullet's maker, mass and type
    UnitSystem units = UnitSystem::Imperial;
    Corrections corrections;
    QJsonObject document;         // as read; its unknown keys are written back
};

// The load a run of `state` with `inputs` flies.
Load loadOf(const ProgramState& state, const RunInputs& inputs);
// Makes `state` and `inputs` fly `load`: everything the load holds, nothing else.
void applyLoad(const Load& load, ProgramState& state, RunInputs& inputs);

QByteArray loadJson(const Load& load);
Result<Load> parseLoad(const QByteArray& json);

Result<Load> readLoadFile(const std::string& path);
// Writes through the atomic write: the old file stays whole if anything fails.
Status writeLoadFile(const std::string& path, const Load& load);

// Reads `path` and applies it to `state` and `inputs`, or changes nothing and says why.
Status openLoad(const std::string& path, ProgramState& state, RunInputs& inputs);

}  // namespace tarnwick::loads
