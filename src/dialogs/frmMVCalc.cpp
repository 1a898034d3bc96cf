#include "frmMVCalc.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
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
#include "PowderTemperature.h"

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
    grid->addWidget(buildSensitivityGroup(), 5, 0, 1, 3);
    grid->addWidget(cmdDone, 6, 1);
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
    sensT1_ = UnitField(txtSensT1, Quantity::Temperature);
    sensV1_ = UnitField(txtSensV1, Quantity::Speed);
    sensT2_ = UnitField(txtSensT2, Quantity::Temperature);
    sensV2_ = UnitField(txtSensV2, Quantity::Speed);
    connect(&program.session(), &Session::unitsChanged, this, [this] { showUnits(); });
}

QWidget* frmMVCalc::buildSensitivityGroup() {
    auto* group = new QGroupBox(QStringLiteral("Powder Sensitivity from Two Measurements:"));
    auto* grid = new QGridLayout(group);
    lblSensT = named(new QLabel, "lblSensT");
    lblSensV = named(new QLabel, "lblSensV");
    grid->addWidget(lblSensT, 0, 1);
    grid->addWidget(lblSensV, 0, 2);
    txtSensT1 = numberBox("txtSensT1");
    txtSensV1 = numberBox("txtSensV1");
    txtSensT2 = numberBox("txtSensT2");
    txtSensV2 = numberBox("txtSensV2");
    grid->addWidget(caption("lblSensPoint1", QStringLiteral("First measurement:")), 1, 0);
    grid->addWidget(txtSensT1, 1, 1);
    grid->addWidget(txtSensV1, 1, 2);
    grid->addWidget(caption("lblSensPoint2", QStringLiteral("Second measurement:")), 2, 0);
    grid->addWidget(txtSensT2, 2, 1);
    grid->addWidget(txtSensV2, 2, 2);
    cmdUseSens = named(new QPushButton(QStringLiteral("Use as powder sensitivity")), "cmdUseSens");
    cmdUseSens->setAutoDefault(false);
    grid->addWidget(cmdUseSens, 3, 1, 1, 2);
    lblSensResult = named(new QLabel, "lblSensResult");
    grid->addWidget(lblSensResult, 4, 0, 1, 3);
    connect(cmdUseSens, &QPushButton::clicked, this, [this] { cmdUseSens_Click(); });
    return group;
}

void frmMVCalc::cmdUseSens_Click() {
    const std::pair<const UnitField*, QString> boxes[] = {
        {&sensT1_, QStringLiteral("The first measurement's temperature")},
        {&sensV1_, QStringLiteral("The first measurement's velocity")},
        {&sensT2_, QStringLiteral("The second measurement's temperature")},
        {&sensV2_, QStringLiteral("The second measurement's velocity")},
    };
    double values[4];
    for (std::size_t i = 0; i < 4; ++i) {
        const auto value = readField(*boxes[i].first, boxes[i].second);
        if (!value) return;
        values[i] = *value;
    }
    const std::optional<double> sensitivity = tarnwick::powderSensitivityFrom(values[0], values[1], values[2], values[3]);
    if (!sensitivity || !std::isfinite(*sensitivity)) {
        program_.showMessage(this,
                             sensitivity ? QStringLiteral("The powder sensitivity is too large to use.")
                                         : QStringLiteral("The two measurements must be taken at different temperatures."),
                             MessageIcon::Exclamation, kTitle);
        return;
    }
    program_.params().PowderSensitivity = *sensitivity;
    emit program_.session().parametersChanged();
    const tarnwick::UnitSystem units = program_.session().units();
    lblSensResult->setText(QString::fromStdString(
        "Powder sensitivity set to " + tarnwick::shownText(tarnwick::Quantity::PowderSensitivity, units, *sensitivity, 3) +
        " " + tarnwick::unitName(tarnwick::Quantity::PowderSensitivity, units)));
}

void frmMVCalc::Form_Load() {
    showUnits();
    adjustSize();
    centreOnScreen(*this);
}

void frmMVCalc::showUnits() {
    using tarnwick::Quantity;
    const tarnwick::UnitSystem units = program_.session().units();
    for (UnitField* field : {&measuredVelocity_, &measuredTemperature_, &wantedTemperature_, &calculatedVelocity_,
                             &sensT1_, &sensV1_, &sensT2_, &sensV2_})
        field->express(units, tarnwick::readStrict);
    lblSensT->setText(unitCaption("Temperature (deg F)", "deg F", Quantity::Temperature, units));
    lblSensV->setText(unitCaption("Velocity (ft/s)", "ft/s", Quantity::Speed, units));
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
