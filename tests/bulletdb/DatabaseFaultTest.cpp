// The bullet file changing under open windows: removed, replaced by garbage, locked by
// another program's write transaction. Each gets a message, nothing waits long, and
// whatever was stored stays stored (checked through a fresh connection each time).
#include <sqlite3.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <string>
#include <vector>

#include "BulletSchema.h"
#include "BulletWindowTest.h"
#include "NavigationBar.h"
#include "SqliteStatement.h"
#include "frmEditBullet.h"
#include "frmSelectBullet.h"

namespace {

// Every row of the file (its ten fields) as one line of text, read through a connection
// of its own.
std::vector<std::string> storedRows(const QString& path) {
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        const std::string sql = "SELECT " + tarnwick::bulletdb::quotedColumnList() + " FROM Bullets ORDER BY rowid";
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK) {
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                std::string row;
                for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
                    row += std::string(text ? text : "<null>") + "|";
                }
                rows.push_back(row);
            }
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return rows;
}

QByteArray bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Another program holding a write transaction on the file.
class WriteLock {
public:
    WriteLock(const QString& path, const char* begin) {
        sqlite3_open(path.toUtf8().constData(), &db_);
        locked_ = sqlite3_exec(db_, begin, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~WriteLock() { release(); }
    bool locked() const { return locked_; }
    void release() {
        if (!db_) return;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
    }

private:
    sqlite3* db_ = nullptr;
    bool locked_ = false;
};

const QStringList kNewRow = {".338", "Barnes", "TSX", "225", "33860", "0.482", "0.482", "0.482", "1000", "2000"};

class DatabaseFaultTest : public BulletWindowTest {
protected:
    void SetUp() override {
        BulletWindowTest::SetUp();
        original = storedRows(programFile);
        ASSERT_EQ(original.size(), 5u);
    }
    frmSelectBullet& select() { return program->window<frmSelectBullet>(); }
    frmEditBullet& edit() { return program->window<frmEditBullet>(); }
    // Takes the one message the last action should have shown.
    RecordedMessage takeMessage() {
        EXPECT_EQ(services->messages.size(), 1u);
        return expectMessage(QString());
    }
    // Runs an action that meets a lock: it gives up after a short wait, not forever.
    template <typename Action>
    void brief(Action action) {
        QElapsedTimer timer;
        timer.start();
        action();
        EXPECT_LT(timer.elapsed(), 5000) << "waited too long for the other program's lock";
    }

    std::vector<std::string> original;
};

TEST_F(DatabaseFaultTest, FileRemovedWhileWindowsOpenIsReportedAndNothingIsWrittenIntoTheVoid) {
    frmSelectBullet& s = select();
    frmEditBullet& e = edit();
    s.datSelBullet->cmdNextRow->click();
    ASSERT_EQ(s.txtManufacturer->text(), "Hornady");
    e.cmdAdd_Click();
    fill(e, kNewRow);

    // Moved away (so its rows can be checked afterwards): for the windows it is gone.
    const QString away = dataDir.filePath("away.db");
    ASSERT_TRUE(QFile::rename(programFile, away));

    // Before, Update stored the row into the unlinked file and the next moves went on
    // showing the old rows without a word.
    e.cmdUpdate_Click();
    RecordedMessage m = takeMessage();
    EXPECT_TRUE(m.text.contains(QDir::toNativeSeparators(programFile))) << m.text.toStdString();
    EXPECT_TRUE(m.text.contains("removed"));
    EXPECT_TRUE(e.changePending()) << "the typed row stays pending";
    EXPECT_EQ(e.txtManufacturer->text(), "Barnes");

    s.datSelBullet->cmdNextRow->click();
    EXPECT_TRUE(takeMessage().text.contains("removed"));
    EXPECT_EQ(s.txtManufacturer->text(), "Hornady") << "the window stays on its row";
    s.txtSearch->setText("Sierra");
    s.cmdSearch_Click();
    EXPECT_TRUE(takeMessage().text.contains("removed"));
    e.cmdDelete_Click();  // drops the pending add only
    e.cmdEdit_Click();
    EXPECT_TRUE(takeMessage().text.contains("removed"));
    EXPECT_FALSE(QFile::exists(programFile)) << "nothing is created in its place";
    EXPECT_EQ(storedRows(away), original);

    // Put back, the windows go on where they were.
    ASSERT_TRUE(QFile::rename(away, programFile));
    e.cmdAdd_Click();
    fill(e, kNewRow);
    e.cmdUpdate_Click();
    s.datSelBullet->cmdNextRow->click();
    EXPECT_EQ(s.txtManufacturer->text(), "Speer");
    std::vector<std::string> expected = original;
    expected.push_back(".338|Barnes|TSX|225.0|33860|0.482|0.482|0.482|1000.0|2000.0|<null>|<null>|");
    EXPECT_EQ(storedRows(programFile), expected);
}

TEST_F(DatabaseFaultTest, FileDeletedForGoodIsReportedUntilTheWindowIsReopened) {
    frmSelectBullet& s = select();
    edit();
    ASSERT_TRUE(QFile::remove(programFile));
    s.datSelBullet->cmdLast->click();
    EXPECT_TRUE(takeMessage().text.contains("removed"));
    s.cmdSelect_Click();  // copies the row still on view; the file is not needed
    EXPECT_DOUBLE_EQ(params().BulletMass, 165);
    program->window<frmEditBullet>().close();  // the close box unloads it
    edit();
    EXPECT_TRUE(takeMessage().text.contains("(the file does not exist)"));
    EXPECT_FALSE(QFile::exists(programFile));
}

TEST_F(DatabaseFaultTest, FileOverwrittenWithGarbageIsReportedAndLeftAlone) {
    frmSelectBullet& s = select();
    frmEditBullet& e = edit();
    e.cmdEdit_Click();
    const QByteArray garbage = QByteArray("not a bullet table ").repeated(300);
    {
        QFile file(programFile);  // the same file, its contents replaced
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(garbage);
    }
    e.txtBulletMass->setText("999");
    e.cmdUpdate_Click();
    RecordedMessage m = takeMessage();
    EXPECT_EQ(m.title, QString("Error Code=%1").arg(SQLITE_NOTADB));
    EXPECT_TRUE(e.changePending());
    s.datSelBullet->cmdNextRow->click();
    EXPECT_EQ(takeMessage().title, QString("Error Code=%1").arg(SQLITE_NOTADB));
    e.cmdDelete_Click();
    EXPECT_TRUE(takeMessage().title.startsWith("Error Code="));
    EXPECT_EQ(bytes(programFile), garbage) << "nothing was written into the damaged file";
}

TEST_F(DatabaseFaultTest, FileReplacedByGarbageIsReportedAndAGoodFileIsPickedUpAgain) {
    frmSelectBullet& s = select();
    frmEditBullet& e = edit();
    e.cmdAdd_Click();
    fill(e, kNewRow);
    // Renamed over the old one: the windows' connections still hold the old file.
    const QString saved = dataDir.filePath("saved.db");
    ASSERT_TRUE(QFile::copy(programFile, saved));
    const QString junk = dataDir.filePath("junk");
    {
        QFile file(junk);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, '\x5a'));
    }
    ASSERT_TRUE(QFile::remove(programFile));
    ASSERT_TRUE(QFile::rename(junk, programFile));

