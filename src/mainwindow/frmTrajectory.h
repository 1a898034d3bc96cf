#pragma once
// The main window "Tarnwick": the plot canvas as its client area and the menu with every
// command. The menu's checks, captions and the display options' pairs of items (one of
// each pair visible) show the session. It owns the program's lifetime: its load handler
// sets the defaults and restores the remembered settings, and closing it saves them and
// ends the program.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <vector>

#include "Program.h"

class LoadDocument;
class PlotCanvas;

class frmTrajectory : public QMainWindow, public Form {
    Q_OBJECT
public:
    static constexpr bool kKeepOnClose = true;
    explicit frmTrajectory(Program& program);

    void Form_Load() override;

    // The client area.
    PlotCanvas* canvas = nullptr;

    // A mouse press on the canvas at (x, y) in canvas units.
    void Form_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);

    // Commands.
    void mnuPrintTraj_Click();
    void mnuExit_Click();
    void mnuExportPlot_Click();
    void mnuGo_Click();
    void mnuPlot_Click();
    void mnuClear_Click();
    void mnuSetAll_Click();
    void mnuSetRun_Click();
    void mnuSetScale_Click();
    void mnuSetSlope_Click();
    void mnuSetEnv_Click();
    void mnuStandard_Click();
    void mnuR6PPC_Click();
    void mnuRBlackhawk_Click();
    void mnuTC4570_Click();
    void mnuTC3030_Click();
    void mnuTC44Mag_Click();
    void mnuOtherGun_Click();
    void mnuSelectBullet_Click();
    void mnuManBC_Click();
    void mnuDropTable_Click();
    void mnuEnergy_Click();
    void mnuNoEnergy_Click();
    void mnuVelocityOn_Click();
    void mnuVelocityOff_Click();
    void mnuShowGrid_Click();
    void mnuNoGrid_Click();
    void mnuShowGravity_Click();
    void mnuShowTarget_Click();
    void mnuGavre_Click();
    void mnuIngalls_Click();
    void mnuKrupp_Click();
    void mnuG7_Click();
    void mnuClassic_Click();
    void mnuPointMass_Click();
    void mnuLongRange_Click();
    void mnuEditBullet_Click();
    void mnuMVCalc_Click();
    void mnuCrossCalc_Click();
    void mnuRangeCard_Click();
    void mnuKey_Click();
    void mnuHowTo_Click();
    void mnuAboutTP_Click();
    // Asks for a click value and counts corrections in clicks of it.
    void mnuClicksTyped_Click();
    void mnuOpenLoad_Click();
    void mnuSaveLoad_Click();
    void mnuSaveLoadAs_Click();
    void mnuCompareLoads_Click();

    // Opens a load file (the command line, the recent list); false, after saying why,
    // when it cannot be read. Unsaved changes to the open load are settled first.
    bool openLoadFile(const QString& path);
    // The load file open in this window and its unsaved-changes mark.
    LoadDocument* loadDocument = nullptr;

    // Writes the remembered settings and this window's geometry for the next start;
    // false when the record could not be written.
    bool saveSettings();

    // Submenus
    QMenu* mnuFile = nullptr;
    QMenu* mnuRun = nullptr;
    QMenu* mnuSelectGun = nullptr;
    QMenu* mnuSB = nullptr;
    QMenu* mnuOptions = nullptr;
    QMenu* mnuDragSelect = nullptr;
    QMenu* mnuTools = nullptr;
    QMenu* mnuHelp = nullptr;
    QMenu* mnuUnits = nullptr;
    QMenu* mnuCorrections = nullptr;

    // Items
    QAction* mnuOpenLoad = nullptr;
    QAction* mnuSaveLoad = nullptr;
    QAction* mnuSaveLoadAs = nullptr;
    QMenu* mnuRecentLoads = nullptr;
    QAction* mnuLoadDash = nullptr;
    QAction* mnuCompareLoads = nullptr;
    QAction* mnuPrintTraj = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuExportDash = nullptr;
    QAction* mnuExportPlot = nullptr;
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
    QAction* mnuG7 = nullptr;
    QMenu* mnuModelSelect = nullptr;
    QAction* mnuClassic = nullptr;
    QAction* mnuPointMass = nullptr;
    QAction* mnuLongRange = nullptr;  // enabled under the point-mass model only
    QAction* mnuEditBullet = nullptr;
    QAction* mnuMVCalc = nullptr;
    QAction* mnuCrossCalc = nullptr;
    QAction* mnuRangeCard = nullptr;
    QAction* mnuKey = nullptr;
    QAction* mnuHowTo = nullptr;
    QAction* mnuS5 = nullptr;
    QAction* mnuAboutTP = nullptr;
    QAction* mnuDummy1 = nullptr;
    QAction* mnuDragShow = nullptr;
    // Options → Units and Options → "Corrections in", each an exclusive group.
    QAction* mnuImperial = nullptr;
    QAction* mnuMetric = nullptr;
    QAction* mnuClicksTyped = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildUnitMenus();
    // Checks the unit system and the corrections in force.
    void showUnits();
    void connectCommands();
    // Keeps the menu in step with the session.
    void followSession();
    // Checks the scope height preset, the bullet source, the drag function and the model,
    // and the units in force: every exclusive choice of the menu.
    void showChoices();
    void showScopeHeight();
    void showBullet();
    void showDragFunction();
    // Restores the remembered settings and flies the remembered bullet source.
    void restoreSettings();
    // Turns a display option on or off; the energy and velocity curves exclude each other.
    void setDisplayOption(bool DisplayOptions::*option, bool on);
    // The bullet table file in use (beside the program, or the user's own copy).
    std::string bulletDatabasePath() const;
    // The indicator's caption for a drag function; under the point-mass model it names both.
    static QString dragIndicatorCaption(tarnwick::BallisticModelKind model, const std::string& name);
    void giveFocusBack();
    // Load files: the title and the recent list follow the open file; closing or opening
    // another asks about unsaved changes (true: go on).
    void followLoadDocument();
    void showRecentLoads();
    bool settleUnsavedLoad();
    bool saveLoadTo(const QString& path);

    Program& program_;
    bool settingsSaved_ = false;
    // The offered corrections' items, in menu order, before "Clicks of a typed value...".
    std::vector<QAction*> correctionItems_;
};
