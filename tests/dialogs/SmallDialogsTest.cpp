#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <functional>

#include "GuiTest.h"
#include "frmDisplayScale.h"
#include "frmOtherGun.h"
#include "frmRunParam.h"
#include "frmSetBC.h"
#include "frmSetEnv.h"
#include "frmSetSlope.h"
#include "frmTrajectory.h"

namespace {

using SmallDialogsTest = GuiTest;

// The main window with its check groups able to carry a check mark.
frmTrajectory& mainWindow(Program& program) {
    frmTrajectory& main = program.window<frmTrajectory>();
    for (QAction* item : {main.mnuStandard, main.mnuR6PPC, main.mnuOtherGun, main.mnuSelectBullet, main.mnuManBC})
        item->setCheckable(true);
    return main;
}

TEST_F(SmallDialogsTest, SlopeDirectionSetsTheSignOfTheAngle) {
    struct Case {
        const char* typed;
        bool up;
        double angle;
    };
    const Case cases[] = {{"3", true, 3}, {"3", false, -3}, {"-3", false, 3}, {"2.5 deg", true, 2.5}, {"x", false, 0}};
    frmSetSlope& dialog = program->window<frmSetSlope>();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        (c.up ? dialog.optUp : dialog.optDown)->click();
        dialog.txtAngle->setText(c.typed);
        dialog.cmdOK_Click();
        EXPECT_EQ(params().LOSAngle, c.angle);
    }
}

TEST_F(SmallDialogsTest, DisplayScaleOpensOnTheOptionOfTheRememberedPair) {
    struct Case {
        double horizontal, vertical;
        const char* selected;
    };
    const Case cases[] = {
        {10, 32, "opt25Yards"},   {2, 32, "opt100Yards"},  {2.0 / 3, 32, "opt300Yards"},
        {0.2, 1, "opt1000Yards"}, {0.2, 32, "opt300Yards"}, {0.6667, 32, "opt300Yards"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        program = makeProgram();
        program->state().remembered.LastHorizontalScale = c.horizontal;
        program->state().remembered.LastVerticalScale = c.vertical;
        frmDisplayScale& dialog = program->window<frmDisplayScale>();
        EXPECT_TRUE(dialog.findChild<QRadioButton*>(c.selected)->isChecked());
        EXPECT_EQ(params().HorizontalScale, 2.0 / 3) << "loading selects only";
    }
}

TEST_F(SmallDialogsTest, DisplayScaleOkSetsAndRemembersThePair) {
    frmDisplayScale& dialog = program->window<frmDisplayScale>();
    struct Case {
        QRadioButton* option;
        double horizontal, vertical;
    };
    const Case cases[] = {{dialog.opt25Yards, 10, 32},
                          {dialog.opt100Yards, 2, 32},
                          {dialog.opt1000Yards, 0.2, 1},
                          {dialog.opt300Yards, 2.0 / 3, 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option->text().toStdString());
        c.option->click();
        dialog.cmdOK_Click();
        EXPECT_EQ(params().HorizontalScale, c.horizontal);
        EXPECT_EQ(params().VerticalScale, c.vertical);
        EXPECT_EQ(program->state().remembered.LastHorizontalScale, c.horizontal);
        EXPECT_EQ(program->state().remembered.LastVerticalScale, c.vertical);
    }
    EXPECT_EQ(program->loaded<frmSetEnv>(), nullptr);
}

TEST_F(SmallDialogsTest, SetBCValidatesCoefficientFirstAndStoresNothingOnRefusal) {
    struct Case {
        const char* bc;
        const char* mass;
        const char* message;
        const char* g7 = "";  // empty: none
    };
    const Case cases[] = {
        {"0.3", "", "The Bullet Mass must be > 0"},
        {"", "150", "The Ballistic Coefficient must be > 0"},
        {"0", "0", "The Ballistic Coefficient must be > 0"},
        {"-0.3", "150", "The Ballistic Coefficient must be > 0"},
        {"abc", "150", "The Ballistic Coefficient must be > 0"},
        {"0.3", "-150", "The Bullet Mass must be > 0"},
        {"0.3", "150", "The G7 Ballistic Coefficient must be > 0", "abc"},
        {"0.3", "150", "the G7 Ballistic Coefficient is too large", "1e999"},
    };
    frmSetBC& dialog = program->window<frmSetBC>();
    program->show(dialog);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bc) + " / " + c.mass);
        dialog.txtBC->setText(c.bc);
        dialog.txtBulletMass->setText(c.mass);
        dialog.txtBCG7->setText(c.g7);
        dialog.cmdOK_Click();
        const RecordedMessage refused = expectMessage(c.message);
        EXPECT_EQ(refused.icon, MessageIcon::Exclamation);
        EXPECT_EQ(refused.title, "Tarnwick");
        EXPECT_EQ(params().BallisticCoefLow, 0.2);
        EXPECT_EQ(params().BallisticCoefHigh, 0.2);
        EXPECT_EQ(params().BulletMass, 100);
        EXPECT_TRUE(dialog.isVisible());
    }
}

