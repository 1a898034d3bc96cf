#include "frmWindCalc.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "CalculatorControls.h"
#include "DialogSupport.h"
#include "FormSupport.h"
#include "NumberText.h"
#include "PictureBox.h"

namespace {

const QString kTitle = QStringLiteral("Cross & Tail Wind Calculator");

// The components are shown with two decimals in either unit system.
QString twoDecimals(double value) { return QString::fromStdString(tarnwick::formatF2(value)); }

}  // namespace

frmWindCalc::frmWindCalc(Program& program) : program_(program) {
    setObjectName("frmWindCalc");
    setWindowTitle(kTitle);

    menuBar = named(new QMenuBar(this), "menuBar");
    mnuHelp = menuBar->addAction(QStringLiteral("Help"));
    mnuHelp->setObjectName("mnuHelp");
    connect(mnuHelp, &QAction::triggered, this, [this] { mnuHelp_Click(); });

    for (std::size_t i = 0; i < lblMPH.size(); ++i) {
        lblMPH[i] = new QLabel(QStringLiteral("MPH"));
        lblMPH[i]->setObjectName(QStringLiteral("lblMPH_%1").arg(i));
    }

    fraInput = named(new QGroupBox(QStringLiteral("Input:")), "fraInput");
    lblWindSpeed = named(new QLabel(QStringLiteral("Wind Speed:")), "lblWindSpeed");
    txtWindSpeed = numberBox("txtWindSpeed", QStringLiteral("0"), 80);
    lblWindSpeed->setBuddy(txtWindSpeed);
    auto* inputRow = new QHBoxLayout(fraInput);
    inputRow->addWidget(lblWindSpeed);
    inputRow->addStretch();
    inputRow->addWidget(txtWindSpeed);
    inputRow->addWidget(lblMPH[0]);

    fraOutput = named(new QGroupBox(QStringLiteral("Resultant Components:")), "fraOutput");
    lblCrossWind = named(new QLabel(QStringLiteral("Cross Wind:")), "lblCrossWind");
    txtCrossWind = numberBox("txtCrossWind", QStringLiteral("0"), 80);
    lblTailWind = named(new QLabel(QStringLiteral("Tail Wind:")), "lblTailWind");
    txtTailWind = numberBox("txtTailWind", QStringLiteral("0"), 80);
    lblCrossWind->setBuddy(txtCrossWind);
    lblTailWind->setBuddy(txtTailWind);
    auto* outputGrid = new QGridLayout(fraOutput);
    outputGrid->addWidget(lblCrossWind, 0, 0);
    outputGrid->addWidget(txtCrossWind, 0, 1);
    outputGrid->addWidget(lblMPH[1], 0, 2);
    outputGrid->addWidget(lblTailWind, 1, 0);
    outputGrid->addWidget(txtTailWind, 1, 1);
    outputGrid->addWidget(lblMPH[2], 1, 2);
    outputGrid->setColumnStretch(0, 1);

    cmdDone = named(new QPushButton(QStringLiteral("Done")), "cmdDone");
    // Enter in the speed box must not close the calculator.
    cmdDone->setAutoDefault(false);
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });

    picWind = named(new PictureBox(kPictureSize, kPictureSize), "picWind");
    picWind->setCursor(Qt::CrossCursor);
    picWind->onMouseDown = [this](Qt::MouseButton b, double x, double y) { picWind_MouseDown(b, x, y); };
    picWind->onMouseMove = [this](Qt::MouseButton b, double x, double y) { picWind_MouseMove(b, x, y); };
    picWind->onMouseUp = [this](Qt::MouseButton b, double x, double y) { picWind_MouseUp(b, x, y); };
    lblDirection = named(new QLabel(QStringLiteral("Wind Direction (bird's eye view)")), "lblDirection");
    lblDirection->setAlignment(Qt::AlignHCenter);

    auto* left = new QVBoxLayout;
    left->addWidget(fraInput);
    left->addWidget(fraOutput);
    left->addStretch();
    left->addWidget(cmdDone, 0, Qt::AlignHCenter);

    auto* right = new QVBoxLayout;
    right->addWidget(picWind, 0, Qt::AlignHCenter);
    right->addWidget(lblDirection);

    auto* columns = new QHBoxLayout(this);
    columns->setMenuBar(menuBar);
    columns->addLayout(left);
    columns->addLayout(right);
    columns->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtWindSpeed, txtCrossWind);
    setTabOrder(txtCrossWind, txtTailWind);
    setTabOrder(txtTailWind, cmdDone);

    speed_ = UnitField(txtWindSpeed, tarnwick::Quantity::WindSpeed);
    cross_ = UnitField(txtCrossWind, tarnwick::Quantity::WindSpeed, twoDecimals, twoDecimals);
    tail_ = UnitField(txtTailWind, tarnwick::Quantity::WindSpeed, twoDecimals, twoDecimals);
    connect(&program.session(), &Session::unitsChanged, this, [this] { showUnits(); });
}

