// The range card window: the card of the session's shot, the boxes' checks, and printing,
// saving and copying the card.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

#include "GuiTest.h"
#include "RangeCard.h"
#include "frmRangeCard.h"
#include "frmRunParam.h"
#include "frmTrajectory.h"

namespace {

using namespace tarnwick;

class RangeCardWindowTest : public GuiTest {
protected:
    frmRangeCard& open() {
        program->window<frmTrajectory>().mnuRangeCard->trigger();
        return program->window<frmRangeCard>();
    }

    void setBoxes(frmRangeCard& w, const char* from, const char* to, const char* step) {
        w.txtFrom->setText(from);
        w.txtTo->setText(to);
        w.txtStep->setText(step);
    }

    // The card the engine makes of the session's shot at these ranges (in the session's units).
    RangeCard engineCard(double from, double to, double step) {
        std::vector<double> yards = RangeList{from, to, step}.yards();
        for (double& y : yards) y = storedValue(Quantity::Range, session().units(), y);
        return rangeCard(params(), sighting(), yards, session().units());
    }
    Sighting sighting() { return {program->state().remembered.LastZeroCrossing, session().huntingMode()}; }
    std::string table(const RangeCard& card, CardFormat format) {
        return rangeCardTable(card, session().corrections(), format, session().units());
    }
};

TEST_F(RangeCardWindowTest, ShowsTheSessionsCardAndFollowsItsChanges) {
    const struct {
        const char* change;
        std::function<void(Program&)> make;
        const char* unit;
    } steps[] = {
        {"opened", [](Program&) {}, "yd"},
        {"MOA", [](Program& p) { p.session().setCorrections(*correctionsNamed("moa")); }, "yd"},
        {"metric, mrad",
         [](Program& p) {
             p.session().setUnits(UnitSystem::Metric);
             p.session().setCorrections(*correctionsNamed("mrad"));
         },
         "m"},
        {"bullet", [](Program& p) { p.session().flyTypedBullet(0.5, 168); }, "m"},
        {"velocity",
         [](Program& p) {
             frmRunParam& run = p.window<frmRunParam>();
             run.txtInitVel->setText("2900");
             run.cmdOK_Click();
         },
         "m"},
    };
    frmRangeCard* w = nullptr;
    QString before;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.change);
        step.make(*program);
        if (!w) w = &open();
        const std::string expected = rangeCardHeading(params(), session().runInputs().texts, sighting(), session().units()) +
                                     table(engineCard(100, 1000, 50), CardFormat::Text);
        EXPECT_EQ(w->txtCard->toPlainText().toStdString(), expected);
        EXPECT_EQ(w->lblUnit->text(), step.unit);
        EXPECT_NE(w->txtCard->toPlainText(), before);
        before = w->txtCard->toPlainText();
    }
}

TEST_F(RangeCardWindowTest, UnusableBoxesGiveAMessageInsteadOfTheCard) {
    const struct {
        const char *from, *to, *step, *message;
    } cases[] = {
        {"x", "1000", "50", "must be numbers"},
        {"0", "1000", "50", "From must be above 0"},
        {"500", "100", "50", "To must not be less than From"},
        {"100", "1e300", "1e300", "To must be at most 100000"},
        {"100", "1000", "0", "Every must be above 0"},
        {"1", "1000", "1", "at most 500 ranges"},
    };
    frmRangeCard& w = open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        setBoxes(w, c.from, c.to, c.step);
        EXPECT_TRUE(w.txtCard->toPlainText().contains(c.message)) << w.txtCard->toPlainText().toStdString();
        for (QPushButton* command : {w.cmdPrint, w.cmdSaveCsv, w.cmdCopy}) EXPECT_FALSE(command->isEnabled());
    }
    setBoxes(w, "2", "1000", "2");
    EXPECT_EQ(w.cardText(), w.txtCard->toPlainText());
    EXPECT_TRUE(w.cmdPrint->isEnabled());
}

TEST_F(RangeCardWindowTest, SaveCsvWritesTheChosenFileOrSaysWhyNot) {
    QTemporaryDir dir;
    const struct {
        QString chosen, written;
    } cases[] = {
        {dir.filePath("card.csv"), dir.filePath("card.csv")},
        {dir.filePath("card"), dir.filePath("card.csv")},
        {dir.filePath("missing/card.csv"), QString()},
    };
    frmRangeCard& w = open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        services->saveAnswers.push_back(c.chosen);
        w.cmdSaveCsv->click();
        QFile file(c.written);
        if (c.written.isEmpty()) {
            expectMessage("could not be written to " + c.chosen);
            continue;
        }
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().toStdString(), table(engineCard(100, 1000, 50), CardFormat::Csv));
    }
}

TEST_F(RangeCardWindowTest, PrintsTheWholeCardOnOnePage) {
    QTemporaryDir dir;
    services->pdfPath = dir.filePath("card.pdf");
    const struct {
        const char *from, *to, *step;
    } cases[] = {{"100", "1000", "50"}, {"2", "1000", "2"}};
    frmRangeCard& w = open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        setBoxes(w, c.from, c.to, c.step);
        w.cmdPrint->click();
        const std::optional<QString> text = popplerOutput("pdftotext", services->pdfPath);
        if (!text) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        EXPECT_EQ(text->count('\f'), 1) << "pages";
        EXPECT_TRUE(text->contains("Range(yd)"));
        // Every row, by its time of flight (the last column).
        for (const RangeCardRow& row : engineCard(std::stod(c.from), std::stod(c.to), std::stod(c.step)).rows)
            EXPECT_TRUE(text->contains(QString::number(row.point.time, 'f', 4))) << row.yards;
    }
}

TEST_F(RangeCardWindowTest, CopyPutsTheCardOnTheClipboard) {
    frmRangeCard& w = open();
    QApplication::clipboard()->clear();
    w.cmdCopy->click();
    EXPECT_EQ(QApplication::clipboard()->text(), w.cardText());
    EXPECT_TRUE(w.cardText().startsWith("Bullet: "));
}

}  // namespace
