#pragma once
// "Muzzle Velocity Calculator": carries a muzzle velocity measured at one air or
// cartridge temperature to another by the rule of thumb the hunting conditions use
// (tarnwick::muzzleVelocityAt, 1.5 ft/s per degree Fahrenheit). A stand-alone tool: it
// reads nothing of the shot parameters; the user copies the result into the run
// parameters by hand. Its second group works out a load's powder sensitivity from two
// velocities measured at two temperatures and, on "Use as powder sensitivity", stores it
// for the point-mass model and announces the change. In metric it takes and shows m/s
// and deg C.
#include <QDialog>
#include <optional>

#include "Program.h"
#include "UnitField.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

class frmMVCalc : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmMVCalc(Program& program);

    QMenuBar* menuBar = nullptr;
    QMenu* mnuFaq = nullptr;
    QAction* mnuWhat = nullptr;
    QAction* mnuHow = nullptr;
    QLabel* txtMeasuredVel = nullptr;  // a label, despite its name
    QLineEdit* txtMMVel = nullptr;     // measured muzzle velocity, ft/s
    QLabel* lblFPS = nullptr;
    QLabel* lblMTemp = nullptr;
    QLineEdit* txtMTemp = nullptr;  // temperature at measurement, deg F
    QLabel* lblMT = nullptr;
    QLabel* lblCalcT = nullptr;
    QLineEdit* txtCalcT = nullptr;  // temperature wanted, deg F
    QLabel* lblCT = nullptr;
    QPushButton* cmdCalculate = nullptr;
    QLabel* lblCalcMV = nullptr;
    QLineEdit* txtCalcMV = nullptr;  // result, ft/s
    QLabel* lblCFPS = nullptr;
    QPushButton* cmdDone = nullptr;
    // Two measured (temperature, velocity) points, deg F and ft/s.
    QLineEdit* txtSensT1 = nullptr;
    QLineEdit* txtSensV1 = nullptr;
    QLineEdit* txtSensT2 = nullptr;
    QLineEdit* txtSensV2 = nullptr;
    QPushButton* cmdUseSens = nullptr;
    QLabel* lblSensResult = nullptr;

    void Form_Load() override;
    void cmdCalculate_Click();
    void cmdDone_Click();
    void cmdUseSens_Click();
    void mnuWhat_Click();
    void mnuHow_Click();

private:
    // The stored (imperial) number of a box; otherwise a message naming the field, the
    // box gets the focus and std::nullopt comes back.
    std::optional<double> readField(const UnitField& field, const QString& fieldName);
    void showUnits();
    QWidget* buildSensitivityGroup();

    Program& program_;
    UnitField measuredVelocity_, measuredTemperature_, wantedTemperature_, calculatedVelocity_;
    UnitField sensT1_, sensV1_, sensT2_, sensV2_;
    QLabel* lblSensT = nullptr;
    QLabel* lblSensV = nullptr;
};
