#include "Services.h"

#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <algorithm>

namespace {

// The widest a QMessageBox grows before it wraps its text anywhere: the whole screen up
// to 1024 pixels, otherwise the screen less 480 pixels, at most 1000.
int widestMessageBox(const QWidget& box) {
    const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const int width = screen ? screen->availableGeometry().width() : 1024;
    return width <= 1024 ? width : std::min(width - 480, 1000);
}

// A QMessageBox wraps a text wider than half the screen (or 500 pixels) at that width,
// which breaks the program's hand-broken lines into orphan words. Its text label is
// made as wide as the longest line instead, so the box grows to fit and nothing is
// left to wrap. A line too long even for the widest box is left to the box to wrap.
void keepLineBreaks(QMessageBox& box, const QString& text) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label) return;
    box.ensurePolished();  // the label's own font
    const QFontMetrics metrics(label->font());
    int longest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) longest = std::max(longest, metrics.horizontalAdvance(line));
    const QMargins margins = label->contentsMargins();
    label->setMinimumWidth(longest + margins.left() + margins.right() + 2 * label->margin() + 1);
    box.layout()->activate();
    if (box.layout()->totalMinimumSize().width() > widestMessageBox(box)) label->setMinimumWidth(0);
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, MessageIcon icon, const QString& title,
                                            const QString& text) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(icon == MessageIcon::Information   ? QMessageBox::Information
                 : icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                                    : QMessageBox::Question);
    box->setWindowTitle(title.isEmpty() ? kProgramName : title);
    // The program's texts are plain: "<Target>" is a word, not markup.
    const QString lines = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box->setTextFormat(Qt::PlainText);
    box->setText(lines);
    box->setStandardButtons(QMessageBox::Ok);
    keepLineBreaks(*box, lines);
    return box;
}

void QtServices::message(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) {
    makeMessageBox(parent, icon, title, text)->exec();
}

bool QtServices::ask(QWidget* parent, const QString& title, const QString& text, bool yesIsDefault) {
    QMessageBox box(parent);
    box.setIcon(QMessageBox::Question);
    box.setWindowTitle(title.isEmpty() ? kProgramName : title);
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtServices::openFileName(QWidget* parent, const QString& title, const QString& filter) {
    const QString name = QFileDialog::getOpenFileName(parent, title, QString(), filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

QStringList QtServices::openFileNames(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileNames(parent, title, QString(), filter);
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
