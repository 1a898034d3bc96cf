#include "Session.h"

#include "BallisticModel.h"
#include "BulletLookup.h"

void Session::restore(const tarnwick::RememberedSettings& remembered) {
    state_.remembered = remembered;
    tarnwick::restoreFromRemembered(state_.params, remembered);
    // The remembered height is the user's, also while a drop table holds it at 0.
    state_.params.SaveScopeHeight = state_.params.ScopeHeight;
    if (scopeHeightSetAside()) state_.params.ScopeHeight = 0;
    state_.params.Model = remembered.LastModel;
    state_.params.DragFunction =
        remembered.LastModel == tarnwick::BallisticModelKind::PointMass ? remembered.LastDragFunction : "G1";
    emit modeChanged();
    emit scopeHeightChanged();
    emit dragFunctionChanged();
    emit unitsChanged();
}

void Session::setUnits(tarnwick::UnitSystem units) {
    state_.remembered.LastUnits = units;
    emit unitsChanged();
}

void Session::setCorrections(const tarnwick::Corrections& corrections) {
    state_.remembered.LastCorrections = corrections;
    emit unitsChanged();
}

namespace {

// A drop table is measured from the bore line: the user's height is kept aside and 0
// flown; any other choice brings the kept height back.
void setScopeHeightAside(tarnwick::ShotParameters& p, bool aside) {
    if (aside) {
        p.SaveScopeHeight = p.ScopeHeight;
        p.ScopeHeight = 0;
    } else {
        p.ScopeHeight = p.SaveScopeHeight;
    }
}

}  // namespace

void Session::setMode(bool hunting, bool firstVariant) {
    tarnwick::ShotParameters& p = state_.params;
    p.HuntingMode = hunting;
    p.PBRMode = firstVariant;
    state_.remembered.LastHuntingMode = hunting;
    state_.remembered.LastPBRMode = firstVariant;
    setScopeHeightAside(p, scopeHeightSetAside());
    emit modeChanged();
    emit scopeHeightChanged();
}

void Session::chooseScopePreset(ScopePreset preset, double height) {
    state_.params.ScopeHeight = height;
    // Only the standard height is remembered for the next start; the named guns are not.
    if (preset == ScopePreset::Standard) state_.remembered.LastScopeHeight = height;
    scopePreset_ = preset;
    emit scopeHeightChanged();
}

void Session::setTypedScopeHeight(double height) {
    tarnwick::ShotParameters& p = state_.params;
    p.ScopeHeight = height;
    // While a drop table holds the height at 0 the user's own height stays aside.
    if (!scopeHeightSetAside()) p.SaveScopeHeight = height;
    state_.remembered.LastScopeHeight = height;
    scopePreset_ = ScopePreset::Typed;
    emit scopeHeightChanged();
}

void Session::flyTypedBullet(double coefficient, double mass, double coefficientG7) {
    tarnwick::flyTypedBullet(state_, coefficient, mass, coefficientG7);
    emit bulletChanged();
}

void Session::flyTableBullet(const tarnwick::bulletdb::FieldTexts& row) {
    tarnwick::bulletdb::flyTableBullet(row, state_);
    emit bulletChanged();
}

void Session::restoreTableBullet(const std::string& path) {
    if (tarnwick::bulletdb::restoreTableBullet(path, state_)) emit bulletChanged();
}

void Session::setDisplay(const DisplayOptions& options) {
    display_ = options;
    emit displayChanged();
}

void Session::setBallisticModel(tarnwick::BallisticModelKind kind) {
    tarnwick::chooseBallisticModel(state_.params, kind);
    rememberFlightModel();
}

void Session::setDragFunction(const std::string& name) {
    tarnwick::chooseDragFunction(state_.params, name);
    rememberFlightModel();
}

void Session::rememberFlightModel() {
    const tarnwick::ShotParameters& p = state_.params;
    state_.remembered.LastModel = p.Model;
    if (p.Model == tarnwick::BallisticModelKind::PointMass) state_.remembered.LastDragFunction = p.DragFunction;
    emit dragFunctionChanged();
}

void Session::environmentSet(const WindTexts& texts) {
    const tarnwick::ShotParameters& p = state_.params;
    tarnwick::RememberedSettings& last = state_.remembered;
    last.LastAltitude = p.Altitude;
    last.LastTemperature = p.Temperature;
    last.LastHAltitude = p.HAltitude;
    last.LastHTemperature = p.HTemperature;
    windTexts_ = texts;
    emit environmentChanged();
}

tarnwick::RunInputs Session::runInputs() const {
    tarnwick::RunInputs inputs;
    inputs.huntingOption = huntingMode();
    inputs.energyCurveOn = display_.energyCurve;
    inputs.velocityCurveOn = display_.velocityCurve;
    inputs.gridLinesOn = display_.gridLines;
    inputs.units = units();
    inputs.corrections = corrections();
    inputs.texts.txtRTailWind = windTexts_.rangeTail;
    inputs.texts.txtRCrossWind = windTexts_.rangeCross;
    inputs.texts.txtHTailWind = windTexts_.huntingTail;
    inputs.texts.txtHCrossWind = windTexts_.huntingCross;
    // The bullet line names the bullet that is flown, not the row the select window
    // happens to show.
    tarnwick::bulletdb::nameFlownBullet(state_, inputs.texts);
    return inputs;
}

tarnwick::loads::Load Session::currentLoad() const { return tarnwick::loads::loadOf(state_, runInputs()); }

void Session::applyLoad(const tarnwick::loads::Load& load) {
    tarnwick::RunInputs inputs = runInputs();
    tarnwick::loads::applyLoad(load, state_, inputs);
    const tarnwick::ReportTexts& t = inputs.texts;
    windTexts_ = {t.txtRTailWind, t.txtRCrossWind, t.txtHTailWind, t.txtHCrossWind};
    scopePreset_ = ScopePreset::Typed;
    rememberLoaded();
    emit modeChanged();
    emit scopeHeightChanged();
    emit bulletChanged();
    emit dragFunctionChanged();
    emit unitsChanged();
    emit environmentChanged();
    emit parametersChanged();
}

void Session::rememberLoaded() {
    const tarnwick::ShotParameters& p = state_.params;
    tarnwick::RememberedSettings& last = state_.remembered;
    last.LastHuntingMode = p.HuntingMode;
    last.LastPBRMode = p.PBRMode;
    if (!scopeHeightSetAside()) last.LastMaxDeviation = p.MaxDeviation;
    last.LastInitialVelocity = p.InitialVelocity;
    last.LastHorizontalScale = p.HorizontalScale;
    last.LastVerticalScale = p.VerticalScale;
    last.LastScopeHeight = scopeHeightSetAside() ? p.SaveScopeHeight : p.ScopeHeight;
    last.LastAltitude = p.Altitude;
    last.LastTemperature = p.Temperature;
    last.LastHAltitude = p.HAltitude;
    last.LastHTemperature = p.HTemperature;
    last.LastBulletSource = state_.bulletSource;
    if (state_.bulletSource == tarnwick::BulletSource::Manual) {
        last.LastBallisticCoef = p.BallisticCoefLow;
        last.LastBallisticCoefG7 = p.BallisticCoefG7;
        last.LastBulletMass = p.BulletMass;
    }
    last.LastModel = p.Model;
    if (p.Model == tarnwick::BallisticModelKind::PointMass) last.LastDragFunction = p.DragFunction;
}

void Session::setTargetCaption(const QString& caption) {
    targetCaption_ = caption;
    emit targetCaptionChanged();
}
