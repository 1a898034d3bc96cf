#pragma once
// The one face both flight models show: the classic flat-fire model and the point-mass
// model. A model is made from a parameter set, sights the rifle in as the plot run does,
// and flies the range or the hunting conditions; a flight answers for any range.
//
// Units: ranges in feet along the line of sight, heights above the line of sight and
// drift (right positive) in inches, speeds in ft/s, energies in ft-lbs, times in seconds.
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ShotParameters.h"

namespace tarnwick {

// "Classic" and "PointMass", as the command line and the settings write them.
std::optional<BallisticModelKind> modelNamed(std::string_view name);
const char* modelName(BallisticModelKind kind);

// Each model flies its own drag laws: the classic model G1, Ingalls and Krupp, the
// point-mass model G1 and G7.
bool modelFlies(BallisticModelKind kind, const std::string& dragFunction);
// The user's choices in the program. Choosing a model whose laws lack the current one
// flies G1; choosing a law the current model lacks switches to the model that has it.
void chooseBallisticModel(ShotParameters& params, BallisticModelKind kind);
void chooseDragFunction(ShotParameters& params, const std::string& name);

enum class Conditions { Range, Hunting };

// How the plot run sights in besides the parameter set: the Varmint zero distance and
// whether the Hunting option is selected.
struct Sighting {
    double zeroCrossingYards = 200;  // LastZeroCrossing
    bool huntingOption = false;
};

// How a plot run, a click, a card or a comparison sights in: the remembered zero distance
// and the run's Hunting option.
inline Sighting sightingOf(const RememberedSettings& remembered, bool huntingOption) {
    return {remembered.LastZeroCrossing, huntingOption};
}

struct TrajectoryPoint {
    double time = 0;       // s
    double range = 0;      // ft
    double height = 0;     // in
    double drift = 0;      // in
    double speed = 0;      // ft/s
    double energy = 0;     // ft-lbs
};

class Trajectory {
public:
    virtual ~Trajectory() = default;
    // The flight at the end of every integration step, the muzzle first.
    const std::vector<TrajectoryPoint>& steps() const { return steps_; }
    // The flight at a range from 0 to reach(), between steps interpolated.
    virtual TrajectoryPoint at(double range) const = 0;
    double reach() const { return steps_.back().range; }
    // Why the flight ended short of the range it was flown to, as a run reports it ("The
    // run stopped at 412 yards: <cause>") and the cause alone; both empty when it got there.
    const std::string& stopReason() const { return stopReason_; }
    const std::string& stopCause() const { return stopCause_; }

protected:
    void stopAt(double range, const std::string& cause);

    std::vector<TrajectoryPoint> steps_;

private:
    std::string stopReason_, stopCause_;
};

class BallisticModel {
public:
    virtual ~BallisticModel() = default;
    // Flies one set of conditions out to `range` feet, or as far as the bullet gets.
    // Throws NumericFailure when the flight cannot even start.
    virtual std::unique_ptr<Trajectory> fly(Conditions conditions, double range) const = 0;
};

// The model the parameter set chooses, sighted in. Throws NumericFailure, in plain words,
// when a value it reads is unusable or the sight cannot be set.
std::unique_ptr<BallisticModel> makeBallisticModel(const ShotParameters& params, const Sighting& sighting);

// Throws NumericFailure naming the first value that is not a finite number.
struct NamedValue {
    double value;
    const char* name;
};
void requireFinite(std::initializer_list<NamedValue> values);
// Every number a flight of the classic model reads, and a usable time step; a dialog may
// have stored infinity from a text such as 1e999.
void requireFiniteFlightInputs(const ShotParameters& params);

}  // namespace tarnwick