    e.cmdUpdate_Click();
    RecordedMessage m = takeMessage();
    EXPECT_TRUE(m.text.startsWith("The bullet database cannot be opened:\r\n" + QDir::toNativeSeparators(programFile)))
        << m.text.toStdString();
    s.datSelBullet->cmdNextRow->click();
    EXPECT_TRUE(takeMessage().text.startsWith("The bullet database cannot be opened:"));
    s.datSelBullet->cmdNextRow->click();  // still garbage: said again, nothing else happens
    takeMessage();
    e.cmdAdd_Click();
    takeMessage();
    EXPECT_EQ(bytes(programFile), QByteArray(8192, '\x5a'));

    // A good file under the name is opened at the next press.
    ASSERT_TRUE(QFile::remove(programFile));
    ASSERT_TRUE(QFile::rename(saved, programFile));
    s.datSelBullet->cmdFirst->click();
    EXPECT_EQ(s.txtManufacturer->text(), "Sierra");
    e.cmdAdd_Click();
    fill(e, kNewRow);
    e.cmdUpdate_Click();
    EXPECT_EQ(storedRows(programFile).size(), 6u);
}

TEST_F(DatabaseFaultTest, WriteTransactionElsewhereRefusesChangesBrieflyAndKeepsThemPending) {
    frmSelectBullet& s = select();
    frmEditBullet& e = edit();
    WriteLock other(programFile, "BEGIN IMMEDIATE");
    ASSERT_TRUE(other.locked());

    e.cmdAdd_Click();
    fill(e, kNewRow);
    brief([&] { e.cmdUpdate_Click(); });
    RecordedMessage m = takeMessage();
    EXPECT_EQ(m.title, QString("Error Code=%1").arg(SQLITE_BUSY));
    EXPECT_EQ(m.icon, MessageIcon::Question);
    EXPECT_TRUE(e.changePending());
    EXPECT_EQ(e.txtManufacturer->text(), "Barnes");

    // Reading goes on while the other program only prepares its write.
    s.datSelBullet->cmdNextRow->click();
    EXPECT_EQ(s.txtManufacturer->text(), "Hornady");

    e.datEditBullet->cmdFirst->click();  // drops the pending add
    services->answers.push_back(true);  // "Delete ...?" Yes
    brief([&] { e.cmdDelete_Click(); });
    expectQuestion("Delete");
    EXPECT_EQ(takeMessage().title, QString("Error Code=%1").arg(SQLITE_BUSY));
    EXPECT_EQ(e.txtManufacturer->text(), "Sierra");
    EXPECT_EQ(storedRows(programFile), original);

    // Once the other program is done, the same Update goes through.
    other.release();
    e.cmdAdd_Click();
    fill(e, kNewRow);
    e.cmdUpdate_Click();
    const std::vector<std::string> after = storedRows(programFile);
    ASSERT_EQ(after.size(), original.size() + 1);
    EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 5), original);
}

