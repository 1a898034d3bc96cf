// The edit window: add, edit, update, delete, discarding unsaved changes, failures,
// the user's copy of a read-only database, and CSV through its File menu.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "BulletWindowTest.h"
#include "NavigationBar.h"
#include "frmEditBullet.h"
#include "frmSelectBullet.h"

namespace {

class EditBulletTest : public BulletWindowTest {
protected:
    frmEditBullet& window() { return program->window<frmEditBullet>(); }
    static QString shown(const frmEditBullet& w) { return w.txtCaliber->text() + "/" + w.txtManufacturer->text(); }
    int rows() {
        auto table = bullettest::openTable(bulletFile().toStdString(), tarnwick::bulletdb::BulletTable::Access::ReadOnly);
        tarnwick::bulletdb::BulletCursor cursor = bullettest::firstRow(table);
        int n = 0;
        for (bool more = cursor.hasCurrent(); more; ++n) {
            const auto before = cursor.bookmark();
            EXPECT_TRUE(cursor.moveNext());
            more = cursor.bookmark() != before;
        }
        return n;
    }
};

TEST_F(EditBulletTest, AddThenUpdateStoresRowAndShowsPreviousRow) {
    frmEditBullet& w = window();
    w.datEditBullet->cmdNextRow->click();
    EXPECT_EQ(shown(w), ".308/Hornady");
    EXPECT_EQ(w.txtLowBC->text(), "0.338");
    w.cmdAdd_Click();
    EXPECT_TRUE(w.changePending());
    EXPECT_TRUE(w.txtCaliber->text().isEmpty());
    EXPECT_TRUE(w.txtHighBV->text().isEmpty());
    fill(w, {".338", "Barnes", "TSX", "225", "33860", "0.482", "0.482", "0.482", "1000", "2000", "0.241", "1.6"});
    w.cmdUpdate_Click();
    EXPECT_FALSE(w.changePending());
    EXPECT_EQ(shown(w), ".308/Hornady");
    EXPECT_EQ(rows(), 6);
    w.datEditBullet->cmdLast->click();
    EXPECT_EQ(shown(w), ".338/Barnes");
    EXPECT_EQ(w.txtBulletMass->text(), "225");
    EXPECT_EQ(w.txtG7BC->text(), "0.241");
    EXPECT_EQ(w.txtBulletLength->text(), "1.6");
}

TEST_F(EditBulletTest, UpdateFailuresAreReportedAndChangeStaysPending) {
    frmEditBullet& w = window();
    w.cmdUpdate_Click();  // nothing pending
    const RecordedMessage nothingPending = expectMessage("Update without Add or Edit");
    EXPECT_EQ(nothingPending.title, "Error Code=21");
    EXPECT_EQ(nothingPending.icon, MessageIcon::Question);

    const std::pair<QLineEdit*, QString> boxes[] = {
        {w.txtBulletMass, "Bullet Mass"}, {w.txtG7BC, "G7 Ballistic Coefficient"}, {w.txtBulletLength, "Bullet Length"}};
    for (const auto& [box, column] : boxes) {
        w.cmdEdit_Click();
        box->setText("heavy");
        w.cmdUpdate_Click();
        EXPECT_EQ(expectMessage(column + " must be a number").title, "Error Code=19");
        EXPECT_TRUE(w.changePending());
        EXPECT_EQ(box->text(), "heavy");  // the typed text stays to be corrected

        box->setText("0.17");
        w.cmdUpdate_Click();
        EXPECT_FALSE(w.changePending());
        EXPECT_EQ(box->text(), "0.17");
    }
}

TEST_F(EditBulletTest, UpdateOverAnotherProgramsChangeAsksAndKeepsOrDropsTheTyping) {
    const std::string file = programFile.toStdString();
    const struct {
        const char* meanwhile;  // what another program does to the edited row (Hornady)
        bool keep;              // the answer to the question
        const char* question;
        QString shownAfter;     // the window after the answer
        int rowsAfter;          // after a second Update (when the typing was kept)
    } cases[] = {
        {"UPDATE Bullets SET Manufacturer = 'Lapua' WHERE rowid = 2", true, "has changed", ".308/Typed", 5},
        {"UPDATE Bullets SET Manufacturer = 'Lapua' WHERE rowid = 2", false, "has changed", ".308/Lapua", 5},
        {"DELETE FROM Bullets WHERE rowid = 2", true, "has deleted", ".308/Typed", 5},
        {"DELETE FROM Bullets WHERE rowid = 2", false, "has deleted", "2145/Speer", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.meanwhile) + (c.keep ? ", keep" : ", drop"));
        bullettest::writeDatabase(file + ".fresh");
        ASSERT_TRUE(QFile::remove(programFile) && QFile::rename(programFile + ".fresh", programFile));
        program->window<frmEditBullet>().close();
        frmEditBullet& w = window();
        w.datEditBullet->cmdNextRow->click();
        w.cmdEdit_Click();
        w.txtManufacturer->setText("Typed");
        bullettest::execute(file, c.meanwhile);

        services->answers = {c.keep};
        w.cmdUpdate_Click();
        EXPECT_TRUE(expectQuestion(c.question).yesIsDefault);
        EXPECT_EQ(shown(w), c.shownAfter);
        EXPECT_EQ(w.changePending(), c.keep);
        EXPECT_EQ(bullettest::tableText(file).find("Typed"), std::string::npos) << "nothing stored before asked";
        w.cmdUpdate_Click();  // stores the kept typing; with none pending, reported
        EXPECT_EQ(rows(), c.rowsAfter);
        EXPECT_EQ(bullettest::tableText(file).find("Typed") != std::string::npos, c.keep);
        if (!c.keep) expectMessage("Update without Add or Edit");
    }
}

