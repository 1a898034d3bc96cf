// The results window's file and print commands, and the user guide it shows.
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <unistd.h>

#include "FileSizeLimit.h"
#include "FormSupport.h"
#include "GuiTest.h"
#include "frmPrintOutput.h"
#include "frmTrajectory.h"

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Pages in a PDF written by Qt: one page object per page.
int pdfPages(const QString& path) {
    const QByteArray bytes = contents(path);
    int pages = 0;
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0; at = bytes.indexOf("/Type /Page", at + 1))
        if (bytes.mid(at + 11, 1) != "s") ++pages;
    return pages;
}

class ResultsWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }
    frmPrintOutput& results() { return program->window<frmPrintOutput>(); }
    QString file(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(ResultsWindowTest, WindowLayout) {
    frmPrintOutput& w = results();
    EXPECT_EQ(w.windowTitle(), "Trajectory Results");
    EXPECT_EQ(w.txtText->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(w.txtText->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(w.txtText->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QStringList items;
    for (QAction* a : w.mnuFile->actions()) items << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(items, QStringList({"&Print", "-", "&Save", "Save As...", "-", "Append", "Append To..."}));
}

TEST_F(ResultsWindowTest, OpensWideEnoughForTheLongestReportLineButNoWiderThanTheScreen) {
    frmTrajectory& main = program->window<frmTrajectory>();
    params().DropTable = 1;
    main.mnuPlot_Click();
    frmPrintOutput& w = results();
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.txtText->horizontalScrollBar()->maximum(), 0) << "no line needs scrolling";

    w.setText(QString(3000, QLatin1Char('W')));
    w.widenToFitText();
    EXPECT_GT(w.txtText->horizontalScrollBar()->maximum(), 0);
    EXPECT_LE(w.frameGeometry().right(), screenSize(&w).width());
}

TEST_F(ResultsWindowTest, SaveWritesOneQuotedRecordAndRemembersTheName) {
    frmPrintOutput& w = results();
    w.setText("abc");
    services->saveAnswers.push_back(file("results"));
    w.mnuSave->trigger();
    EXPECT_EQ(contents(file("results.txt")), QByteArray("\"abc\"\r\n"));
    EXPECT_EQ(w.fileName(), file("results")) << "the remembered name keeps what was chosen";

    // A second Save asks nothing and replaces the file; line breaks are written as CR LF.
    w.setText("line 1\r\nline 2");
    w.mnuSave->trigger();
    EXPECT_EQ(services->saveDialogTitles.size(), 1u);
    EXPECT_EQ(services->saveDialogTitles[0], "Save Drop Table As...");
    EXPECT_EQ(contents(file("results.txt")), QByteArray("\"line 1\r\nline 2\"\r\n"));
}

TEST_F(ResultsWindowTest, TxtIsAddedUnlessTheNameEndsInItExactly) {
    frmPrintOutput& w = results();
    w.setText("x");
    services->saveAnswers = {file("RESULTS.TXT"), file("plain.txt")};
    w.mnuSaveAs->trigger();
    EXPECT_TRUE(QFile::exists(file("RESULTS.TXT.txt")));
    w.mnuSaveAs->trigger();
    EXPECT_EQ(contents(file("plain.txt")), QByteArray("\"x\"\r\n"));
    EXPECT_FALSE(QFile::exists(file("plain.txt.txt")));
}

TEST_F(ResultsWindowTest, AppendAddsRecordsAndSaveAsChangesTheSharedName) {
    frmPrintOutput& w = results();
    w.setText("abc");
    services->saveAnswers = {file("log.txt"), file("other.txt")};
    w.mnuAppend->trigger();
    w.mnuAppend->trigger();
    EXPECT_EQ(contents(file("log.txt")), QByteArray("\"abc\"\r\n\"abc\"\r\n"));
    w.mnuSaveAs->trigger();
    w.mnuAppend->trigger();
    EXPECT_EQ(contents(file("other.txt")), QByteArray("\"abc\"\r\n\"abc\"\r\n"));
    EXPECT_EQ(services->saveDialogTitles.size(), 2u);
    w.mnuAppendTo->trigger();  // always asks; cancelled here
    EXPECT_EQ(services->saveDialogTitles.size(), 3u);
    // Only replacing a file asks whether to replace it; appending picks it as it is.
    EXPECT_EQ(services->saveDialogConfirmsOverwrite, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(contents(file("other.txt")), QByteArray("\"abc\"\r\n\"abc\"\r\n"));
}

TEST_F(ResultsWindowTest, CancelledDialogIsSilent) {
    results().setText("abc");
    results().mnuSave->trigger();
    EXPECT_TRUE(results().fileName().isEmpty());
    EXPECT_TRUE(dir.isValid());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ResultsWindowTest, WriteFailureIsReportedNamingTheFile) {
    frmPrintOutput& w = results();
    w.setText("abc");
    const QString missing = file("no such folder/results");
    services->saveAnswers = {missing, missing};
    w.mnuSaveAs->trigger();
    EXPECT_EQ(expectMessage(QDir::toNativeSeparators(missing + ".txt")).icon, MessageIcon::Exclamation);
    w.mnuAppendTo->trigger();
    expectMessage(QDir::toNativeSeparators(missing + ".txt"));
}

TEST_F(ResultsWindowTest, SaveKeepsTheOldFileWhenItCannotBeReplaced) {
    if (getuid() == 0) GTEST_SKIP() << "a read-only folder does not stop root";
    frmPrintOutput& w = results();
    w.setText("old");
    services->saveAnswers.push_back(file("keep"));
    w.mnuSave->trigger();
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    w.setText("new");
    w.mnuSave->trigger();
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(contents(file("keep.txt")), QByteArray("\"old\"\r\n"));
    expectMessage(QDir::toNativeSeparators(file("keep.txt")));
}

// Each failing write ends with one message that names the file written (".txt" added)
// and gives the system's reason; what was on disk before stays byte for byte.
class ResultsWriteFailureTest : public ResultsWindowTest {
protected:
    void expectFailureNaming(const QString& path, const char* reason = nullptr) {
        ASSERT_EQ(services->messages.size(), 1u);
        const RecordedMessage m = services->messages.back();
        services->messages.clear();
        EXPECT_EQ(m.icon, MessageIcon::Exclamation);
        const QString head = "The results could not be written to " + QDir::toNativeSeparators(path) + ".\r\n";
        EXPECT_TRUE(m.text.startsWith(head)) << m.text.toStdString();
        EXPECT_GT(m.text.size(), head.size()) << "the system's reason follows the name";
        if (reason) {
            EXPECT_TRUE(m.text.contains(reason, Qt::CaseInsensitive)) << m.text.toStdString();
        }
    }
    // Save As and Append To, each to `chosen`, both expected to fail.
    void saveAndAppendFail(const QString& chosen, const QString& written, const char* reason = nullptr) {
        services->saveAnswers = {chosen, chosen};
        results().mnuSaveAs->trigger();
        expectFailureNaming(written, reason);
        results().mnuAppendTo->trigger();
        expectFailureNaming(written, reason);
    }
};

TEST_F(ResultsWriteFailureTest, FolderThatDoesNotExist) {
    results().setText("abc");
    saveAndAppendFail(file("no such folder/results"), file("no such folder/results.txt"), "No such file");
    EXPECT_FALSE(QFileInfo::exists(file("no such folder")));
}

TEST_F(ResultsWriteFailureTest, ParentIsARegularFile) {
    QFile parent(file("notes.txt"));
    ASSERT_TRUE(parent.open(QIODevice::WriteOnly));
    parent.write("keep me");
    parent.close();
    results().setText("abc");
    saveAndAppendFail(file("notes.txt/results"), file("notes.txt/results.txt"), "Not a directory");
    EXPECT_EQ(contents(file("notes.txt")), QByteArray("keep me"));
}

TEST_F(ResultsWriteFailureTest, ReadOnlyFileIsLeftAsItWas) {
    if (geteuid() == 0) GTEST_SKIP() << "file permissions do not stop root from writing";
    frmPrintOutput& w = results();
    w.setText("old");
    services->saveAnswers = {file("locked")};
    w.mnuSave->trigger();
    ASSERT_TRUE(QFile::setPermissions(file("locked.txt"), QFile::ReadOwner));
    w.setText("new");
    w.mnuSave->trigger();
    expectFailureNaming(file("locked.txt"));
    w.mnuAppend->trigger();
    expectFailureNaming(file("locked.txt"));
    EXPECT_EQ(contents(file("locked.txt")), QByteArray("\"old\"\r\n"));
}

TEST_F(ResultsWriteFailureTest, FullDiskThroughDevFull) {
    // A path under /dev/full is no folder; a link to it is a file that never takes data.
    results().setText("abc");
    saveAndAppendFail("/dev/full/results", "/dev/full/results.txt");
    ASSERT_TRUE(QFile::link("/dev/full", file("full.txt")));
    saveAndAppendFail(file("full.txt"), file("full.txt"), "No space left");
    // Saving onto the link must write to the device, never rename a file over it.
    const QFileInfo device("/dev/full");
    EXPECT_FALSE(device.isFile()) << "/dev/full has been replaced by a regular file";
    EXPECT_TRUE(QFileInfo(file("full.txt")).isSymLink());
}

TEST_F(ResultsWriteFailureTest, FullDiskLeavesNoHalfRecord) {
    frmPrintOutput& w = results();
    w.setText("abc");
    services->saveAnswers = {file("report")};
    w.mnuSave->trigger();
    const QByteArray before("\"abc\"\r\n");
    ASSERT_EQ(contents(file("report.txt")), before);

    w.setText(QString(200, QLatin1Char('x')));
    {
        FileSizeLimit limit(before.size() + 50);
        ASSERT_TRUE(limit.ok());
        w.mnuAppend->trigger();
        expectFailureNaming(file("report.txt"));
        w.mnuSave->trigger();
        expectFailureNaming(file("report.txt"));
    }
    EXPECT_EQ(contents(file("report.txt")), before) << "neither half a record appended nor a cut-off replacement";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"report.txt"}) << "no temporary file left behind";

    // With room again, the same commands work.
    w.mnuAppend->trigger();
    EXPECT_EQ(contents(file("report.txt")).size(), before.size() + 200 + 4);
}

TEST_F(ResultsWindowTest, PrintsTheStoredPagesNotTheEditedText) {
    services->pdfPath = file("one.pdf");
    program->state().FirstPageText = "Range report\r\nline two";
    program->state().SecondPageText.clear();
    results().setText("typed by the user");
    results().mnuPrint->trigger();
    EXPECT_EQ(pdfPages(services->pdfPath), 1);

    services->pdfPath = file("two.pdf");
    program->state().SecondPageText = "Hunting Conditions:";
    results().mnuPrint->trigger();
    EXPECT_EQ(pdfPages(services->pdfPath), 2);

    services->printerAccepts = false;
    services->pdfPath = file("none.pdf");
    results().mnuPrint->trigger();
    EXPECT_FALSE(QFile::exists(services->pdfPath));
}

TEST_F(ResultsWindowTest, HowToShowsTheWholeGuideAndPrintsItAsTwoPages) {
    frmTrajectory& main = program->window<frmTrajectory>();
    main.mnuPlot_Click();
    main.mnuHowTo->trigger();
    frmPrintOutput& w = results();
    EXPECT_TRUE(w.isVisible());
    EXPECT_NEAR(w.width(), twipsToPixels(7000, &w), 1);
    const QString text = w.text();
    EXPECT_TRUE(text.startsWith("How to Use this Program:\r\nThe Tarnwick Program"));
    EXPECT_TRUE(text.endsWith("\r\nEnjoy!\r\n"));
    const std::string& first = program->state().FirstPageText;
    const std::string& second = program->state().SecondPageText;
    EXPECT_EQ(text.toStdString(), first + second);
    EXPECT_TRUE(first.ends_with("Default: disabled\r\n\r\n"));
    EXPECT_TRUE(second.starts_with("The following built-in tools are provided:\r\n"));
    // 94 lines of text and 10 empty lines after some of them (and nothing after the last CR LF).
    const QStringList lines = text.split("\r\n");
    EXPECT_EQ(lines.size(), 94 + 10 + 1);
    EXPECT_EQ(lines.count(QString()), 10 + 1);
    // The data base lines name this program's SQLite file, not another program's.
    EXPECT_FALSE(text.contains("Access"));
    EXPECT_FALSE(text.contains(".mdb"));
    EXPECT_TRUE(text.contains("Bullets.db"));

    // A later plot run replaces the guide again, in print too: no half of it stays behind.
    main.mnuPlot_Click();
    EXPECT_TRUE(w.text().startsWith("Muzzle Velocity"));
    services->pdfPath = dir.filePath("report.pdf");
    w.mnuPrint->trigger();
    EXPECT_EQ(pdfPages(services->pdfPath), 1);
}

}  // namespace