TEST_F(SmallDialogsTest, SetBCStoresOneCoefficientForAllBandsAndMovesTheBulletSourceCheck) {
    frmTrajectory& main = mainWindow(*program);
    main.mnuSelectBullet->setChecked(true);
    main.mnuManBC->setChecked(false);
    params().BCBreakLow = 1200;
    params().BCBreakHigh = 2400;
    frmSetBC& dialog = program->window<frmSetBC>();
    EXPECT_EQ(dialog.txtBC->text(), "");
    EXPECT_EQ(dialog.Label1->text(), "gr.");
    program->show(dialog);
    dialog.txtBC->setText("0.3");
    dialog.txtBCG7->setText("0.15");
    dialog.txtBulletMass->setText("150");
    dialog.cmdOK->click();
    EXPECT_EQ(params().BallisticCoefG7, 0.15);
    EXPECT_EQ(program->state().remembered.LastBallisticCoefG7, 0.15);
    EXPECT_EQ(params().BallisticCoefLow, 0.3);
    EXPECT_EQ(params().BallisticCoefMid, 0.3);
    EXPECT_EQ(params().BallisticCoefHigh, 0.3);
    EXPECT_EQ(params().BCBreakLow, 1000);
    EXPECT_EQ(params().BCBreakHigh, 2000);
    EXPECT_EQ(params().BulletMass, 150);
    EXPECT_FALSE(main.mnuSelectBullet->isChecked());
    EXPECT_TRUE(main.mnuManBC->isChecked());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(program->loaded<frmOtherGun>(), nullptr) << "the scope height follows only during Set All";
}

TEST_F(SmallDialogsTest, SetBCRefusesAnInfiniteCoefficient) {
    frmSetBC& dialog = program->window<frmSetBC>();
    dialog.txtBC->setText("1e999");
    dialog.txtBulletMass->setText("150");
    dialog.cmdOK_Click();
    expectMessage("Ballistic Coefficient");
    EXPECT_EQ(params().BallisticCoefLow, 0.2);
    EXPECT_EQ(params().BulletMass, 100);
}

TEST_F(SmallDialogsTest, ScopeHeightLoadsTheRememberedHeightAtEveryActivation) {
    program->state().remembered.LastScopeHeight = 1.75;
    frmOtherGun& dialog = program->window<frmOtherGun>();
    EXPECT_EQ(dialog.txtScopeHeight->text(), "1.75");
    EXPECT_EQ(params().ScopeHeight, 1.75);
    dialog.txtScopeHeight->setText("9");
    params().ScopeHeight = 0.5;
    dialog.Form_Activate();
    EXPECT_EQ(dialog.txtScopeHeight->text(), "1.75");
    EXPECT_EQ(params().ScopeHeight, 1.75);
}