TEST_F(EditBulletTest, LeavingAPendingChangeDiscardsIt) {
    frmEditBullet& w = window();
    w.cmdEdit_Click();
    w.txtManufacturer->setText("Typed");
    w.datEditBullet->cmdNextRow->click();
    w.datEditBullet->cmdFirst->click();
    EXPECT_EQ(shown(w), ".308/Sierra");

    w.cmdAdd_Click();
    w.txtCaliber->setText(".999");
    w.txtSearch->setText("hornady");
    w.cmdSearch_Click();
    EXPECT_EQ(shown(w), ".308/Hornady");

    w.cmdEdit_Click();
    w.txtManufacturer->setText("Typed");
    program->show(w);
    w.cmdDone_Click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.changePending());
    EXPECT_EQ(shown(w), ".308/Hornady");

    EXPECT_EQ(rows(), 5);
}

TEST_F(EditBulletTest, EscapeAndMinimisingKeepAPendingChange) {
    frmEditBullet& w = window();
    program->show(w);
    w.cmdEdit_Click();
    w.txtManufacturer->setText("Typed");
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible()) << "Esc does not hide the window";
    EXPECT_TRUE(w.changePending());

    w.showMinimized();  // the window system hides a minimised window
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.changePending());
    w.showNormal();
    EXPECT_EQ(w.txtManufacturer->text(), "Typed");
    w.cmdUpdate_Click();
    EXPECT_EQ(w.txtManufacturer->text(), "Typed");
}

TEST_F(EditBulletTest, DeleteAsksFirstWithNoAsTheDefault) {
    frmEditBullet& w = window();
    w.datEditBullet->cmdNextRow->click();
    w.cmdDelete_Click();  // the question answered with its default button
    const RecordedQuestion asked = expectQuestion("Delete Hornady");
    EXPECT_EQ(asked.text, "Delete Hornady 150 gr. BT (3033)?");
    EXPECT_FALSE(asked.yesIsDefault);
    EXPECT_EQ(shown(w), ".308/Hornady");
    EXPECT_EQ(rows(), 5);

    services->answers = {true, true};
    w.cmdDelete_Click();
    expectQuestion("Delete Hornady");
    EXPECT_EQ(shown(w), "2145/Speer");
    w.datEditBullet->cmdLast->click();
    w.cmdDelete_Click();
    expectQuestion("Delete O'Brien");
    EXPECT_EQ(shown(w), ".224/Sierra");
    EXPECT_EQ(rows(), 3);

    // With an add pending, Delete drops the unsaved row, not the stored one behind it,
    // and asks nothing.
    w.cmdAdd_Click();
    w.cmdDelete_Click();
    EXPECT_EQ(shown(w), ".224/Sierra");
    EXPECT_EQ(rows(), 3);
}

TEST_F(EditBulletTest, SelectWindowSeesAnEditAfterItsNextMove) {
    frmSelectBullet& select = program->window<frmSelectBullet>();
    frmEditBullet& w = window();
    w.datEditBullet->cmdNextRow->click();
    w.cmdEdit_Click();
    w.txtManufacturer->setText("Lapua");
    w.cmdUpdate_Click();
    EXPECT_EQ(select.txtManufacturer->text(), "Sierra");
    select.datSelBullet->cmdNextRow->click();
    EXPECT_EQ(select.txtManufacturer->text(), "Lapua");
}

