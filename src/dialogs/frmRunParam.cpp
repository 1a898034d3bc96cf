#include "frmRunParam.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "DialogSupport.h"
#include "FormSupport.h"

namespace {
const QString kMaxDevCaption = QStringLiteral("Maximum Deviation (inches):");
const QString kZeroCrossingCaption = QStringLiteral("Zero Crossing (yards):");
const QString kTargetVelocityCaption = QStringLiteral("Muzzle Velocity (fps):");
const QString kHuntingVelocityCaption = QStringLiteral("Range Muzzle Velocity (fps):");
}  // namespace

frmRunParam::frmRunParam(Program& program) : program_(program) {
    setObjectName("frmRunParam");
    setWindowTitle("Set Run Parameters");
    buildControls();
    buildMenu();
    adjustSize();
    velocity_ = UnitField(txtInitVel, tarnwick::Quantity::Speed);
    maxDeviation_ = UnitField(txtMaxDev, tarnwick::Quantity::Height);
    connect(&program.session(), &Session::unitsChanged, this, [this] { showUnits(); });

    // Connected after the creation selections, so only later selections run handlers.
    onSelected(optHuntingMode, [this] { optHuntingMode_Click(); });
    onSelected(optTargetMode, [this] { optTargetMode_Click(); });
    onSelected(optOne, [this] { optOne_Click(); });
    onSelected(optTwo, [this] { optTwo_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmRunParam::buildControls() {
    fraMode = new QGroupBox("Mode", this);
    fraMode->setObjectName("fraMode");
    optHuntingMode = new QRadioButton("Hunting", fraMode);
    optHuntingMode->setObjectName("optHuntingMode");
    optTargetMode = new QRadioButton("Target", fraMode);
    optTargetMode->setObjectName("optTargetMode");
    optTargetMode->setChecked(true);

    // The variants are a group of their own inside the mode frame.
    fraHmode = new QGroupBox("Variants", fraMode);
    fraHmode->setObjectName("fraHmode");
    optTwo = new QRadioButton("Drop Table", fraHmode);
    optTwo->setObjectName("optTwo");
    optOne = new QRadioButton("Trajectory", fraHmode);
    optOne->setObjectName("optOne");
    optOne->setChecked(true);

    // The variants' frame sits inside the mode frame, and Qt's automatic exclusivity
    // would take all four options for one group: a click on the selected mode would
    // then clear it, leaving no mode selected. Each pair is a group of its own.
    auto* modeGroup = new QButtonGroup(fraMode);
    modeGroup->addButton(optHuntingMode);
    modeGroup->addButton(optTargetMode);
    auto* variantGroup = new QButtonGroup(fraHmode);
    variantGroup->addButton(optOne);
    variantGroup->addButton(optTwo);

    auto* variants = new QVBoxLayout(fraHmode);
    variants->addWidget(optOne);
    variants->addWidget(optTwo);
    auto* modes = new QVBoxLayout;
    modes->addWidget(optHuntingMode);
    modes->addWidget(optTargetMode);
    modes->addStretch();
    auto* modeLayout = new QHBoxLayout(fraMode);
    modeLayout->addLayout(modes);
    modeLayout->addWidget(fraHmode);

    auto makeRow = [this](QLabel*& label, const char* labelName, const QString& caption, QLineEdit*& box,
                          const char* boxName, const QString& text) {
        label = new QLabel(caption, this);
        label->setObjectName(labelName);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box = new QLineEdit(text, this);
        box->setObjectName(boxName);
        box->setMaximumWidth(90);
        label->setBuddy(box);
    };
    makeRow(lblInitVel, "lblInitVel", kTargetVelocityCaption, txtInitVel, "txtInitVel", "2000");
    makeRow(lblMaxDev, "lblMaxDev", kMaxDevCaption, txtMaxDev, "txtMaxDev", "3");
    makeRow(lblDeltaT, "lblDeltaT", "Delta T (seconds):", txtDeltaT, "txtDeltaT", "0.001");
    // Wide enough for the longest captions, so switching modes does not move the boxes.
    const int labelWidth = lblInitVel->fontMetrics().horizontalAdvance(kHuntingVelocityCaption) + 8;
    lblInitVel->setMinimumWidth(labelWidth);

    auto* fields = new QGridLayout;
    fields->addWidget(lblInitVel, 0, 0);
    fields->addWidget(txtInitVel, 0, 1);
    fields->addWidget(lblMaxDev, 1, 0);
    fields->addWidget(txtMaxDev, 1, 1);
    fields->addWidget(lblDeltaT, 2, 0);
    fields->addWidget(txtDeltaT, 2, 1);

    cmdOK = acceptButton(this, "cmdOK", "OK");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraMode);
    layout->addLayout(fields);
    layout->addLayout(centredRow(cmdOK));
}

void frmRunParam::buildMenu() {
    menuBar = new QMenuBar(this);
    mnuHelp = menuBar->addMenu("Help");
    mnuHelp->setObjectName("mnuHelp");
    auto addItem = [this](QAction*& item, const char* name, const char* caption, void (frmRunParam::*handler)()) {
        item = mnuHelp->addAction(caption);
        item->setObjectName(name);
        connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    addItem(mnuModeHelp, "mnuModeHelp", "Target or Hunting Mode?", &frmRunParam::mnuModeHelp_Click);
    addItem(mnuVariant, "mnuVariant", "Which Variant?...", &frmRunParam::mnuVariant_Click);
    addItem(mnuMVHelp, "mnuMVHelp", "Which Muzzle Velocity", &frmRunParam::mnuMVHelp_Click);
    addItem(mnuMaxDevHelp, "mnuMaxDevHelp", "What is Max Deviation?", &frmRunParam::mnuMaxDevHelp_Click);
    addItem(mnuDeltaTHelp, "mnuDeltaTHelp", "What is Delta T?", &frmRunParam::mnuDeltaTHelp_Click);
    layout()->setMenuBar(menuBar);
}

void frmRunParam::showCaptions() {
    using tarnwick::Quantity;
    const tarnwick::UnitSystem units = program_.session().units();
    const bool hunting = optHuntingMode->isChecked();
    lblInitVel->setText(
        unitCaption(hunting ? kHuntingVelocityCaption : kTargetVelocityCaption, "fps", Quantity::Speed, units));
    lblMaxDev->setText(maxDeviation_.quantity() == Quantity::Range
                           ? unitCaption(kZeroCrossingCaption, "yards", Quantity::Range, units)
                           : unitCaption(kMaxDevCaption, "inches", Quantity::Height, units));
}

void frmRunParam::showUnits() {
    velocity_.express(program_.session().units());
    maxDeviation_.express(program_.session().units());
    showCaptions();
}

void frmRunParam::setMaxDevBox(tarnwick::Quantity quantity, double stored, bool enabled) {
    maxDeviation_ = UnitField(txtMaxDev, quantity);
    maxDeviation_.show(stored, program_.session().units());
    txtMaxDev->setEnabled(enabled);
    showCaptions();
}

void frmRunParam::showMode(bool hunting, bool firstVariant) {
    using tarnwick::Quantity;
    const auto& last = program_.state().remembered;
    optOne->setText(hunting ? "Big Game" : "Trajectory");
    optTwo->setText(hunting ? "Varmint" : "Drop Table");
    if (firstVariant)
        setMaxDevBox(Quantity::Height, last.LastMaxDeviation, true);
    else if (hunting)
        setMaxDevBox(Quantity::Range, last.LastZeroCrossing, true);
    else
        setMaxDevBox(Quantity::Height, 0, false);
}

void frmRunParam::optHuntingMode_Click() {
    program_.session().setMode(true, program_.state().remembered.LastPBRMode);
    showMode(true, program_.state().remembered.LastPBRMode);
}

void frmRunParam::optTargetMode_Click() {
    program_.session().setMode(false, program_.state().remembered.LastPBRMode);
    showMode(false, program_.state().remembered.LastPBRMode);
}

void frmRunParam::optOne_Click() {
    program_.session().setMode(optHuntingMode->isChecked(), true);
    showMode(optHuntingMode->isChecked(), true);
}

void frmRunParam::optTwo_Click() {
    program_.session().setMode(optHuntingMode->isChecked(), false);
    showMode(optHuntingMode->isChecked(), false);
    // Varmint: a fixed starting distance, not the remembered one.
    if (optHuntingMode->isChecked()) maxDeviation_.show(300, program_.session().units());
}

void frmRunParam::Form_Load() {
    centreOnScreen(*this);
    const Session& session = program_.session();
    velocity_.show(program_.state().remembered.LastInitialVelocity, session.units());
    // The options show the session's mode; selecting them here is not a user's choice.
    const QSignalBlocker blockHunting(optHuntingMode), blockTarget(optTargetMode), blockOne(optOne), blockTwo(optTwo);
    (session.huntingMode() ? optHuntingMode : optTargetMode)->setChecked(true);
    (session.firstVariant() ? optOne : optTwo)->setChecked(true);
    showMode(session.huntingMode(), session.firstVariant());
}

void frmRunParam::cmdOK_Click() {
    const QString maxDevName =
        maxDeviation_.quantity() == tarnwick::Quantity::Range ? "the Zero Crossing" : "the Maximum Deviation";
    const std::optional<double> velocity = readNumberBox(program_, this, velocity_, "the Muzzle Velocity");
    if (!velocity) return;
    const std::optional<double> maxDeviation = readNumberBox(program_, this, maxDeviation_, maxDevName);
    if (!maxDeviation) return;
    const std::optional<double> deltaT = readNumberBox(program_, this, txtDeltaT, "Delta T");
    if (!deltaT) return;

    auto& p = program_.params();
    auto& last = program_.state().remembered;
    p.InitialVelocity = *velocity;
    p.MaxDeviation = *maxDeviation;
    p.DeltaT = *deltaT;
    last.LastInitialVelocity = p.InitialVelocity;
    if (last.LastHuntingMode && !last.LastPBRMode)
        last.LastZeroCrossing = p.MaxDeviation;  // Varmint: the box holds the zero distance in yards
    else if (last.LastPBRMode)
        last.LastMaxDeviation = p.MaxDeviation;
    // Target mode with Drop Table remembers nothing further.

    emit accepted();
    hide();
}

void frmRunParam::mnuModeHelp_Click() {
    program_.showMessage(this,
                joinLines({"Use the <Target> mode if you are only looking for",
                           "drop table information, or if you are looking",
                           "for the bullet trajectory with a given set of",
                           "environmental conditions.",
                           "",
                           "Use the <Hunting> mode if you are sighting in",
                           "and measuring the muzzle velocity with one set",
                           "of environmental conditions, then wanting to",
                           "see what the trajectory and bullet performance",
                           "will be under different (e.g. hunting) conditions,",
                           "OR if you want to set the zero crossing distance."}),
                MessageIcon::Information, "Which Mode to Use?");
}

void frmRunParam::mnuVariant_Click() {
    program_.showMessage(this,
                joinLines({"In the <Target> mode you can select from:",
                           "    1) Trajectory - this is a normal trajectory",
                           "       plot looking for point blank range.",
                           "    2) Drop table - as it sounds; to get a listing",
                           "       at 5 yard increments, also select the <Display",
                           "       Drop Table> item under the <Options> menu.",
                           "",
                           "In the <Hunting> mode you can select from:",
                           "    1) Big Game Mode - this plot is based on finding",
                           "       the point blank range based on specifying the",
                           "       maximum deviation from the line-of-sight",
                           "    2) Varmint mode - this plot is based on setting the",
                           "       yardage for the second zero crossing"}),
                MessageIcon::Information, "Which Mode to Use?");
}

void frmRunParam::mnuMVHelp_Click() {
    program_.showMessage(this,
                joinLines({"Always set the muzzle velocity to that measured on",
                           "the target range, independent of which mode you",
                           "are selecting."}),
                MessageIcon::Information, "Which Muzzle Velocity?");
}

void frmRunParam::mnuMaxDevHelp_Click() {
    program_.showMessage(this,
                joinLines({"Most applicable to hunting, but used in both modes, the Maximum Deviation is",
                           "intended to be set to the radius of the kill zone for the game animal of",
                           "interest.  For example, deer have a kill zone of about 6 inches diameter;",
                           "keeping a bullet within a 6 inch circle of a properly aimed shot will result",
                           "in a clean kill.  Hence, a 3 inch maximum deviation (from point of aim) should",
                           "be used.  This is used by this program to calculate both the angle of departure",
                           "(of the bullet at the muzzle from the line of sight), and the maximum",
                           "point-blank-range.  This latter is defined to be the maximum distance that",
                           " the bullet stays within the kill zone.",
                           "",
                           "In <Hunting> mode, this sets the maximum deviation one would see under hunting",
                           "conditions.  This then allows you to see how to sight in your gun at the range",
                           "under range conditions to get the net desired effect in the field under hunting",
                           "conditions.",
                           "",
                           "To obtain a straight drop table, set both the Maximum Deviation and the",
                           "Scope Height to 0."}),
                MessageIcon::Information, "What Maximum Deviation Should I Use?");
}

void frmRunParam::mnuDeltaTHelp_Click() {
    program_.showMessage(this,
                joinLines({"This program divides time into fractions of a second for",
                           "calculating the trajectory of a bullet.  Delta T",
                           "specifies what fraction of a second to use.  A",
                           "larger fraction results in a faster, but less accurate",
                           "calculation.  A smaller fraction is more accurate, but",
                           "results in a slower calculation.  The default (0.001)",
                           "seems to be a reasonable trade off for most computers,",
                           "but feel free to try other values to find one that",
                           "meets your needs."}),
                MessageIcon::Information, "What is Delta T?");
}
