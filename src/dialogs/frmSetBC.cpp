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
    lblBCG7 = new QLabel("G7 Ballistic Coefficient:", this);
    lblBCG7->setObjectName("lblBCG7");
    txtBCG7 = new QLineEdit(this);
    txtBCG7->setObjectName("txtBCG7");
    lblOptional = new QLabel("(optional)", this);
    lblOptional->setObjectName("lblOptional");
    lblBulletMass = new QLabel("Bullet Mass:", this);
    lblBulletMass->setObjectName("lblBulletMass");
    txtBulletMass = new QLineEdit(this);
    txtBulletMass->setObjectName("txtBulletMass");
    Label1 = new QLabel("gr.", this);
    Label1->setObjectName("Label1");
    lblBC->setBuddy(txtBC);
    lblBCG7->setBuddy(txtBCG7);
    lblBulletMass->setBuddy(txtBulletMass);
    for (QLineEdit* box : {txtBC, txtBCG7, txtBulletMass}) box->setMaximumWidth(90);
    cmdOK = acceptButton(this, "cmdOK", "OK");

    auto* fields = new QGridLayout;
    fields->addWidget(lblBC, 0, 0, Qt::AlignRight);
    fields->addWidget(txtBC, 0, 1);
    fields->addWidget(lblBCG7, 1, 0, Qt::AlignRight);
    fields->addWidget(txtBCG7, 1, 1);
    fields->addWidget(lblOptional, 1, 2);
    fields->addWidget(lblBulletMass, 2, 0, Qt::AlignRight);
    fields->addWidget(txtBulletMass, 2, 1);
    fields->addWidget(Label1, 2, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(centredRow(cmdOK));
    setMinimumWidth(260);
    adjustSize();

    mass_ = UnitField(txtBulletMass, tarnwick::Quantity::Mass);
    connect(&program.session(), &Session::unitsChanged, this, [this] { showUnits(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmSetBC::Form_Load() {
    centreOnScreen(*this);
    showUnits();
}

void frmSetBC::showUnits() {
    const tarnwick::UnitSystem units = program_.session().units();
    mass_.express(units);
    Label1->setText(unitCaption("gr.", "gr", tarnwick::Quantity::Mass, units));
}

std::optional<double> frmSetBC::readPositive(QLineEdit* box, const QString& fieldName, const QString& refusal,
                                             const UnitField* field) {
    // The limit applies to the stored value: a mass is converted first, then checked.
    const double value = field ? field->stored().value_or(0) : tarnwick::readLenient(box->text().toStdString());
    if (!(value > 0)) {
        program_.showMessage(this, refusal, MessageIcon::Exclamation);
        box->setFocus();
        return std::nullopt;
    }
    // Refuses a value too large to use.
    return field ? readNumberBox(program_, this, *field, fieldName) : readNumberBox(program_, this, box, fieldName);
}

void frmSetBC::cmdOK_Click() {
    // The coefficients are checked first; nothing is stored unless all are usable.
    const std::optional<double> coefficient =
        readPositive(txtBC, "the Ballistic Coefficient", "The Ballistic Coefficient must be > 0");
    if (!coefficient) return;
    std::optional<double> coefficientG7 = 0.0;
    if (!txtBCG7->text().trimmed().isEmpty())
        coefficientG7 = readPositive(txtBCG7, "the G7 Ballistic Coefficient", "The G7 Ballistic Coefficient must be > 0");
    if (!coefficientG7) return;
    const std::optional<double> mass =
        readPositive(txtBulletMass, "the Bullet Mass", "The Bullet Mass must be > 0", &mass_);
    if (!mass) return;

    // All three bands get the coefficient, which with the G7 one is now the bullet
    // source and is remembered for the next start.
    program_.session().flyTypedBullet(*coefficient, *mass, *coefficientG7);
    emit accepted();
    hide();
}
