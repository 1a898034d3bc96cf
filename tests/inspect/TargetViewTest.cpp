// The target view: its drawing, its scale items and check marks, the point of aim and
// the help text.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <algorithm>
#include <set>

#include "GuiTest.h"
#include "RecordingSurface.h"
#include "TargetDrawing.h"
#include "frmTarget.h"

using namespace tarnwick;

namespace {

using Kind = DrawOp::Kind;

std::set<double> verticalLinesX(const RecordingSurface& s) {
    std::set<double> xs;
    for (const DrawOp& op : s.opsOfKind(Kind::Line))
        if (op.x1 == op.x2) xs.insert(op.x1);
    return xs;
}

std::vector<DrawOp> circlesOf(const RecordingSurface& s, Rgb fill) {
    std::vector<DrawOp> found;
    for (const DrawOp& op : s.opsOfKind(Kind::Circle))
        if (op.fill == fill && op.fillStyle == FillStyle::Solid) found.push_back(op);
    return found;
}

TEST(TargetDrawing, RulesOneLinePerInchThroughTheAimOutToEveryEdge) {
    RecordingSurface s(290, 200);
    drawTarget(s, TargetView{72, 145, 100}, StrikeValues{}, false);

    ASSERT_FALSE(s.ops().empty());
    EXPECT_EQ(s.ops().front().kind, Kind::Clear);
    const std::set<double> xs = verticalLinesX(s);
    for (double x : {1.0, 73.0, 145.0, 217.0, 289.0}) EXPECT_TRUE(xs.count(x)) << x;
    for (double x : xs) EXPECT_EQ(std::fmod(x - 145, 72), 0) << x;
    for (const DrawOp& op : s.opsOfKind(Kind::Line)) {
        EXPECT_EQ(op.pen, colours::Black);
        if (op.x1 == op.x2) EXPECT_TRUE(op.y1 == 0 && op.y2 == 200);  // full height
        else EXPECT_TRUE(op.x1 == 0 && op.x2 == 290);                  // full width
    }
    // Horizontal lines reach past both edges of the 200-unit height too.
    std::set<double> ys;
    for (const DrawOp& op : s.opsOfKind(Kind::Line))
        if (op.y1 == op.y2) ys.insert(op.y1);
    EXPECT_LE(*ys.begin(), 100 - 72);
    EXPECT_GE(*ys.rbegin(), 100 + 72);
    EXPECT_TRUE(ys.count(100));

    // An aim point off to one side still rules the far edge.
    RecordingSurface offCentre(290, 200);
    drawTarget(offCentre, TargetView{72, 10, 100}, StrikeValues{}, false);
    EXPECT_GE(*verticalLinesX(offCentre).rbegin(), 290);
}

// In metric the lines are a centimetre of target apart at every scale.
TEST(TargetDrawing, MetricRulesOneLinePerCentimetre) {
    for (int scale : {18, 72, 288}) {
        RecordingSurface s(290, 200);
        drawTarget(s, TargetView{scale, 145, 100, UnitSystem::Metric}, StrikeValues{}, false);
        const std::set<double> xs = verticalLinesX(s);
        const double step = scale / 2.54;
        EXPECT_TRUE(*xs.begin() <= 0 && *xs.rbegin() >= 290) << scale;
        for (double x : xs) EXPECT_NEAR(std::remainder(x - 145, step), 0, 1e-9) << scale;
    }
}

TEST(TargetDrawing, BullAndStrikesSitWhereTheValuesSay) {
    StrikeValues strike;
    strike.RStrikeDrop = -2;
    strike.HStrikeDrop = 1;
    strike.HStrikeDeflection = -0.5;
    RecordingSurface s(290, 290);
    drawTarget(s, TargetView{36, 145, 145}, strike, false);

    const auto red = circlesOf(s, colours::Red);
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(red[0].x1, 145);
    EXPECT_EQ(red[0].y1, 145);
    EXPECT_DOUBLE_EQ(red[0].x2, 9);  // scale / 4
    EXPECT_EQ(red[0].pen, colours::Red);

    const auto black = circlesOf(s, colours::Black);
    ASSERT_EQ(black.size(), 1u);
    EXPECT_EQ(black[0].x1, 145);
    EXPECT_EQ(black[0].y1, 145 + 72);  // two inches low is drawn below the aim
    EXPECT_DOUBLE_EQ(black[0].x2, 36 / 6.66);
    EXPECT_EQ(black[0].pen, colours::Black);
    EXPECT_TRUE(circlesOf(s, colours::Blue).empty()) << "no hunting dot in Target mode";

    RecordingSurface hunting(290, 290);
    drawTarget(hunting, TargetView{36, 145, 145}, strike, true);
    const auto blue = circlesOf(hunting, colours::Blue);
    ASSERT_EQ(blue.size(), 1u);
    EXPECT_EQ(blue[0].x1, 145 - 18);  // left of the aim for a negative deflection
    EXPECT_EQ(blue[0].y1, 145 - 36);  // above it for a strike above the line of sight
    EXPECT_EQ(blue[0].pen, colours::Blue);
}

TEST(TargetDrawing, StrikePositionsRoundHalvesToEven) {
    StrikeValues strike;
    strike.RStrikeDeflection = 2.5 / 18;  // 2.5 units at scale 18
    strike.RStrikeDrop = -3.5 / 18;       // 3.5 units below
    RecordingSurface s(100, 100);
    drawTarget(s, TargetView{18, 50, 50}, strike, false);
    const auto black = circlesOf(s, colours::Black);
    ASSERT_EQ(black.size(), 1u);
    EXPECT_EQ(black[0].x1, 52);
    EXPECT_EQ(black[0].y1, 54);
}

class TargetViewTest : public GuiTest {
protected:
    frmTarget& target() { return program->window<frmTarget>(); }
    RecordingSurface drawn(double width = 290, double height = 290) {
        RecordingSurface s(width, height);
        target().drawTarget(s);
        return s;
    }
    std::vector<QAction*> items() {
        frmTarget& t = target();
        return {t.mnuQuarterScale, t.mnuHalfScale, t.mnuFullScale, t.mnuDoubleScale, t.mnuQuadScale};
    }
    QAction* checkedItem() {
        QAction* found = nullptr;
        for (QAction* item : items())
            if (item->isChecked()) {
                EXPECT_EQ(found, nullptr) << "more than one scale is checked";
                found = item;
            }
        return found;
    }
};

TEST_F(TargetViewTest, OpensLifeSizeAtTheMiddleWithItsMenus) {
    frmTarget& t = target();
    EXPECT_EQ(t.windowTitle(), "Target at 100 Yards");
    EXPECT_EQ(t.view().scale, 72);
    const QSizeF area = t.drawingArea();
    EXPECT_NEAR(t.view().centreX, area.width() / 2, 0.5);
    EXPECT_NEAR(t.view().centreY, area.height() / 2, 0.5);
    EXPECT_EQ(t.mnuScale->title(), "Scale");
    const QStringList captions = {"1/4\" = 1\"", "1/2\" = 1\"", "1\" = 1\"", "2\" = 1\"", "4\" = 1\""};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(items()[i]->text(), captions[i]);
    EXPECT_EQ(t.mnuClose->text(), "Close");
    EXPECT_EQ(t.mnuHelp->text(), "Help");

    // Before any run or click all strike values are 0: both dots sit on the bull.
    const RecordingSurface s = drawn();
    const auto black = circlesOf(s, colours::Black);
    ASSERT_EQ(black.size(), 1u);
    EXPECT_EQ(black[0].x1, t.view().centreX);
    EXPECT_EQ(black[0].y1, t.view().centreY);
}

TEST_F(TargetViewTest, MetricNamesCentimetresInItsTitleAndScales) {
    frmTarget& t = target();
    session().setUnits(UnitSystem::Metric);
    EXPECT_EQ(t.windowTitle(), "Target at 91 Metres");
    const QStringList captions = {"1/4 cm = 1 cm", "1/2 cm = 1 cm", "1 cm = 1 cm", "2 cm = 1 cm", "4 cm = 1 cm"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(items()[i]->text(), captions[i]);
}

TEST_F(TargetViewTest, ActivationChecksTheCurrentScaleOnly) {
    frmTarget& t = target();
    t.Form_Activate();
    EXPECT_EQ(checkedItem(), t.mnuFullScale);

    const std::vector<std::pair<void (frmTarget::*)(), int>> handlers = {
        {&frmTarget::mnuQuarterScale_Click, 18}, {&frmTarget::mnuHalfScale_Click, 36},
        {&frmTarget::mnuFullScale_Click, 72},    {&frmTarget::mnuDoubleScale_Click, 144},
        {&frmTarget::mnuQuadScale_Click, 288}};
    for (std::size_t i = 0; i < handlers.size(); ++i) {
        (t.*handlers[i].first)();
        EXPECT_EQ(t.view().scale, handlers[i].second);
        EXPECT_EQ(checkedItem(), items()[i]);
        items()[(i + 1) % 5]->setChecked(true);  // a stray mark is put right by activation
        t.Form_Activate();
        EXPECT_EQ(checkedItem(), items()[i]);
    }

    // Triggering the checked item again (which toggles a checkable item off) keeps its mark.
    t.mnuHalfScale->trigger();
    t.mnuHalfScale->trigger();
    EXPECT_EQ(checkedItem(), t.mnuHalfScale);
    EXPECT_EQ(t.view().scale, 36);
}

TEST_F(TargetViewTest, PressMovesTheAimAndScaleChangesKeepIt) {
    frmTarget& t = target();
    t.Form_MouseDown(100.4, 49.6);
    t.mnuHalfScale_Click();
    const RecordingSurface s = drawn();
    const auto bull = circlesOf(s, colours::Red);
    ASSERT_EQ(bull.size(), 1u);
    EXPECT_EQ(bull[0].x1, 100);
    EXPECT_EQ(bull[0].y1, 50);
    EXPECT_TRUE(verticalLinesX(s).count(100));
    EXPECT_TRUE(verticalLinesX(s).count(136));

    // A real press on the drawing area arrives in drawing units, not pixels.
    auto* area = t.findChild<QWidget*>("picTargetArea");
    ASSERT_NE(area, nullptr);
    const double factor = t.pixelsPerUnit();
    QTest::mousePress(area, Qt::RightButton, Qt::NoModifier, QPoint(qRound(120 * factor), qRound(30 * factor)));
    EXPECT_NEAR(t.view().centreX, 120, 1);
    EXPECT_NEAR(t.view().centreY, 30, 1);
    t.Form_MouseDown(100, 50);

    // A resize keeps the point of aim too.
    t.resize(t.width() + 80, t.height() + 40);
    t.Form_Resize();
    EXPECT_EQ(t.view().centreX, 100);
    EXPECT_EQ(t.view().centreY, 50);
}

TEST_F(TargetViewTest, PictureShowsTheTargetLifeSize) {
    program->state().strike.RStrikeDrop = -1;  // one inch low: one screen inch below the bull
    frmTarget& t = target();
    t.Form_Activate();
    const double factor = t.pixelsPerUnit();
    const QImage picture = t.image().convertToFormat(QImage::Format_RGB32);
    const double dpr = picture.devicePixelRatio();
    const auto at = [&](double ux, double uy) {
        return QColor(picture.pixel(qRound(ux * factor * dpr), qRound(uy * factor * dpr)));
    };
    const int cx = t.view().centreX, cy = t.view().centreY;
    EXPECT_EQ(at(cx + 3, cy + 3), QColor(Qt::red));
    EXPECT_EQ(at(cx + 3, cy + 72 + 3), QColor(Qt::black));
    EXPECT_EQ(at(cx + 30, cy + 30), QColor(Qt::white));
    EXPECT_EQ(at(cx + 72, cy + 30), QColor(Qt::black));  // the ruling one inch right

    // A strike far off the paper at the largest scale draws nothing and breaks nothing.
    program->state().strike.RStrikeDrop = -5000;
    t.mnuQuadScale_Click();
    EXPECT_EQ(QColor(t.image().pixel(qRound(cx * factor * dpr + 3), qRound(cy * factor * dpr + 3))),
              QColor(Qt::red));
}

TEST_F(TargetViewTest, HelpHasTheRangeOrTheHuntingWording) {
    target().mnuHelp_Click();
    const RecordedMessage help = expectMessage("a Target at 100 Yards");
    EXPECT_EQ(help.title, "Target View Help");
    EXPECT_EQ(help.icon, MessageIcon::Information);
    EXPECT_EQ(help.text,
              "You are viewing a representation of a Target at 100 Yards.\r\n"
              "The black dot represents where a bullet would strike\r\n"
              "under the <Range> conditions.\r\n"
              "\r\n"
              "You may use the left mouse button to\r\n"
              "recenter the target to get a better look at where\r\n"
              "the bullets will strike relative to point of aim.\r\n"
              "You may also resize the target frame or change the\r\n"
              "scale to ease viewing.");

    program->state().remembered.LastHuntingMode = true;
    target().setWindowTitle("Hunting Target at 200. yards:");
    target().mnuHelp_Click();
    const QStringList lines = expectMessage("a Hunting Target").text.split("\r\n");
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], "You are viewing a representation of a Hunting Target at 200. yards:.");
    EXPECT_EQ(lines[2], "under the <Range> conditions.  The blue dot shows");
    EXPECT_EQ(lines[3], "where the same bullet would strike under <Hunting>");
    EXPECT_EQ(lines[4], "conditions.");
    EXPECT_EQ(lines[5], "");

