#pragma once
// The session: everything the program knows about the shot and how it is shown, in one
// place. Dialogs read it when they are shown and write it when the user confirms; the
// main window keeps its menu checks in step with its signals; a plot run reads only the
// session. No window reads or writes another window's controls.
#include <QObject>
#include <QPoint>
#include <QString>
#include <optional>

#include "BulletRecord.h"
#include "LoadFile.h"
#include "PlotRun.h"
#include "ShotParameters.h"

// The scope height presets of the main window's "Set Scope Height" menu: the standard
// 1.5 inches, the named guns, or a height typed into "Set...".
enum class ScopePreset { Standard, Ruger6PPC, RugerBlackhawk, TC4570, TC3030, TC44Mag, Typed };

// The curves and grid a plot run draws. The energy and velocity curves exclude each
// other.
struct DisplayOptions {
    bool energyCurve = false;
    bool velocityCurve = false;
    bool gridLines = false;
};

// The wind speeds as typed into the environment dialog (mph), which the report quotes
// as typed.
struct WindTexts {
    std::string rangeTail = "0";
    std::string rangeCross = "0";
    std::string huntingTail = "0";
    std::string huntingCross = "0";
};

class Session : public QObject {
    Q_OBJECT
public:
    Session() = default;

    tarnwick::ProgramState& state() { return state_; }
    const tarnwick::ProgramState& state() const { return state_; }
    tarnwick::ShotParameters& params() { return state_.params; }
    const tarnwick::ShotParameters& params() const { return state_.params; }
    tarnwick::RememberedSettings& remembered() { return state_.remembered; }

    // Start-up: the remembered settings of the last run become the parameter set. In the
    // Drop Table variant the scope height is set aside at once, as the run flies it.
    void restore(const tarnwick::RememberedSettings& remembered);

    // Mode and variant. Each change also becomes the remembered choice; the Drop Table
    // variant sets the scope height aside (0) and any other choice brings it back.
    bool huntingMode() const { return state_.params.HuntingMode; }
    bool firstVariant() const { return state_.params.PBRMode; }
    void setMode(bool hunting, bool firstVariant);
    // True in the Drop Table variant, where the scope height is held at 0.
    bool scopeHeightSetAside() const { return !huntingMode() && !firstVariant(); }

    // The scope height: a preset of the menu, or a typed height.
    ScopePreset scopePreset() const { return scopePreset_; }
    void chooseScopePreset(ScopePreset preset, double height);
    void setTypedScopeHeight(double height);

    // The bullet: a row of the table or a typed coefficient and mass. Until one is
    // chosen the table is the source the menu offers.
    bool bulletFromTable() const { return state_.bulletSource != tarnwick::BulletSource::Manual; }
    void flyTypedBullet(double coefficient, double mass, double coefficientG7 = 0);
    void flyTableBullet(const tarnwick::bulletdb::FieldTexts& row);
    // Start-up: flies the remembered table bullet of the database at `path`, if it is there.
    void restoreTableBullet(const std::string& path);

    const DisplayOptions& display() const { return display_; }
    void setDisplay(const DisplayOptions& options);

    // The flight model and its drag law; each choice is remembered, and one the other
    // choice does not go with switches that one too (G7 flies only under Point Mass).
    tarnwick::BallisticModelKind ballisticModel() const { return state_.params.Model; }
    void setBallisticModel(tarnwick::BallisticModelKind kind);
    void setDragFunction(const std::string& name);

    // The unit system numbers are shown and typed in, and the unit of scope corrections;
    // both are remembered. The stored values stay imperial whatever is chosen.
    tarnwick::UnitSystem units() const { return state_.remembered.LastUnits; }
    void setUnits(tarnwick::UnitSystem units);
    const tarnwick::Corrections& corrections() const { return state_.remembered.LastCorrections; }
    void setCorrections(const tarnwick::Corrections& corrections);

    const WindTexts& windTexts() const { return windTexts_; }
    // The environment dialog's confirmed values: stored, remembered and announced.
    void environmentSet(const WindTexts& texts);

    // What a plot run reads besides the parameter set.
    tarnwick::RunInputs runInputs() const;

    // The shot as a load file holds it (without a name or notes).
    tarnwick::loads::Load currentLoad() const;
    // Flies a whole load, as if each dialog had confirmed its values: they are remembered
    // for the next start and every signal but the target caption's is sent.
    void applyLoad(const tarnwick::loads::Load& load);

    // The target view's point of aim in its drawing units, once the user has chosen one;
    // it stays for the whole program run, also when the view is closed.
    std::optional<QPoint> targetAim;
    // The target view's caption, set by the last click on the plot.
    const QString& targetCaption() const { return targetCaption_; }
    void setTargetCaption(const QString& caption);

signals:
    void modeChanged();
    void scopeHeightChanged();
    void bulletChanged();
    void displayChanged();
    void dragFunctionChanged();  // the drag law or the flight model
    void unitsChanged();         // the unit system or the corrections
    void environmentChanged();
    void parametersChanged();    // a parameter dialog or a load stored new values (ParameterChain sends it for the dialogs)
    void targetCaptionChanged();

private:
    void rememberFlightModel();
    void rememberLoaded();

    tarnwick::ProgramState state_;
    ScopePreset scopePreset_ = ScopePreset::Typed;
    DisplayOptions display_;
    WindTexts windTexts_;
    QString targetCaption_;
};
