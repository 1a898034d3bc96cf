#pragma once
// Placeholder: the main window's menu items that other windows read or change.
// Replaced by the full main window.
#include <QAction>
#include <QMainWindow>
#include <QMenu>

#include "Program.h"

class frmTrajectory : public QMainWindow, public Form {
    Q_OBJECT
public:
    static constexpr bool kKeepOnClose = true;
    explicit frmTrajectory(Program& program);

    // Submenus
    QMenu* mnuFile = nullptr;
    QMenu* mnuRun = nullptr;
    QMenu* mnuSelectGun = nullptr;
    QMenu* mnuSB = nullptr;
    QMenu* mnuOptions = nullptr;
    QMenu* mnuDragSelect = nullptr;
    QMenu* mnuTools = nullptr;
    QMenu* mnuHelp = nullptr;

    // Items
    QAction* mnuPrintTraj = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuGo = nullptr;
    QAction* mnuS3 = nullptr;
    QAction* mnuPlot = nullptr;
    QAction* mnuClear = nullptr;
    QAction* mnuSetAll = nullptr;
    QAction* mnuS4 = nullptr;
    QAction* mnuSetRun = nullptr;
    QAction* mnuSetScale = nullptr;
    QAction* mnuSetSlope = nullptr;
    QAction* mnuSetEnv = nullptr;
    QAction* mnuStandard = nullptr;
    QAction* mnuR6PPC = nullptr;
    QAction* mnuS1 = nullptr;
    QAction* mnuRBlackhawk = nullptr;
    QAction* mnuTC4570 = nullptr;
    QAction* mnuTC3030 = nullptr;
    QAction* mnuTC44Mag = nullptr;
    QAction* mnuS2 = nullptr;
    QAction* mnuOtherGun = nullptr;
    QAction* mnuSelectBullet = nullptr;
    QAction* mnuSBd1 = nullptr;
    QAction* mnuManBC = nullptr;
    QAction* mnuDropTable = nullptr;
    QAction* mnuEnergy = nullptr;
    QAction* mnuNoEnergy = nullptr;
    QAction* mnuVelocityOn = nullptr;
    QAction* mnuVelocityOff = nullptr;
    QAction* mnuShowGrid = nullptr;
    QAction* mnuNoGrid = nullptr;
    QAction* mnuOptDash1 = nullptr;
    QAction* mnuShowGravity = nullptr;
    QAction* mnuShowTarget = nullptr;
    QAction* mnuOptDash2 = nullptr;
    QAction* mnuGavre = nullptr;
    QAction* mnuIngalls = nullptr;
    QAction* mnuKrupp = nullptr;
    QAction* mnuEditBullet = nullptr;
    QAction* mnuMVCalc = nullptr;
    QAction* mnuCrossCalc = nullptr;
    QAction* mnuKey = nullptr;
    QAction* mnuHowTo = nullptr;
    QAction* mnuS5 = nullptr;
    QAction* mnuAboutTP = nullptr;
    QAction* mnuDummy1 = nullptr;
    QAction* mnuDragShow = nullptr;

private:
    Program& program_;
};
