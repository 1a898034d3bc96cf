#include "frmSetBC.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "DialogSupport.h"
#include "FormSupport.h"
#include "NumberText.h"

frmSetBC::frmSetBC(Program& program) : program_(program) {
    setObjectName("frmSetBC");
    setWindowTitle("Set Ballistic Coefficient");

    lblBC = new QLabel("Ballistic Coefficient:", this);
    lblBC->setObjectName("lblBC");
    txtBC = new QLineEdit(this);
    txtBC->setObjectName("txtBC");
    lblBulletMass = new QLabel("Bullet Mass:", this);
    lblBulletMass->setObjectName("lblBulletMass");
    txtBulletMass = new QLineEdit(this);
    txtBulletMass->setObjectName("txtBulletMass");
    Label1 = new QLabel("gr.", this);
    Label1->setObjectName("Label1");
    lblBC->setBuddy(txtBC);
    lblBulletMass->setBuddy(txtBulletMass);
    for (QLineEdit* box : {txtBC, txtBulletMass}) box->setMaximumWidth(90);
    cmdOK = acceptButton(this, "cmdOK", "OK");

    auto* fields = new QGridLayout;
    fields->addWidget(lblBC, 0, 0, Qt::AlignRight);
    fields->addWidget(txtBC, 0, 1);
    fields->addWidget(lblBulletMass, 1, 0, Qt::AlignRight);
    fields->addWidget(txtBulletMass, 1, 1);
    fields->addWidget(Label1, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(centredRow(cmdOK));
    setMinimumWidth(260);
    adjustSize();

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmSetBC::Form_Load() { centreOnScreen(*this); }

std::optional<double> frmSetBC::readPositive(QLineEdit* box, const QString& fieldName, const QString& refusal) {
    const double value = tarnwick::readLenient(box->text().toStdString());
    if (!(value > 0)) {
        program_.showMessage(this, refusal, MessageIcon::Exclamation);
        box->setFocus();
        return std::nullopt;
    }
    return readNumberBox(program_, this, box, fieldName);  // refuses a value too large to use
}

void frmSetBC::cmdOK_Click() {
    // The coefficient is checked first; nothing is stored unless both are usable.
    const std::optional<double> coefficient =
        readPositive(txtBC, "the Ballistic Coefficient", "The Ballistic Coefficient must be > 0");
    if (!coefficient) return;
    const std::optional<double> mass = readPositive(txtBulletMass, "the Bullet Mass", "The Bullet Mass must be > 0");
    if (!mass) return;

    // All three bands get the coefficient, which is now the bullet source and is
    // remembered for the next start.
    program_.session().flyTypedBullet(*coefficient, *mass);
    emit accepted();
    hide();
}
