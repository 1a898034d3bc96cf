#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "GuiTest.h"
#include "PictureBox.h"
#include "RecordingSurface.h"
#include "WindArrow.h"
#include "frmMVCalc.h"
#include "frmSetEnv.h"
#include "frmTrajectory.h"
#include "frmWindCalc.h"

namespace {

using tarnwick::DrawOp;
using windcalc::Arrow;
constexpr double kPi = tarnwick::kTenDigitPi;

// ---- geometry of the picture, without the window ----

TEST(WindArrowTest, PointerDirectionIncludingTheLevelAndCentreLimits) {
    struct Case {
        double x, y;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {100, 180, 0.0},         // straight below: pure tail wind
        {100, 20, kPi},          // straight above: head wind
        {150, 150, std::atan(1.0)},        // below right
        {50, 50, kPi + std::atan(1.0)},    // above left
        {180, 100, kPi / 2},     // level, right of the centre
        {20, 100, -kPi / 2},     // level, left of the centre
        {100, 100, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto theta = windcalc::pointerDirection(c.x, c.y, 200, 200);
        ASSERT_EQ(theta.has_value(), c.expected.has_value()) << c.x << "," << c.y;
        if (theta) {
            EXPECT_NEAR(*theta, *c.expected, 1e-12) << c.x << "," << c.y;
        }
    }
}

TEST(WindArrowTest, ArrowPointsAreRoundedHalvesToEvenAndReflectedThroughTheCentre) {
    // Even picture: straight down and level with the centre.
    EXPECT_EQ(windcalc::arrowForPointer(100, 190, 200, 200), (Arrow{100, 150, 100, 50}));
    EXPECT_EQ(windcalc::arrowForPointer(190, 100, 200, 200), (Arrow{150, 100, 50, 100}));
    EXPECT_EQ(windcalc::arrowForPointer(5, 100, 200, 200), (Arrow{50, 100, 150, 100}));
    EXPECT_FALSE(windcalc::arrowForPointer(100, 100, 200, 200));
    // Odd width: 100.5 rounds down to 100, so the head lands one pixel to the right.
    EXPECT_EQ(windcalc::arrowForPointer(100.5, 190, 201, 200), (Arrow{100, 150, 101, 50}));
    // Another half: 102.5 rounds to 102.
    EXPECT_EQ(windcalc::arrowForPointer(102.5, 190, 205, 200), (Arrow{102, 150, 103, 50}));
    EXPECT_EQ(windcalc::initialArrow(240, 240), (Arrow{120, 180, 120, 60}));
}

TEST(WindArrowTest, ArrowAngleFromRoundedPointsWithLevelAndDegenerateArrows) {
    EXPECT_NEAR(*windcalc::arrowAngle(Arrow{100, 150, 100, 50}, 200), 0.0, 1e-12);
    EXPECT_NEAR(*windcalc::arrowAngle(Arrow{100, 50, 100, 150}, 200), kPi, 1e-12);
    EXPECT_NEAR(*windcalc::arrowAngle(Arrow{150, 100, 50, 100}, 200), kPi / 2, 1e-12);
    EXPECT_NEAR(*windcalc::arrowAngle(Arrow{50, 100, 150, 100}, 200), -kPi / 2, 1e-12);
    EXPECT_FALSE(windcalc::arrowAngle(Arrow{100, 100, 100, 100}, 200));
    EXPECT_NEAR(*windcalc::arrowAngle(Arrow{100, 150, 101, 50}, 201), std::atan(-1.0 / 100), 1e-12);
}

TEST(WindArrowTest, ArrowIsShaftThenBarbsThirtyPixelsAndSeventeenHundredthsRadianOff) {
    tarnwick::RecordingSurface surface(240, 240);
    windcalc::drawArrow(surface, Arrow{120, 180, 120, 60}, 0.0, tarnwick::colours::Black);
    const auto lines = surface.opsOfKind(DrawOp::Kind::Line);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].x1, 120);
    EXPECT_EQ(lines[0].y1, 180);
    EXPECT_EQ(lines[0].x2, 120);
    EXPECT_EQ(lines[0].y2, 60);
    // Pointing up: the barbs trail below the head, one each side.
    EXPECT_NEAR(lines[1].x2, 120 - 30 * std::sin(0.17), 1e-9);
    EXPECT_NEAR(lines[1].y2, 60 + 30 * std::cos(0.17), 1e-9);
    EXPECT_NEAR(lines[2].x2, 120 + 30 * std::sin(0.17), 1e-9);
    EXPECT_NEAR(lines[2].y2, 60 + 30 * std::cos(0.17), 1e-9);
    EXPECT_EQ(lines[3].x2, 120);
    EXPECT_EQ(lines[3].y2, 60);
    for (const DrawOp& op : lines) EXPECT_EQ(op.pen, tarnwick::colours::Black);
}

