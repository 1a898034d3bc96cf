#include <QDialog>
#include <QLabel>

#include "GuiTest.h"

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
    ASSERT_EQ(services->messages.size(), 1u);
    EXPECT_EQ(services->messages[0].title, "Tarnwick");
}

}  // namespace