    // In Hunting mode the blue dot is drawn as well.
    EXPECT_EQ(circlesOf(drawn(), colours::Blue).size(), 1u);
}

TEST_F(TargetViewTest, CloseHidesAndKeepsTheViewUntilReloaded) {
    frmTarget& t = target();
    program->show(t);
    t.Form_MouseDown(60, 70);
    t.mnuDoubleScale_Click();
    t.mnuClose_Click();
    EXPECT_FALSE(t.isVisible());
    EXPECT_EQ(&target(), &t);
    EXPECT_EQ(t.view().scale, 144);
    EXPECT_EQ(t.view().centreX, 60);

    // The close box unloads; loading again starts life size, aimed where the user aimed.
    t.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(program->loaded<frmTarget>(), nullptr);
    EXPECT_EQ(target().view().scale, 72);
    EXPECT_EQ(target().view().centreX, 60);
    EXPECT_EQ(target().view().centreY, 70);
}

TEST_F(TargetViewTest, HidesWhenAnotherWindowOfTheProgramIsActive) {
    frmTarget& t = target();
    program->show(t);
    QDialog other;
    other.show();
    QApplication::setActiveWindow(&t);
    QApplication::setActiveWindow(&other);
    EXPECT_FALSE(t.isVisible());
}

}  // namespace
