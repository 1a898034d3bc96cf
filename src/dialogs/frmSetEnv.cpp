#include "frmSetEnv.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPalette>
#include <QVBoxLayout>
#include <charconv>
#include <cmath>
#include <iterator>
#include <optional>
#include <tuple>

#include "Atmosphere.h"
#include "Constants.h"
#include "DialogSupport.h"
#include "FormSupport.h"
#include "NumberText.h"
#include "Report.h"
#include "frmWindCalc.h"

namespace {
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
    using tarnwick::Quantity;
    rAltitude_ = UnitField(txtRAltitude, Quantity::Distance);
    rPressure_ = UnitField(txtRBarPres, Quantity::Pressure);
    rTemperature_ = UnitField(txtRTemperature, Quantity::Temperature);
    rCrossWind_ = UnitField(txtRCrossWind, Quantity::WindSpeed);
    rTailWind_ = UnitField(txtRTailWind, Quantity::WindSpeed);
    hAltitude_ = UnitField(txtHAltitude, Quantity::Distance);
    hPressure_ = UnitField(txtHBarPres, Quantity::Pressure);
    hTemperature_ = UnitField(txtHTemperature, Quantity::Temperature);
    hCrossWind_ = UnitField(txtHCrossWind, Quantity::WindSpeed);
    hTailWind_ = UnitField(txtHTailWind, Quantity::WindSpeed);
    connect(&program.session(), &Session::unitsChanged, this, [this] {
        showUnits();
        showDensityAltitudes();
    });
    connect(&program.session(), &Session::dragFunctionChanged, this, [this] { showPressureChoice(); });
    for (QLineEdit* box : {txtRAltitude, txtRBarPres, txtRTemperature, txtHAltitude, txtHBarPres, txtHTemperature})
        connect(box, &QLineEdit::textChanged, this, [this] { showDensityAltitudes(); });
    connect(optSeaLevelPressure, &QRadioButton::toggled, this, [this] { showDensityAltitudes(); });
    connect(cmdSet, &QPushButton::clicked, this, [this] { cmdSet_Click(); });
}

void frmSetEnv::showPressureChoice() {
    const tarnwick::ShotParameters& p = program_.params();
    const bool pointMass = p.Model == tarnwick::BallisticModelKind::PointMass;
    (tarnwick::pressureReadAsSeaLevel(p) ? optSeaLevelPressure : optStationPressure)->setChecked(true);
    for (QRadioButton* option : {optStationPressure, optSeaLevelPressure}) {
        option->setEnabled(pointMass);
        option->setToolTip(pointMass ? QString() : "The classic model reads every pressure as a sea-level pressure.");
    }
}

void frmSetEnv::showDensityAltitudes() {
    const tarnwick::UnitSystem units = program_.session().units();
    const bool seaLevel = optSeaLevelPressure->isChecked();
    const auto show = [&](QLabel* label, const UnitField& altitude, const UnitField& pressure,
                          const UnitField& temperature) {
        const double feet = tarnwick::densityAltitude(altitude.stored().value_or(0), pressure.stored().value_or(0),
                                                      temperature.stored().value_or(0), seaLevel);
        const std::string text = std::isfinite(feet) ? tarnwick::densityAltitudeText(feet, units) : "-";
        label->setText(QString::fromStdString("Density altitude: " + text));
    };
    show(lblRDensityAlt, rAltitude_, rPressure_, rTemperature_);
    show(lblHDensityAlt, hAltitude_, hPressure_, hTemperature_);
}

std::vector<UnitField*> frmSetEnv::unitFields() {
    return {&rAltitude_, &rPressure_, &rTemperature_, &rCrossWind_, &rTailWind_,
            &hAltitude_, &hPressure_, &hTemperature_, &hCrossWind_, &hTailWind_};
}

