#include "frmOtherGun.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "DialogSupport.h"
#include "FormSupport.h"
#include "frmTrajectory.h"

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
    endSetAllWhenCancelled(*this, program);
}

void frmOtherGun::loadRememberedScopeHeight() {
    const double remembered = program_.state().remembered.LastScopeHeight;
    program_.params().ScopeHeight = remembered;
    txtScopeHeight->setText(numberText(remembered));
}

void frmOtherGun::Form_Load() {
    centreOnScreen(*this);
    loadRememberedScopeHeight();
}

void frmOtherGun::Form_Activate() { loadRememberedScopeHeight(); }

void frmOtherGun::cmdSet_Click() {
    const std::optional<double> height = readNumberBox(this, txtScopeHeight, "the Scope Height");
    if (!height) return;

    auto& p = program_.params();
    p.ScopeHeight = *height;
    // With the drop table variant the run parameters dialog keeps the user's height
    // aside; leave that alone.
    if (p.HuntingMode || p.PBRMode) p.SaveScopeHeight = p.ScopeHeight;
    program_.state().remembered.LastScopeHeight = p.ScopeHeight;

    if (frmTrajectory* main = mainWindowOf(program_)) {
        for (QAction* preset : {main->mnuR6PPC, main->mnuRBlackhawk, main->mnuTC4570, main->mnuTC3030, main->mnuTC44Mag})
            setMenuCheck(preset, false);
        setMenuCheck(main->mnuOtherGun, true);
        setMenuCheck(main->mnuStandard, false);
    }

    hide();
    p.InitAll = false;  // this dialog ends the "Set All Parameters" chain
}
