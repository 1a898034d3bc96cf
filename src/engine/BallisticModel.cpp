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

bool modelFlies(BallisticModelKind kind, const std::string& dragFunction) {
    if (dragFunction == "G1") return true;
    if (kind == BallisticModelKind::PointMass) return dragFunction == "G7";
    return dragFunction == "Ingalls" || dragFunction == "Krupp";
}

void chooseBallisticModel(ShotParameters& params, BallisticModelKind kind) {
    params.Model = kind;
    if (!modelFlies(kind, params.DragFunction)) params.DragFunction = "G1";
}

void chooseDragFunction(ShotParameters& params, const std::string& name) {
    params.DragFunction = name;
    if (!modelFlies(params.Model, name))
        params.Model = params.Model == BallisticModelKind::Classic ? BallisticModelKind::PointMass
                                                                   : BallisticModelKind::Classic;
}

std::unique_ptr<BallisticModel> makeBallisticModel(const ShotParameters& params, const Sighting& sighting) {
    if (params.Model == BallisticModelKind::PointMass) return std::make_unique<PointMassModel>(params, sighting);
    return std::make_unique<ClassicModel>(params, sighting);
}

void Trajectory::stopAt(double range, const std::string& cause) {
    stopReason_ = stoppedAt(range, cause);
    stopCause_ = cause;
}

void requireFinite(std::initializer_list<NamedValue> values) {
    for (const auto& [value, name] : values)
        if (!std::isfinite(value)) throw NumericFailure(std::string("The run stopped: ") + name + " is not a usable number.");
}

void requireFiniteFlightInputs(const ShotParameters& p) {
    requireFinite({{p.BallisticCoefLow, "the low ballistic coefficient"},
                   {p.BallisticCoefMid, "the mid ballistic coefficient"},
                   {p.BallisticCoefHigh, "the high ballistic coefficient"},
                   {p.Altitude, "the range altitude"},
                   {p.HAltitude, "the hunting altitude"},
                   {p.ScopeHeight, "the scope height"},
                   {p.Temperature, "the range temperature"},
                   {p.HTemperature, "the hunting temperature"},
                   {p.BarometricPressure, "the range barometric pressure"},
                   {p.HBarometricPressure, "the hunting barometric pressure"},
                   {p.BCBreakLow, "the low break velocity"},
                   {p.BCBreakHigh, "the high break velocity"},
                   {p.MaxDeviation, "the maximum deviation"},
                   {p.BulletMass, "the bullet mass"},
                   {p.InitialVelocity, "the muzzle velocity"},
                   {p.RelHumidity, "the range humidity"},
                   {p.HRelHumidity, "the hunting humidity"},
                   {p.LOSAngle, "the slope"},
                   {p.RCrossWind, "the range cross wind"},
                   {p.RTailWind, "the range tail wind"},
                   {p.HCrossWind, "the hunting cross wind"},
                   {p.HTailWind, "the hunting tail wind"}});
    requireUsableTimeStep(p.DeltaT);
}

}  // namespace tarnwick
