#pragma once
// "Long-Range Effects": the inputs only the point-mass model flies. The twist (inches per
// turn, right or left hand) and the bullet's length and diameter give the spin drift and
// the gyroscopic stability Sg, shown as the boxes change; the latitude and the azimuth of
// fire give the earth's rotation; the powder sensitivity carries the muzzle velocity to
// the hunting temperature; up to three wind zones give the wind down the range.
// An empty twist or length is unknown (no spin drift), an empty latitude leaves the
// earth's rotation out, an empty sensitivity keeps the classic rule, and a zone with
// three empty boxes is no zone. OK checks every box before it stores anything. In metric
// the length and diameter are in mm, the sensitivity in m/s per deg C, the zones in m
// and m/s.
#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "Program.h"
#include "UnitField.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmLongRange : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmLongRange(Program& program);

    void Form_Load() override;  // centre; the session's values
    void cmdOK_Click();

    static constexpr int kZones = 3;

    QLineEdit* txtTwist = nullptr;  // inches per turn
    QRadioButton* optRightHand = nullptr;
    QRadioButton* optLeftHand = nullptr;
    QLineEdit* txtLength = nullptr;    // inches
    QLineEdit* txtDiameter = nullptr;  // inches
    QLabel* lblSg = nullptr;
    QLineEdit* txtLatitude = nullptr;  // degrees, north positive
    QLineEdit* txtAzimuth = nullptr;   // degrees east of true north
    QLineEdit* txtPowderSens = nullptr;  // ft/s per deg F
    std::array<QLineEdit*, kZones> txtZoneUntil{};  // yards
    std::array<QLineEdit*, kZones> txtZoneSpeed{};  // mph
    std::array<QLineEdit*, kZones> txtZoneClock{};  // the clock hour the wind comes from
    QPushButton* cmdOK = nullptr;

private:
    void build();
    void showValues();
    void showUnits();
    void showStability();

    Program& program_;
    UnitField length_, diameter_, sensitivity_;
    std::array<UnitField, kZones> until_, speed_;
    QLabel* lblLengthUnit = nullptr;
    QLabel* lblDiameterUnit = nullptr;
    QLabel* lblSensUnit = nullptr;
    QLabel* lblUntilHeader = nullptr;
    QLabel* lblSpeedHeader = nullptr;
    // The zones as shown: a row the user left as it was keeps its zone exactly, though
    // its clock hour is shown rounded.
    std::vector<tarnwick::WindZone> shownZones_;
    std::array<QString, kZones> shownClocks_;
};