TEST_F(DatabaseFaultTest, ExclusiveLockElsewhereIsReportedBrieflyAndTheWindowRecovers) {
    auto other = std::make_unique<WriteLock>(programFile, "BEGIN EXCLUSIVE");
    ASSERT_TRUE(other->locked());
    // Opening cannot even read the table: reported once, the window comes up empty.
    brief([&] { select(); });
    RecordedMessage m = takeMessage();
    EXPECT_TRUE(m.text.startsWith("The bullet database cannot be opened:\r\n" + QDir::toNativeSeparators(programFile)));
    EXPECT_TRUE(m.text.contains("locked")) << m.text.toStdString();
    frmSelectBullet& s = select();
    EXPECT_TRUE(s.txtManufacturer->text().isEmpty());
    brief([&] { s.datSelBullet->cmdNextRow->click(); });  // tries again, still locked
    EXPECT_TRUE(takeMessage().text.contains("locked"));

    // Before, the window stayed empty until it was closed and opened again.
    other.reset();
    s.datSelBullet->cmdFirst->click();
    EXPECT_EQ(s.txtManufacturer->text(), "Sierra");

    // An open window that meets the lock says so and stays on its row.
    other = std::make_unique<WriteLock>(programFile, "BEGIN EXCLUSIVE");
    brief([&] { s.datSelBullet->cmdNextRow->click(); });
    EXPECT_EQ(takeMessage().title, QString("Error Code=%1").arg(SQLITE_BUSY));
    EXPECT_EQ(s.txtManufacturer->text(), "Sierra");
    s.txtSearch->setText("Speer");
    brief([&] { s.cmdSearch_Click(); });
    EXPECT_EQ(takeMessage().title, QString("Error Code=%1").arg(SQLITE_BUSY));
    other.reset();
    EXPECT_EQ(storedRows(programFile), original);
}

}  // namespace
