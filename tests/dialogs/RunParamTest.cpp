#include <QAction>

#include "GuiTest.h"
#include "frmDisplayScale.h"
#include "frmOtherGun.h"
#include "frmRunParam.h"
#include "frmTrajectory.h"

namespace {

using RunParamTest = GuiTest;

struct ExpectedState {
    const char* steps;  // options clicked in order: H(unting) T(arget) 1 (first) 2 (second variant)
    const char* one;
    const char* two;
    const char* maxDevCaption;
    const char* maxDevText;
    bool maxDevEnabled;
    double scopeHeight;
    bool hunting;
    bool pbr;
};

void clickSteps(frmRunParam& dialog, const char* steps) {
    for (const char* s = steps; *s; ++s) {
        switch (*s) {
        case 'H': dialog.optHuntingMode->click(); break;
        case 'T': dialog.optTargetMode->click(); break;
        case '1': dialog.optOne->click(); break;
        case '2': dialog.optTwo->click(); break;
        }
    }
}

TEST_F(RunParamTest, FourModeVariantStatesFollowTheClicks) {
    const char* maxDev = "Maximum Deviation (inches):";
    const char* zero = "Zero Crossing (yards):";
    const ExpectedState states[] = {
        {"", "Trajectory", "Drop Table", maxDev, "4", true, 1.5, false, true},
        {"2", "Trajectory", "Drop Table", maxDev, "0", false, 0, false, false},
        {"21", "Trajectory", "Drop Table", maxDev, "4", true, 1.5, false, true},
        {"H", "Big Game", "Varmint", maxDev, "4", true, 1.5, true, true},
        {"H2", "Big Game", "Varmint", zero, "300", true, 1.5, true, false},
        // Switching mode shows the remembered zero crossing, not the fixed 300.
        {"H2T", "Trajectory", "Drop Table", maxDev, "0", false, 0, false, false},
        {"H2TH", "Big Game", "Varmint", zero, "250", true, 1.5, true, false},
        {"2H", "Big Game", "Varmint", zero, "250", true, 1.5, true, false},
        {"H21", "Big Game", "Varmint", maxDev, "4", true, 1.5, true, true},
    };
    for (const ExpectedState& e : states) {
        SCOPED_TRACE(e.steps);
        program = makeProgram();
        program->state().remembered.LastMaxDeviation = 4;
        program->state().remembered.LastZeroCrossing = 250;
        frmRunParam& dialog = program->window<frmRunParam>();
        clickSteps(dialog, e.steps);
        EXPECT_EQ(dialog.optOne->text(), e.one);
        EXPECT_EQ(dialog.optTwo->text(), e.two);
        EXPECT_EQ(dialog.lblMaxDev->text(), e.maxDevCaption);
        EXPECT_EQ(dialog.txtMaxDev->text(), e.maxDevText);
        EXPECT_EQ(dialog.txtMaxDev->isEnabled(), e.maxDevEnabled);
        EXPECT_EQ(params().ScopeHeight, e.scopeHeight);
        EXPECT_EQ(params().HuntingMode, e.hunting);
        EXPECT_EQ(params().PBRMode, e.pbr);
        EXPECT_EQ(program->state().remembered.LastHuntingMode, e.hunting);
        EXPECT_EQ(program->state().remembered.LastPBRMode, e.pbr);
        EXPECT_EQ(dialog.lblInitVel->text(), e.hunting ? "Range Muzzle Velocity (fps):" : "Muzzle Velocity (fps):");
    }
}

TEST_F(RunParamTest, DropTableZeroesScopeHeightEverywhereAndTrajectoryRestoresIt) {
    frmTrajectory& main = program->window<frmTrajectory>();
    frmRunParam& dialog = program->window<frmRunParam>();
    frmOtherGun* gun = &program->window<frmOtherGun>();
    ASSERT_EQ(params().ScopeHeight, 1.5);

    dialog.optTwo->click();
    EXPECT_EQ(params().ScopeHeight, 0);
    EXPECT_EQ(params().SaveScopeHeight, 1.5);
    EXPECT_EQ(gun->txtScopeHeight->text(), "0");
    EXPECT_FALSE(gun->txtScopeHeight->isEnabled());
    EXPECT_FALSE(main.mnuStandard->isEnabled());

    dialog.optOne->click();
    EXPECT_EQ(params().ScopeHeight, 1.5);
    EXPECT_EQ(gun->txtScopeHeight->text(), "1.5");
    EXPECT_TRUE(gun->txtScopeHeight->isEnabled());
    EXPECT_TRUE(main.mnuStandard->isEnabled());
}

TEST_F(RunParamTest, DropTableKeepsTheHeightInUseAside) {
    program->state().remembered.LastScopeHeight = 2.5;
    params().ScopeHeight = 1.75;
    frmRunParam& dialog = program->window<frmRunParam>();
    dialog.optTwo->click();
    EXPECT_EQ(params().ScopeHeight, 0);
    EXPECT_EQ(params().SaveScopeHeight, 1.75);
    EXPECT_EQ(program->loaded<frmOtherGun>(), nullptr) << "no other window is created on the way";
}

TEST_F(RunParamTest, LoadShowsTheSessionsModeAndVariant) {
    tarnwick::RememberedSettings last;
    last.LastHuntingMode = true;
    last.LastPBRMode = false;
    last.LastZeroCrossing = 250;
    last.LastInitialVelocity = 3100;
    session().restore(last);
    frmRunParam& dialog = program->window<frmRunParam>();
    EXPECT_TRUE(dialog.optHuntingMode->isChecked());
    EXPECT_TRUE(dialog.optTwo->isChecked());
    EXPECT_EQ(dialog.optTwo->text(), "Varmint");
    EXPECT_EQ(dialog.lblMaxDev->text(), "Zero Crossing (yards):");
    EXPECT_EQ(dialog.txtMaxDev->text(), "250") << "the load shows the remembered distance, not 300";
    EXPECT_TRUE(dialog.txtMaxDev->isEnabled());
    EXPECT_EQ(dialog.txtInitVel->text(), "3100");
    EXPECT_EQ(dialog.txtDeltaT->text(), "0.001");
    EXPECT_TRUE(params().HuntingMode);
    EXPECT_FALSE(params().PBRMode);
}

TEST_F(RunParamTest, StartInTargetDropTableZeroesTheScopeHeight) {
    tarnwick::RememberedSettings last;
    last.LastPBRMode = false;
    session().restore(last);
    frmRunParam& dialog = program->window<frmRunParam>();
    EXPECT_TRUE(dialog.optTargetMode->isChecked());
    EXPECT_TRUE(dialog.optTwo->isChecked());
    EXPECT_EQ(dialog.txtMaxDev->text(), "0");
    EXPECT_FALSE(dialog.txtMaxDev->isEnabled());
    EXPECT_EQ(params().ScopeHeight, 0);
    EXPECT_EQ(params().SaveScopeHeight, 1.5);
}

TEST_F(RunParamTest, StartInHuntingModeFliesTheRememberedHeightThroughModeChanges) {
    tarnwick::RememberedSettings last;
    last.LastHuntingMode = true;
    last.LastScopeHeight = 2.5;
    session().restore(last);
    frmRunParam& dialog = program->window<frmRunParam>();
    EXPECT_EQ(params().ScopeHeight, 2.5);
    dialog.optTargetMode->click();
    EXPECT_EQ(params().ScopeHeight, 2.5);
}

TEST_F(RunParamTest, OkReadsLeadingNumbersWithoutComplaint) {
    frmRunParam& dialog = program->window<frmRunParam>();
    dialog.txtInitVel->setText("2800abc");
    dialog.txtMaxDev->setText("  2.5 in");
    dialog.txtDeltaT->setText("abc");
    dialog.cmdOK_Click();
    EXPECT_EQ(params().InitialVelocity, 2800);
    EXPECT_EQ(params().MaxDeviation, 2.5);
    EXPECT_EQ(params().DeltaT, 0);
    EXPECT_EQ(program->state().remembered.LastInitialVelocity, 2800);
    EXPECT_EQ(program->state().remembered.LastMaxDeviation, 2.5);
    dialog.txtInitVel->setText("abc");
    dialog.cmdOK_Click();
    EXPECT_EQ(params().InitialVelocity, 0);
}

TEST_F(RunParamTest, OkRemembersTheBoxPerVariant) {
    auto& last = program->state().remembered;
    frmRunParam& dialog = program->window<frmRunParam>();

    dialog.optHuntingMode->click();
    dialog.optTwo->click();  // Varmint
    dialog.txtMaxDev->setText("275");
    dialog.cmdOK_Click();
    EXPECT_EQ(params().MaxDeviation, 275);
    EXPECT_EQ(last.LastZeroCrossing, 275);
    EXPECT_EQ(last.LastMaxDeviation, 3);

    dialog.optTargetMode->click();  // Target with Drop Table: nothing further remembered
    dialog.cmdOK_Click();
    EXPECT_EQ(params().MaxDeviation, 0);
    EXPECT_EQ(last.LastZeroCrossing, 275);
    EXPECT_EQ(last.LastMaxDeviation, 3);
}

TEST_F(RunParamTest, OkHidesAndOpensTheDisplayScaleOnlyDuringSetAll) {
    frmRunParam& dialog = program->window<frmRunParam>();
    program->show(dialog);
    dialog.cmdOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(program->loaded<frmDisplayScale>(), nullptr);

    params().InitAll = true;
    program->show(dialog);
    dialog.cmdOK->click();
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_NE(program->loaded<frmDisplayScale>(), nullptr);
    EXPECT_TRUE(program->loaded<frmDisplayScale>()->isVisible());
}

TEST_F(RunParamTest, ValueTooLargeToUseIsRefusedByNameAndNothingStored) {
    frmRunParam& dialog = program->window<frmRunParam>();
    program->show(dialog);
    dialog.txtInitVel->setText("3000");
    dialog.txtDeltaT->setText("1e999");
    dialog.cmdOK_Click();
    const RecordedMessage refused = expectMessage("Delta T");
    EXPECT_EQ(refused.icon, MessageIcon::Exclamation);
    EXPECT_EQ(refused.title, "Tarnwick");
    EXPECT_EQ(params().InitialVelocity, 2000);
    EXPECT_EQ(params().DeltaT, 0.001);
    EXPECT_EQ(program->state().remembered.LastInitialVelocity, 2000);
    EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open for a correction";
}

TEST_F(RunParamTest, HelpItemsShowTheirTitles) {
    frmRunParam& dialog = program->window<frmRunParam>();
    const std::pair<QAction*, const char*> items[] = {
        {dialog.mnuModeHelp, "Which Mode to Use?"},
        {dialog.mnuVariant, "Which Mode to Use?"},
        {dialog.mnuMVHelp, "Which Muzzle Velocity?"},
        {dialog.mnuMaxDevHelp, "What Maximum Deviation Should I Use?"},
        {dialog.mnuDeltaTHelp, "What is Delta T?"},
    };
    for (const auto& [item, title] : items) item->trigger();
    const std::vector<RecordedMessage> messages = takeMessages();
    ASSERT_EQ(messages.size(), std::size(items));
    for (std::size_t i = 0; i < std::size(items); ++i) {
        EXPECT_EQ(messages[i].title, items[i].second);
        EXPECT_EQ(messages[i].icon, MessageIcon::Information);
    }
    EXPECT_EQ(messages[3].text.split("\r\n").size(), 17);
    EXPECT_TRUE(messages[3].text.contains("\r\n the bullet stays within the kill zone.\r\n\r\nIn <Hunting>"));
    EXPECT_EQ(dialog.mnuVariant->text(), "Which Variant?...");
}

TEST_F(RunParamTest, CloseBoxUnloadsAndTheNextOpeningStartsFromCreationTexts) {
    frmRunParam& dialog = program->window<frmRunParam>();
    program->show(dialog);
    dialog.txtDeltaT->setText("0.01");
    dialog.close();
    EXPECT_EQ(program->loaded<frmRunParam>(), nullptr);
    EXPECT_EQ(program->window<frmRunParam>().txtDeltaT->text(), "0.001");
}

}  // namespace
