#include "frmMVCalc.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <cmath>

#include "Atmosphere.h"
#include "CalculatorControls.h"
#include "DialogSupport.h"
#include "FormSupport.h"
#include "NumberText.h"

namespace {

const QString kTitle = QStringLiteral("Muzzle Velocity Calculator");

QLabel* caption(const char* name, const QString& text) {
    QLabel* label = named(new QLabel(text), name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

}  // namespace

frmMVCalc::frmMVCalc(Program& program) : program_(program) {
    setObjectName("frmMVCalc");
    setWindowTitle(kTitle);

    menuBar = named(new QMenuBar(this), "menuBar");
    mnuFaq = named(menuBar->addMenu(QStringLiteral("FAQ")), "mnuFaq");
    mnuWhat = mnuFaq->addAction(QStringLiteral("What Does This Do?"));
    mnuWhat->setObjectName("mnuWhat");
    mnuHow = mnuFaq->addAction(QStringLiteral("Why and How?"));
    mnuHow->setObjectName("mnuHow");
    connect(mnuWhat, &QAction::triggered, this, [this] { mnuWhat_Click(); });
    connect(mnuHow, &QAction::triggered, this, [this] { mnuHow_Click(); });

    txtMeasuredVel = caption("txtMeasuredVel", QStringLiteral("Measured Muzzle Velocity:"));
    txtMMVel = numberBox("txtMMVel");
    lblFPS = named(new QLabel(QStringLiteral("f.p.s.")), "lblFPS");
    lblMTemp = caption("lblMTemp", QStringLiteral("Air/Case Temperature at time of measurement:"));
    txtMTemp = numberBox("txtMTemp");
    lblMT = named(new QLabel(QStringLiteral("F")), "lblMT");
    lblCalcT = caption("lblCalcT", QStringLiteral("Calculate Muzzle Velocity at what Air/Case Temperature?"));
    txtCalcT = numberBox("txtCalcT");
    lblCT = named(new QLabel(QStringLiteral("F")), "lblCT");
    cmdCalculate = named(new QPushButton(QStringLiteral("Calculate")), "cmdCalculate");
    lblCalcMV = caption("lblCalcMV", QStringLiteral("The Calculated Muzzle Velocity is:"));
    txtCalcMV = numberBox("txtCalcMV");
    lblCFPS = named(new QLabel(QStringLiteral("f.p.s.")), "lblCFPS");
    cmdDone = named(new QPushButton(QStringLiteral("Done")), "cmdDone");
    txtMeasuredVel->setBuddy(txtMMVel);
    lblMTemp->setBuddy(txtMTemp);
    lblCalcT->setBuddy(txtCalcT);
    lblCalcMV->setBuddy(txtCalcMV);

    // Enter calculates; only the Done button hides the window.
    cmdCalculate->setDefault(true);
    cmdDone->setAutoDefault(false);
    connect(cmdCalculate, &QPushButton::clicked, this, [this] { cmdCalculate_Click(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });

    auto* grid = new QGridLayout(this);
    grid->setMenuBar(menuBar);
    grid->addWidget(txtMeasuredVel, 0, 0);
    grid->addWidget(txtMMVel, 0, 1);
    grid->addWidget(lblFPS, 0, 2);
    grid->addWidget(lblMTemp, 1, 0);
    grid->addWidget(txtMTemp, 1, 1);
    grid->addWidget(lblMT, 1, 2);
    grid->addWidget(lblCalcT, 2, 0);
    grid->addWidget(txtCalcT, 2, 1);
    grid->addWidget(lblCT, 2, 2);
    grid->addWidget(cmdCalculate, 3, 1);
    grid->addWidget(lblCalcMV, 4, 0);
    grid->addWidget(txtCalcMV, 4, 1);
    grid->addWidget(lblCFPS, 4, 2);
    grid->addWidget(cmdDone, 5, 1);
    grid->setRowMinimumHeight(3, 36);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtMMVel, txtMTemp);
    setTabOrder(txtMTemp, txtCalcT);
    setTabOrder(txtCalcT, cmdCalculate);
    setTabOrder(cmdCalculate, txtCalcMV);
    setTabOrder(txtCalcMV, cmdDone);

    using tarnwick::Quantity;
    measuredVelocity_ = UnitField(txtMMVel, Quantity::Speed);
    measuredTemperature_ = UnitField(txtMTemp, Quantity::Temperature);
    wantedTemperature_ = UnitField(txtCalcT, Quantity::Temperature);
    calculatedVelocity_ = UnitField(txtCalcMV, Quantity::Speed);
    connect(&program.session(), &Session::unitsChanged, this, [this] { showUnits(); });
}

void frmMVCalc::Form_Load() {
    showUnits();
    adjustSize();
    centreOnScreen(*this);
}

void frmMVCalc::showUnits() {
    using tarnwick::Quantity;
    const tarnwick::UnitSystem units = program_.session().units();
    for (UnitField* field : {&measuredVelocity_, &measuredTemperature_, &wantedTemperature_, &calculatedVelocity_})
        field->express(units, tarnwick::readStrict);
    for (QLabel* label : {lblFPS, lblCFPS}) label->setText(unitCaption("f.p.s.", "f.p.s.", Quantity::Speed, units));
    for (QLabel* label : {lblMT, lblCT}) label->setText(unitCaption("F", "F", Quantity::Temperature, units));
}

std::optional<double> frmMVCalc::readField(const UnitField& field, const QString& fieldName) {
    if (const auto value = field.stored(tarnwick::readStrict)) return value;
    program_.showMessage(this, fieldName + QStringLiteral(" must be a number."), MessageIcon::Exclamation, kTitle);
    field.box()->setFocus();
    field.box()->selectAll();
    return std::nullopt;
}

void frmMVCalc::cmdCalculate_Click() {
    // The boxes are converted wanted temperature first, then the measured pair.
    const auto wantedTemperature =
        readField(wantedTemperature_, QStringLiteral("Air/Case Temperature to calculate for"));
    if (!wantedTemperature) return;
    const auto measuredTemperature =
        readField(measuredTemperature_, QStringLiteral("Air/Case Temperature at time of measurement"));
    if (!measuredTemperature) return;
    const auto measuredVelocity = readField(measuredVelocity_, QStringLiteral("Measured Muzzle Velocity"));
    if (!measuredVelocity) return;

    const double velocity = tarnwick::muzzleVelocityAt(*measuredVelocity, *measuredTemperature, *wantedTemperature);
    if (!std::isfinite(velocity)) {
        program_.showMessage(this, QStringLiteral("The calculated muzzle velocity is too large to show."),
                    MessageIcon::Exclamation, kTitle);
        return;
    }
    calculatedVelocity_.show(velocity, program_.session().units());
}

void frmMVCalc::cmdDone_Click() { hide(); }

void frmMVCalc::mnuWhat_Click() {
    program_.showMessage(this,
                joinLines({"Given the Muzzle velocity of a specific",
                           "gun, bullet, and load, as measured at a",
                           "given ambient temperature, this will calculate",
                           "the muzzle velocity at any other ambient",
                           "temperature.  This is useful for understanding",
                           "differences one can observe between sighting in",
                           "your gun on the range in the summer, then using",
                           "it while hunting in the late fall/winter."}),
                MessageIcon::Information, QStringLiteral("Muzzle Velocity is a Function of Temperature"));
}

void frmMVCalc::mnuHow_Click() {
    program_.showMessage(this,
                joinLines({"On average, the muzzle velocity for any",
                           "given gun, bullet, and load has been found",
                           "to be directly proportional to the ambient",
                           "temperature of the loaded cartridge.  As a",
                           "reasonable rule of thumb, the muzzle velocity",
                           "increases/decreases 1.5 fps for each degree (F)",
                           "increase/decrease, respectively, in the",
                           "cartridge temperature."}),
                MessageIcon::Information, QStringLiteral("Muzzle Velocity as a Function of Temperature"));
}
