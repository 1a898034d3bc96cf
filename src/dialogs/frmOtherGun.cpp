#include "frmOtherGun.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "DialogSupport.h"
#include "FormSupport.h"

frmOtherGun::frmOtherGun(Program& program) : program_(program) {
    setObjectName("frmOtherGun");
    setWindowTitle("Set Scope Height");

    lblScopeHeight = new QLabel("Distance between Line of Sight and Center of Barrel:", this);
    lblScopeHeight->setObjectName("lblScopeHeight");
    txtScopeHeight = new QLineEdit("1.5", this);
    txtScopeHeight->setObjectName("txtScopeHeight");
    txtScopeHeight->setMaximumWidth(80);
    lblInches = new QLabel("inches.", this);
    lblInches->setObjectName("lblInches");
    cmdSet = acceptButton(this, "cmdSet", "Set");

    auto* row = new QHBoxLayout;
    row->addWidget(lblScopeHeight);
    row->addWidget(txtScopeHeight);
    row->addWidget(lblInches);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(centredRow(cmdSet));
    adjustSize();

    scopeHeight_ = UnitField(txtScopeHeight, tarnwick::Quantity::Height);
    connect(&program.session(), &Session::unitsChanged, this, [this] { showUnits(); });
    connect(cmdSet, &QPushButton::clicked, this, [this] { cmdSet_Click(); });
    // A drop table holds the height at 0: the box shows it and takes nothing meanwhile;
    // leaving the drop table brings the user's height back.
    connect(&program.session(), &Session::modeChanged, this, [this] { showScopeHeight(); });
}

void frmOtherGun::showUnits() {
    const tarnwick::UnitSystem units = program_.session().units();
    scopeHeight_.express(units);
    lblInches->setText(unitCaption("inches.", "inches", tarnwick::Quantity::Height, units));
}

void frmOtherGun::showScopeHeight() {
    scopeHeight_.show(program_.params().ScopeHeight, program_.session().units());
    txtScopeHeight->setEnabled(!program_.session().scopeHeightSetAside());
}

void frmOtherGun::loadRememberedScopeHeight() {
    const double remembered = program_.state().remembered.LastScopeHeight;
    program_.params().ScopeHeight = remembered;
    scopeHeight_.show(remembered, program_.session().units());
}

void frmOtherGun::Form_Load() {
    centreOnScreen(*this);
    loadRememberedScopeHeight();
    showUnits();
    txtScopeHeight->setEnabled(!program_.session().scopeHeightSetAside());
}

void frmOtherGun::Form_Activate() { loadRememberedScopeHeight(); }

void frmOtherGun::cmdSet_Click() {
    const std::optional<double> height = readNumberBox(program_, this, scopeHeight_, "the Scope Height");
    if (!height) return;

    program_.session().setTypedScopeHeight(*height);
    hide();
    emit accepted();
}