TEST(WindArrowTest, RangeBackgroundTargetFiringLineShooterCaptionAndRing) {
    tarnwick::RecordingSurface surface(240, 240);
    windcalc::drawRangeBackground(surface);
    const auto circles = surface.opsOfKind(DrawOp::Kind::Circle);
    ASSERT_EQ(circles.size(), 4u);
    const double radii[] = {15, 10, 5};
    const tarnwick::Rgb fills[] = {tarnwick::colours::Red, tarnwick::colours::White, tarnwick::colours::Red};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(circles[i].x1, 120);
        EXPECT_EQ(circles[i].y1, 24);
        EXPECT_EQ(circles[i].x2, radii[i]);
        EXPECT_EQ(circles[i].fillStyle, tarnwick::FillStyle::Solid);
        EXPECT_EQ(circles[i].fill, fills[i]);
    }
    EXPECT_EQ(circles[3].fillStyle, tarnwick::FillStyle::Transparent);
    EXPECT_EQ(circles[3].y1, 120);
    EXPECT_DOUBLE_EQ(circles[3].x2, 72);

    const auto lines = surface.opsOfKind(DrawOp::Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].pen, tarnwick::colours::Red);
    EXPECT_EQ(lines[0].y1, 216);
    EXPECT_EQ(lines[0].x2, 240);

    const auto boxes = surface.opsOfKind(DrawOp::Kind::Rectangle);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].fill, (tarnwick::Rgb{128, 128, 128}));
    EXPECT_EQ(boxes[0].x1, 115);
    EXPECT_EQ(boxes[0].y1, 201);
    EXPECT_EQ(boxes[0].x2, 125);
    EXPECT_DOUBLE_EQ(boxes[0].y2, 240);  // reaches the bottom edge
    EXPECT_EQ(boxes[1].fill, tarnwick::colours::Black);

    const auto texts = surface.opsOfKind(DrawOp::Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Firing Line");
    EXPECT_EQ(texts[0].x1, 20);
    EXPECT_NEAR(texts[0].y1, 218.4, 1e-9);
}

// ---- the window ----

class WindCalcTest : public GuiTest {
protected:
    frmWindCalc& calc() { return program->window<frmWindCalc>(); }

    // Press and release at one pointer position with the given speed.
    void pointAt(double x, double y, const QString& speed = "10") {
        calc().txtWindSpeed->setText(speed);
        calc().picWind_MouseDown(Qt::LeftButton, x, y);
        calc().picWind_MouseUp(Qt::LeftButton, x, y);
    }
    QString cross() { return calc().txtCrossWind->text(); }
    QString tail() { return calc().txtTailWind->text(); }
};

TEST_F(WindCalcTest, StartsWithZeroTextsAndAnArrowStraightUp) {
    frmWindCalc& w = calc();
    EXPECT_EQ(w.windowTitle(), "Cross & Tail Wind Calculator");
    EXPECT_EQ(w.txtWindSpeed->text(), "0");
    EXPECT_EQ(cross(), "0");
    EXPECT_EQ(tail(), "0");
    EXPECT_EQ(w.picWind->surface().width(), 240);
    EXPECT_EQ(w.arrow(), (Arrow{120, 180, 120, 60}));
    EXPECT_EQ(w.angle(), 0.0);
    EXPECT_FALSE(w.drawing());
}

