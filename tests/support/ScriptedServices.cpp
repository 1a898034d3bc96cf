#include "ScriptedServices.h"

#include <QDialog>
#include <QPrinter>
#include <algorithm>

namespace {

// The next scripted answer of a file dialog; none left = cancel. (Copying the optional
// whole draws a false "maybe uninitialized" from g++ 12.)
std::optional<QString> nextFileAnswer(std::deque<std::optional<QString>>& answers) {
    if (answers.empty()) return std::nullopt;
    const bool accepted = answers.front().has_value();
    const QString name = accepted ? *answers.front() : QString();
    answers.pop_front();
    if (!accepted) return std::nullopt;
    return name;
}

}  // namespace

void ScriptedServices::message(QWidget*, MessageIcon icon, const QString& title, const QString& text) {
    messages.push_back({icon, title.isEmpty() ? kProgramName : title, text});
}

bool ScriptedServices::ask(QWidget*, const QString& title, const QString& text, bool yesIsDefault) {
    questions.push_back({title.isEmpty() ? kProgramName : title, text, yesIsDefault});
    if (answers.empty()) return yesIsDefault;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

std::optional<QString> ScriptedServices::openFileName(QWidget*, const QString& title, const QString&) {
    openDialogTitles.push_back(title);
    return nextFileAnswer(openAnswers);
}

QStringList ScriptedServices::openFileNames(QWidget*, const QString& title, const QString&) {
    openDialogTitles.push_back(title);
    if (openManyAnswers.empty()) return {};
    QStringList answer = openManyAnswers.front();
    openManyAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedServices::saveFileName(QWidget*, const QString& title, const QString&,
                                                      const QString&, bool confirmOverwrite) {
    saveDialogTitles.push_back(title);
    saveDialogConfirmsOverwrite.push_back(confirmOverwrite);
    return nextFileAnswer(saveAnswers);
}

bool ScriptedServices::choosePrinter(QWidget*, QPrinter& printer) {
    ++printerDialogs;
    if (!printerAccepts) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return true;
}

std::optional<int> ScriptedServices::askWholeNumber(QWidget*, const QString&, const QString& label, int value,
                                                    int minimum, int maximum) {
    numberQuestions.push_back(label);
    if (numberAnswers.empty()) return value;
    const std::optional<int> answer = numberAnswers.front();
    numberAnswers.pop_front();
    if (!answer) return std::nullopt;
    return std::clamp(*answer, minimum, maximum);
}

void ScriptedServices::showBlocking(QDialog& dialog) {
    blockingShown.push_back(dialog.objectName());
    dialog.show();
    if (onBlockingShow) onBlockingShow(dialog);
    else dialog.hide();
}
