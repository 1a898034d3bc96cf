#include "frmSetEnv.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPalette>
#include <QVBoxLayout>
#include <iterator>
#include <optional>

#include "DialogSupport.h"
#include "FormSupport.h"
#include "frmWindCalc.h"

namespace {
// Miles per hour to the engine's wind units.
constexpr double kCrossWindFactor = 17.6;                       // in/s per mph
constexpr double kTailWindMultiplier = 22, kTailWindDivisor = 15;  // ft/s per mph, as 22 / 15

const QColor kTargetModeText(64, 64, 64);

void paint(QWidget* widget, const QColor& background, const QColor& text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
}  // namespace

frmSetEnv::frmSetEnv(Program& program) : program_(program) {
    setObjectName("frmSetEnv");
    setWindowTitle("Set Environmental Variables");
    buildFrames();
    buildMenu();
    adjustSize();
    connect(cmdSet, &QPushButton::clicked, this, [this] { cmdSet_Click(); });
}

void frmSetEnv::addRow(QGridLayout* grid, QWidget* frame, QLabel*& label, const char* labelName, const char* caption,
                       QLineEdit*& box, const char* boxName, const char* text, QLabel*& unit, const char* unitName,
                       const char* unitCaption) {
    const int row = grid->rowCount();
    label = new QLabel(caption, frame);
    label->setObjectName(labelName);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box = new QLineEdit(text, frame);
    box->setObjectName(boxName);
    box->setFixedWidth(80);
    label->setBuddy(box);
    unit = new QLabel(unitCaption, frame);
    unit->setObjectName(unitName);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(unit, row, 2);
}

void frmSetEnv::buildFrames() {
    fraRange = new QGroupBox("Range Conditions:", this);
    fraRange->setObjectName("fraRange");
    auto* range = new QGridLayout(fraRange);
    addRow(range, fraRange, lblRAltitude, "lblRAltitude", "Altitude:", txtRAltitude, "txtRAltitude", "0", lblRFeet,
           "lblRFeet", "Ft.");
    addRow(range, fraRange, lblRBarPress, "lblRBarPress", "Barrometric Pressure:", txtRBarPres, "txtRBarPres", "29.53",
           lblRMMerc, "lblRMMerc", "MM");
    addRow(range, fraRange, lblRTemperature, "lblRTemperature", "Temperature:", txtRTemperature, "txtRTemperature",
           "59", lblRFarenheight, "lblRFarenheight", "F");
    addRow(range, fraRange, lblRRelHumid, "lblRRelHumid", "Relative Humidity:", txtRRelHum, "txtRRelHum", "67",
           lblRPercent, "lblRPercent", "%");
    addRow(range, fraRange, lblCrossWind, "lblCrossWind", "Cross Wind:", txtRCrossWind, "txtRCrossWind", "0", lblMPH,
           "lblMPH", "MPH");
    addRow(range, fraRange, lblTailWind, "lblTailWind", "Tail Wind:", txtRTailWind, "txtRTailWind", "0", lblMPH2,
           "lblMPH2", "MPH");

    fraHunting = new QGroupBox("Hunting Conditions:", this);
    fraHunting->setObjectName("fraHunting");
    auto* hunting = new QGridLayout(fraHunting);
    addRow(hunting, fraHunting, lblHAltitude, "lblHAltitude", "Altitude:", txtHAltitude, "txtHAltitude", "0",
           lblHFeet, "lblHFeet", "Ft.");
    addRow(hunting, fraHunting, lblHBarPress, "lblHBarPress", "Barrometric Pressure:", txtHBarPres, "txtHBarPres",
           "29.53", lblHMMerc, "lblHMMerc", "MM");
    addRow(hunting, fraHunting, lblHTemperature, "lblHTemperature", "Temperature:", txtHTemperature,
           "txtHTemperature", "59", lblHFarenheight, "lblHFarenheight", "F");
    addRow(hunting, fraHunting, lblHRelHumid, "lblHRelHumid", "Relative Humidity:", txtHRelHum, "txtHRelHum", "67",
           lblHPercent, "lblHPercent", "%");
    addRow(hunting, fraHunting, lblHCW, "lblHCW", "Cross Wind:", txtHCrossWind, "txtHCrossWind", "0", lblMPH3,
           "lblMPH3", "MPH");
    addRow(hunting, fraHunting, lblHTW, "lblHTW", "Tail Wind:", txtHTailWind, "txtHTailWind", "0", lblMPH4, "lblMPH4",
           "MPH");
    // The hunting boxes are hidden in Target mode; keep their column so the frame does
    // not change its size between the two looks.
    for (QLineEdit* box : huntingBoxes()) {
        QSizePolicy policy = box->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        box->setSizePolicy(policy);
    }

    cmdSet = acceptButton(this, "cmdSet", "OK");

    auto* frames = new QHBoxLayout;
    frames->addWidget(fraRange);
    frames->addWidget(fraHunting);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(centredRow(cmdSet));
}

void frmSetEnv::buildMenu() {
    menuBar = new QMenuBar(this);
    mnuHelp = menuBar->addMenu("Help");
    mnuHelp->setObjectName("mnuHelp");
    mnuRangeHelp = mnuHelp->addAction("How To Set Range Conditions");
    mnuRangeHelp->setObjectName("mnuRangeHelp");
    mnuHuntingHelp = mnuHelp->addAction("How To Set Hunting Conditions");
    mnuHuntingHelp->setObjectName("mnuHuntingHelp");
    mnuTools = menuBar->addMenu("Tools");
    mnuTools->setObjectName("mnuTools");
    mnuCalc = mnuTools->addAction("Cross && Tail Wind Calculator");
    mnuCalc->setObjectName("mnuCalc");
    layout()->setMenuBar(menuBar);

    connect(mnuRangeHelp, &QAction::triggered, this, [this] { mnuRangeHelp_Click(); });
    connect(mnuHuntingHelp, &QAction::triggered, this, [this] { mnuHuntingHelp_Click(); });
    connect(mnuCalc, &QAction::triggered, this, [this] { mnuCalc_Click(); });
}

std::vector<QLabel*> frmSetEnv::huntingLabels() const {
    return {lblHAltitude, lblHBarPress, lblHTemperature, lblHRelHumid, lblHFeet, lblHMMerc,
            lblHFarenheight, lblHPercent, lblHCW, lblHTW, lblMPH3, lblMPH4};
}

std::vector<QLineEdit*> frmSetEnv::huntingBoxes() const {
    return {txtHAltitude, txtHBarPres, txtHTemperature, txtHRelHum, txtHCrossWind, txtHTailWind};
}

QColor frmSetEnv::huntingBackground(bool huntingMode) {
    return huntingMode ? QColor(137, 255, 255) : QColor(128, 128, 128);
}

void frmSetEnv::Form_Load() {
    centreOnScreen(*this);
    // The session's conditions; the winds as they were typed.
    const auto& p = program_.params();
    const WindTexts& winds = program_.session().windTexts();
    const std::pair<QLineEdit*, QString> shown[] = {
        {txtRAltitude, numberText(p.Altitude)},
        {txtRBarPres, numberText(p.BarometricPressure)},
        {txtRTemperature, numberText(p.Temperature)},
        {txtRRelHum, numberText(p.RelHumidity)},
        {txtRCrossWind, QString::fromStdString(winds.rangeCross)},
        {txtRTailWind, QString::fromStdString(winds.rangeTail)},
        {txtHAltitude, numberText(p.HAltitude)},
        {txtHBarPres, numberText(p.HBarometricPressure)},
        {txtHTemperature, numberText(p.HTemperature)},
        {txtHRelHum, numberText(p.HRelHumidity)},
        {txtHCrossWind, QString::fromStdString(winds.huntingCross)},
        {txtHTailWind, QString::fromStdString(winds.huntingTail)},
    };
    for (const auto& [box, text] : shown) box->setText(text);
}

void frmSetEnv::Form_Activate() {
    const bool hunting = program_.params().HuntingMode;
    const QColor background = huntingBackground(hunting);
    const QColor text = hunting ? QApplication::palette().color(QPalette::ButtonText) : kTargetModeText;
    paint(fraHunting, background, text);
    for (QLabel* label : huntingLabels()) paint(label, background, text);
    for (QLineEdit* box : huntingBoxes()) box->setEnabled(hunting);
    for (QLineEdit* box : huntingBoxes()) box->setVisible(hunting);
}

void frmSetEnv::cmdSet_Click() {
    // Every box is read before anything is stored, so a refused value leaves the
    // parameter set exactly as it was.
    struct Field {
        QLineEdit* box;
        const char* name;
        double multiplier = 1;
        double divisor = 1;
    };
    const Field fields[] = {
        {txtRAltitude, "the Altitude (Range Conditions)"},
        {txtRBarPres, "the Barrometric Pressure (Range Conditions)"},
        {txtRTemperature, "the Temperature (Range Conditions)"},
        {txtRRelHum, "the Relative Humidity (Range Conditions)"},
        {txtRCrossWind, "the Cross Wind (Range Conditions)", kCrossWindFactor},
        {txtRTailWind, "the Tail Wind (Range Conditions)", kTailWindMultiplier, kTailWindDivisor},
        {txtHAltitude, "the Altitude (Hunting Conditions)"},
        {txtHBarPres, "the Barrometric Pressure (Hunting Conditions)"},
        {txtHTemperature, "the Temperature (Hunting Conditions)"},
        {txtHRelHum, "the Relative Humidity (Hunting Conditions)"},
        {txtHCrossWind, "the Cross Wind (Hunting Conditions)", kCrossWindFactor},
        {txtHTailWind, "the Tail Wind (Hunting Conditions)", kTailWindMultiplier, kTailWindDivisor},
    };
    double values[std::size(fields)];
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        const std::optional<double> value =
            readNumberBox(program_, this, fields[i].box, fields[i].name, fields[i].multiplier, fields[i].divisor);
        if (!value) return;
        values[i] = *value;
    }