TEST_F(SmallDialogsTest, ScopeHeightReloadsOnlyAfterAnotherWindowOfTheProgramOrAShow) {
    program->state().remembered.LastScopeHeight = 1.5;
    frmTrajectory& main = mainWindow(*program);
    frmOtherGun& dialog = program->window<frmOtherGun>();
    QMessageBox ownBox(&dialog);
    const auto activate = [](QWidget* window) { QApplication::setActiveWindow(window); };
    const struct {
        const char* name;
        std::function<void()> meanwhile;
        QString shown;  // in the box when the dialog is active again
    } cases[] = {
        {"another application", [&] { activate(nullptr); }, "2.25"},
        {"its own message box", [&] { activate(&ownBox); }, "2.25"},
        {"the main window", [&] { activate(&main); }, "1.5"},
        {"the main window, then another application", [&] { activate(&main); activate(nullptr); }, "2.25"},
        {"hidden and shown again", [&] { activate(nullptr); dialog.hide(); program->show(dialog); }, "1.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        activate(&main);
        activate(&dialog);
        dialog.txtScopeHeight->setText("2.25");
        c.meanwhile();
        activate(&dialog);
        EXPECT_EQ(dialog.txtScopeHeight->text(), c.shown);
    }
}

TEST_F(SmallDialogsTest, ScopeHeightSetStoresAndMovesTheCheckToSet) {
    frmTrajectory& main = mainWindow(*program);
    main.mnuStandard->setChecked(true);
    main.mnuR6PPC->setChecked(true);
    main.mnuOtherGun->setChecked(false);
    params().InitAll = true;
    frmOtherGun& dialog = program->window<frmOtherGun>();
    program->show(dialog);
    dialog.txtScopeHeight->setText("2.25");
    dialog.cmdSet->click();
    EXPECT_EQ(params().ScopeHeight, 2.25);
    EXPECT_EQ(params().SaveScopeHeight, 2.25);
    EXPECT_EQ(program->state().remembered.LastScopeHeight, 2.25);
    EXPECT_TRUE(main.mnuOtherGun->isChecked());
    EXPECT_FALSE(main.mnuStandard->isChecked());
    EXPECT_FALSE(main.mnuR6PPC->isChecked());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(params().InitAll);
}

TEST_F(SmallDialogsTest, ScopeHeightWithDropTableBringsBackTheRememberedHeight) {
    program->state().remembered.LastScopeHeight = 2;
    params().ScopeHeight = 2;
    params().SaveScopeHeight = 2;
    frmRunParam& run = program->window<frmRunParam>();
    run.optTwo->click();  // Drop Table
    ASSERT_EQ(params().ScopeHeight, 0);
    frmOtherGun& dialog = program->window<frmOtherGun>();
    dialog.Form_Activate();
    EXPECT_EQ(dialog.txtScopeHeight->text(), "2");
    EXPECT_FALSE(dialog.txtScopeHeight->isEnabled()) << "the box stays greyed";
    EXPECT_EQ(params().ScopeHeight, 2);

    params().SaveScopeHeight = 1.5;
    dialog.cmdSet_Click();
    EXPECT_EQ(params().ScopeHeight, 2) << "Set keeps the height although Drop Table is selected";
    EXPECT_EQ(params().SaveScopeHeight, 1.5) << "the kept-aside height is left alone in Drop Table";
}

TEST_F(SmallDialogsTest, ScopeHeightReloadsWhenTheWindowIsActivatedAgain) {
    frmOtherGun& dialog = program->window<frmOtherGun>();
    program->show(dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog, 1000));
    dialog.hide();
    QWidget elsewhere;  // the user works in another window meanwhile
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere, 1000));
    program->state().remembered.LastScopeHeight = 2.75;
    program->show(dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog, 1000));
    EXPECT_EQ(dialog.txtScopeHeight->text(), "2.75");
    EXPECT_EQ(params().ScopeHeight, 2.75);
}

}  // namespace
