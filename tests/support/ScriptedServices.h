#pragma once
// Services for tests: records every message, answers the dialogs from a script and
// never blocks. Printing goes to a PDF file.
#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "Services.h"

struct RecordedMessage {
    MessageIcon icon;
    QString title;  // as shown: "Tarnwick" when the caller gave none
    QString text;
};

struct RecordedQuestion {
    QString title;  // as shown: "Tarnwick" when the caller gave none
    QString text;
    bool yesIsDefault;
};

class ScriptedServices : public Services {
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

    // Recorded calls.
    std::vector<RecordedMessage> messages;
    std::vector<RecordedQuestion> questions;
    std::vector<QString> openDialogTitles;
    std::vector<QString> saveDialogTitles;
    std::vector<bool> saveDialogConfirmsOverwrite;  // one flag per save dialog shown
    int printerDialogs = 0;
    std::vector<QString> numberQuestions;  // the label of each whole-number question asked
    std::vector<QString> blockingShown;  // object names of the windows shown blocking

    // Answers: the next questions get these (true = Yes); none left = the default button.
    std::deque<bool> answers;
    // The next open and save dialogs return these (std::nullopt = cancel; none left = cancel).
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    // The next several-files dialogs return these (none left = cancel).
    std::deque<QStringList> openManyAnswers;
    // Answers to the whole-number questions (std::nullopt = cancel; none left = the
    // number offered).
    std::deque<std::optional<int>> numberAnswers;
    // The printer dialog: false = cancel; otherwise the printer writes a PDF to pdfPath.
    bool printerAccepts = true;
    QString pdfPath;
    // What the "user" does in a window shown blocking (for example press its OK button).
    // Without an action the window is simply hidden again.
    std::function<void(QDialog&)> onBlockingShow;
};
