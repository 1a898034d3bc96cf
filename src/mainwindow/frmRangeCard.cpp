#include "frmRangeCard.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "AtomicFile.h"
#include "FormSupport.h"
#include "NumberText.h"
#include "RangeCard.h"
#include "RangeTable.h"

namespace {

// 100 to 1,000 every 50, in yards or in metres.
constexpr double kDefaultFrom = 100, kDefaultTo = 1000, kDefaultStep = 50;
// More rows than this would not fit one printed page legibly.
constexpr double kMostRows = 500;
// Far beyond any small arm's reach, and small enough that no conversion overflows.
constexpr double kFarthest = 100000;

std::optional<double> boxNumber(const QLineEdit* box) { return tarnwick::readStrict(box->text().toStdString()); }

QFont cardFont(double pointSize) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(pointSize);
    return font;
}

// The lines in the font at `pointSize`, the widest line and the lines' height.
QSizeF linesSize(const QStringList& lines, double pointSize, QPaintDevice* device) {
    const QFontMetricsF metrics(cardFont(pointSize), device);
    double widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    return {widest, metrics.lineSpacing() * static_cast<double>(lines.size())};
}

// Draws the lines on the printer's one page as text, in 10 points or smaller when that
// is what it takes to fit the page.
bool printOnOnePage(QPrinter& printer, const QStringList& lines) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    double pointSize = 10;
    const QSizeF full = linesSize(lines, pointSize, &printer);
    pointSize *= std::min({1.0, page.width() / full.width(), page.height() / full.height()});
    // Font sizes do not scale text exactly; shrink a little more until it fits.
    for (QSizeF size = linesSize(lines, pointSize, &printer);
         (size.width() > page.width() || size.height() > page.height()) && pointSize > 1;
         size = linesSize(lines, pointSize, &printer))
        pointSize *= 0.95;
    const QFont font = cardFont(pointSize);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    double y = metrics.ascent();
    for (const QString& line : lines) {
        painter.drawText(QPointF(0, y), line);
        y += metrics.lineSpacing();
    }
    return painter.end();
}

}  // namespace

