#pragma once
// The classic flat-fire model behind the BallisticModel face: the same sighting, speed
// steps and closed-form height as the plot run, without drawing. Between steps the values
// are interpolated along the range.
#include "BallisticModel.h"

namespace tarnwick {

class ClassicModel : public BallisticModel {
public:
    ClassicModel(const ShotParameters& params, const Sighting& sighting);
    std::unique_ptr<Trajectory> fly(Conditions conditions, double range) const override;
    // The launch vertical speed w of the range pass (in/s).
    double launchSpeed() const { return w_; }

private:
    ShotParameters params_;
    double w_ = 0;
};

}  // namespace tarnwick
