#include "Services.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

void QtServices::message(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) {
    QMessageBox box(parent);
    box.setIcon(icon == MessageIcon::Information   ? QMessageBox::Information
                : icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                                   : QMessageBox::Question);
    box.setWindowTitle(title.isEmpty() ? kProgramName : title);
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

std::optional<QString> QtServices::saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                                const QString& initialName, bool confirmOverwrite) {
    const QFileDialog::Options options = confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
    const QString name = QFileDialog::getSaveFileName(parent, title, initialName, filter, nullptr, options);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

bool QtServices::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<int> QtServices::askWholeNumber(QWidget* parent, const QString& title, const QString& label, int value,
                                              int minimum, int maximum) {
    bool ok = false;
    const int number = QInputDialog::getInt(parent, title, label, value, minimum, maximum, 1, &ok);
    if (!ok) return std::nullopt;
    return number;
}

void QtServices::showBlocking(QDialog& dialog) { dialog.exec(); }
