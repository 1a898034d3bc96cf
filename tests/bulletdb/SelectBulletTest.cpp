// The select window: opening on the remembered bullet, Select, search, type keys.
#include <QDir>
#include <QPlainTextEdit>
#include <QTest>

#include "BulletWindowTest.h"
#include "NavigationBar.h"
#include "frmOtherGun.h"
#include "frmPrintOutput.h"
#include "frmSelectBullet.h"
#include "frmSetBC.h"
#include "frmTrajectory.h"

namespace {

class SelectBulletTest : public BulletWindowTest {
protected:
    frmSelectBullet& openWith(const std::string& stock, const std::string& maker) {
        program->state().remembered.LastStockNumber = stock;
        program->state().remembered.LastManufacturer = maker;
        return program->window<frmSelectBullet>();
    }
    static QString shown(const frmSelectBullet& w) {
        return w.txtCaliber->text() + "/" + w.txtManufacturer->text();
    }
};

TEST_F(SelectBulletTest, OpensOnTheRememberedBulletWithExactMaker) {
    const struct {
        std::string stock, maker;
        QString expected;
    } cases[] = {
        {"", "", ".308/Sierra"},                 // nothing remembered: first row
        {"2145", "Sierra", ".308/Sierra"},
        {"2145", "O'Brien", ".224/O'Brien"},     // the first row with both stock and maker
        {"3033", "Hornady", ".308/Hornady"},
        {"3033", "hornady", ".308/Sierra"},      // the maker is compared exactly
        {"2145", "Lapua", ".308/Sierra"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stock + " " + c.maker);
        // The move happens once per program run, so each case needs a fresh program.
        program.reset();
        program = makeProgram();
        EXPECT_EQ(shown(openWith(c.stock, c.maker)), c.expected);
    }
}

TEST_F(SelectBulletTest, ReloadAfterCloseBoxStartsOnFirstRow) {
    frmSelectBullet& first = openWith("3033", "Hornady");
    EXPECT_EQ(shown(first), ".308/Hornady");
    first.close();
    EXPECT_EQ(program->loaded<frmSelectBullet>(), nullptr);
    EXPECT_EQ(shown(program->window<frmSelectBullet>()), ".308/Sierra");
}

TEST_F(SelectBulletTest, SelectCopiesNumbersMovesMenuCheckAndRemembers) {
    frmTrajectory& main = program->window<frmTrajectory>();
    main.mnuManBC->setChecked(true);
    main.mnuSelectBullet->setChecked(false);
    frmSelectBullet& w = program->window<frmSelectBullet>();
    program->show(w);
    w.datSelBullet->cmdLast->click();
    w.datSelBullet->cmdPrevious->click();  // .224 Sierra
    w.cmdSelect_Click();

    const tarnwick::ShotParameters& p = params();
    EXPECT_DOUBLE_EQ(p.BulletMass, 52);
    EXPECT_DOUBLE_EQ(p.BallisticCoefLow, 0.22);
    EXPECT_DOUBLE_EQ(p.BallisticCoefMid, 0.225);
    EXPECT_DOUBLE_EQ(p.BallisticCoefHigh, 0.23);
    EXPECT_DOUBLE_EQ(p.BCBreakLow, 1800);
    EXPECT_DOUBLE_EQ(p.BCBreakHigh, 2800);
    EXPECT_TRUE(main.mnuSelectBullet->isChecked());
    EXPECT_FALSE(main.mnuManBC->isChecked());
    EXPECT_EQ(program->state().remembered.LastManufacturer, "Sierra");
    EXPECT_EQ(program->state().remembered.LastStockNumber, "2145");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(program->loaded<frmOtherGun>(), nullptr);  // no Set-All chain running
    // Hidden, not unloaded: the next opening shows the same row.
    EXPECT_EQ(program->loaded<frmSelectBullet>(), &w);
    EXPECT_EQ(shown(w), ".224/Sierra");
}

TEST_F(SelectBulletTest, NextPlotReportNamesTheSelectedBullet) {
    frmSelectBullet& w = program->window<frmSelectBullet>();
    w.txtSearch->setText("Sierra");
    w.cmdSearch_Click();
    w.cmdNext_Click();
    w.cmdSelect_Click();
    program->window<frmTrajectory>().mnuPlot_Click();
    const QStringList lines = program->window<frmPrintOutput>().txtText->toPlainText().split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[2].trimmed(), "Sierra 52 gr.  HP");
}