void frmSetEnv::showUnits() {
    using tarnwick::Quantity;
    const tarnwick::UnitSystem units = program_.session().units();
    for (UnitField* field : unitFields()) field->express(units);
    const struct {
        QLabel* label;
        const char* imperial;
        Quantity quantity;
    } labels[] = {{lblRFeet, "Ft.", Quantity::Distance},        {lblHFeet, "Ft.", Quantity::Distance},
                  {lblRMMerc, "MM", Quantity::Pressure},        {lblHMMerc, "MM", Quantity::Pressure},
                  {lblRFarenheight, "F", Quantity::Temperature}, {lblHFarenheight, "F", Quantity::Temperature},
                  {lblMPH, "MPH", Quantity::WindSpeed},          {lblMPH2, "MPH", Quantity::WindSpeed},
                  {lblMPH3, "MPH", Quantity::WindSpeed},         {lblMPH4, "MPH", Quantity::WindSpeed}};
    for (const auto& l : labels) l.label->setText(unitCaption(l.imperial, l.imperial, l.quantity, units));
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
    for (auto [grid, frame, label, name] : {std::tuple{range, fraRange, &lblRDensityAlt, "lblRDensityAlt"},
                                            std::tuple{hunting, fraHunting, &lblHDensityAlt, "lblHDensityAlt"}}) {
        *label = new QLabel(frame);
        (*label)->setObjectName(name);
        grid->addWidget(*label, grid->rowCount(), 0, 1, 3);
    }
    optStationPressure = new QRadioButton("Station pressure", this);
    optStationPressure->setObjectName("optStationPressure");
    optSeaLevelPressure = new QRadioButton("Sea-level pressure (weather report)", this);
    optSeaLevelPressure->setObjectName("optSeaLevelPressure");
    auto* pressureChoice = new QHBoxLayout;
    pressureChoice->addWidget(new QLabel("Barrometric Pressures are:", this));
    pressureChoice->addWidget(optStationPressure);
    pressureChoice->addWidget(optSeaLevelPressure);
    pressureChoice->addStretch();

    // The hunting boxes are hidden in Target mode; keep their column so the frame does
    // not change its size between the two looks.
    const std::vector<QLineEdit*> boxes = huntingBoxes();
    std::vector<QWidget*> hidden(boxes.begin(), boxes.end());
    hidden.push_back(lblHDensityAlt);
    for (QWidget* widget : hidden) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }

    cmdSet = acceptButton(this, "cmdSet", "OK");

    auto* frames = new QHBoxLayout;
    frames->addWidget(fraRange);
    frames->addWidget(fraHunting);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(pressureChoice);
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
    // The session's conditions; the winds as they were typed (in mph), converted in metric.
    const auto& p = program_.params();
    const WindTexts& winds = program_.session().windTexts();
    const tarnwick::UnitSystem units = program_.session().units();
    const std::pair<UnitField*, double> shown[] = {
        {&rAltitude_, p.Altitude},   {&rPressure_, p.BarometricPressure},  {&rTemperature_, p.Temperature},
        {&hAltitude_, p.HAltitude},  {&hPressure_, p.HBarometricPressure}, {&hTemperature_, p.HTemperature},
    };
    for (const auto& [field, stored] : shown) field->show(stored, units);
    txtRRelHum->setText(numberText(p.RelHumidity));
    txtHRelHum->setText(numberText(p.HRelHumidity));
    const std::pair<UnitField*, const std::string&> typed[] = {
        {&rCrossWind_, winds.rangeCross},
        {&rTailWind_, winds.rangeTail},
        {&hCrossWind_, winds.huntingCross},
        {&hTailWind_, winds.huntingTail},
    };
    for (const auto& [field, text] : typed) {
        field->showText(QString::fromStdString(text), tarnwick::UnitSystem::Imperial);
        field->express(units);
    }
    showUnits();
    showPressureChoice();
    showDensityAltitudes();
}

void frmSetEnv::Form_Activate() {
    const bool hunting = program_.params().HuntingMode;
    const QColor background = huntingBackground(hunting);
    const QColor text = hunting ? QApplication::palette().color(QPalette::ButtonText) : kTargetModeText;
    paint(fraHunting, background, text);
    for (QLabel* label : huntingLabels()) paint(label, background, text);
    for (QLineEdit* box : huntingBoxes()) box->setEnabled(hunting);
    for (QLineEdit* box : huntingBoxes()) box->setVisible(hunting);
    lblHDensityAlt->setVisible(hunting);
}

void frmSetEnv::cmdSet_Click() {
    // Every box is read before anything is stored, so a refused value leaves the
    // parameter set exactly as it was.
    // Boxes with units are read as their stored (imperial) values; the humidity as typed.
    struct Field {
        QLineEdit* box;
        const UnitField* units;
        const char* name;
        double multiplier = 1;
        double divisor = 1;
    };
    const Field fields[] = {
        {txtRAltitude, &rAltitude_, "the Altitude (Range Conditions)"},
        {txtRBarPres, &rPressure_, "the Barrometric Pressure (Range Conditions)"},
        {txtRTemperature, &rTemperature_, "the Temperature (Range Conditions)"},
        {txtRRelHum, nullptr, "the Relative Humidity (Range Conditions)"},
        {txtRCrossWind, &rCrossWind_, "the Cross Wind (Range Conditions)", tarnwick::kCrossWindPerMph},
        {txtRTailWind, &rTailWind_, "the Tail Wind (Range Conditions)", tarnwick::kTailWindPerMphNumerator,
         tarnwick::kTailWindPerMphDenominator},
        {txtHAltitude, &hAltitude_, "the Altitude (Hunting Conditions)"},
        {txtHBarPres, &hPressure_, "the Barrometric Pressure (Hunting Conditions)"},
        {txtHTemperature, &hTemperature_, "the Temperature (Hunting Conditions)"},
        {txtHRelHum, nullptr, "the Relative Humidity (Hunting Conditions)"},
        {txtHCrossWind, &hCrossWind_, "the Cross Wind (Hunting Conditions)", tarnwick::kCrossWindPerMph},
        {txtHTailWind, &hTailWind_, "the Tail Wind (Hunting Conditions)", tarnwick::kTailWindPerMphNumerator,
         tarnwick::kTailWindPerMphDenominator},
    };
    double values[std::size(fields)];
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        const Field& f = fields[i];
        const std::optional<double> value =
            f.units ? readNumberBox(program_, this, *f.units, f.name, f.multiplier, f.divisor)
                    : readNumberBox(program_, this, f.box, f.name, f.multiplier, f.divisor);
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
    // The classic model has no choice to store; the point-mass one keeps its own.
    if (p.Model == tarnwick::BallisticModelKind::PointMass) p.PressureIsSeaLevel = optSeaLevelPressure->isChecked();

    // The report quotes the winds as typed in mph. A wind typed in metric is kept as the
    // shortest mph text that reads back as its stored value; an unchanged one keeps the
    // text it had.
    const WindTexts& before = program_.session().windTexts();
    const auto text = [](const UnitField& field, const std::string& previous) {
        if (field.units() == tarnwick::UnitSystem::Imperial) return field.box()->text().toStdString();
        const double mph = field.stored().value_or(0);
        if (mph == tarnwick::readLenient(previous)) return previous;
        char buffer[40];
        return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, mph).ptr);
    };
    program_.session().environmentSet({text(rTailWind_, before.rangeTail), text(rCrossWind_, before.rangeCross),
                                       text(hTailWind_, before.huntingTail), text(hCrossWind_, before.huntingCross)});
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
