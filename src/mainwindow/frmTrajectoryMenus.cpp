// The main window's menu tree and the wiring of its commands.
#include <QActionGroup>
#include <QMenuBar>
#include <QToolButton>
#include <algorithm>

#include "frmTrajectory.h"

namespace {

QAction* separator(QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(name);
    return action;
}

QAction* item(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QMenu* submenu(QMenu* parent, const char* name, const QString& caption) {
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

// The drag-function indicator. The menu bar places its corner widget by the widget's
// size hint, so the hint keeps the width that the longest caption needs.
class DragIndicator : public QToolButton {
public:
    using QToolButton::QToolButton;
    QSize sizeHint() const override { return QToolButton::sizeHint().expandedTo(minimumSize()); }
};

QMenu* topMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

}  // namespace

void frmTrajectory::buildMenus() {
    QMenuBar* bar = menuBar();

    mnuFile = topMenu(bar, "mnuFile", "&File");
    mnuOpenLoad = item(mnuFile, "mnuOpenLoad", "Open Load...");
    mnuOpenLoad->setShortcut(QKeySequence::Open);
    mnuSaveLoad = item(mnuFile, "mnuSaveLoad", "Save Load");
    mnuSaveLoad->setShortcut(QKeySequence::Save);
    mnuSaveLoadAs = item(mnuFile, "mnuSaveLoadAs", "Save Load As...");
    mnuRecentLoads = submenu(mnuFile, "mnuRecentLoads", "Recent Loads");
    mnuLoadDash = separator(mnuFile, "mnuLoadDash");
    mnuPrintTraj = item(mnuFile, "mnuPrintTraj", "Print Trajectory");
    mnuExit = item(mnuFile, "mnuExit", "Exit");
    mnuExportDash = separator(mnuFile, "mnuExportDash");
    mnuExportPlot = item(mnuFile, "mnuExportPlot", "Export Plot...");

    mnuRun = topMenu(bar, "mnuRun", "&Run");
    mnuGo = item(mnuRun, "mnuGo", "GO!");
    mnuS3 = separator(mnuRun, "mnuS3");
    mnuPlot = item(mnuRun, "mnuPlot", "Plot Trajectory");
    mnuPlot->setShortcut(Qt::Key_F12);
    mnuCompareLoads = item(mnuRun, "mnuCompareLoads", "Compare Loads...");
    mnuClear = item(mnuRun, "mnuClear", "Clear Screen");
    mnuClear->setShortcut(Qt::Key_F1);
    mnuSetAll = item(mnuRun, "mnuSetAll", "Set All Parameters");
    mnuS4 = separator(mnuRun, "mnuS4");
    mnuSetRun = item(mnuRun, "mnuSetRun", "Set Run Parameters...");
    mnuSetScale = item(mnuRun, "mnuSetScale", "Set Display Scale...");
    mnuSetSlope = item(mnuRun, "mnuSetSlope", "Set Slope...");
    mnuSetEnv = item(mnuRun, "mnuSetEnv", "Set Environmental Variables...");
    mnuSelectGun = submenu(mnuRun, "mnuSelectGun", "Set Scope Height");
    mnuStandard = item(mnuSelectGun, "mnuStandard", "1.5 Inches");
    mnuR6PPC = item(mnuSelectGun, "mnuR6PPC", "Ruger 6PPC");
    mnuS1 = separator(mnuSelectGun, "mnuS1");
    mnuRBlackhawk = item(mnuSelectGun, "mnuRBlackhawk", "Ruger Super Blackhawk");
    mnuTC4570 = item(mnuSelectGun, "mnuTC4570", "T/C 45-70");
    mnuTC3030 = item(mnuSelectGun, "mnuTC3030", "T/C 30-30");
    mnuTC44Mag = item(mnuSelectGun, "mnuTC44Mag", "T/C 44 Mag");
    mnuS2 = separator(mnuSelectGun, "mnuS2");
    mnuOtherGun = item(mnuSelectGun, "mnuOtherGun", "Set...");
    // The named gun presets are not offered in this installation.
    for (QAction* hidden : {mnuR6PPC, mnuS1, mnuRBlackhawk, mnuTC4570, mnuTC3030, mnuTC44Mag}) hidden->setVisible(false);
    mnuSB = submenu(mnuRun, "mnuSB", "Select Bullet");
    mnuSelectBullet = item(mnuSB, "mnuSelectBullet", "From Data Base...");
    mnuSBd1 = separator(mnuSB, "mnuSBd1");
    mnuManBC = item(mnuSB, "mnuManBC", "Set BC...");

    mnuOptions = topMenu(bar, "mnuOptions", "&Options");
    mnuDropTable = item(mnuOptions, "mnuDropTable", "Display Drop Table");
    mnuEnergy = item(mnuOptions, "mnuEnergy", "Display Energy Curve");
    mnuNoEnergy = item(mnuOptions, "mnuNoEnergy", "Turn Off Energy Curve");
    mnuVelocityOn = item(mnuOptions, "mnuVelocityOn", "Display Velocity Curve");
    mnuVelocityOff = item(mnuOptions, "mnuVelocityOff", "Turn Off Velocity Curve");
    mnuShowGrid = item(mnuOptions, "mnuShowGrid", "Display Grid Lines");
    mnuNoGrid = item(mnuOptions, "mnuNoGrid", "Turn Off Grid Lines");
    for (QAction* off : {mnuNoEnergy, mnuVelocityOff, mnuNoGrid}) off->setVisible(false);
    mnuOptDash1 = separator(mnuOptions, "mnuOptDash1");
    mnuShowGravity = item(mnuOptions, "mnuShowGravity", "Show Gravity");
    mnuShowTarget = item(mnuOptions, "mnuShowTarget", "Show Target View");
    mnuOptDash2 = separator(mnuOptions, "mnuOptDash2");
    mnuModelSelect = submenu(mnuOptions, "mnuModelSelect", "Ballistic Model");
    mnuClassic = item(mnuModelSelect, "mnuClassic", "Classic");
    mnuPointMass = item(mnuModelSelect, "mnuPointMass", "Point Mass");
    mnuDragSelect = submenu(mnuOptions, "mnuDragSelect", "Select Drag Function");
    mnuGavre = item(mnuDragSelect, "mnuGavre", "G1 (Gavre - most commonly used)");
    mnuIngalls = item(mnuDragSelect, "mnuIngalls", "Ingalls (modified Mayevski's functions)");
    mnuKrupp = item(mnuDragSelect, "mnuKrupp", "Krupp");
    mnuG7 = item(mnuDragSelect, "mnuG7", "G7 (long-range boat-tail - Point Mass model)");
    mnuLongRange = item(mnuOptions, "mnuLongRange", "Long-Range Effects...");
    separator(mnuOptions, "mnuOptDash3");
    buildUnitMenus();

    mnuTools = topMenu(bar, "mnuTools", "&Tools");
    mnuEditBullet = item(mnuTools, "mnuEditBullet", "Edit Bullet Data Base...");
    mnuMVCalc = item(mnuTools, "mnuMVCalc", "Muzzle Velocity Calculator...");
    mnuCrossCalc = item(mnuTools, "mnuCrossCalc", "Cross && Tail Wind Calculator...");
    mnuRangeCard = item(mnuTools, "mnuRangeCard", "Range Card...");

    mnuKey = bar->addAction("&Key");
    mnuKey->setObjectName("mnuKey");

    mnuHelp = topMenu(bar, "mnuHelp", "&Help");
    mnuHowTo = item(mnuHelp, "mnuHowTo", "How to Use Tarnwick");
    mnuS5 = separator(mnuHelp, "mnuS5");
    mnuAboutTP = item(mnuHelp, "mnuAboutTP", "About Tarnwick");

    // The drag-function indicator stands at the right end of the menu bar. The blank
    // spacer entry that pushes it there is kept as an item, but the bar's right corner
    // does its work: blanks are wide in some fonts and would push the indicator out of
    // sight behind the bar's overflow button.
    mnuDummy1 = new QAction(QString(46, QLatin1Char(' ')), this);
    mnuDummy1->setObjectName("mnuDummy1");
    mnuDragShow = new QAction(this);
    mnuDragShow->setObjectName("mnuDragShow");
    auto* indicator = new DragIndicator(bar);
    indicator->setObjectName("dragIndicator");
    indicator->setAutoRaise(true);
    indicator->setFocusPolicy(Qt::NoFocus);
    indicator->setDefaultAction(mnuDragShow);
    // The bar sizes its corner only when it lays out its items, not when the caption
    // changes: the indicator is as wide as its longest caption from the start, so no
    // drag function's name is ever clipped. A narrower window moves menus into the
    // bar's overflow button instead, and the window never gets narrower than the
    // indicator beside one menu.
    int widest = 0;
    using tarnwick::BallisticModelKind;
    for (const auto& [model, name] : {std::pair{BallisticModelKind::Classic, "Ingalls"}, {BallisticModelKind::Classic, "Krupp"},
                                      {BallisticModelKind::Classic, "G1"}, {BallisticModelKind::PointMass, "G1"},
                                      {BallisticModelKind::PointMass, "G7"}}) {
        mnuDragShow->setText(dragIndicatorCaption(model, name));
        widest = std::max(widest, indicator->QToolButton::sizeHint().width());
    }
    indicator->setMinimumWidth(widest);
    bar->setCornerWidget(indicator, Qt::TopRightCorner);
    setMinimumWidth(bar->minimumSizeHint().width());

    mnuDropTable->setCheckable(true);
    // Each set of choices that exclude each other is a group, so the style draws radio
    // marks. The groups allow "none checked": a load may name a drag function the menu
    // does not offer, and the checks always show the session, never the click.
    const std::initializer_list<QAction*> choiceSets[] = {
        {mnuStandard, mnuR6PPC, mnuRBlackhawk, mnuTC4570, mnuTC3030, mnuTC44Mag, mnuOtherGun},
        {mnuSelectBullet, mnuManBC},
        {mnuGavre, mnuIngalls, mnuKrupp, mnuG7},
        {mnuClassic, mnuPointMass}};
    for (const auto& choices : choiceSets) {
        auto* group = new QActionGroup(this);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        for (QAction* choice : choices) {
            choice->setCheckable(true);
            group->addAction(choice);
        }
    }
}

void frmTrajectory::connectCommands() {
    const std::pair<QAction*, void (frmTrajectory::*)()> commands[] = {
        {mnuOpenLoad, &frmTrajectory::mnuOpenLoad_Click},
        {mnuSaveLoad, &frmTrajectory::mnuSaveLoad_Click},
        {mnuSaveLoadAs, &frmTrajectory::mnuSaveLoadAs_Click},
        {mnuCompareLoads, &frmTrajectory::mnuCompareLoads_Click},
        {mnuPrintTraj, &frmTrajectory::mnuPrintTraj_Click},
        {mnuExit, &frmTrajectory::mnuExit_Click},
        {mnuExportPlot, &frmTrajectory::mnuExportPlot_Click},
        {mnuGo, &frmTrajectory::mnuGo_Click},
        {mnuPlot, &frmTrajectory::mnuPlot_Click},
        {mnuClear, &frmTrajectory::mnuClear_Click},
        {mnuSetAll, &frmTrajectory::mnuSetAll_Click},
        {mnuSetRun, &frmTrajectory::mnuSetRun_Click},
        {mnuSetScale, &frmTrajectory::mnuSetScale_Click},
        {mnuSetSlope, &frmTrajectory::mnuSetSlope_Click},
        {mnuSetEnv, &frmTrajectory::mnuSetEnv_Click},
        {mnuStandard, &frmTrajectory::mnuStandard_Click},
        {mnuR6PPC, &frmTrajectory::mnuR6PPC_Click},
        {mnuRBlackhawk, &frmTrajectory::mnuRBlackhawk_Click},
        {mnuTC4570, &frmTrajectory::mnuTC4570_Click},
        {mnuTC3030, &frmTrajectory::mnuTC3030_Click},
        {mnuTC44Mag, &frmTrajectory::mnuTC44Mag_Click},
        {mnuOtherGun, &frmTrajectory::mnuOtherGun_Click},
        {mnuSelectBullet, &frmTrajectory::mnuSelectBullet_Click},
        {mnuManBC, &frmTrajectory::mnuManBC_Click},
        {mnuDropTable, &frmTrajectory::mnuDropTable_Click},
        {mnuEnergy, &frmTrajectory::mnuEnergy_Click},
        {mnuNoEnergy, &frmTrajectory::mnuNoEnergy_Click},
        {mnuVelocityOn, &frmTrajectory::mnuVelocityOn_Click},
        {mnuVelocityOff, &frmTrajectory::mnuVelocityOff_Click},
        {mnuShowGrid, &frmTrajectory::mnuShowGrid_Click},
        {mnuNoGrid, &frmTrajectory::mnuNoGrid_Click},
        {mnuShowGravity, &frmTrajectory::mnuShowGravity_Click},
        {mnuShowTarget, &frmTrajectory::mnuShowTarget_Click},
        {mnuGavre, &frmTrajectory::mnuGavre_Click},
        {mnuIngalls, &frmTrajectory::mnuIngalls_Click},
        {mnuKrupp, &frmTrajectory::mnuKrupp_Click},
        {mnuG7, &frmTrajectory::mnuG7_Click},
        {mnuClassic, &frmTrajectory::mnuClassic_Click},
        {mnuPointMass, &frmTrajectory::mnuPointMass_Click},
        {mnuLongRange, &frmTrajectory::mnuLongRange_Click},
        {mnuEditBullet, &frmTrajectory::mnuEditBullet_Click},
        {mnuMVCalc, &frmTrajectory::mnuMVCalc_Click},
        {mnuCrossCalc, &frmTrajectory::mnuCrossCalc_Click},
        {mnuRangeCard, &frmTrajectory::mnuRangeCard_Click},
        {mnuKey, &frmTrajectory::mnuKey_Click},
        {mnuHowTo, &frmTrajectory::mnuHowTo_Click},
        {mnuAboutTP, &frmTrajectory::mnuAboutTP_Click},
    };
    for (const auto& [action, handler] : commands) {
        connect(action, &QAction::triggered, this, [this, action, handler] {
            // A checkable item toggles itself (and its group) before it reports the click;
            // the check marks belong to the handlers. A lone item is set back first; a
            // group shows the session's choice again once the handler has run, which also
            // covers a cancelled dialog.
            if (action->actionGroup()) {
                (this->*handler)();
                showChoices();
                return;
            }
            if (action->isCheckable()) action->setChecked(!action->isChecked());
            (this->*handler)();
        });
    }
}