TEST_F(WindCalcTest, ReleaseShowsComponentsOfTheRoundedArrow) {
    struct Case {
        double x, y;
        const char *cross, *tail;
    };
    const Case cases[] = {
        {120, 200, "0.00", "10.00"},   // from behind the shooter
        {120, 40, "0.00", "-10.00"},   // head wind
        {170, 170, "7.07", "7.07"},    // below right at 45 degrees
        {70, 70, "-7.07", "-7.07"},    // above left at 45 degrees
        {200, 120, "10.00", "0.00"},   // level right of the centre
        {30, 120, "-10.00", "0.00"},   // level left of the centre
        {120, 230, "0.00", "10.00"},   // outside the ring, still straight below
    };
    for (const Case& c : cases) {
        pointAt(c.x, c.y);
        EXPECT_EQ(cross(), c.cross) << c.x << "," << c.y;
        EXPECT_EQ(tail(), c.tail) << c.x << "," << c.y;
    }
}

TEST_F(WindCalcTest, ArrowFollowsThePointerOnlyWhileAButtonIsHeld) {
    frmWindCalc& w = calc();
    w.picWind_MouseMove(Qt::NoButton, 200, 120);
    EXPECT_EQ(w.arrow(), (Arrow{120, 180, 120, 60}));

    w.txtWindSpeed->setText("20");
    w.picWind_MouseDown(Qt::RightButton, 120, 200);
    EXPECT_TRUE(w.drawing());
    w.picWind_MouseMove(Qt::RightButton, 200, 120);
    EXPECT_EQ(w.arrow(), (Arrow{180, 120, 60, 120}));
    w.picWind_MouseUp(Qt::RightButton, 200, 120);
    EXPECT_FALSE(w.drawing());
    EXPECT_EQ(cross(), "20.00");
    EXPECT_EQ(tail(), "0.00");

    // A new speed alone changes nothing; the next release does.
    w.txtWindSpeed->setText("5");
    w.picWind_MouseMove(Qt::NoButton, 120, 40);
    EXPECT_EQ(cross(), "20.00");
    EXPECT_EQ(w.arrow(), (Arrow{180, 120, 60, 120}));
    w.picWind_MouseDown(Qt::LeftButton, 120, 40);
    w.picWind_MouseUp(Qt::LeftButton, 120, 40);
    EXPECT_EQ(tail(), "-5.00");
}

TEST_F(WindCalcTest, ExactCentreKeepsThePreviousArrowWithoutFailing) {
    pointAt(170, 170);
    const Arrow before = calc().arrow();
    pointAt(120, 120, "20");
    EXPECT_EQ(calc().arrow(), before);
    EXPECT_EQ(cross(), "14.14");
    EXPECT_EQ(tail(), "14.14");
}

TEST_F(WindCalcTest, OddPictureWidthGivesArrowOnePixelOffAndSmallCrossWind) {
    calc().picWind->setInnerSize(241, 240);
    pointAt(120.5, 200);
    EXPECT_EQ(calc().arrow(), (Arrow{120, 180, 121, 60}));
    EXPECT_EQ(cross(), "-0.08");
    EXPECT_EQ(tail(), "10.00");
}

