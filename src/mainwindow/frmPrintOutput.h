#pragma once
// "Trajectory Results": the text report of a plot run (or the user guide) in a plain
// text box, with a File menu that prints the two page texts and saves or appends the
// box's text to a text file.
#include <QDialog>
#include <QString>

#include "PlotRun.h"
#include "Program.h"

class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QAction;

class frmPrintOutput : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmPrintOutput(Program& program);

    void Form_Load() override;

    // The text with CR LF line breaks (the box itself shows plain line feeds).
    QString text() const;
    void setText(const QString& text);
    void appendText(const QString& text);

    // Widens the window so that the longest line of the text shows without scrolling,
    // but never beyond the right edge of the screen. A wider window stays as it is.
    void widenToFitText();

    // File menu commands.
    void mnuPrint_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuAppend_Click();
    void mnuAppendTo_Click();

    // The file name shared by the four file commands (empty until one is chosen).
    QString fileName() const { return fileName_; }

    QPlainTextEdit* txtText = nullptr;
    QMenuBar* menuBar = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuseparate1 = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuseparate2 = nullptr;
    QAction* mnuAppend = nullptr;
    QAction* mnuAppendTo = nullptr;

private:
    enum class Mode { Replace, Append };
    // Asks for a name when `alwaysAsk` or none is remembered; false when cancelled.
    bool chooseFile(bool alwaysAsk, Mode mode);
    void writeRecord(Mode mode);

    Program& program_;
    QString fileName_;
};

// The results window as the plot run uses it: hidden at the start of a run, shown
// without blocking, its text set and appended to.
class PrintOutputResults : public tarnwick::ResultsWindow {
public:
    explicit PrintOutputResults(Program& program) : program_(program) {}
    void hideWindow() override;
    void showWindow() override;
    void setText(const std::string& text) override;
    void appendText(const std::string& text) override;

    // After the run: the window, when it is up, is wide enough for the whole report.
    void fitWindowToReport();

private:
    Program& program_;
};
