#include "frmPrintOutput.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScrollBar>
#include <QStringList>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

#include "AtomicFile.h"
#include "FormSupport.h"
#include "Services.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The box shows line feeds; the program's texts and files use CR LF.
QString toBox(QString text) { return text.replace(kCrLf, QStringLiteral("\n")); }

QStringList pageLines(const QString& text) {
    QString lines = text;
    lines.replace(kCrLf, QStringLiteral("\n"));
    return lines.split(QLatin1Char('\n'));
}

// Prints the lines from the top of the current page on, starting new pages as needed.
void printLines(QPainter& painter, const QRectF& page, double offset, const QStringList& lines, QPrinter& printer) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    double y = offset;
    for (const QString& line : lines) {
        if (y + metrics.height() > page.height() && y > offset) {
            printer.newPage();
            y = offset;
        }
        painter.drawText(QPointF(0, y + metrics.ascent()), line);
        y += metrics.lineSpacing();
    }
}

}  // namespace

frmPrintOutput::frmPrintOutput(Program& program) : program_(program) {
    setObjectName("frmPrintOutput");
    setWindowTitle("Trajectory Results");
    setSizeGripEnabled(true);

    menuBar = new QMenuBar(this);
    mnuFile = menuBar->addMenu("&File");
    mnuFile->setObjectName("mnuFile");
    auto item = [this](const char* name, const QString& caption) {
        QAction* action = mnuFile->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    mnuPrint = item("mnuPrint", "&Print");
    mnuseparate1 = mnuFile->addSeparator();
    mnuseparate1->setObjectName("mnuseparate1");
    mnuSave = item("mnuSave", "&Save");
    mnuSaveAs = item("mnuSaveAs", "Save As...");
    mnuseparate2 = mnuFile->addSeparator();
    mnuseparate2->setObjectName("mnuseparate2");
    mnuAppend = item("mnuAppend", "Append");
    mnuAppendTo = item("mnuAppendTo", "Append To...");
    connect(mnuPrint, &QAction::triggered, this, [this] { mnuPrint_Click(); });
    connect(mnuSave, &QAction::triggered, this, [this] { mnuSave_Click(); });
    connect(mnuSaveAs, &QAction::triggered, this, [this] { mnuSaveAs_Click(); });
    connect(mnuAppend, &QAction::triggered, this, [this] { mnuAppend_Click(); });
    connect(mnuAppendTo, &QAction::triggered, this, [this] { mnuAppendTo_Click(); });

    txtText = new QPlainTextEdit(this);
    txtText->setObjectName("txtText");
    txtText->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    txtText->setFont(font);

    // The text box always fills the client area under the menu bar.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(txtText);

    resize(qRound(twipsToPixels(6000, this)), qRound(twipsToPixels(5400, this)));
}

void frmPrintOutput::Form_Load() {
    // Vertically centred, 10 twips from the left edge of the screen.
    const QSize screen = screenSize(this);
    move(qRound(twipsToPixels(10, this)), (screen.height() - frameGeometry().height()) / 2);
}

QString frmPrintOutput::text() const {
    return txtText->toPlainText().replace(QLatin1Char('\n'), kCrLf);
}

void frmPrintOutput::setText(const QString& text) { txtText->setPlainText(toBox(text)); }

void frmPrintOutput::appendText(const QString& text) {
    // insertPlainText at the end keeps the text exactly (appendPlainText would start a
    // new paragraph).
    QTextCursor cursor(txtText->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(toBox(text));
}

void frmPrintOutput::widenToFitText() {
    const QFontMetrics metrics(txtText->font());
    int longest = 0;
    for (const QString& line : txtText->toPlainText().split(QLatin1Char('\n')))
        longest = std::max(longest, metrics.horizontalAdvance(line));
    // Around the text: the document's margins, the cursor at the end of the line, the
    // box's frame and vertical scroll bar, and the window's own frame.
    const int windowFrame = frameGeometry().width() - width();
    const int around = 2 * qCeil(txtText->document()->documentMargin()) + txtText->cursorWidth() +
                       2 * txtText->frameWidth() + txtText->verticalScrollBar()->sizeHint().width() + windowFrame;
    const int roomOnScreen = screenSize(this).width() - std::max(0, frameGeometry().left());
    const int wanted = std::min(longest + around, roomOnScreen) - windowFrame;
    if (width() < wanted) resize(wanted, height());
}

bool frmPrintOutput::chooseFile(bool alwaysAsk, Mode mode) {
    if (!alwaysAsk && !fileName_.isEmpty()) return true;
    // Replacing a file asks first; appending to an existing file is what the user wants.
    const std::optional<QString> chosen = program_.services().saveFileName(
        this, QStringLiteral("Save Drop Table As..."), QStringLiteral("*.txt"), fileName_, mode == Mode::Replace);
    if (!chosen) return false;
    fileName_ = *chosen;
    return true;
}

namespace {

// Replaces the file with `record`. A regular file is replaced whole or not at all
// (AtomicFile), so a failure leaves the old file as it was. A device or pipe (a link to
// /dev/full, say) is the user's choice of where the text goes and cannot be replaced
// by a file, so it is written directly. Returns the system's reason on failure.
QString replaceWith(const QString& path, const QByteArray& record) {
    const QFileInfo target(path);  // follows links
    if (target.exists() && !target.isFile() && !target.isDir()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) ||
            file.write(record) != record.size())
            return file.errorString();
        return QString();
    }
    const tarnwick::files::FileResult written = tarnwick::files::writeFileAtomically(
        QFile::encodeName(path).toStdString(), std::string_view(record.constData(), static_cast<std::size_t>(record.size())));
    return QString::fromStdString(written.reason);
}

// Appends `record` in one write call, so that a second writer cannot interleave with
// it. If the write fails part way (a full disk), the regular file is cut back to its
// old length: an earlier record is never followed by half of a new one.
QString appendTo(const QString& path, const QByteArray& record) {
    const QFileInfo target(path);  // follows links
    const bool regular = target.isFile();
    // A device has no end to seek to; it is simply written.
    const bool device = target.exists() && !regular && !target.isDir();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered | (device ? QIODevice::NotOpen : QIODevice::Append)))
        return file.errorString();
    const qint64 oldSize = regular ? file.size() : 0;
    if (file.write(record) == record.size()) return QString();
    const QString reason = file.errorString();
    if (regular) file.resize(oldSize);
    return reason;
}

}  // namespace

