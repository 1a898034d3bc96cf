#pragma once
// Binds a window's field boxes to its own cursor on the bullet table and carries out
// what both bullet windows do alike: open the file in use, page, search the three
// fields, and report the engine's failures.
#include <QString>
#include <array>

#include "BulletCursor.h"

class QLineEdit;
class QMenuBar;
class QPalette;
class QPushButton;
class QWidget;

// Controls both bullet windows build alike.
QLineEdit* makeFieldBox(const QString& name, QWidget* parent);
QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent);
// The application's colours, for controls on a coloured window.
QPalette ordinaryPalette();
// A menu bar in the ordinary colours, whatever the window's background.
QMenuBar* makeMenuBar(QWidget* window);

class Program;

class BulletBinding {
public:
    using Access = tarnwick::bulletdb::BulletCursor::Access;
    using Boxes = std::array<QLineEdit*, tarnwick::bulletdb::kFieldCount>;  // in column order; null = not shown

    BulletBinding(Program& program, QWidget& window, Access access, const Boxes& boxes);

    // Opens the file in use at its first row. A file that cannot be opened is reported
    // once, naming it; the window then shows empty boxes.
    void open();

    // False, after saying so, when the file has been removed or replaced since the view
    // was opened; the operation the user asked for is then not carried out. A removed
    // file keeps the view as it was (a pending row included) until the file is back; a
    // replaced one is opened afresh at its first row.
    bool fileIntact();
    tarnwick::bulletdb::BulletCursor& cursor() { return cursor_; }

    // Fills the boxes from the current row (blank while an add is pending).
    void show();
    // Reads the current row again and shows it, or its neighbour when it has been
    // deleted meanwhile. Quiet: a failure is reported by the user's next action.
    void reread();
    // The texts of the boxes in column order.
    std::array<std::string, tarnwick::bulletdb::kFieldCount> boxTexts() const;

    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();

    // The field search: caliber, then maker, then stock number; each with find first
    // (Search) or find next (Next). Without a match the window stays where it was and
    // says "No records found".
    void search(const QString& text, bool next);

    // For changes: makes sure the cursor is on a file that can be written, copying the
    // program's file to the user's folder the first time. False when that fails (the
    // failure has been reported).
    bool prepareWrite();

    // The help text "Using Search:" of both windows.
    static QString usingSearchHelp();

    // "Error Code=" message box with the engine's number and description.
    void report(const tarnwick::bulletdb::DbError& error);
    // Reports a failure, if any, and shows the current row. Returns true when there was none.
    bool done(const tarnwick::bulletdb::DbResult& result);

private:
    // Opens `path` at its first row; a failure is reported naming the file.
    bool openFile(const QString& path);
    // Run before each operation on the view: opens the file if no view could be opened
    // before (it was missing, locked or unreadable), checks that the file is still the
    // one opened, and follows the file in use when it has changed (the user's copy has
    // appeared). False when the operation must not go on (the reason has been reported).
    bool follow();
    bool reopen(const QString& path);

    Program& program_;
    QWidget& window_;
    Access access_;
    Boxes boxes_;
    tarnwick::bulletdb::BulletCursor cursor_;
};
