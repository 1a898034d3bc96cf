// The main window's Options → "Units" and Options → "Corrections in" menus: two sets of
// radio items that write the session's choice and show it.
#include <QActionGroup>

#include "ClickValueDialog.h"
#include "frmTrajectory.h"

namespace {

using tarnwick::AngleUnit;
using tarnwick::CorrectionUnit;
using tarnwick::Corrections;

Corrections clicksOf(double size, AngleUnit unit) { return {CorrectionUnit::Clicks, size, unit}; }

// The corrections of the offered items, in menu order; the typed click value comes last.
const std::pair<const char*, Corrections> kOfferedCorrections[] = {
    {"Inches/cm", {CorrectionUnit::Inches}},
    {"MOA", {CorrectionUnit::Moa}},
    {"mrad", {CorrectionUnit::Mrad}},
    {"Clicks of 1/4 MOA", clicksOf(0.25, AngleUnit::Moa)},
    {"Clicks of 1/8 MOA", clicksOf(0.125, AngleUnit::Moa)},
    {"Clicks of 0.1 mrad", clicksOf(0.1, AngleUnit::Mrad)},
};

bool sameChoice(const Corrections& a, const Corrections& b) {
    if (a.unit != b.unit) return false;
    return a.unit != CorrectionUnit::Clicks || (a.clickSize == b.clickSize && a.clickUnit == b.clickUnit);
}

QAction* radioItem(QMenu* menu, QActionGroup* group, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setCheckable(true);
    group->addAction(action);
    return action;
}

}  // namespace

void frmTrajectory::buildUnitMenus() {
    mnuUnits = mnuOptions->addMenu("Units");
    mnuUnits->setObjectName("mnuUnits");
    auto* units = new QActionGroup(this);
    mnuImperial = radioItem(mnuUnits, units, "mnuImperial", "Imperial");
    mnuMetric = radioItem(mnuUnits, units, "mnuMetric", "Metric");
    using tarnwick::UnitSystem;
    connect(mnuImperial, &QAction::triggered, this, [this] { program_.session().setUnits(UnitSystem::Imperial); });
    connect(mnuMetric, &QAction::triggered, this, [this] { program_.session().setUnits(UnitSystem::Metric); });

    mnuCorrections = mnuOptions->addMenu("Corrections in");
    mnuCorrections->setObjectName("mnuCorrections");
    auto* corrections = new QActionGroup(this);
    const char* names[] = {"mnuCorrInches", "mnuCorrMoa", "mnuCorrMrad", "mnuClicksQuarterMoa", "mnuClicksEighthMoa",
                           "mnuClicksTenthMrad"};
    int index = 0;
    for (const auto& offered : kOfferedCorrections) {
        QAction* item = radioItem(mnuCorrections, corrections, names[index++], offered.first);
        const Corrections chosen = offered.second;
        connect(item, &QAction::triggered, this, [this, chosen] { program_.session().setCorrections(chosen); });
        correctionItems_.push_back(item);
    }
    mnuClicksTyped = radioItem(mnuCorrections, corrections, "mnuClicksTyped", "Clicks of a typed value...");
    connect(mnuClicksTyped, &QAction::triggered, this, &frmTrajectory::mnuClicksTyped_Click);
}

void frmTrajectory::mnuClicksTyped_Click() {
    Session& session = program_.session();
    ClickValueDialog dialog(this, session.corrections());
    if (program_.showBlocking(dialog) && dialog.result() == QDialog::Accepted) {
        if (const std::optional<Corrections> typed = dialog.typed()) {
            session.setCorrections(*typed);
            return;
        }
        program_.showMessage(this, "The click value must be a number above 0.", MessageIcon::Exclamation,
                             "Click Value");
    }
    showUnits();  // cancelled or refused: the check goes back to the choice in force
}

void frmTrajectory::showUnits() {
    const Session& session = program_.session();
    const bool metric = session.units() == tarnwick::UnitSystem::Metric;
    mnuMetric->setChecked(metric);
    mnuImperial->setChecked(!metric);
    QAction* chosen = mnuClicksTyped;
    for (std::size_t i = 0; i < correctionItems_.size(); ++i)
        if (sameChoice(kOfferedCorrections[i].second, session.corrections())) chosen = correctionItems_[i];
    chosen->setChecked(true);
}