void frmPrintOutput::writeRecord(Mode mode) {
    // The remembered name stays as chosen; the file written always ends in ".txt".
    QString path = fileName_;
    if (!path.endsWith(QStringLiteral(".txt"), Qt::CaseSensitive)) path += QStringLiteral(".txt");
    const QByteArray record = (QLatin1Char('"') + text() + QLatin1Char('"') + kCrLf).toUtf8();

    QString reason = mode == Mode::Replace ? replaceWith(path, record) : appendTo(path, record);
    if (!reason.isEmpty())
        program_.showMessage(this, QStringLiteral("The results could not be written to %1.\r\n%2").arg(QDir::toNativeSeparators(path), reason),
                    MessageIcon::Exclamation);
}

void frmPrintOutput::mnuSave_Click() {
    if (chooseFile(false, Mode::Replace)) writeRecord(Mode::Replace);
}

void frmPrintOutput::mnuSaveAs_Click() {
    if (chooseFile(true, Mode::Replace)) writeRecord(Mode::Replace);
}

void frmPrintOutput::mnuAppend_Click() {
    if (chooseFile(false, Mode::Append)) writeRecord(Mode::Append);
}

void frmPrintOutput::mnuAppendTo_Click() {
    if (chooseFile(true, Mode::Append)) writeRecord(Mode::Append);
}

void frmPrintOutput::mnuPrint_Click() {
    QPrinter printer(QPrinter::HighResolution);
    if (!program_.services().choosePrinter(this, printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        program_.showMessage(this, QStringLiteral("The results could not be printed: the printer could not be started."),
                    MessageIcon::Exclamation);
        return;
    }
    QFont courier(QStringLiteral("Courier"), 10);
    courier.setStyleHint(QFont::TypeWriter);
    painter.setFont(courier);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    // Each page starts one line of the report's font below the top margin.
    const double offset = QFontMetricsF(courier, &printer).lineSpacing();
    const tarnwick::ProgramState& state = program_.state();
    printLines(painter, page, offset, pageLines(QString::fromStdString(state.FirstPageText)), printer);
    bool printed = true;
    if (!state.SecondPageText.empty()) {
        printed = printer.newPage();
        if (printed) printLines(painter, page, offset, pageLines(QString::fromStdString(state.SecondPageText)), printer);
    }
    if (!painter.end() || !printed)
        program_.showMessage(this, QStringLiteral("The results could not be printed: the printer did not take the pages."),
                    MessageIcon::Exclamation);
}

void PrintOutputResults::hideWindow() { program_.window<frmPrintOutput>().hide(); }

// The run ends by handing the focus back to the main window: the results window
// comes up without taking it.
void PrintOutputResults::showWindow() { showWithoutActivating(program_.window<frmPrintOutput>()); }

void PrintOutputResults::setText(const std::string& text) {
    program_.window<frmPrintOutput>().setText(QString::fromStdString(text));
}

void PrintOutputResults::appendText(const std::string& text) {
    program_.window<frmPrintOutput>().appendText(QString::fromStdString(text));
}

void PrintOutputResults::fitWindowToReport() {
    frmPrintOutput* window = program_.loaded<frmPrintOutput>();
    if (window && window->isVisible()) window->widenToFitText();
}
