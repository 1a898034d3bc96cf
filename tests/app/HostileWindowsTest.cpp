// Hostile text in every box of every window, every button and menu item pressed after
// it, then a plot run and clicks on the canvas: nothing crashes or hangs, no value
// that is not finite stays in the parameter set unless the run says it stopped, only
// the program's own message boxes appear, and the bullet table keeps its rows.
#include <QDir>
#include <functional>

#include "HostileInput.h"
#include "frmDisplayScale.h"
#include "frmEditBullet.h"
#include "frmKey.h"
#include "frmLongRange.h"
#include "frmMVCalc.h"
#include "frmOtherGun.h"
#include "frmPrintOutput.h"
#include "frmRunParam.h"
#include "frmSelectBullet.h"
#include "frmSetBC.h"
#include "frmSetEnv.h"
#include "frmSetSlope.h"
#include "frmTarget.h"
#include "frmTrajInfo.h"
#include "frmTrajectory.h"
#include "frmWindCalc.h"

namespace {

using namespace std::chrono_literals;

struct SweptWindow {
    const char* name;
    std::function<QWidget&(Program&)> open;
    // Pressed elsewhere: Exit ends the program; Delete removes a stored row (the
    // edit window's own sweep deletes only the rows it added).
    QStringList skip;
    // What the window takes besides buttons and menu items (pointer presses).
    std::function<void(QWidget&)> pointer;
};

template <class T>
QWidget& opened(Program& program) {
    return program.window<T>();
}

const std::vector<SweptWindow>& sweptWindows() {
    static const std::vector<SweptWindow> windows = {
        {"frmRunParam", opened<frmRunParam>, {}, {}},
        {"frmDisplayScale", opened<frmDisplayScale>, {}, {}},
        {"frmSetEnv", opened<frmSetEnv>, {}, {}},
        {"frmLongRange", opened<frmLongRange>, {}, {}},
        {"frmSetSlope", opened<frmSetSlope>, {}, {}},
        {"frmOtherGun", opened<frmOtherGun>, {}, {}},
        {"frmSetBC", opened<frmSetBC>, {}, {}},
        {"frmSelectBullet", opened<frmSelectBullet>, {}, {}},
        {"frmEditBullet", opened<frmEditBullet>, {"cmdDelete"}, {}},
        {"frmMVCalc", opened<frmMVCalc>, {}, {}},
        {"frmWindCalc", opened<frmWindCalc>, {},
         [](QWidget& w) {
             auto& calc = static_cast<frmWindCalc&>(w);
             for (const auto& [x, y] : {std::pair{10.0, 10.0}, {0.0, 0.0}, {-5.0, 1e6}, {60.0, 60.0}}) {
                 calc.picWind_MouseDown(Qt::LeftButton, x, y);
                 calc.picWind_MouseMove(Qt::LeftButton, x + 1, y);
                 calc.picWind_MouseUp(Qt::LeftButton, x + 1, y);
             }
         }},
        {"frmPrintOutput", opened<frmPrintOutput>, {}, {}},
        {"frmKey", opened<frmKey>, {}, {}},
        {"frmTrajInfo", opened<frmTrajInfo>, {}, {}},
        {"frmTarget", opened<frmTarget>, {},
         [](QWidget& w) {
             auto& target = static_cast<frmTarget&>(w);
             for (const auto& [x, y] : {std::pair{0.0, 0.0}, {-1e9, 1e9}, {100.0, 50.0}}) target.Form_MouseDown(x, y);
         }},
        {"frmTrajectory", opened<frmTrajectory>, {"mnuExit"}, {}},
    };
    return windows;
}

class HostileWindowsTest : public HostileInputTest {};

TEST_F(HostileWindowsTest, EveryWindowTakesHostileTextAndEveryCommand) {
    const QStringList tableBefore = hostile::dumpBullets(bulletFile());
    ASSERT_FALSE(tableBefore.isEmpty()) << bulletFile().toStdString();
    hostile::Watchdog watchdog(60s);

    int round = 0;
    for (const QString& text : hostile::texts()) {
        ++round;
        for (const SweptWindow& entry : sweptWindows()) {
            const std::string where = std::string(entry.name) + ", text #" + std::to_string(round);
            watchdog.stage(where);
            QWidget& window = entry.open(*program);
            program->show(window);
            typeIntoEveryBox(window, text);
            // The results window's Save and Append commands write into the test's folder.
            if (entry.name == std::string("frmPrintOutput"))
                for (int i = 0; i < 3; ++i)
                    services->saveAnswers.push_back(QDir(scratchFolder()).filePath(QString("report%1").arg(round)));
            if (entry.pointer) entry.pointer(window);
            pressEverything(window, entry.skip);
            services->saveAnswers.clear();
            plotAndClick();
            checkRound(where);
        }
    }
    EXPECT_EQ(hostile::dumpBullets(bulletFile()), tableBefore);
}

}  // namespace
