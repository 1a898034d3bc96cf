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

    connect(cmdSet, &QPushButton::clicked, this, [this] { cmdSet_Click(); });
    // A drop table holds the height at 0: the box shows it and takes nothing meanwhile;
    // leaving the drop table brings the user's height back.
    connect(&program.session(), &Session::modeChanged, this, [this] { showScopeHeight(); });
}

void frmOtherGun::showScopeHeight() {
    txtScopeHeight->setText(numberText(program_.params().ScopeHeight));
    txtScopeHeight->setEnabled(!program_.session().scopeHeightSetAside());
}

void frmOtherGun::loadRememberedScopeHeight() {
    const double remembered = program_.state().remembered.LastScopeHeight;
    program_.params().ScopeHeight = remembered;
    txtScopeHeight->setText(numberText(remembered));
}

void frmOtherGun::Form_Load() {
    centreOnScreen(*this);
    loadRememberedScopeHeight();
    txtScopeHeight->setEnabled(!program_.session().scopeHeightSetAside());
}

void frmOtherGun::Form_Activate() { loadRememberedScopeHeight(); }

void frmOtherGun::cmdSet_Click() {
    const std::optional<double> height = readNumberBox(program_, this, txtScopeHeight, "the Scope Height");
    if (!height) return;

    program_.session().setTypedScopeHeight(*height);
    hide();
    emit accepted();
}
