#include <QPushButton>
#include <QTest>

#include "GuiTest.h"
#include "PlotCanvas.h"
#include "frmDisplayScale.h"
#include "frmOtherGun.h"
#include "frmRunParam.h"
#include "frmSelectBullet.h"
#include "frmSetBC.h"
#include "frmSetEnv.h"
#include "frmSetSlope.h"
#include "frmTrajectory.h"

namespace {

class ChainTest : public GuiTest {
protected:
    // Starts "Set All Parameters" as the main window does.
    frmRunParam& startSetAll() {
        params().InitAll = true;
        frmRunParam& first = program->window<frmRunParam>();
        program->show(first);
        return first;
    }

    template <class T>
    T& visible() {
        T* window = program->loaded<T>();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(window && window->isVisible()) << typeid(T).name();
        return *window;
    }

    frmTrajectory& mainWithTypedCoefficient() {
        frmTrajectory& main = program->window<frmTrajectory>();
        session().flyTypedBullet(0.2, 100);
        return main;
    }

    // A dialog of "GO!" as a user answers it: filled in and accepted. `runOptions` are the
    // options clicked in the run parameters dialog: H (Hunting), 2 (second variant).
    static void fillInAndAccept(QDialog& dialog, const char* runOptions = "") {
        if (auto* run = qobject_cast<frmRunParam*>(&dialog)) {
            for (const char* s = runOptions; *s; ++s) (*s == 'H' ? run->optHuntingMode : run->optTwo)->click();
            run->txtInitVel->setText("3000");
        }
        if (auto* bc = qobject_cast<frmSetBC*>(&dialog)) {
            bc->txtBC->setText("0.4");
            bc->txtBulletMass->setText("150");
        }
        QPushButton* accept = dialog.findChild<QPushButton*>("cmdOK");
        if (!accept) accept = dialog.findChild<QPushButton*>("cmdSet");
        ASSERT_NE(accept, nullptr) << dialog.objectName().toStdString();
        accept->click();
        EXPECT_FALSE(dialog.isVisible()) << dialog.objectName().toStdString() << " ends its blocking show";
    }
};

// Esc and the close box, the two ways a user cancels a dialog.
void pressEsc(QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }
void closeBox(QDialog& dialog) { dialog.close(); }

TEST_F(ChainTest, SetAllWalksThroughEveryDialogInOrderAndEnds) {
    mainWithTypedCoefficient();
    frmRunParam& run = startSetAll();
    run.txtInitVel->setText("3000");
    run.cmdOK->click();
    EXPECT_FALSE(run.isVisible());

    frmDisplayScale& scale = visible<frmDisplayScale>();
    scale.opt100Yards->click();
    scale.cmdOK->click();
    EXPECT_FALSE(scale.isVisible());

    frmSetEnv& env = visible<frmSetEnv>();
    env.txtRCrossWind->setText("10");
    env.cmdSet->click();

    frmSetSlope& slope = visible<frmSetSlope>();
    slope.txtAngle->setText("5");
    slope.cmdOK->click();
    EXPECT_EQ(program->loaded<frmSelectBullet>(), nullptr);

    frmSetBC& bc = visible<frmSetBC>();
    bc.txtBC->setText("0.45");
    bc.txtBulletMass->setText("165");
    bc.cmdOK->click();

    frmOtherGun& gun = visible<frmOtherGun>();
    EXPECT_TRUE(params().InitAll);
    gun.txtScopeHeight->setText("1.6");
    gun.cmdSet->click();
    EXPECT_FALSE(gun.isVisible());
    EXPECT_FALSE(params().InitAll);

    for (QWidget* w : std::initializer_list<QWidget*>{&run, &scale, &env, &slope, &bc, &gun})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(params().InitialVelocity, 3000);
    EXPECT_EQ(params().HorizontalScale, 2);
    EXPECT_DOUBLE_EQ(params().RCrossWind, 176);
    EXPECT_EQ(params().LOSAngle, 5);
    EXPECT_EQ(params().BallisticCoefMid, 0.45);
    EXPECT_EQ(params().BulletMass, 165);
    EXPECT_EQ(params().ScopeHeight, 1.6);
}

TEST_F(ChainTest, SlopeOpensTheBulletSelectionWhenTheDataBaseIsTheSource) {
    params().InitAll = true;
    program->window<frmSetSlope>().cmdOK_Click();
    visible<frmSelectBullet>();
    EXPECT_EQ(program->loaded<frmSetBC>(), nullptr);
}

TEST_F(ChainTest, DialogCancelledWithEscOrCloseBoxEndsTheChain) {
    for (void (*cancel)(QDialog&) : {closeBox, pressEsc}) {
        mainWithTypedCoefficient();
        startSetAll().cmdOK->click();
        cancel(visible<frmDisplayScale>());
        EXPECT_FALSE(params().InitAll);

        // Later the user opens the slope dialog by its own command: its OK only hides it.
        frmSetSlope& slope = program->window<frmSetSlope>();
        program->show(slope);
        slope.cmdOK->click();
        EXPECT_EQ(program->loaded<frmSetBC>(), nullptr);
    }
}

TEST_F(ChainTest, GoEndsAtACancelledDialogWithoutPlotting) {
    const std::vector<QString> all = {"frmRunParam", "frmDisplayScale", "frmSetEnv",
                                      "frmSetSlope", "frmSetBC",        "frmOtherGun"};
    for (std::size_t cancelled = 0; cancelled < all.size(); ++cancelled) {
        SCOPED_TRACE(all[cancelled].toStdString());
        frmTrajectory& main = mainWithTypedCoefficient();
        params().InitialVelocity = 2000;
        services->blockingShown.clear();
        services->onBlockingShow = [&](QDialog& dialog) {
            if (dialog.objectName() != all[cancelled]) return fillInAndAccept(dialog);
            (cancelled % 2 ? closeBox : pressEsc)(dialog);
        };
        main.mnuGo_Click();
        EXPECT_EQ(services->blockingShown, std::vector<QString>(all.begin(), all.begin() + long(cancelled) + 1));
        EXPECT_TRUE(program->state().FirstPageText.empty()) << "nothing is plotted";
        EXPECT_EQ(params().InitialVelocity, cancelled == 0 ? 2000 : 3000) << "what OK stored stays";
    }
}

TEST_F(ChainTest, WithoutSetAllEachOkOnlyHides) {
    mainWithTypedCoefficient();
    program->window<frmRunParam>().cmdOK_Click();
    program->window<frmDisplayScale>().cmdOK_Click();
    program->window<frmSetEnv>().cmdSet_Click();
    program->window<frmSetSlope>().cmdOK_Click();
    frmSetBC& bc = program->window<frmSetBC>();
    bc.txtBC->setText("0.3");
    bc.txtBulletMass->setText("150");
    bc.cmdOK_Click();
    for (QWidget* w : std::initializer_list<QWidget*>{program->loaded<frmRunParam>(), program->loaded<frmDisplayScale>(),
                                                      program->loaded<frmSetEnv>(), program->loaded<frmSetSlope>(),
                                                      program->loaded<frmSetBC>()})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(program->loaded<frmOtherGun>(), nullptr);
}

// "GO!" as a user answers it: each dialog shown blocking is filled in and accepted.
struct GoCase {
    const char* name;
    const char* runOptions;  // options clicked in the run parameters dialog: H, 2 (second variant)
    bool scopeStep;
};

class GoChainTest : public ChainTest, public ::testing::WithParamInterface<GoCase> {};

TEST_P(GoChainTest, ShowsTheDialogsInOrderThenPlotsOnAClearedCanvas) {
    const GoCase& c = GetParam();
    frmTrajectory& main = mainWithTypedCoefficient();
    main.resize(640, 400);
    tarnwick::DrawingSurface& surface = main.canvas->surface();
    surface.setPenColour(tarnwick::Rgb{255, 0, 0});
    const double markX = surface.width() - 3, markY = 3;
    surface.line(markX, markY, markX, markY + 1);
    ASSERT_NE(main.canvas->pixel(int(markX), int(markY)), QColor(Qt::white));

    services->onBlockingShow = [&](QDialog& dialog) { fillInAndAccept(dialog, c.runOptions); };
    main.mnuGo_Click();

    std::vector<QString> expected = {"frmRunParam", "frmDisplayScale", "frmSetEnv", "frmSetSlope", "frmSetBC"};
    if (c.scopeStep) expected.push_back("frmOtherGun");
    EXPECT_EQ(services->blockingShown, expected);
    EXPECT_FALSE(params().InitAll);
    EXPECT_EQ(params().InitialVelocity, 3000);
    EXPECT_EQ(params().BallisticCoefLow, 0.4);
    EXPECT_TRUE(QString::fromStdString(program->state().FirstPageText).startsWith("Muzzle Velocity = 3000"));
    EXPECT_EQ(main.canvas->pixel(int(markX), int(markY)), QColor(Qt::white)) << "the canvas was cleared first";
}

INSTANTIATE_TEST_SUITE_P(Modes, GoChainTest,
                         ::testing::Values(GoCase{"TargetTrajectory", "", true}, GoCase{"TargetDropTable", "2", false},
                                           GoCase{"HuntingBigGame", "H", true}, GoCase{"HuntingVarmint", "H2", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
