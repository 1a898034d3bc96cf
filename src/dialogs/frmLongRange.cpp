#include "frmLongRange.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "CalculatorControls.h"
#include "DialogSupport.h"
#include "FormSupport.h"
#include "LongRangeEffects.h"
#include "NumberText.h"
#include "Wind.h"

namespace {

using tarnwick::Quantity;

// What one box must hold. `field` is null for a box without units; `fits` checks the
// stored (imperial) number.
struct Rule {
    QLineEdit* box;
    const UnitField* field;
    QString name;  // as the message names it
    const char* must;
    bool mayBeEmpty;
    bool (*fits)(double);
};

// The same limits as the command line and load files, so that a load saved from what the
// dialog took opens again.
bool anyNumber(double) { return true; }
bool aboveZero(double value) { return value > 0; }
bool notBelowZero(double value) { return value >= 0; }
bool bulletSize(double value) { return value > 0 && value <= tarnwick::kLargestEffectSize; }
bool diameter(double value) { return value >= tarnwick::kSmallestDiameter && value <= tarnwick::kLargestEffectSize; }
bool latitude(double value) { return std::fabs(value) <= tarnwick::kLargestLatitude; }
bool azimuth(double value) { return std::fabs(value) <= tarnwick::kLargestAzimuth; }
bool clockHour(double value) { return value >= 0 && value <= 12; }

bool isEmpty(const QLineEdit* box) { return box->text().trimmed().isEmpty(); }

QLabel* caption(QWidget* parent, const QString& text, QLineEdit* buddy) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

frmLongRange::frmLongRange(Program& program) : program_(program) {
    setObjectName("frmLongRange");
    setWindowTitle("Long-Range Effects");
    build();
    length_ = UnitField(txtLength, Quantity::BulletSize);
    diameter_ = UnitField(txtDiameter, Quantity::BulletSize);
    sensitivity_ = UnitField(txtPowderSens, Quantity::PowderSensitivity);
    for (int i = 0; i < kZones; ++i) {
        until_[i] = UnitField(txtZoneUntil[i], Quantity::Range);
        // Speeds worked back from the stored components show six digits, as metric ones do.
        speed_[i] = UnitField(txtZoneSpeed[i], Quantity::WindSpeed, UnitField::defaultMetricText);
    }
    connect(&program.session(), &Session::unitsChanged, this, [this] { showUnits(); });
    // Values stored elsewhere (a load, the sensitivity from the velocity calculator) show here.
    connect(&program.session(), &Session::parametersChanged, this, [this] { showValues(); });
    for (QLineEdit* box : {txtTwist, txtLength, txtDiameter})
        connect(box, &QLineEdit::textChanged, this, [this] { showStability(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmLongRange::build() {
    auto* spin = new QGroupBox("Spin Drift:", this);
    auto* spinGrid = new QGridLayout(spin);
    txtTwist = numberBox("txtTwist");
    optRightHand = named(new QRadioButton("Right hand", spin), "optRightHand");
    optLeftHand = named(new QRadioButton("Left hand", spin), "optLeftHand");
    txtLength = numberBox("txtLength");
    txtDiameter = numberBox("txtDiameter");
    lblSg = named(new QLabel(spin), "lblSg");
    lblLengthUnit = named(new QLabel(spin), "lblLengthUnit");
    lblDiameterUnit = named(new QLabel(spin), "lblDiameterUnit");
    spinGrid->addWidget(caption(spin, "Twist rate:", txtTwist), 0, 0);
    spinGrid->addWidget(txtTwist, 0, 1);
    spinGrid->addWidget(new QLabel("in per turn (empty: not known)", spin), 0, 2);
    auto* hands = new QHBoxLayout;
    hands->addWidget(optRightHand);
    hands->addWidget(optLeftHand);
    hands->addStretch();
    spinGrid->addLayout(hands, 1, 1, 1, 2);
    spinGrid->addWidget(caption(spin, "Bullet length:", txtLength), 2, 0);
    spinGrid->addWidget(txtLength, 2, 1);
    spinGrid->addWidget(lblLengthUnit, 2, 2);
    spinGrid->addWidget(caption(spin, "Bullet diameter:", txtDiameter), 3, 0);
    spinGrid->addWidget(txtDiameter, 3, 1);
    spinGrid->addWidget(lblDiameterUnit, 3, 2);
    spinGrid->addWidget(lblSg, 4, 0, 1, 3);

    auto* earth = new QGroupBox("Earth's Rotation:", this);
    auto* earthGrid = new QGridLayout(earth);
    txtLatitude = numberBox("txtLatitude");
    txtAzimuth = numberBox("txtAzimuth");
    earthGrid->addWidget(caption(earth, "Latitude:", txtLatitude), 0, 0);
    earthGrid->addWidget(txtLatitude, 0, 1);
    earthGrid->addWidget(new QLabel("degrees, north positive (empty: off)", earth), 0, 2);
    earthGrid->addWidget(caption(earth, "Azimuth of fire:", txtAzimuth), 1, 0);
    earthGrid->addWidget(txtAzimuth, 1, 1);
    earthGrid->addWidget(new QLabel("degrees from true north", earth), 1, 2);

    auto* powder = new QGroupBox("Powder Temperature:", this);
    auto* powderGrid = new QGridLayout(powder);
    txtPowderSens = numberBox("txtPowderSens");
    lblSensUnit = named(new QLabel(powder), "lblSensUnit");
    powderGrid->addWidget(caption(powder, "Powder sensitivity:", txtPowderSens), 0, 0);
    powderGrid->addWidget(txtPowderSens, 0, 1);
    powderGrid->addWidget(lblSensUnit, 0, 2);

    auto* zones = new QGroupBox("Wind by Range (empty: the single wind of the conditions):", this);
    auto* zoneGrid = new QGridLayout(zones);
    lblUntilHeader = named(new QLabel(zones), "lblUntilHeader");
    lblSpeedHeader = named(new QLabel(zones), "lblSpeedHeader");
    zoneGrid->addWidget(lblUntilHeader, 0, 1);
    zoneGrid->addWidget(lblSpeedHeader, 0, 2);
    zoneGrid->addWidget(new QLabel("From (o'clock)", zones), 0, 3);
    for (int i = 0; i < kZones; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        txtZoneUntil[i] = numberBox(("txtZoneUntil" + n).constData());
        txtZoneSpeed[i] = numberBox(("txtZoneSpeed" + n).constData());
        txtZoneClock[i] = numberBox(("txtZoneClock" + n).constData());
        zoneGrid->addWidget(caption(zones, QStringLiteral("Zone %1:").arg(i + 1), txtZoneUntil[i]), i + 1, 0);
        zoneGrid->addWidget(txtZoneUntil[i], i + 1, 1);
        zoneGrid->addWidget(txtZoneSpeed[i], i + 1, 2);
        zoneGrid->addWidget(txtZoneClock[i], i + 1, 3);
    }

    cmdOK = acceptButton(this, "cmdOK", "OK");
    auto* layout = new QVBoxLayout(this);
    for (QGroupBox* group : {spin, earth, powder, zones}) layout->addWidget(group);
    layout->addLayout(centredRow(cmdOK));
}

void frmLongRange::Form_Load() {
    showValues();
    showUnits();
    adjustSize();
    centreOnScreen(*this);
}

void frmLongRange::showValues() {
    const tarnwick::ShotParameters& p = program_.params();
    const tarnwick::UnitSystem units = program_.session().units();
    const auto optional = [](double value, bool known) { return known ? numberText(value) : QString(); };
    txtTwist->setText(optional(p.TwistRate, p.TwistRate > 0));
    (p.TwistLeft ? optLeftHand : optRightHand)->setChecked(true);
    if (p.BulletLength > 0) length_.show(p.BulletLength, units);
    else length_.showText({}, units);
    diameter_.show(p.BulletDiameter, units);
    txtLatitude->setText(optional(p.Latitude.value_or(0), p.Latitude.has_value()));
    txtAzimuth->setText(numberText(p.Azimuth));
    if (p.PowderSensitivity) sensitivity_.show(*p.PowderSensitivity, units);
    else sensitivity_.showText({}, units);
    shownZones_ = p.WindZones;
    for (std::size_t i = 0; i < kZones; ++i) {
        QString clock;
        if (i < shownZones_.size()) {
            const tarnwick::ClockWind wind = tarnwick::clockWindOf(shownZones_[i]);
            until_[i].show(shownZones_[i].until / 3, units);
            speed_[i].show(wind.mph, units);
            clock = UnitField::defaultMetricText(wind.hour);
        } else {
            until_[i].showText({}, units);
            speed_[i].showText({}, units);
        }
        txtZoneClock[i]->setText(clock);
        shownClocks_[i] = clock;
    }
    showStability();
}

void frmLongRange::showUnits() {
    const tarnwick::UnitSystem units = program_.session().units();
    for (UnitField* field : {&length_, &diameter_, &sensitivity_}) field->express(units, tarnwick::readStrict);
    for (int i = 0; i < kZones; ++i) {
        until_[i].express(units, tarnwick::readStrict);
        speed_[i].express(units, tarnwick::readStrict);
    }
    for (QLabel* label : {lblLengthUnit, lblDiameterUnit})
        label->setText(tarnwick::unitName(Quantity::BulletSize, units));
    lblSensUnit->setText(tarnwick::unitName(Quantity::PowderSensitivity, units));
    lblUntilHeader->setText(QStringLiteral("Until (%1)").arg(tarnwick::unitName(Quantity::Range, units)));
    lblSpeedHeader->setText(QStringLiteral("Speed (%1)").arg(tarnwick::unitName(Quantity::WindSpeed, units)));
}

void frmLongRange::showStability() {
    tarnwick::ShotParameters p = program_.params();
    p.TwistRate = tarnwick::readStrict(txtTwist->text().toStdString()).value_or(0);
    p.BulletLength = length_.stored(tarnwick::readStrict).value_or(0);
    p.BulletDiameter = diameter_.stored(tarnwick::readStrict).value_or(0);
    const double sg = tarnwick::gyroscopicStability(p, false, p.InitialVelocity);
    if (!tarnwick::spinDriftOn(p) || !(p.BulletDiameter > 0) || !std::isfinite(sg)) {
        lblSg->setText("Sg: needs the twist rate, the bullet length and the diameter");
        return;
    }
    const char* verdict = sg < 1.0 ? "  unstable" : sg < 1.4 ? "  marginal" : "";
    lblSg->setText(QString::fromStdString("Gyroscopic stability Sg = " + tarnwick::formatF2(sg)) + verdict);
}

void frmLongRange::cmdOK_Click() {
    std::vector<Rule> rules = {
        {txtTwist, nullptr, "The twist rate", "a number of inches per turn above 0, or empty when it is not known",
         true, bulletSize},
        {txtLength, &length_, "The bullet length", "a number above 0, or empty when it is not known", true, bulletSize},
        {txtDiameter, &diameter_, "The bullet diameter", "a number above 0", false, diameter},
        {txtLatitude, nullptr, "The latitude", "a number of degrees from -90 to 90, or empty to leave the earth out",
         true, latitude},
        {txtAzimuth, nullptr, "The azimuth of fire", "a number of degrees from -360 to 360", false,
         azimuth},
        {txtPowderSens, &sensitivity_, "The powder sensitivity", "a number, or empty for the classic rule", true,
         anyNumber},
    };
    std::vector<int> zoneRows;
    for (int i = 0; i < kZones; ++i) {
        if (isEmpty(txtZoneUntil[i]) && isEmpty(txtZoneSpeed[i]) && isEmpty(txtZoneClock[i])) continue;
        zoneRows.push_back(i);
        const QString zone = QStringLiteral(" of wind zone %1").arg(i + 1);
        rules.push_back({txtZoneUntil[i], &until_[i], "The range" + zone, "a number above 0", false, aboveZero});
        rules.push_back({txtZoneSpeed[i], &speed_[i], "The speed" + zone, "a number not below 0", false, notBelowZero});
        rules.push_back({txtZoneClock[i], nullptr, "The clock hour" + zone, "a number from 0 to 12", false, clockHour});
    }

    // Every box is read before anything is stored, so a refused value changes nothing.
    std::vector<std::optional<double>> values;
    const auto refuse = [this](QLineEdit* box, const QString& text) {
        program_.showMessage(this, text, MessageIcon::Exclamation);
        box->setFocus();
        box->selectAll();
    };
    for (const Rule& rule : rules) {
        std::optional<double> value;
        if (!isEmpty(rule.box))
            value = rule.field ? rule.field->stored(tarnwick::readStrict)
                               : tarnwick::readStrict(rule.box->text().toStdString());
        const bool usable = value ? std::isfinite(*value) && rule.fits(*value) : isEmpty(rule.box) && rule.mayBeEmpty;
        if (!usable) return refuse(rule.box, rule.name + " must be " + rule.must + ".");
        values.push_back(value);
    }
    std::vector<tarnwick::WindZone> zones;
    for (std::size_t z = 0; z < zoneRows.size(); ++z) {
        const int i = zoneRows[z];
        const double yards = *values[6 + 3 * z], mph = *values[7 + 3 * z], hour = *values[8 + 3 * z];
        if (!zones.empty() && !(yards * 3 > zones.back().until))
            return refuse(txtZoneUntil[i], QStringLiteral("The range of wind zone %1 must lie beyond the zone before it.")
                                               .arg(i + 1));
        const bool unchanged = static_cast<std::size_t>(i) < shownZones_.size() && until_[i].unchanged() &&
                               speed_[i].unchanged() && txtZoneClock[i]->text() == shownClocks_[i];
        zones.push_back(unchanged ? shownZones_[i] : tarnwick::windZoneFrom(yards, mph, hour));
    }

    tarnwick::ShotParameters& p = program_.params();
    p.TwistRate = values[0].value_or(0);
    p.TwistLeft = optLeftHand->isChecked();
    p.BulletLength = values[1].value_or(0);
    p.BulletDiameter = *values[2];
    p.Latitude = values[3];
    p.Azimuth = *values[4];
    p.PowderSensitivity = values[5];
    p.WindZones = zones;
    emit accepted();
    hide();
}
