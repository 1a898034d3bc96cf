#include "BulletBinding.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "BulletDatabaseLocation.h"
#include "Program.h"
#include "FormSupport.h"

using namespace tarnwick::bulletdb;

QLineEdit* makeFieldBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QPalette ordinaryPalette() {
    // Every colour set explicitly, so that none is taken over from a coloured window.
    QPalette palette = QApplication::palette();
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            palette.setBrush(g, r, palette.brush(g, r));
        }
    return palette;
}

QMenuBar* makeMenuBar(QWidget* window) {
    auto* bar = new QMenuBar(window);
    bar->setPalette(ordinaryPalette());
    bar->setAutoFillBackground(true);
    return bar;
}

BulletBinding::BulletBinding(Program& program, QWidget& window, Access access, const Boxes& boxes)
    : program_(program), window_(window), access_(access), boxes_(boxes) {}

bool BulletBinding::openFile(const QString& path) {
    const DbResult error = cursor_.open(path.toStdString(), access_);
    if (!error) return true;
    QString text = QStringLiteral("The bullet database cannot be opened:\r\n%1\r\n%2")
                       .arg(QDir::toNativeSeparators(path), QString::fromStdString(error->description));
    if (!QFileInfo::exists(path)) text += QStringLiteral(" (the file does not exist)");
    program_.showMessage(&window_, text, MessageIcon::Exclamation);
    return false;
}

void BulletBinding::open() {
    openFile(BulletDatabaseLocation::pathInUse(program_.bulletFiles()));
    show();
}

bool BulletBinding::fileIntact() {
    if (!cursor_.isOpen() || !cursor_.fileMoved()) return true;
    const QString path = QString::fromStdString(cursor_.path());
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path)) {
        // The connection stays open on the old file: nothing is written to it (it would
        // be lost with it), and if the file is moved back the window goes on as before.
        program_.showMessage(&window_,
                    QStringLiteral("The bullet database %1 has been removed while this window was open.\r\n"
                                   "Nothing can be read from it or stored in it until it is back in place.")
                        .arg(shown),
                    MessageIcon::Exclamation);
        return false;
    }
    // Another file has taken the name: the view moves to it, as if the window had just
    // been opened.
    if (openFile(path))
        program_.showMessage(&window_,
                    QStringLiteral("The bullet database %1 has been replaced while this window was open.\r\n"
                                   "The window now shows the new file from its first row.")
                        .arg(shown),
                    MessageIcon::Information);
    show();
    return false;
}

void BulletBinding::show() {
    const FieldTexts& row = cursor_.current();
    for (std::size_t i = 0; i < kFieldCount; ++i)
        if (boxes_[i]) boxes_[i]->setText(QString::fromStdString(row[i].value_or(std::string())));
}

void BulletBinding::reread() {
    if (!cursor_.isOpen() || cursor_.fileMoved()) return;
    cursor_.refresh();
    show();
}

std::array<std::string, kFieldCount> BulletBinding::boxTexts() const {
    std::array<std::string, kFieldCount> texts;
    for (std::size_t i = 0; i < kFieldCount; ++i)
        if (boxes_[i]) texts[i] = boxes_[i]->text().toStdString();
    return texts;
}

bool BulletBinding::reopen(const QString& path) {
    const auto mark = cursor_.bookmark();
    const std::string previous = cursor_.path();
    if (DbResult error = cursor_.open(path.toStdString(), access_)) {
        report(*error);
        // Stay on the file that worked so far.
        if (!cursor_.open(previous, access_)) done(cursor_.returnTo(mark));
        return false;
    }
    done(cursor_.returnTo(mark));
    return true;
}

bool BulletBinding::follow() {
    if (!cursor_.isOpen()) {
        const QString inUse = BulletDatabaseLocation::pathInUse(program_.bulletFiles());
        // Without a file the closed view simply has no rows.
        return !QFileInfo::exists(inUse) || openFile(inUse);
    }
    if (!fileIntact()) return false;
    // A pending add or edit belongs to the old file; it is finished or discarded first.
    if (cursor_.pending() != BulletCursor::Pending::None) return true;
    const QString inUse = BulletDatabaseLocation::pathInUse(program_.bulletFiles());
    if (inUse.toStdString() != cursor_.path() && QFileInfo::exists(inUse)) reopen(inUse);
    return true;
}

bool BulletBinding::done(const DbResult& result) {
    if (result) report(*result);
    show();
    return !result;
}

void BulletBinding::moveFirst() {
    if (follow()) done(cursor_.moveFirst());
}
void BulletBinding::movePrevious() {
    if (follow()) done(cursor_.movePrevious());
}
void BulletBinding::moveNext() {
    if (follow()) done(cursor_.moveNext());
}
void BulletBinding::moveLast() {
    if (follow()) done(cursor_.moveLast());
}

void BulletBinding::search(const QString& text, bool next) {
    if (!follow()) return;
    const auto mark = cursor_.bookmark();
    const std::string criterion = text.toStdString();
    for (const Field field : {Field::Caliber, Field::Manufacturer, Field::StockNumber}) {
        bool found = false;
        const DbResult result =
            next ? cursor_.findNext(field, criterion, found) : cursor_.findFirst(field, criterion, found);
        if (result) {
            done(result);
            return;
        }
        if (found) {
            show();
            return;
        }
    }
    done(cursor_.returnTo(mark));
    program_.showMessage(&window_, QStringLiteral("No records found"), MessageIcon::Information);
}

bool BulletBinding::prepareWrite() {
    if (!follow()) return false;
    if (!cursor_.isOpen()) return true;  // the cursor reports that it is not open
    QString problem;
    const QString path = BulletDatabaseLocation::writablePath(program_.bulletFiles(), &problem);
    if (path.isEmpty()) {
        program_.showMessage(&window_, problem, MessageIcon::Exclamation);
        return false;
    }
    if (path.toStdString() == cursor_.path()) return true;
    return reopen(path);
}

void BulletBinding::report(const DbError& error) {
    program_.showMessage(&window_, QString::fromStdString(error.description), MessageIcon::Question,
                QStringLiteral("Error Code=%1").arg(error.code));
}

QString BulletBinding::usingSearchHelp() {
    return QStringLiteral("Note: <Search> will search only the Caliber, Manufacturer, and Stock Number fields\r\n"
           "1) Enter the desired caliber, manufacturer, or stock number in the search text box\r\n"
           "3) Click <Search> - this will find the first entry\r\n"
           "4) Click <Next> to search forward to the next match\r\n"
           "5) Repeat <Next> until desired bullet is found.");
}
