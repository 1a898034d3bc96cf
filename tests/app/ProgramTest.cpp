#include <QDialog>
#include <QLabel>
#include <QMessageBox>

#include "FormSupport.h"
#include "GuiTest.h"
#include "frmRunParam.h"
#include "frmSelectBullet.h"

namespace {

// A window that counts its handlers, to watch the registry's lifecycle.
class CountingForm : public QDialog, public Form {
public:
    explicit CountingForm(Program&) { label = new QLabel("created", this); }
    void Form_Initialize() override { ++initializeCount; }
    void Form_Load() override { ++loadCount; }
    QLabel* label;
    static inline int initializeCount = 0;
    int loadCount = 0;
};

using ProgramTest = GuiTest;

TEST_F(ProgramTest, WindowIsCreatedOnFirstUseAndKeptWhileHidden) {
    CountingForm::initializeCount = 0;
    CountingForm& first = program->window<CountingForm>();
    EXPECT_EQ(first.loadCount, 1);
    first.label->setText("changed");
    program->show(first);
    first.hide();
    CountingForm& again = program->window<CountingForm>();
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(again.label->text(), "changed");
    EXPECT_EQ(again.loadCount, 1);
    EXPECT_EQ(CountingForm::initializeCount, 1);
}

TEST_F(ProgramTest, CloseBoxUnloadsAndNextUseLoadsFromCreationTexts) {
    CountingForm::initializeCount = 0;
    CountingForm& first = program->window<CountingForm>();
    first.label->setText("changed");
    program->show(first);
    first.close();
    EXPECT_EQ(program->loaded<CountingForm>(), nullptr);
    CountingForm& second = program->window<CountingForm>();
    EXPECT_EQ(second.label->text(), "created");
    EXPECT_EQ(second.loadCount, 1);
    EXPECT_EQ(CountingForm::initializeCount, 1) << "initialize runs once per program run";
}

TEST_F(ProgramTest, ScriptedMessageWithoutTitleShowsProgramName) {
    services->message(nullptr, MessageIcon::Exclamation, QString(), "text");
    EXPECT_EQ(expectMessage("text").title, "Tarnwick");
}

TEST_F(ProgramTest, RealMessageBoxKeepsTheLinesOfItsText) {
    frmRunParam& run = program->window<frmRunParam>();
    run.mnuModeHelp_Click();    // lines with leading blanks and words in angle brackets
    run.mnuMaxDevHelp_Click();  // the longest lines of any help text
    program->window<frmSelectBullet>().mnuFindHelp_Click();
    const QString tooWide = QString(400, QLatin1Char('x')) + " is wider than any box";
    std::vector<RecordedMessage> messages = takeMessages();
    messages.push_back({MessageIcon::Exclamation, "", tooWide});
    for (const RecordedMessage& m : messages) {
        SCOPED_TRACE(m.text.left(40).toStdString());
        const auto box = makeMessageBox(nullptr, m.icon, m.title, m.text);
        box->show();
        const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString(m.text).replace("\r\n", "\n"));
        const int needed = label->heightForWidth(label->width());
        EXPECT_GE(label->height(), needed) << "nothing cut off";
        EXPECT_LT(label->geometry().right(), box->width());
        if (m.text != tooWide) {
            EXPECT_EQ(needed, label->heightForWidth(QWIDGETSIZE_MAX)) << "no line broken in two";
        }
    }
}

}  // namespace

// A window placed beside the main window is moved wholly onto the main window's screen,
// here a second screen to the right of the first.
TEST(KeptInside, MovesTheFrameOntoTheArea) {
    const QRect area(1920, 0, 1280, 1000);
    const struct { QRect frame; QPoint expected; } cases[] = {
        {{2000, 100, 300, 200}, {2000, 100}},   // already inside
        {{3100, 900, 300, 200}, {2900, 800}},   // past the right and bottom edges
        {{100, -50, 300, 200}, {1920, 0}},      // on the other screen, above the top
        {{2000, 100, 1500, 1200}, {1920, 0}},   // larger than the area
    };
    for (const auto& c : cases) EXPECT_EQ(keptInside(c.frame, area), c.expected) << c.frame.x();
}