TEST_F(WindCalcTest, SpeedThatIsNotANumberShowsMessageAndKeepsResults) {
    pointAt(120, 200);
    for (const char* speed : {"", "  ", "ten", "10 mph", "1e999"}) {
        services->messages.clear();
        pointAt(200, 120, speed);
        ASSERT_EQ(services->messages.size(), 1u) << speed;
        EXPECT_EQ(services->messages[0].text, "Wind Speed must be a number.");
        EXPECT_EQ(services->messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(cross(), "0.00");
        EXPECT_EQ(tail(), "10.00");
        EXPECT_FALSE(calc().drawing());
    }
    // Blanks around a number are fine.
    services->messages.clear();
    pointAt(200, 120, " 4.5 ");
    EXPECT_EQ(cross(), "4.50");
}

TEST_F(WindCalcTest, PictureShowsRangeAndErasesTheOldArrowInWhite) {
    frmWindCalc& w = calc();
    w.Form_Activate();
    const PictureBox& pic = *w.picWind;
    EXPECT_EQ(pic.pixel(120, 24), QColor(Qt::red));       // bull's eye
    EXPECT_EQ(pic.pixel(127, 24), QColor(Qt::white));     // white ring
    EXPECT_EQ(pic.pixel(120, 12), QColor(Qt::red));       // outer ring
    EXPECT_EQ(pic.pixel(60, 216), QColor(Qt::red));       // firing line
    EXPECT_EQ(pic.pixel(118, 230), QColor(128, 128, 128));  // shooter
    EXPECT_EQ(pic.pixel(120, 150), QColor(Qt::black));    // shaft of the initial arrow

    pointAt(200, 120);
    EXPECT_EQ(pic.pixel(120, 150), QColor(Qt::white));  // old shaft erased
    EXPECT_EQ(pic.pixel(120, 61 + 10), QColor(Qt::white));
    EXPECT_EQ(pic.pixel(150, 120), QColor(Qt::black));  // new shaft
    EXPECT_EQ(pic.pixel(120, 120), QColor(Qt::black));
    // The background outside the ring is untouched by arrows.
    EXPECT_EQ(pic.pixel(60, 216), QColor(Qt::red));
}

TEST_F(WindCalcTest, RepeatedActivationsLeaveThePictureAsTheFirstDrewIt) {
    frmWindCalc& w = calc();
    pointAt(170, 170);
    w.Form_Activate();
    const QImage first = w.picWind->surface().image().copy();
    for (int i = 0; i < 10; ++i) w.Form_Activate();
    EXPECT_EQ(w.picWind->surface().image(), first);
    EXPECT_EQ(w.arrow(), (Arrow{162, 162, 78, 78}));
}

TEST_F(WindCalcTest, MouseOnThePictureDrivesTheArrow) {
    frmWindCalc& w = calc();
    program->show(w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.txtWindSpeed->setText("10");
    const QPoint origin = w.picWind->contentsRect().topLeft();
    QTest::mousePress(w.picWind, Qt::LeftButton, {}, origin + QPoint(70, 70));
    EXPECT_TRUE(w.drawing());
    QTest::mouseRelease(w.picWind, Qt::LeftButton, {}, origin + QPoint(70, 70));
    EXPECT_FALSE(w.drawing());
    EXPECT_EQ(cross(), "-7.07");
    EXPECT_EQ(tail(), "-7.07");
}

TEST_F(WindCalcTest, DoneHidesAndKeepsSpeedResultsAndArrow) {
    frmWindCalc& w = calc();
    program->show(w);
    pointAt(200, 120, "12");
    QTest::mouseClick(w.cmdDone, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    frmWindCalc& again = calc();
    EXPECT_EQ(&again, &w);
    EXPECT_EQ(again.txtWindSpeed->text(), "12");
    EXPECT_EQ(again.txtCrossWind->text(), "12.00");
    EXPECT_EQ(again.arrow(), (Arrow{180, 120, 60, 120}));
}

TEST_F(WindCalcTest, HelpHasFiveLinesAndOneMoreLineBreak) {
    calc().mnuHelp->trigger();
    const RecordedMessage m = expectMessage("To find the tail wind");
    EXPECT_EQ(m.title, "Using the Cross & Tail Wind Calculator");
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_TRUE(m.text.startsWith("To find the tail wind and cross wind components of\r\n"));
    EXPECT_TRUE(m.text.endsWith("relative to your line of sight.\r\n"));
    EXPECT_EQ(m.text.count("\r\n"), 5);
}

TEST_F(WindCalcTest, CalculatorsOpenFromTheToolsMenus) {
    frmTrajectory& main = program->window<frmTrajectory>();
    main.mnuMVCalc->trigger();
    main.mnuCrossCalc->trigger();
    ASSERT_NE(program->loaded<frmMVCalc>(), nullptr);
    EXPECT_TRUE(program->loaded<frmMVCalc>()->isVisible());
    EXPECT_TRUE(calc().isVisible());
    calc().cmdDone_Click();

    // The environment dialog shows the wind calculator blocking; its wind fields are
    // left for the user to fill in.
    frmSetEnv& env = program->window<frmSetEnv>();
    const QString crossBefore = env.txtRCrossWind->text();
    services->onBlockingShow = [this](QDialog& dialog) {
        ASSERT_EQ(&dialog, &calc());
        pointAt(200, 120);
        calc().cmdDone_Click();
    };
    env.mnuCalc->trigger();
    ASSERT_EQ(services->blockingShown.size(), 1u);
    EXPECT_EQ(services->blockingShown[0], "frmWindCalc");
    EXPECT_EQ(cross(), "10.00");
    EXPECT_EQ(env.txtRCrossWind->text(), crossBefore);
}

}  // namespace