void frmWindCalc::showUnits() {
    const tarnwick::UnitSystem units = program_.session().units();
    for (UnitField* field : {&speed_, &cross_, &tail_}) field->express(units, tarnwick::readStrict);
    for (QLabel* label : lblMPH) label->setText(unitCaption("MPH", "MPH", tarnwick::Quantity::WindSpeed, units));
}

void frmWindCalc::setInitialArrow() {
    DrawNow = false;
    const ImageSurface& surface = picWind->surface();
    const windcalc::Arrow start = windcalc::initialArrow(surface.width(), surface.height());
    Angle = 0;
    DrawArrow(start.startX, start.startY, start.endX, start.endY);
}

void frmWindCalc::Form_Initialize() { setInitialArrow(); }

void frmWindCalc::Form_Load() {
    setInitialArrow();
    showUnits();
    adjustSize();
    centreOnScreen(*this);
}

void frmWindCalc::Form_Activate() {
    // The background is drawn afresh at every activation. Its circles and caption are
    // smoothed at their edges, and drawing them over themselves again and again would
    // thicken them, so the picture is cleared first and the arrow drawn back on top.
    ImageSurface& surface = picWind->surface();
    surface.clear();
    windcalc::drawRangeBackground(surface);
    windcalc::drawArrow(surface, arrow(), Angle, tarnwick::colours::Black);
    picWind->refresh();
}

void frmWindCalc::DrawArrow(std::int16_t tailX, std::int16_t tailY, std::int16_t headX, std::int16_t headY) {
    ImageSurface& surface = picWind->surface();
    windcalc::drawArrow(surface, arrow(), Angle, tarnwick::colours::White);
    StartX = tailX;
    StartY = tailY;
    EndX = headX;
    EndY = headY;
    // Tail and head at the same point have no direction: the old one is kept.
    if (const auto direction = windcalc::arrowAngle(arrow(), surface.height())) Angle = *direction;
    windcalc::drawArrow(surface, arrow(), Angle, tarnwick::colours::Black);
    picWind->refresh();
}

void frmWindCalc::pointerToArrow(double x, double y) {
    const ImageSurface& surface = picWind->surface();
    // The exact centre has no direction: the arrow stays as it is.
    if (const auto next = windcalc::arrowForPointer(x, y, surface.width(), surface.height()))
        DrawArrow(next->startX, next->startY, next->endX, next->endY);
}

void frmWindCalc::picWind_MouseDown(Qt::MouseButton, double x, double y) {
    DrawNow = true;
    pointerToArrow(x, y);
}

void frmWindCalc::picWind_MouseMove(Qt::MouseButton, double x, double y) {
    if (DrawNow) pointerToArrow(x, y);
}

void frmWindCalc::picWind_MouseUp(Qt::MouseButton, double, double) {
    DrawNow = false;
    const std::optional<double> speed = speed_.stored(tarnwick::readStrict);
    if (!speed) {
        program_.showMessage(this, QStringLiteral("Wind Speed must be a number."), MessageIcon::Exclamation, kTitle);
        txtWindSpeed->setFocus();
        txtWindSpeed->selectAll();
        return;
    }
    const windcalc::Components wind = windcalc::windComponents(*speed, Angle);
    const tarnwick::UnitSystem units = program_.session().units();
    cross_.show(wind.cross, units);
    tail_.show(wind.tail, units);
}

void frmWindCalc::cmdDone_Click() { hide(); }

void frmWindCalc::mnuHelp_Click() {
    // The text ends with one more line break after its five lines.
    program_.showMessage(this,
                joinLines({"To find the tail wind and cross wind components of",
                           "the average wind velocity, enter the wind speed into",
                           "the <Input:> box and then use your mouse (and the",
                           "left click button) to set the direction of the wind",
                           "relative to your line of sight."}) +
                    QStringLiteral("\r\n"),
                MessageIcon::Information, QStringLiteral("Using the Cross & Tail Wind Calculator"));
}
