// Hostile text in one parameter box at a time, the other boxes keeping usable values,
// then a plot run and clicks on the canvas, in every mode and variant with every drag
// law: the runs fly far enough to meet every kind of odd value on the way.
#include <QLineEdit>
#include <QPushButton>

#include "HostileInput.h"
#include "frmOtherGun.h"
#include "frmRunParam.h"
#include "frmSetBC.h"
#include "frmSetEnv.h"
#include "frmSetSlope.h"
#include "frmTrajectory.h"

namespace {

using namespace std::chrono_literals;

struct Variant {
    const char* name;
    bool hunting;
    bool first;  // Trajectory / Big Game
};

constexpr Variant kVariants[] = {
    {"Target/Trajectory", false, true},
    {"Target/Drop Table", false, false},
    {"Hunting/Big Game", true, true},
    {"Hunting/Varmint", true, false},
};

struct DragLaw {
    const char* name;
    QAction* frmTrajectory::*item;
};

const DragLaw kDragLaws[] = {
    {"G1", &frmTrajectory::mnuGavre},
    {"Ingalls", &frmTrajectory::mnuIngalls},
    {"Krupp", &frmTrajectory::mnuKrupp},
};

class HostileRunsTest : public HostileInputTest {
protected:
    struct Dialog {
        QWidget* window;
        QPushButton* accept;
    };

    // The dialogs whose boxes feed the parameter set, with the button that stores them.
    std::vector<Dialog> parameterDialogs() {
        auto& run = program->window<frmRunParam>();
        auto& env = program->window<frmSetEnv>();
        auto& slope = program->window<frmSetSlope>();
        auto& gun = program->window<frmOtherGun>();
        auto& bc = program->window<frmSetBC>();
        return {{&run, run.cmdOK}, {&env, env.cmdSet}, {&slope, slope.cmdOK}, {&gun, gun.cmdSet}, {&bc, bc.cmdOK}};
    }

    void choose(const Variant& variant, const DragLaw& law) {
        auto& run = program->window<frmRunParam>();
        (variant.hunting ? run.optHuntingMode : run.optTargetMode)->click();
        (variant.first ? run.optOne : run.optTwo)->click();
        run.cmdOK->click();
        (main().*law.item)->trigger();
        // The choices themselves must raise nothing.
        expectNoMessages();
    }
};

TEST_F(HostileRunsTest, EveryModeVariantAndDragLawSurvivesOneHostileBoxAtATime) {
    hostile::Watchdog watchdog(60s);
    // The typed coefficient dialog starts empty; usable values make its own rounds fair.
    auto& bc = program->window<frmSetBC>();
    bc.txtBC->setText("0.25");
    bc.txtBulletMass->setText("150");
    bc.cmdOK->click();
    int rounds = 0;
    for (const Variant& variant : kVariants) {
        for (const DragLaw& law : kDragLaws) {
            const std::string combination = std::string(variant.name) + ", " + law.name;
            watchdog.stage(combination);
            choose(variant, law);
            ASSERT_EQ(params().HuntingMode, variant.hunting);
            ASSERT_EQ(params().PBRMode, variant.first);
            ASSERT_EQ(params().DragFunction, law.name);

            for (const Dialog& dialog : parameterDialogs()) {
                for (QLineEdit* box : dialog.window->findChildren<QLineEdit*>()) {
                    if (box->isReadOnly()) continue;
                    const QString usable = box->text();
                    int round = 0;
                    for (const QString& text : hostile::texts()) {
                        const std::string where =
                            combination + ", " + box->objectName().toStdString() + ", text #" + std::to_string(++round);
                        watchdog.stage(where);
                        ++rounds;
                        box->setText(text);
                        dialog.accept->click();
                        plotAndClick();
                        checkRound(where);
                        // Back to the usable value before the next text.
                        box->setText(usable);
                        dialog.accept->click();
                        services->messages.clear();
                    }
                }
            }
        }
    }
    EXPECT_GT(completedRounds, rounds / 2);
}

}  // namespace
