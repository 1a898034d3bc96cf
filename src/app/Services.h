#pragma once
// Everything that would block on the user or reach outside the program: message boxes,
// the open- and save-file dialogs, the printer dialog and blocking showing of windows.
// The real implementation uses Qt's dialogs; the window tests install scripted ones.
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QDialog;
class QMessageBox;
class QPrinter;
class QWidget;

enum class MessageIcon { Information, Exclamation, Question };

class Services {
public:
    virtual ~Services() = default;

    // A message box with one OK button. `text` separates lines with CR LF, as the
    // program's texts are written. An empty title shows the program's name, "Tarnwick".
    virtual void message(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) = 0;

    // A question box (question-mark icon) with Yes and No. `yesIsDefault` picks the
    // button that Enter presses; Esc and the close box answer No. True for Yes.
    virtual bool ask(QWidget* parent, const QString& title, const QString& text, bool yesIsDefault) = 0;

    // The open-file dialog for an existing file; std::nullopt when the user cancels.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& title, const QString& filter) = 0;

    // The open-file dialog for several existing files; empty when the user cancels.
    virtual QStringList openFileNames(QWidget* parent, const QString& title, const QString& filter) = 0;

    // The save-file dialog; std::nullopt when the user cancels. `confirmOverwrite` false
    // picks an existing file without asking to replace it (a file to append to).
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                                const QString& initialName, bool confirmOverwrite) = 0;

    // The printer dialog for `printer`; false when the user cancels.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;

    // Asks for a whole number from `minimum` to `maximum`, offering `value`;
    // std::nullopt when the user cancels.
    virtual std::optional<int> askWholeNumber(QWidget* parent, const QString& title, const QString& label, int value,
                                              int minimum, int maximum) = 0;

    // Shows a window blocking: returns when the window is hidden or closed.
    virtual void showBlocking(QDialog& dialog) = 0;
};

// The program's name, shown as the title of a message box without one of its own.
inline const QString kProgramName = QStringLiteral("Tarnwick");

// The message box that QtServices::message shows: one line of the box for each line of
// `text`, never re-wrapped into more, unless a line is too long for the widest box the
// screen allows.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, MessageIcon icon, const QString& title,
                                            const QString& text);

class QtServices : public Services {
public:
    void message(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) override;
    bool ask(QWidget* parent, const QString& title, const QString& text, bool yesIsDefault) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QStringList openFileNames(QWidget* parent, const QString& title, const QString& filter) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                        const QString& initialName, bool confirmOverwrite) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    std::optional<int> askWholeNumber(QWidget* parent, const QString& title, const QString& label, int value,
                                      int minimum, int maximum) override;
    void showBlocking(QDialog& dialog) override;
};
