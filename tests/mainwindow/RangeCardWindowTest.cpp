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
    frmRangeCard& open(const char* from = "100", const char* to = "1000", const char* step = "50") {
        program->window<frmTrajectory>().mnuRangeCard->trigger();
        frmRangeCard& w = program->window<frmRangeCard>();
        w.txtFrom->setText(from);
        w.txtTo->setText(to);
        w.txtStep->setText(step);
        return w;
    }
    // The engine's card of the session's shot at these ranges (in the session's units).
    std::string engineCard(CardFormat format, double from = 100, double to = 1000, double step = 50) {
        std::vector<double> yards = RangeList{from, to, step}.yards();
        for (double& y : yards) y = storedValue(Quantity::Range, session().units(), y);
        const Sighting sighting{program->state().remembered.LastZeroCrossing, session().huntingMode()};
        const RangeCard card = rangeCard(params(), sighting, yards, session().units());
        const std::string table = rangeCardTable(card, session().corrections(), format, session().units());
        if (format == CardFormat::Csv) return table;
        return rangeCardHeading(params(), session().runInputs().texts, sighting, session().units()) + table;
    }
};

TEST_F(RangeCardWindowTest, ShowsTheSessionsCardAndFollowsItsChanges) {
    const struct {
        const char *change, *unit;
        std::function<void(Program&)> make;
    } steps[] = {
        {"opened", "yd", [](Program&) {}},
        {"MOA", "yd", [](Program& p) { p.session().setCorrections(*correctionsNamed("moa")); }},
        {"metric", "m", [](Program& p) { p.session().setUnits(UnitSystem::Metric); }},
        {"bullet", "m", [](Program& p) { p.session().flyTypedBullet(0.5, 168); }},
        {"velocity", "m", [](Program& p) {
             p.window<frmRunParam>().txtInitVel->setText("2900");
             p.window<frmRunParam>().cmdOK_Click();
         }},
    };
    frmRangeCard& w = open();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.change);
        step.make(*program);
        EXPECT_EQ(w.txtCard->toPlainText().toStdString(), engineCard(CardFormat::Text));
        EXPECT_EQ(w.lblUnit->text(), step.unit);
    }
}

TEST_F(RangeCardWindowTest, UnusableBoxesGiveAMessageInsteadOfTheCard) {
    const struct {
        const char *from, *to, *step, *message;
    } cases[] = {
        {"x", "1000", "50", "must be numbers"},           {"0", "1000", "50", "From must be above 0"},
        {"500", "100", "50", "To must not be less"},      {"100", "1e300", "1e300", "To must be at most 100000"},
        {"100", "1000", "0", "Step must be above 0"},     {"1", "1000", "1", "at most 500 ranges"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        frmRangeCard& w = open(c.from, c.to, c.step);
        EXPECT_TRUE(w.txtCard->toPlainText().contains(c.message)) << w.txtCard->toPlainText().toStdString();
        for (QPushButton* command : {w.cmdPrint, w.cmdSaveCsv, w.cmdCopy}) EXPECT_FALSE(command->isEnabled());
    }
    EXPECT_TRUE(open("2", "1000", "2").cmdPrint->isEnabled()) << "500 ranges are fine";
}

TEST_F(RangeCardWindowTest, SaveCsvWritesTheChosenFileOrSaysWhyNot) {
    QTemporaryDir dir;
    const struct {
        QString chosen, written;
    } cases[] = {{dir.filePath("card.csv"), dir.filePath("card.csv")},
                 {dir.filePath("card"), dir.filePath("card.csv")},
                 {dir.filePath("missing/card.csv"), QString()}};
    for (const auto& c : cases) {
        services->saveAnswers.push_back(c.chosen);
        open().cmdSaveCsv->click();
        if (c.written.isEmpty()) {
            expectMessage("could not be written to " + c.chosen);
            continue;
        }
        QFile file(c.written);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().toStdString(), engineCard(CardFormat::Csv));
    }
}

TEST_F(RangeCardWindowTest, PrintsTheWholeCardOnOnePage) {
    QTemporaryDir dir;
    services->pdfPath = dir.filePath("card.pdf");
    // The default card, and 500 rows in a smaller font.
    for (const double from : {100, 2}) {
        const double step = from == 2 ? 2 : 50;
        open(QByteArray::number(from), "1000", QByteArray::number(step)).cmdPrint->click();
        const std::optional<QString> text = popplerOutput("pdftotext", services->pdfPath);
        if (!text) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        EXPECT_EQ(text->count('\f'), 1) << "pages";
        // Every line of the card, its blanks aside.
        const QString printed = text->simplified();
        for (const QString& line : QString::fromStdString(engineCard(CardFormat::Text, from, 1000, step)).split('\n'))
            EXPECT_TRUE(printed.contains(line.simplified())) << line.toStdString();
    }
}

TEST_F(RangeCardWindowTest, CopyPutsTheCardOnTheClipboard) {
    frmRangeCard& w = open();
    w.cmdCopy->click();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), engineCard(CardFormat::Text));
}

}  // namespace
