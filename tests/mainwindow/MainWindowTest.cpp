// The main window's menu tree and the commands that change the parameter set and the menu.
#include <QActionGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "ClickValueDialog.h"
#include "GuiTest.h"
#include "LoadDocument.h"
#include "PlotCanvas.h"
#include "frmPrintOutput.h"
#include "frmTarget.h"
#include "frmTrajInfo.h"
#include "frmTrajectory.h"

namespace {

class MainWindowTest : public GuiTest {
protected:
    frmTrajectory& main() { return program->window<frmTrajectory>(); }

    // The captions of a menu's items in display order; hidden items are marked "(hidden)",
    // checked ones "(checked)".
    static QStringList captions(const QList<QAction*>& actions) {
        QStringList out;
        for (const QAction* a : actions) {
            QString text = a->isSeparator() ? QStringLiteral("-") : a->text();
            if (!a->isVisible()) text += " (hidden)";
            if (a->isChecked()) text += " (checked)";
            out << text;
        }
        return out;
    }
};

TEST_F(MainWindowTest, MenuTreeAtStartUp) {
    frmTrajectory& w = main();
    EXPECT_EQ(w.windowTitle(), "Tarnwick");
    EXPECT_EQ(captions(w.menuBar()->actions()),
              QStringList({"&File", "&Run", "&Options", "&Tools", "&Key", "&Help"}));
    EXPECT_EQ(captions(w.mnuFile->actions()), QStringList({"Open Load...", "Save Load", "Save Load As...", "Recent Loads",
                                                           "-", "Print Trajectory", "Exit", "-", "Export Plot..."}));
    EXPECT_EQ(captions(w.mnuRun->actions()),
              QStringList({"GO!", "-", "Plot Trajectory", "Compare Loads...", "Clear Screen", "Set All Parameters", "-",
                           "Set Run Parameters...", "Set Display Scale...", "Set Slope...",
                           "Set Environmental Variables...", "Set Scope Height", "Select Bullet"}));
    EXPECT_EQ(captions(w.mnuSelectGun->actions()),
              QStringList({"1.5 Inches", "Ruger 6PPC (hidden)", "- (hidden)", "Ruger Super Blackhawk (hidden)",
                           "T/C 45-70 (hidden)", "T/C 30-30 (hidden)", "T/C 44 Mag (hidden)", "-",
                           "Set... (checked)"}));
    EXPECT_EQ(captions(w.mnuSB->actions()), QStringList({"From Data Base... (checked)", "-", "Set BC..."}));
    EXPECT_EQ(captions(w.mnuOptions->actions()),
              QStringList({"Display Drop Table", "Display Energy Curve", "Turn Off Energy Curve (hidden)",
                           "Display Velocity Curve", "Turn Off Velocity Curve (hidden)", "Display Grid Lines",
                           "Turn Off Grid Lines (hidden)", "-", "Show Gravity", "Show Target View", "-",
                           "Ballistic Model", "Select Drag Function", "Long-Range Effects...", "-", "Units",
                           "Corrections in"}));
    EXPECT_EQ(captions(w.mnuModelSelect->actions()), QStringList({"Classic (checked)", "Point Mass"}));
    EXPECT_EQ(captions(w.mnuUnits->actions()), QStringList({"Imperial (checked)", "Metric"}));
    EXPECT_EQ(captions(w.mnuCorrections->actions()),
              QStringList({"Inches/cm (checked)", "MOA", "mrad", "Clicks of 1/4 MOA", "Clicks of 1/8 MOA",
                           "Clicks of 0.1 mrad", "Clicks of a typed value..."}));
    EXPECT_EQ(captions(w.mnuDragSelect->actions()),
              QStringList({"G1 (Gavre - most commonly used) (checked)", "Ingalls (modified Mayevski's functions)",
                           "Krupp", "G7 (long-range boat-tail - Point Mass model)"}));
    EXPECT_EQ(captions(w.mnuTools->actions()),
              QStringList({"Edit Bullet Data Base...", "Muzzle Velocity Calculator...",
                           "Cross && Tail Wind Calculator...", "Range Card..."}));
    EXPECT_EQ(captions(w.mnuHelp->actions()), QStringList({"How to Use Tarnwick", "-", "About Tarnwick"}));
    EXPECT_EQ(w.mnuDummy1->text(), QString(46, ' '));
    EXPECT_EQ(w.mnuDragShow->text(), "Using G1 Drag Function");
    EXPECT_EQ(w.mnuPlot->shortcut(), QKeySequence(Qt::Key_F12));
    EXPECT_EQ(w.mnuClear->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_FALSE(session().display().energyCurve);
    EXPECT_FALSE(session().display().velocityCurve);
    EXPECT_FALSE(session().display().gridLines);
    // (A hidden action reports itself disabled; it is enabled again when shown.) The
    // long-range effects wait for the point-mass model.
    for (QAction* a : w.findChildren<QAction*>()) {
        if (a->isVisible() && a != w.mnuLongRange) {
            EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
        }
    }
}

TEST_F(MainWindowTest, ClickingACheckedItemLeavesTheCheckToItsHandler) {
    frmTrajectory& w = main();
    // A user's click on "Set..." opens the scope height dialog; it must not untick itself.
    w.mnuOtherGun->trigger();
    EXPECT_TRUE(w.mnuOtherGun->isChecked());
    w.mnuGavre->trigger();
    EXPECT_TRUE(w.mnuGavre->isChecked());
    // "Set BC..." only opens its window: the table stays the checked source meanwhile.
    w.mnuManBC->trigger();
    EXPECT_EQ(w.mnuManBC->actionGroup()->checkedAction(), w.mnuSelectBullet);
}

// Every set of choices that exclude each other is one exclusive group, so the style
// draws radio marks; a group holds its set and nothing else.
TEST_F(MainWindowTest, ExclusiveChoicesAreExclusiveGroups) {
    QWidget* target = &program->window<frmTarget>();
    const std::pair<QWidget*, QStringList> sets[] = {
        {&main(), {"mnuStandard", "mnuR6PPC", "mnuRBlackhawk", "mnuTC4570", "mnuTC3030", "mnuTC44Mag", "mnuOtherGun"}},
        {&main(), {"mnuSelectBullet", "mnuManBC"}},
        {&main(), {"mnuGavre", "mnuIngalls", "mnuKrupp", "mnuG7"}},
        {&main(), {"mnuClassic", "mnuPointMass"}},
        {&main(), {"mnuImperial", "mnuMetric"}},
        {&main(), {"mnuCorrInches", "mnuCorrMoa", "mnuCorrMrad", "mnuClicksQuarterMoa", "mnuClicksEighthMoa",
                   "mnuClicksTenthMrad", "mnuClicksTyped"}},
        {target, {"mnuQuarterScale", "mnuHalfScale", "mnuFullScale", "mnuDoubleScale", "mnuQuadScale"}},
    };
    for (const auto& [window, names] : sets) {
        const QActionGroup* group = window->findChild<QAction*>(names.front())->actionGroup();
        ASSERT_NE(group, nullptr) << names.front().toStdString();
        EXPECT_TRUE(group->isExclusive());
        QStringList members;
        for (const QAction* a : group->actions()) members << a->objectName();
        EXPECT_EQ(members, names);
    }
}

TEST_F(MainWindowTest, DropTableTogglesAndShowsResultsEachTime) {
    frmTrajectory& w = main();
    w.mnuDropTable->trigger();
    EXPECT_EQ(params().DropTable, 1);
    EXPECT_TRUE(w.mnuDropTable->isChecked());
    ASSERT_NE(program->loaded<frmPrintOutput>(), nullptr);
    EXPECT_TRUE(program->loaded<frmPrintOutput>()->isVisible());
    program->loaded<frmPrintOutput>()->hide();
    w.mnuDropTable->trigger();
    EXPECT_EQ(params().DropTable, 0);
    EXPECT_FALSE(w.mnuDropTable->isChecked());
    EXPECT_TRUE(program->loaded<frmPrintOutput>()->isVisible());
}

TEST_F(MainWindowTest, EnergyAndVelocityCurvesExcludeEachOther) {
    frmTrajectory& w = main();
    w.mnuEnergy_Click();
    EXPECT_TRUE(session().display().energyCurve);
    EXPECT_TRUE(takeMessages().empty()) << "no conflict when neither curve was on";

    w.mnuVelocityOn_Click();
    EXPECT_TRUE(session().display().velocityCurve);
    EXPECT_FALSE(session().display().energyCurve);
    EXPECT_TRUE(w.mnuEnergy->isVisible());
    EXPECT_TRUE(w.mnuVelocityOff->isVisible());
    const RecordedMessage conflict = expectMessage("Disabling Energy curve.");
    EXPECT_EQ(conflict.title, "Conflicting Options");
    EXPECT_EQ(conflict.text,
              "Velocity and Energy curves cannot be displayed simultaneously.\r\nDisabling Energy curve.");
    EXPECT_EQ(conflict.icon, MessageIcon::Information);

    w.mnuEnergy_Click();
    EXPECT_TRUE(session().display().energyCurve);
    EXPECT_FALSE(session().display().velocityCurve);
    EXPECT_EQ(expectMessage("Disabling Velocity curve.").text,
              "Energy and Velocity curves cannot be displayed simultaneously.\r\nDisabling Velocity curve.");

    w.mnuNoEnergy_Click();
    EXPECT_FALSE(session().display().energyCurve);
    EXPECT_TRUE(w.mnuEnergy->isVisible());

    w.mnuShowGrid_Click();
    EXPECT_TRUE(session().display().gridLines);
    EXPECT_FALSE(w.mnuShowGrid->isVisible());
    w.mnuNoGrid_Click();
    EXPECT_FALSE(session().display().gridLines);
}

TEST_F(MainWindowTest, DragFunctionGroupAndIndicator) {
    frmTrajectory& w = main();
    w.mnuKrupp->trigger();
    EXPECT_EQ(params().DragFunction, "Krupp");
    EXPECT_EQ(w.mnuDragShow->text(), "Using Krupp Drag Function");
    EXPECT_TRUE(w.mnuKrupp->isChecked());
    EXPECT_FALSE(w.mnuGavre->isChecked());
    w.mnuIngalls->trigger();
    EXPECT_EQ(params().DragFunction, "Ingalls");
    EXPECT_EQ(w.mnuDragShow->text(), "Using Ingalls Drag Function");
    EXPECT_FALSE(w.mnuKrupp->isChecked());
    w.mnuGavre->trigger();
    EXPECT_EQ(params().DragFunction, "G1");
    EXPECT_EQ(w.mnuDragShow->text(), "Using G1 Drag Function");
    EXPECT_TRUE(w.mnuGavre->isChecked());
    EXPECT_FALSE(w.mnuIngalls->isChecked());
}

// G7 flies only under Point Mass, Ingalls and Krupp only under Classic: a choice the
// other one lacks switches it, the indicator names both, and the choice is remembered.
TEST_F(MainWindowTest, ModelAndDragLawSwitchEachOther) {
    using tarnwick::BallisticModelKind;
    frmTrajectory& w = main();
    const struct {
        QAction* frmTrajectory::*item;
        BallisticModelKind model;
        const char* drag;
        const char* caption;
    } steps[] = {
        {&frmTrajectory::mnuPointMass, BallisticModelKind::PointMass, "G1", "Using Point Mass, G1"},
        {&frmTrajectory::mnuG7, BallisticModelKind::PointMass, "G7", "Using Point Mass, G7"},
        {&frmTrajectory::mnuKrupp, BallisticModelKind::Classic, "Krupp", "Using Krupp Drag Function"},
        {&frmTrajectory::mnuG7, BallisticModelKind::PointMass, "G7", "Using Point Mass, G7"},
        {&frmTrajectory::mnuClassic, BallisticModelKind::Classic, "G1", "Using G1 Drag Function"},
    };
    for (const auto& step : steps) {
        (w.*step.item)->trigger();
        SCOPED_TRACE((w.*step.item)->text().toStdString());
        EXPECT_EQ(params().Model, step.model);
        EXPECT_EQ(params().DragFunction, step.drag);
        EXPECT_EQ(w.mnuDragShow->text(), step.caption);
        EXPECT_EQ(w.mnuPointMass->isChecked(), step.model == BallisticModelKind::PointMass);
        EXPECT_NE(w.mnuClassic->isChecked(), w.mnuPointMass->isChecked());
        EXPECT_EQ(w.mnuG7->isChecked(), std::string(step.drag) == "G7");
        EXPECT_EQ(w.mnuLongRange->isEnabled(), step.model == BallisticModelKind::PointMass);
    }
    EXPECT_EQ(program->state().remembered.LastModel, BallisticModelKind::Classic);
    EXPECT_EQ(program->state().remembered.LastDragFunction, "G7") << "the point-mass law, for the next Point Mass start";
}

// Each unit and correction item writes the session's choice and alone in its group
// carries the check; the next start restores the choice and its checks.
TEST_F(MainWindowTest, UnitAndCorrectionItemsDriveTheSessionAndFollowIt) {
    const struct { const char *item, *units, *corrections; } steps[] = {
        {"mnuMetric", "metric", "inches"},          {"mnuCorrMoa", "metric", "moa"},
        {"mnuCorrMrad", "metric", "mrad"},          {"mnuClicksQuarterMoa", "metric", "clicks:0.25moa"},
        {"mnuImperial", "imperial", "clicks:0.25moa"}, {"mnuClicksTenthMrad", "imperial", "clicks:0.1mrad"},
        {"mnuCorrInches", "imperial", "inches"},    {"mnuMetric", "metric", "inches"},
        {"mnuClicksEighthMoa", "metric", "clicks:0.125moa"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.item);
        QAction* item = main().findChild<QAction*>(step.item);
        item->trigger();
        item->trigger();  // again: the check stays
        EXPECT_EQ(tarnwick::unitSystemName(session().units()), std::string(step.units));
        EXPECT_EQ(tarnwick::correctionsName(session().corrections()), step.corrections);
        EXPECT_TRUE(item->actionGroup()->isExclusive());
        EXPECT_EQ(item->actionGroup()->checkedAction(), item);
    }
    main().close();
    program = makeProgram();
    EXPECT_TRUE(main().mnuMetric->isChecked());  // the start-up restores the remembered settings
    EXPECT_EQ(tarnwick::correctionsName(session().corrections()), "clicks:0.125moa");
    EXPECT_TRUE(main().findChild<QAction*>("mnuClicksEighthMoa")->isChecked());
}

// "Clicks of a typed value..." takes a number above 0 and its unit; anything else, or a
// cancel, keeps the corrections and the check where they were.
TEST_F(MainWindowTest, TypedClickValueIsTakenOnlyWhenItIsAboveZero) {
    QAction* mrad = main().findChild<QAction*>("mnuCorrMrad");
    const struct { const char* typed; int unit; const char* corrections; } steps[] = {  // unit 0 MOA, 1 mrad
        {"0.2", 1, "clicks:0.2mrad"}, {" 0.5 ", 0, "clicks:0.5moa"}, {"0", 0, "mrad"}, {nullptr, 0, "mrad"},
    };
    for (const auto& step : steps) {
        services->onBlockingShow = [&step](QDialog& dialog) {
            auto& typed = static_cast<ClickValueDialog&>(dialog);
            if (!step.typed) return dialog.reject();  // cancel
            typed.txtClickSize->setText(step.typed);
            typed.cboClickUnit->setCurrentIndex(step.unit);
            dialog.accept();
        };
        mrad->trigger();
        main().mnuClicksTyped->trigger();
        EXPECT_EQ(tarnwick::correctionsName(session().corrections()), step.corrections);
        const bool kept = std::string(step.corrections) == "mrad";
        if (kept && step.typed) expectMessage("The click value must be a number above 0.");
        EXPECT_EQ(mrad->actionGroup()->checkedAction(), kept ? mrad : main().mnuClicksTyped);
    }
}

TEST_F(MainWindowTest, DragIndicatorShowsItsWholeCaptionAtAnyWindowWidth) {
    frmTrajectory& w = main();
    w.show();
    const auto* indicator = w.menuBar()->findChild<QWidget*>("dragIndicator");
    ASSERT_NE(indicator, nullptr);
    for (const int width : {w.width(), w.minimumWidth()}) {
        w.resize(width, w.height());
        ASSERT_EQ(w.width(), width);
        for (QAction* drag : {w.mnuIngalls, w.mnuKrupp, w.mnuGavre, w.mnuG7}) {
            drag->trigger();
            SCOPED_TRACE(std::to_string(width) + " " + w.mnuDragShow->text().toStdString());
            EXPECT_GE(indicator->width(), indicator->sizeHint().width());
            EXPECT_TRUE(w.menuBar()->rect().contains(indicator->geometry()));
        }
    }
}

TEST_F(MainWindowTest, StandardScopeHeightIsRememberedButPresetsAreNot) {
    frmTrajectory& w = main();
    params().ScopeHeight = 2.25;
    program->state().remembered.LastScopeHeight = 2.25;
    w.mnuR6PPC->trigger();
    EXPECT_EQ(params().ScopeHeight, 1.495);
    EXPECT_EQ(program->state().remembered.LastScopeHeight, 2.25);
    EXPECT_TRUE(w.mnuR6PPC->isChecked());
    EXPECT_FALSE(w.mnuOtherGun->isChecked());
    w.mnuTC44Mag->trigger();
    EXPECT_EQ(params().ScopeHeight, 1.499);
    EXPECT_FALSE(w.mnuR6PPC->isChecked());
    EXPECT_TRUE(w.mnuTC44Mag->isChecked());

    w.mnuOtherGun->setChecked(true);
    w.mnuStandard->trigger();
    EXPECT_EQ(params().ScopeHeight, 1.5);
    EXPECT_EQ(program->state().remembered.LastScopeHeight, 1.5);
    EXPECT_TRUE(w.mnuStandard->isChecked());
    EXPECT_FALSE(w.mnuOtherGun->isChecked());
}

TEST_F(MainWindowTest, AboutShowsNameAndVersion) {
    main().mnuAboutTP->trigger();
    const RecordedMessage about = expectMessage("Version 2.5");
    EXPECT_EQ(about.title, "About Tarnwick");
    EXPECT_EQ(about.text, "Tarnwick Program\r\nVersion 2.5");
    EXPECT_EQ(about.icon, MessageIcon::Information);
}

TEST_F(MainWindowTest, SetAllStartsTheChainWithTheRunParameters) {
    main().mnuSetAll->trigger();
    EXPECT_TRUE(params().InitAll);
    EXPECT_TRUE(services->blockingShown.empty()) << "the chain is shown without blocking";
}

TEST_F(MainWindowTest, GoShowsTheDialogsInOrderAndSkipsScopeHeightForAPlainDropTable) {
    frmTrajectory& w = main();
    w.mnuGo_Click();
    const std::vector<QString> full = {"frmRunParam", "frmDisplayScale", "frmSetEnv", "frmSetSlope",
                                       "frmSelectBullet", "frmOtherGun"};
    EXPECT_EQ(services->blockingShown, full);

    services->blockingShown.clear();
    session().flyTypedBullet(0.3, 150);
    // Target mode, drop table variant, chosen in the dialogs before the scope height step.
    services->onBlockingShow = [this](QDialog& dialog) {
        if (dialog.objectName() == "frmSetBC") {
            params().HuntingMode = false;
            params().PBRMode = false;
        }
        dialog.hide();
    };
    w.mnuGo_Click();
    const std::vector<QString> dropTable = {"frmRunParam", "frmDisplayScale", "frmSetEnv", "frmSetSlope", "frmSetBC"};
    EXPECT_EQ(services->blockingShown, dropTable);
}

TEST_F(MainWindowTest, FailedRunIsReportedAndKeepsTheDrawing) {
    frmTrajectory& w = main();
    w.mnuShowGravity_Click();
    params().DeltaT = 0;
    w.mnuPlot_Click();
    EXPECT_EQ(expectMessage("time step").icon, MessageIcon::Exclamation);
    EXPECT_EQ(w.canvas->pixel(378, 110), QColor(Qt::blue));
}

TEST_F(MainWindowTest, OnlyALeftPressInspectsThePlot) {
    frmTrajectory& w = main();
    w.Form_MouseDown(Qt::RightButton, Qt::NoModifier, 200, 100);
    EXPECT_EQ(program->loaded<frmTrajInfo>(), nullptr);
    w.Form_MouseDown(Qt::LeftButton, Qt::NoModifier, 200, 100);
    EXPECT_NE(program->loaded<frmTrajInfo>(), nullptr);
}

TEST_F(MainWindowTest, ExitClosesEveryOtherWindow) {
    frmTrajectory& w = main();
    w.mnuDropTable->trigger();
    ASSERT_NE(program->loaded<frmPrintOutput>(), nullptr);
    w.mnuExit->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(program->loaded<frmPrintOutput>(), nullptr);
    EXPECT_EQ(program->loaded<frmTrajectory>(), &w);
}

}  // namespace

// A saved load names the window; a change marks it with a star until it is undone or
// saved, and closing with unsaved changes asks, and saves on Yes.
TEST_F(MainWindowTest, LoadTitleMarksUnsavedChangesAndCloseAsksToSave) {
    frmTrajectory& w = main();
    const QString path = settingsDir.filePath("varmint.tarnwick");
    services->saveAnswers = {settingsDir.filePath("varmint")};
    w.mnuSaveLoadAs_Click();
    EXPECT_EQ(w.windowTitle(), "varmint - Tarnwick");
    EXPECT_EQ(w.mnuRecentLoads->actions().front()->text(), "varmint.tarnwick");
    session().setMode(true, false);
    EXPECT_EQ(w.windowTitle(), "varmint* - Tarnwick");
    session().setMode(false, true);
    EXPECT_EQ(w.windowTitle(), "varmint - Tarnwick");
    session().setMode(true, false);
    services->answers = {true};
    EXPECT_TRUE(w.close());
    expectQuestion("unsaved changes");
    tarnwick::ProgramState reopened;
    tarnwick::RunInputs inputs;
    ASSERT_TRUE(tarnwick::loads::openLoad(path.toStdString(), reopened, inputs).ok());
    EXPECT_TRUE(reopened.params.HuntingMode);
}

// Compare Loads plots the chosen files and lists each load's report under its name.
TEST_F(MainWindowTest, CompareLoadsListsEachReport) {
    frmTrajectory& w = main();
    QStringList paths;
    for (const char* name : {"first", "second"}) {
        paths << settingsDir.filePath(QString(name) + ".tarnwick");
        ASSERT_TRUE(w.loadDocument->save(paths.back()).ok());
    }
    services->openManyAnswers = {paths};
    w.mnuCompareLoads_Click();
    const QString report = program->window<frmPrintOutput>().txtText->toPlainText();
    EXPECT_TRUE(report.contains("=== first ===") && report.contains("=== second ===")) << report.toStdString();
}