    // The hunting values are stored in Target mode too, although their boxes are hidden.
    auto& p = program_.params();
    p.Altitude = values[0];
    p.BarometricPressure = values[1];
    p.Temperature = values[2];
    p.RelHumidity = values[3];
    p.RCrossWind = values[4];
    p.RTailWind = values[5];
    p.HAltitude = values[6];
    p.HBarometricPressure = values[7];
    p.HTemperature = values[8];
    p.HRelHumidity = values[9];
    p.HCrossWind = values[10];
    p.HTailWind = values[11];

    const auto text = [](const QLineEdit* box) { return box->text().toStdString(); };
    program_.session().environmentSet(
        {text(txtRTailWind), text(txtRCrossWind), text(txtHTailWind), text(txtHCrossWind)});
    emit accepted();
    hide();
}

void frmSetEnv::mnuCalc_Click() { program_.showBlocking(program_.window<frmWindCalc>()); }

void frmSetEnv::mnuRangeHelp_Click() {
    program_.showMessage(this,
                joinLines({"The Range Conditions should be those present when the",
                           "measurements of muzzle velocity were taken.  Ideally these would",
                           "also be the conditions when the gun was sighted in.  If the",
                           "conditions are/were different between these two events, one",
                           "should use the <Hunting> mode and use the Hunting conditions form",
                           "to specify those present during sight-in."}),
                MessageIcon::Information, "Range Conditions:");
}

void frmSetEnv::mnuHuntingHelp_Click() {
    program_.showMessage(this,
                joinLines({"The Hunting Conditions are only used and enabled if the",
                           "Hunting mode was selected (see <Run/Set Run Parameters...>).",
                           "The Hunting conditions are those present any time other",
                           "than when the measurements of muzzle velocity were taken.",
                           "This would include field conditions during a hunt or sighting",
                           "in a rifle separately from taking muzzle velocity measurements."}),
                MessageIcon::Information, "Hunting Conditions:");
}
