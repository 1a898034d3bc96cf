#include "ParameterChain.h"

#include <QDialog>

#include "Program.h"
#include "frmDisplayScale.h"
#include "frmLongRange.h"
#include "frmOtherGun.h"
#include "frmRunParam.h"
#include "frmSelectBullet.h"
#include "frmSetBC.h"
#include "frmSetEnv.h"
#include "frmSetSlope.h"

namespace {

// Whether `window` is one of the dialogs the chain walks through.
bool inChain(const QWidget* window) {
    return qobject_cast<const frmRunParam*>(window) || qobject_cast<const frmDisplayScale*>(window) ||
           qobject_cast<const frmSetEnv*>(window) || qobject_cast<const frmSetSlope*>(window) ||
           qobject_cast<const frmSelectBullet*>(window) || qobject_cast<const frmSetBC*>(window) ||
           qobject_cast<const frmOtherGun*>(window);
}

}  // namespace

ParameterChain& ParameterChain::of(Program& program) {
    if (auto* chain = program.findChild<ParameterChain*>(QString(), Qt::FindDirectChildrenOnly)) return *chain;
    return *new ParameterChain(program);
}

ParameterChain::ParameterChain(Program& program) : QObject(&program), program_(program) {
    connect(&program, &Program::windowCreated, this, &ParameterChain::follow);
}

void ParameterChain::follow(QWidget* window) {
    // The long-range effects dialog announces its values too, but is no step of the walks.
    const bool walked = inChain(window);
    if (!walked && !qobject_cast<const frmLongRange*>(window)) return;
    auto* dialog = static_cast<QDialog*>(window);
    connect(dialog, &QDialog::accepted, &program_.session(), &Session::parametersChanged);
    if (!walked) return;
    const std::type_index type = typeid(*window);
    connect(dialog, &QDialog::accepted, this, [this, type] { acceptedDuringSetAll(type); });
    connect(dialog, &QDialog::rejected, this, [this] { program_.params().InitAll = false; });
}

QDialog& ParameterChain::bulletDialog() {
    if (program_.session().bulletFromTable()) return program_.window<frmSelectBullet>();
    return program_.window<frmSetBC>();
}

void ParameterChain::acceptedDuringSetAll(std::type_index accepted) {
    bool& running = program_.params().InitAll;
    if (!running) return;
    if (accepted == typeid(frmRunParam)) program_.show(program_.window<frmDisplayScale>());
    else if (accepted == typeid(frmDisplayScale)) program_.show(program_.window<frmSetEnv>());
    else if (accepted == typeid(frmSetEnv)) program_.show(program_.window<frmSetSlope>());
    else if (accepted == typeid(frmSetSlope)) program_.show(bulletDialog());
    else if (accepted == typeid(frmSelectBullet) || accepted == typeid(frmSetBC)) program_.show(program_.window<frmOtherGun>());
    else if (accepted == typeid(frmOtherGun)) running = false;  // the last dialog ends the walk
}

void ParameterChain::startSetAll() {
    program_.params().InitAll = true;
    program_.show(program_.window<frmRunParam>());
}

bool ParameterChain::runGo() {
    if (!program_.showBlocking(program_.window<frmRunParam>()) ||
        !program_.showBlocking(program_.window<frmDisplayScale>()) ||
        !program_.showBlocking(program_.window<frmSetEnv>()) ||
        !program_.showBlocking(program_.window<frmSetSlope>()) || !program_.showBlocking(bulletDialog()))
        return false;
    // The scope height matters only where the line of sight is above the bore.
    const tarnwick::ShotParameters& p = program_.params();
    return !(p.HuntingMode || p.PBRMode) || program_.showBlocking(program_.window<frmOtherGun>());
}
