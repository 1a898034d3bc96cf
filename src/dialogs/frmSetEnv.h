#pragma once
// "Set Environmental Variables": the range conditions (under which the muzzle velocity
// was measured and the gun sighted in) and the hunting conditions (used in Hunting mode
// only). Winds are typed in miles per hour; OK stores cross winds in inches per second
// and tail winds in feet per second (tarnwick::kCrossWindPerMph and kTailWindPerMph...).
// Altitudes and temperatures are remembered from one start to the next. In metric the
// boxes show and take m, hPa, deg C and m/s; the stored values and the wind texts the
// report quotes stay imperial.
// Under the point-mass model the typed pressures are either station pressures or the
// sea-level pressures of a weather report; the classic model always reads them as
// sea-level ones, so there the choice shows that and cannot be changed. Each frame shows
// the density altitude of its boxes as they change.
#include <QAction>
#include <QColor>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "Program.h"
#include "UnitField.h"

class QGridLayout;

class frmSetEnv : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmSetEnv(Program& program);

    void Form_Load() override;      // centre; altitudes and temperatures from the remembered settings
    void Form_Activate() override;  // colours and state of the hunting frame from HuntingMode
    void cmdSet_Click();
    void mnuCalc_Click();
    void mnuRangeHelp_Click();
    void mnuHuntingHelp_Click();

    // The hunting frame's background: light cyan in Hunting mode, grey in Target mode.
    static QColor huntingBackground(bool huntingMode);

    QGroupBox* fraRange = nullptr;
    QLabel* lblRAltitude = nullptr;
    QLineEdit* txtRAltitude = nullptr;
    QLabel* lblRFeet = nullptr;
    QLabel* lblRBarPress = nullptr;
    QLineEdit* txtRBarPres = nullptr;
    QLabel* lblRMMerc = nullptr;
    QLabel* lblRTemperature = nullptr;
    QLineEdit* txtRTemperature = nullptr;
    QLabel* lblRFarenheight = nullptr;
    QLabel* lblRRelHumid = nullptr;
    QLineEdit* txtRRelHum = nullptr;
    QLabel* lblRPercent = nullptr;
    QLabel* lblCrossWind = nullptr;
    QLineEdit* txtRCrossWind = nullptr;  // MPH
    QLabel* lblMPH = nullptr;
    QLabel* lblTailWind = nullptr;
    QLineEdit* txtRTailWind = nullptr;  // MPH, negative for a head wind
    QLabel* lblMPH2 = nullptr;

    QGroupBox* fraHunting = nullptr;
    QLabel* lblHAltitude = nullptr;
    QLineEdit* txtHAltitude = nullptr;
    QLabel* lblHFeet = nullptr;
    QLabel* lblHBarPress = nullptr;
    QLineEdit* txtHBarPres = nullptr;
    QLabel* lblHMMerc = nullptr;
    QLabel* lblHTemperature = nullptr;
    QLineEdit* txtHTemperature = nullptr;
    QLabel* lblHFarenheight = nullptr;
    QLabel* lblHRelHumid = nullptr;
    QLineEdit* txtHRelHum = nullptr;
    QLabel* lblHPercent = nullptr;
    QLabel* lblHCW = nullptr;
    QLineEdit* txtHCrossWind = nullptr;  // MPH
    QLabel* lblMPH3 = nullptr;
    QLabel* lblHTW = nullptr;
    QLineEdit* txtHTailWind = nullptr;  // MPH
    QLabel* lblMPH4 = nullptr;

    QLabel* lblRDensityAlt = nullptr;
    QLabel* lblHDensityAlt = nullptr;
    QRadioButton* optStationPressure = nullptr;
    QRadioButton* optSeaLevelPressure = nullptr;

    QPushButton* cmdSet = nullptr;

    QMenuBar* menuBar = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuRangeHelp = nullptr;
    QAction* mnuHuntingHelp = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuCalc = nullptr;

private:
    void buildFrames();
    void buildMenu();
    // Adds one row (field label, text box, unit label) to a frame's grid.
    void addRow(QGridLayout* grid, QWidget* frame, QLabel*& label, const char* labelName, const char* caption,
                QLineEdit*& box, const char* boxName, const char* text, QLabel*& unit, const char* unitName,
                const char* unitCaption);
    std::vector<QLabel*> huntingLabels() const;
    std::vector<QLineEdit*> huntingBoxes() const;
    // The unit labels and the boxes with units in the session's units.
    void showUnits();
    std::vector<UnitField*> unitFields();
    // The pressure choice of the model in force, and the density altitudes of the boxes.
    void showPressureChoice();
    void showDensityAltitudes();

    Program& program_;
    UnitField rAltitude_, rPressure_, rTemperature_, rCrossWind_, rTailWind_;
    UnitField hAltitude_, hPressure_, hTemperature_, hCrossWind_, hTailWind_;
};
