#include "BallisticModel.h"

#include <cmath>

#include "ClassicModel.h"
#include "Flight.h"
#include "PointMassModel.h"

namespace tarnwick {

std::optional<BallisticModelKind> modelNamed(std::string_view name) {
    if (name == "Classic") return BallisticModelKind::Classic;
    if (name == "PointMass") return BallisticModelKind::PointMass;
    return std::nullopt;
}

const char* modelName(BallisticModelKind kind) {
    return kind == BallisticModelKind::PointMass ? "PointMass" : "Classic";
}

std::unique_ptr<BallisticModel> makeBallisticModel(const ShotParameters& params, const Sighting& sighting) {
    if (params.Model == BallisticModelKind::PointMass) return std::make_unique<PointMassModel>(params, sighting);
    return std::make_unique<ClassicModel>(params, sighting);
}

void requireFinite(std::initializer_list<NamedValue> values) {
    for (const auto& [value, name] : values)
        if (!std::isfinite(value)) throw NumericFailure(std::string("The run stopped: ") + name + " is not a usable number.");
}

}  // namespace tarnwick