TEST_F(SelectBulletTest, ActivationRereadsTheRowOrMovesToItsNeighbour) {
    frmSelectBullet& w = program->window<frmSelectBullet>();
    w.datSelBullet->cmdNextRow->click();
    bullettest::execute(programFile.toStdString(), "UPDATE Bullets SET \"Bullet Mass\" = 168 WHERE rowid = 2");
    w.Form_Activate();
    EXPECT_EQ(w.txtBulletMass->text(), "168");
    w.cmdSelect_Click();
    EXPECT_DOUBLE_EQ(params().BulletMass, 168);

    bullettest::execute(programFile.toStdString(), "DELETE FROM Bullets WHERE rowid = 2");
    w.Form_Activate();
    EXPECT_EQ(shown(w), "2145/Speer");
}

TEST_F(SelectBulletTest, BulletLineNamesWhatIsFlownAcrossRestarts) {
    const auto restart = [this] {
        if (frmTrajectory* main = program->loaded<frmTrajectory>()) main->close();  // saves the settings
        program.reset();
        program = makeProgram();
        return &program->window<frmTrajectory>();
    };
    const auto bulletLine = [this](frmTrajectory* main) {
        main->mnuPlot_Click();
        return program->window<frmPrintOutput>().txtText->toPlainText().split('\n').value(2);
    };
    frmTrajectory* main = restart();
    EXPECT_EQ(bulletLine(main), "Ballistic coefficient 0.2, 100 gr.") << "a fresh start flies the defaults";

    frmSelectBullet& w = program->window<frmSelectBullet>();
    w.txtSearch->setText("O'Brien");
    w.cmdSearch_Click();
    EXPECT_EQ(w.txtG7BC->text(), "0.121");
    EXPECT_EQ(w.txtBulletLength->text(), "0.7");
    w.cmdSelect_Click();
    w.close();  // the next opening shows the first row; the bullet flown stays
    EXPECT_EQ(bulletLine(main), "O'Brien 55 gr.  HP");
    main = restart();
    EXPECT_DOUBLE_EQ(params().BallisticCoefMid, 0.25) << "loaded as Select loads it";
    EXPECT_DOUBLE_EQ(params().BallisticCoefG7, 0.121);
    EXPECT_DOUBLE_EQ(params().BulletLength, 0.7);
    EXPECT_DOUBLE_EQ(params().BulletDiameter, 0.224) << "the caliber read as the diameter";
    EXPECT_EQ(bulletLine(main), "O'Brien 55 gr.  HP");

    // A remembered bullet that has left the table is not named; the defaults fly.
    bullettest::execute(programFile.toStdString(), "DELETE FROM Bullets WHERE Manufacturer = 'O''Brien'");
    main = restart();
    EXPECT_EQ(bulletLine(main), "Ballistic coefficient 0.2, 100 gr.");

    frmSetBC& typed = program->window<frmSetBC>();
    typed.txtBC->setText("0.3");
    typed.txtBCG7->setText("0.15");
    typed.txtBulletMass->setText("150");
    typed.cmdOK_Click();
    EXPECT_EQ(bulletLine(main), "Ballistic coefficient 0.3, 150 gr.");
    main = restart();
    EXPECT_TRUE(main->mnuManBC->isChecked());
    EXPECT_DOUBLE_EQ(params().BallisticCoefG7, 0.15) << "remembered with the typed coefficient";
    EXPECT_EQ(bulletLine(main), "Ballistic coefficient 0.3, 150 gr.");
}

TEST_F(SelectBulletTest, SelectContinuesSetAllChainAndReadsNumbersLeniently) {
    bullettest::execute(programFile.toStdString(),
                        "UPDATE Bullets SET \"Low Ballistic Coefficient\" = NULL, \"Bullet Mass\" = NULL");
    params().InitAll = true;
    params().BallisticCoefG7 = 0.3;
    params().BulletLength = 1.3;
    frmSelectBullet& w = program->window<frmSelectBullet>();
    w.cmdSelect_Click();
    EXPECT_NE(program->loaded<frmOtherGun>(), nullptr);
    EXPECT_DOUBLE_EQ(params().BallisticCoefLow, 0);  // no value reads as 0
    EXPECT_DOUBLE_EQ(params().BulletMass, 0);
    EXPECT_DOUBLE_EQ(params().BallisticCoefMid, 0.41);
    EXPECT_DOUBLE_EQ(params().BallisticCoefG7, 0);  // the row has none
    EXPECT_DOUBLE_EQ(params().BulletLength, 0);     // nor another bullet's length
}

