#pragma once
// "Set Run Parameters": the mode (Target or Hunting), the variant within the mode, the
// muzzle velocity (ft/s), the maximum deviation (inches; in the Varmint variant the
// second zero-crossing distance in yards) and the integration time step (seconds).
// Velocity and deviation are shown and typed in the session's units.
// The option handlers act at once on the session's mode (which also sets the scope
// height aside in the Drop Table variant); OK reads the three boxes.
#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "Program.h"
#include "UnitField.h"

class frmRunParam : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmRunParam(Program& program);

    void Form_Load() override;

    void optHuntingMode_Click();
    void optTargetMode_Click();
    void optOne_Click();
    void optTwo_Click();
    void cmdOK_Click();

    void mnuModeHelp_Click();
    void mnuVariant_Click();
    void mnuMVHelp_Click();
    void mnuMaxDevHelp_Click();
    void mnuDeltaTHelp_Click();

    QGroupBox* fraMode = nullptr;
    QRadioButton* optHuntingMode = nullptr;
    QRadioButton* optTargetMode = nullptr;
    QGroupBox* fraHmode = nullptr;
    QRadioButton* optTwo = nullptr;  // "Drop Table" / "Varmint"
    QRadioButton* optOne = nullptr;  // "Trajectory" / "Big Game"
    QLabel* lblInitVel = nullptr;
    QLineEdit* txtInitVel = nullptr;
    QLabel* lblMaxDev = nullptr;
    QLineEdit* txtMaxDev = nullptr;
    QLabel* lblDeltaT = nullptr;
    QLineEdit* txtDeltaT = nullptr;
    QPushButton* cmdOK = nullptr;

    QMenuBar* menuBar = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuModeHelp = nullptr;
    QAction* mnuVariant = nullptr;
    QAction* mnuMVHelp = nullptr;
    QAction* mnuMaxDevHelp = nullptr;
    QAction* mnuDeltaTHelp = nullptr;

private:
    void buildControls();
    void buildMenu();
    // The captions and the maximum deviation box for a mode and variant.
    void showMode(bool hunting, bool firstVariant);
    void setMaxDevBox(tarnwick::Quantity quantity, double stored, bool enabled);
    // The velocity and maximum deviation captions in the session's units.
    void showCaptions();
    void showUnits();

    Program& program_;
    UnitField velocity_;
    UnitField maxDeviation_;  // inches, or yards for the Varmint zero crossing
};