TEST_F(EditBulletTest, ReadOnlyProgramFolderCopiesDatabaseOnceForBothWindows) {
    bulletFiles.programFolderWritable = false;
    program = makeProgram();
    frmSelectBullet& select = program->window<frmSelectBullet>();
    frmEditBullet& w = window();
    EXPECT_EQ(bulletFile(), programFile);
    // A file of the user's named like a temporary copy is no concern of the copy.
    ASSERT_TRUE(QDir().mkpath(QFileInfo(userFile).absolutePath()));
    QFile own(userFile + ".part");
    ASSERT_TRUE(own.open(QIODevice::WriteOnly) && own.write("mine") == 4);
    own.close();
    w.cmdEdit_Click();
    EXPECT_TRUE(QFile::exists(userFile));
    EXPECT_EQ(own.size(), 4);
    EXPECT_EQ(bulletFile(), userFile);
    w.txtManufacturer->setText("Lapua");
    w.cmdUpdate_Click();

    auto original = bullettest::openTable(programFile.toStdString(), tarnwick::bulletdb::BulletTable::Access::ReadOnly);
    EXPECT_EQ(bullettest::firstRow(original).current()[1], "Sierra");  // the program's file is left as shipped

    select.datSelBullet->cmdFirst->click();
    EXPECT_EQ(select.txtManufacturer->text(), "Lapua");
}

TEST_F(EditBulletTest, MissingDatabaseIsReportedAndButtonsDoNoHarm) {
    QFile::remove(programFile);
    frmEditBullet& w = window();
    expectMessage(QDir::toNativeSeparators(programFile));
    w.datEditBullet->cmdNextRow->click();
    w.txtSearch->setText("x");
    w.cmdSearch_Click();
    expectMessage("No records found");
    w.cmdAdd_Click();
    w.cmdUpdate_Click();
    w.cmdDelete_Click();
    for (const RecordedMessage& m : takeMessages())
        EXPECT_TRUE(m.title.startsWith("Error Code=")) << m.title.toStdString();
    EXPECT_FALSE(QFile::exists(programFile));  // nothing was created
    EXPECT_FALSE(QFile::exists(userFile));
}

TEST_F(EditBulletTest, CorruptDatabaseIsReported) {
    QFile file(programFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("this is not a database at all, just some text of no use");
    file.close();
    frmEditBullet& w = window();
    expectMessage(QDir::toNativeSeparators(programFile));
    EXPECT_TRUE(w.txtCaliber->text().isEmpty());
}

TEST_F(EditBulletTest, CsvExportAndImportThroughFileMenu) {
    frmEditBullet& w = window();
    const QString csv = dataDir.filePath("bullets.csv");
    services->saveAnswers.push_back(csv);
    w.mnuExportCsv_Click();
    ASSERT_TRUE(QFile::exists(csv));
    expectMessage("5 bullets written");

    // Importing the same bullets again stores none of them twice.
    services->openAnswers.push_back(csv);
    w.mnuImportCsv_Click();
    EXPECT_EQ(services->openDialogTitles, std::vector<QString>{"Import Bullets"});
    expectMessage("0 bullets imported, 5 already in the table skipped");
    EXPECT_EQ(rows(), 5);

    QFile bad(dataDir.filePath("bad.csv"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(bullettest::kHeader) + ".22,X,Y,1,2,3,4,5,6\n");
    bad.close();
    services->openAnswers.push_back(bad.fileName());
    w.mnuImportCsv_Click();
    EXPECT_EQ(expectMessage("line 2").icon, MessageIcon::Exclamation);
    EXPECT_EQ(rows(), 5);
}

TEST_F(EditBulletTest, HelpTexts) {
    frmEditBullet& w = window();
    w.mnuAddHelp_Click();
    w.mnuModify_Click();
    w.mnuHowDelete_Click();
    w.mnuHowSearch_Click();
    const std::vector<RecordedMessage> messages = takeMessages();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].title, "How to Add a Bullet:");
    EXPECT_EQ(messages[0].text, "1) Click the <Add> button\r\n2) Enter data in all fields\r\n"
                                "3) Click <Update>\r\n4) Repeat 1 - 3 as needed");
    EXPECT_EQ(messages[1].title, "How to Modify Bullet Data:");
    EXPECT_EQ(messages[2].title, "How to Delete a Bullet:");
    EXPECT_EQ(messages[3].title, "Using Search:");
    EXPECT_EQ(w.mnuAddHelp->text(), "How to Add A Bullet");
}

}  // namespace