TEST_F(SelectBulletTest, SearchTriesCaliberThenMakerThenStockNumber) {
    frmSelectBullet& w = program->window<frmSelectBullet>();
    w.txtSearch->setText("2145");
    w.cmdSearch_Click();
    EXPECT_EQ(shown(w), "2145/Speer");  // the caliber row comes first
    w.cmdNext_Click();
    EXPECT_EQ(shown(w), ".224/Sierra");  // then later rows with that stock number
    w.cmdNext_Click();
    EXPECT_EQ(shown(w), ".224/O'Brien");
    w.cmdNext_Click();
    EXPECT_EQ(shown(w), ".224/O'Brien");
    const RecordedMessage none = expectMessage("No records found");
    EXPECT_EQ(none.title, "Tarnwick");
    EXPECT_EQ(none.icon, MessageIcon::Information);

    w.txtSearch->setText("Sier");
    w.cmdSearch_Click();
    EXPECT_EQ(shown(w), ".224/O'Brien");
    expectMessage("No records found");
    w.txtSearch->setText("sierra");
    w.cmdSearch_Click();
    EXPECT_EQ(shown(w), ".308/Sierra");
}

TEST_F(SelectBulletTest, TypeKeyReplacesTheLastAndGrowsByItsLines) {
    frmSelectBullet& w = program->window<frmSelectBullet>();
    const int kept = w.keptHeight();
    const int line = w.typeKeyLineHeight();
    ASSERT_GT(line, 0);
    EXPECT_EQ(w.height(), kept);
    w.mnuHornadyTypes_Click();
    EXPECT_EQ(w.height(), kept + 12 * line);
    w.mnuSierraTypes_Click();
    EXPECT_EQ(w.height(), kept + 9 * line);
    const QStringList lines = w.typeKeyLines();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0].toStdString(), " Sierra Bullets - Type Key:");
    EXPECT_EQ(lines[1].toStdString(), " SP    Spitzer          RN     Round Nose");
    EXPECT_EQ(lines[7].toStdString(), " SMP   Semi Pointed     JHP    Jacketed Hollow Point");

    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w, 1000));
    w.Form_Deactivate();  // still the active window (as under its own message box): the key stays
    EXPECT_EQ(w.height(), kept + 9 * line);
    QWidget elsewhere;  // another window of the program takes over: cut off, not cleared
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere, 1000));
    EXPECT_EQ(w.height(), kept);
    EXPECT_EQ(w.typeKeyLines().size(), 8);
    w.mnuNone_Click();
    EXPECT_EQ(w.height(), kept);
    EXPECT_TRUE(w.typeKeyLines().isEmpty());

    w.mnuHornadyTypes_Click();
    EXPECT_EQ(w.typeKeyLines()[7].toStdString(), " SX    Super Explosive");
    EXPECT_EQ(w.typeKeyLines()[8].toStdString(), " XTP     Extreme Terminal Performance");
    w.mnuSpeerTypes_Click();
    EXPECT_EQ(w.height(), kept + 10 * line);
}

TEST_F(SelectBulletTest, HelpTexts) {
    frmSelectBullet& w = program->window<frmSelectBullet>();
    w.mnuFindHelp_Click();
    w.mnuSearchHelp_Click();
    const std::vector<RecordedMessage> messages = takeMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].title, "Finding A Bullet:");
    EXPECT_TRUE(messages[0].text.endsWith(
        "\r\n* the >| on the Scroll bar moves you to the last entry in the data base."));
    EXPECT_EQ(messages[1].title, "Using Search:");
    EXPECT_EQ(messages[1].text.count("\r\n"), 4);
}

TEST_F(SelectBulletTest, MissingDatabaseIsReportedOnceAndWindowStillWorks) {
    QFile::remove(programFile);
    frmSelectBullet& w = openWith("2145", "Sierra");
    EXPECT_EQ(expectMessage(QDir::toNativeSeparators(programFile)).icon, MessageIcon::Exclamation);
    EXPECT_TRUE(w.txtManufacturer->text().isEmpty());
    w.datSelBullet->cmdNextRow->click();
    w.datSelBullet->cmdLast->click();
    w.cmdSelect_Click();
    EXPECT_DOUBLE_EQ(params().BulletMass, 0);
}

}  // namespace