frmRangeCard::frmRangeCard(Program& program) : program_(program) {
    setObjectName("frmRangeCard");
    setWindowTitle("Range Card");
    setSizeGripEnabled(true);

    auto* boxes = new QHBoxLayout;
    const auto box = [this, boxes](const char* name, const QString& caption) {
        auto* label = new QLabel(caption, this);
        // The underlined letter is drawn apart from the rest, without the kerning the
        // size hint counts on ("To" came out cut): room for the letters one by one.
        int unkerned = 0;
        const QString letters = QString(caption).remove('&');
        for (const QChar letter : letters) unkerned += label->fontMetrics().horizontalAdvance(letter);
        label->setMinimumWidth(std::max(label->sizeHint().width(), unkerned));
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setMaximumWidth(90);
        label->setBuddy(edit);
        boxes->addWidget(label);
        boxes->addWidget(edit);
        connect(edit, &QLineEdit::textChanged, this, &frmRangeCard::refresh);
        return edit;
    };
    txtFrom = box("txtFrom", "&From");
    txtTo = box("txtTo", "&To");
    txtStep = box("txtStep", "St&ep");
    lblUnit = new QLabel(this);
    lblUnit->setObjectName("lblUnit");
    boxes->addWidget(lblUnit);
    boxes->addStretch();

    txtCard = new QPlainTextEdit(this);
    txtCard->setObjectName("txtCard");
    txtCard->setReadOnly(true);
    txtCard->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtCard->setFont(cardFont(QFontDatabase::systemFont(QFontDatabase::FixedFont).pointSizeF()));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const auto button = [this, buttons](const char* name, const QString& caption, void (frmRangeCard::*handler)()) {
        auto* pushButton = new QPushButton(caption, this);
        pushButton->setObjectName(name);
        pushButton->setAutoDefault(false);
        buttons->addWidget(pushButton);
        connect(pushButton, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        return pushButton;
    };
    cmdPrint = button("cmdPrint", "&Print...", &frmRangeCard::cmdPrint_Click);
    cmdSaveCsv = button("cmdSaveCsv", "&Save CSV...", &frmRangeCard::cmdSaveCsv_Click);
    cmdCopy = button("cmdCopy", "&Copy", &frmRangeCard::cmdCopy_Click);
    cmdClose = button("cmdClose", "C&lose", &frmRangeCard::cmdClose_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(txtCard);
    layout->addLayout(buttons);

    // Every topic of the session that changes the card.
    const Session& session = program_.session();
    for (auto signal : {&Session::modeChanged, &Session::scopeHeightChanged, &Session::bulletChanged,
                        &Session::dragFunctionChanged, &Session::environmentChanged, &Session::parametersChanged})
        connect(&session, signal, this, &frmRangeCard::refresh);
    // A new unit system starts the boxes from its own defaults (100 yd and 100 m alike).
    connect(&session, &Session::unitsChanged, this, [this] {
        if (program_.session().units() != boxUnits_) resetBoxes();
        refresh();
    });
    resetBoxes();
}

void frmRangeCard::Form_Load() {
    refresh();
    // Wide enough for the card's longest line, as far as the screen allows.
    const QFontMetrics metrics(txtCard->font());
    int longest = 0;
    for (const QString& line : txtCard->toPlainText().split(QLatin1Char('\n')))
        longest = std::max(longest, metrics.horizontalAdvance(line));
    const int wanted = longest + 4 * metrics.averageCharWidth() + 40;
    resize(std::min(std::max(wanted, 500), screenSize(this).width() - 40),
           std::min(metrics.lineSpacing() * 32 + 120, screenSize(this).height() - 80));
}

void frmRangeCard::resetBoxes() {
    boxUnits_ = program_.session().units();
    const QSignalBlocker blockFrom(txtFrom), blockTo(txtTo), blockStep(txtStep);
    txtFrom->setText(QString::number(kDefaultFrom));
    txtTo->setText(QString::number(kDefaultTo));
    txtStep->setText(QString::number(kDefaultStep));
    lblUnit->setText(tarnwick::unitName(tarnwick::Quantity::Range, boxUnits_));
}

std::optional<std::vector<double>> frmRangeCard::rangesInYards(QString& problem) const {
    const std::optional<double> from = boxNumber(txtFrom), to = boxNumber(txtTo), step = boxNumber(txtStep);
    if (!from || !to || !step) problem = "From, To and Step must be numbers.";
    else if (*from <= 0) problem = "From must be above 0.";
    else if (*to < *from) problem = "To must not be less than From.";
    else if (*to > kFarthest) problem = QString("To must be at most %1.").arg(kFarthest);
    else if (*step <= 0) problem = "Step must be above 0.";
    else if ((*to - *from) / *step >= kMostRows)
        problem = QString("A card has at most %1 ranges: make Step larger or the span shorter.").arg(kMostRows);
    if (!problem.isEmpty()) return std::nullopt;
    // The boxes are in the session's units; the engine flies yards.
    return tarnwick::RangeList{*from, *to, *step}.yards(boxUnits_);
}

void frmRangeCard::refresh() {
    QString problem;
    const std::optional<std::vector<double>> yards = rangesInYards(problem);
    cardText_.clear();
    csvText_.clear();
    if (yards) {
        const Session& session = program_.session();
        const tarnwick::ShotParameters& params = session.params();
        const tarnwick::RunInputs inputs = session.runInputs();
        // The desktop's sighting, as the plot run flies it.
        const tarnwick::Sighting sighting = tarnwick::sightingOf(session.state().remembered, inputs.huntingOption);
        const tarnwick::RangeCard card = tarnwick::rangeCard(params, sighting, *yards, inputs.units);
        const std::string table = tarnwick::rangeCardTable(card, inputs.corrections, tarnwick::CardFormat::Text, inputs.units);
        const std::string ending = card.failure.empty() ? "" : card.failure + '\n';
        cardText_ = QString::fromStdString(tarnwick::rangeCardHeading(params, inputs.texts, sighting, inputs.units) +
                                           table + ending);
        csvText_ = QString::fromStdString(
            tarnwick::rangeCardTable(card, inputs.corrections, tarnwick::CardFormat::Csv, inputs.units));
    }
    txtCard->setPlainText(yards ? cardText_ : problem);
    for (QPushButton* command : {cmdPrint, cmdSaveCsv, cmdCopy}) command->setEnabled(yards.has_value());
}

void frmRangeCard::cmdPrint_Click() {
    if (cardText_.isEmpty()) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!program_.services().choosePrinter(this, printer)) return;
    QStringList lines = cardText_.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.back().isEmpty()) lines.removeLast();
    if (!printOnOnePage(printer, lines))
        program_.showMessage(this, "The range card could not be printed: the printer did not take the page.",
                             MessageIcon::Exclamation);
}

void frmRangeCard::cmdSaveCsv_Click() {
    if (csvText_.isEmpty()) return;
    const std::optional<QString> chosen =
        program_.services().saveFileName(this, "Save Range Card As...", "CSV files (*.csv)", QString(), true);
    if (!chosen) return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty()) path += ".csv";
    const std::string file = QFile::encodeName(path).toStdString();
    const tarnwick::Status written = tarnwick::files::writeFileAtomically(file, csvText_.toStdString());
    if (!written)
        program_.showMessage(this,
                             QString("The range card could not be written to %1.\r\n%2")
                                 .arg(path, QString::fromStdString(tarnwick::files::failureReason(written, file))),
                             MessageIcon::Exclamation);
}

void frmRangeCard::cmdCopy_Click() {
    if (!cardText_.isEmpty()) QGuiApplication::clipboard()->setText(cardText_);
}

void frmRangeCard::cmdClose_Click() { hide(); }
