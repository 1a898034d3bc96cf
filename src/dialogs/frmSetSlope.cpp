#include "frmSetSlope.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "DialogSupport.h"
#include "FormSupport.h"

frmSetSlope::frmSetSlope(Program& program) : program_(program) {
    setObjectName("frmSetSlope");
    setWindowTitle("Set Line of Sight Slope");

    lblAngle = new QLabel("Angle (degrees):", this);
    lblAngle->setObjectName("lblAngle");
    txtAngle = new QLineEdit("0", this);
    txtAngle->setObjectName("txtAngle");
    txtAngle->setMaximumWidth(80);
    lblAngle->setBuddy(txtAngle);
    optUp = new QRadioButton("Up", this);
    optUp->setObjectName("optUp");
    optUp->setChecked(true);
    optDown = new QRadioButton("Down", this);
    optDown->setObjectName("optDown");
    cmdOK = acceptButton(this, "cmdOK", "OK");

    auto* angle = new QHBoxLayout;
    angle->addWidget(lblAngle);
    angle->addWidget(txtAngle);
    auto* directions = new QVBoxLayout;
    directions->addWidget(optUp);
    directions->addWidget(optDown);
    angle->addLayout(directions);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(angle);
    layout->addLayout(centredRow(cmdOK));
    setMinimumWidth(260);
    adjustSize();

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmSetSlope::Form_Load() { centreOnScreen(*this); }

void frmSetSlope::cmdOK_Click() {
    const std::optional<double> angle = readNumberBox(program_, this, txtAngle, "the Angle");
    if (!angle) return;
    // A negative number with Down gives an upward angle, as typed.
    program_.params().LOSAngle = optUp->isChecked() ? *angle : -*angle;
    emit accepted();
    hide();
}
