#include "frmEditBullet.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "BulletBinding.h"
#include "BulletCsv.h"
#include "FormSupport.h"
#include "NavigationBar.h"

using tarnwick::bulletdb::BulletCursor;
using tarnwick::bulletdb::kErrorChangedElsewhere;
using tarnwick::bulletdb::kErrorDeletedElsewhere;

namespace {

const QColor kLightRed(255, 128, 128);

// A label and its box, side by side, added to a row.
void addField(QHBoxLayout* row, const QString& label, QLineEdit* box, int stretch = 1) {
    auto* caption = new QLabel(label, box->parentWidget());
    caption->setBuddy(box);
    row->addWidget(caption);
    row->addWidget(box, stretch);
}

// "Delete Sierra 165 gr. SBT (2145)?"
QString deleteQuestion(const tarnwick::bulletdb::FieldTexts& row) {
    using tarnwick::bulletdb::Field;
    const auto text = [&row](Field field) {
        return QString::fromStdString(row[tarnwick::bulletdb::index(field)].value_or(std::string()));
    };
    return QStringLiteral("Delete %1 %2 gr. %3 (%4)?")
        .arg(text(Field::Manufacturer), text(Field::BulletMass), text(Field::BulletType), text(Field::StockNumber));
}

}  // namespace

frmEditBullet::frmEditBullet(Program& program) : program_(program) {
    setObjectName(QStringLiteral("frmEditBullet"));
    setWindowTitle(QStringLiteral("Edit Bullet Data Base"));
    setAutoFillBackground(true);
    QPalette red = palette();
    red.setColor(QPalette::Window, kLightRed);
    setPalette(red);

    menuBar = makeMenuBar(this);
    mnuFile = menuBar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuImportCsv = mnuFile->addAction(QStringLiteral("&Import Bullets from CSV..."), this, &frmEditBullet::mnuImportCsv_Click);
    mnuImportCsv->setObjectName(QStringLiteral("mnuImportCsv"));
    mnuExportCsv = mnuFile->addAction(QStringLiteral("&Export Bullets to CSV..."), this, &frmEditBullet::mnuExportCsv_Click);
    mnuExportCsv->setObjectName(QStringLiteral("mnuExportCsv"));
    mnuHelp = menuBar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    const auto helpItem = [this](const QString& text, const QString& name, void (frmEditBullet::*handler)()) {
        QAction* action = mnuHelp->addAction(text, this, handler);
        action->setObjectName(name);
        return action;
    };
    mnuAddHelp = helpItem(QStringLiteral("How to Add A Bullet"), QStringLiteral("mnuAddHelp"), &frmEditBullet::mnuAddHelp_Click);
    mnuModify = helpItem(QStringLiteral("How to Modify Bullet Data"), QStringLiteral("mnuModify"), &frmEditBullet::mnuModify_Click);
    mnuHowDelete = helpItem(QStringLiteral("How to Delete A Bullet"), QStringLiteral("mnuHowDelete"), &frmEditBullet::mnuHowDelete_Click);
    mnuHowSearch = helpItem(QStringLiteral("Using Search"), QStringLiteral("mnuHowSearch"), &frmEditBullet::mnuHowSearch_Click);

    txtCaliber = makeFieldBox(QStringLiteral("txtCaliber"), this);
    txtManufacturer = makeFieldBox(QStringLiteral("txtManufacturer"), this);
    txtBulletType = makeFieldBox(QStringLiteral("txtBulletType"), this);
    txtBulletMass = makeFieldBox(QStringLiteral("txtBulletMass"), this);
    txtStockNum = makeFieldBox(QStringLiteral("txtStockNum"), this);
    txtLowBC = makeFieldBox(QStringLiteral("txtLowBC"), this);
    txtMidBC = makeFieldBox(QStringLiteral("txtMidBC"), this);
    txtHighBC = makeFieldBox(QStringLiteral("txtHighBC"), this);
    txtLowBV = makeFieldBox(QStringLiteral("txtLowBV"), this);
    txtHighBV = makeFieldBox(QStringLiteral("txtHighBV"), this);
    txtG7BC = makeFieldBox(QStringLiteral("txtG7BC"), this);
    txtBulletLength = makeFieldBox(QStringLiteral("txtBulletLength"), this);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    const auto newRow = [layout] {
        auto* row = new QHBoxLayout;
        row->setSpacing(6);
        layout->addLayout(row);
        return row;
    };
    QHBoxLayout* row = newRow();
    addField(row, QStringLiteral("Caliber:"), txtCaliber);
    row->addStretch(1);
    row = newRow();
    addField(row, QStringLiteral("Manufacturer:"), txtManufacturer, 2);
    addField(row, QStringLiteral("Bullet Mass:"), txtBulletMass);
    row = newRow();
    addField(row, QStringLiteral("Bullet Type:"), txtBulletType, 2);
    addField(row, QStringLiteral("Stock Number:"), txtStockNum);
    row = newRow();
    addField(row, QStringLiteral("Low BC:"), txtLowBC);
    addField(row, QStringLiteral("Mid BC:"), txtMidBC);
    addField(row, QStringLiteral("High BC:"), txtHighBC);
    addField(row, QStringLiteral("G7 BC:"), txtG7BC);
    row = newRow();
    addField(row, QStringLiteral("Low Break Velocity:"), txtLowBV);
    addField(row, QStringLiteral("High Break Velocity:"), txtHighBV);
    addField(row, QStringLiteral("Length (in):"), txtBulletLength);

    datEditBullet = new NavigationBar(QStringLiteral("       Scroll"), this);
    datEditBullet->setObjectName(QStringLiteral("datEditBullet"));
    cmdAdd = makeButton(QStringLiteral("Add"), QStringLiteral("cmdAdd"), this);
    cmdEdit = makeButton(QStringLiteral("Edit"), QStringLiteral("cmdEdit"), this);
    cmdUpdate = makeButton(QStringLiteral("Update"), QStringLiteral("cmdUpdate"), this);
    cmdDelete = makeButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);
    row = newRow();
    row->addWidget(datEditBullet, 2);
    for (QPushButton* b : {cmdAdd, cmdEdit, cmdUpdate, cmdDelete}) row->addWidget(b);

    cmdSearch = makeButton(QStringLiteral("Search"), QStringLiteral("cmdSearch"), this);
    txtSearch = makeFieldBox(QStringLiteral("txtSearch"), this);
    cmdNext = makeButton(QStringLiteral("Next"), QStringLiteral("cmdNext"), this);
    cmdDone = makeButton(QStringLiteral("Done"), QStringLiteral("cmdDone"), this);
    row = newRow();
    row->addWidget(cmdSearch);
    row->addWidget(txtSearch, 1);
    row->addWidget(cmdNext);
    row->addWidget(cmdDone);
    setMinimumWidth(560);

    binding_ = std::make_unique<BulletBinding>(
        program_, *this, BulletBinding::Access::ReadWrite,
        BulletBinding::Boxes{txtCaliber, txtManufacturer, txtBulletType, txtBulletMass, txtStockNum, txtLowBC,
                             txtMidBC, txtHighBC, txtLowBV, txtHighBV, txtG7BC, txtBulletLength});

    // Moving leaves a pending add or edit without storing it (the cursor discards it).
    connect(datEditBullet, &NavigationBar::first, this, [this] { binding_->moveFirst(); });
    connect(datEditBullet, &NavigationBar::previous, this, [this] { binding_->movePrevious(); });
    connect(datEditBullet, &NavigationBar::next, this, [this] { binding_->moveNext(); });
    connect(datEditBullet, &NavigationBar::last, this, [this] { binding_->moveLast(); });
    connect(cmdAdd, &QPushButton::clicked, this, &frmEditBullet::cmdAdd_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmEditBullet::cmdEdit_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, &frmEditBullet::cmdUpdate_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmEditBullet::cmdDelete_Click);
    connect(cmdSearch, &QPushButton::clicked, this, &frmEditBullet::cmdSearch_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmEditBullet::cmdNext_Click);
    connect(cmdDone, &QPushButton::clicked, this, &frmEditBullet::cmdDone_Click);
}

frmEditBullet::~frmEditBullet() = default;

void frmEditBullet::Form_Load() {
    adjustSize();
    centreOnScreen(*this);
    binding_->open();
}

bool frmEditBullet::changePending() const {
    return binding_->cursor().pending() != BulletCursor::Pending::None;
}

void frmEditBullet::discardPending() {
    if (!changePending()) return;
    binding_->cursor().cancelPending();
    binding_->show();
}

void frmEditBullet::hideEvent(QHideEvent* event) {
    // Minimising hides the window too (a spontaneous hide); the typing waits for Update.
    if (!event->spontaneous()) discardPending();
    QDialog::hideEvent(event);
}

void frmEditBullet::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmEditBullet::cmdAdd_Click() {
    discardPending();
    if (!binding_->prepareWrite()) return;
    binding_->done(binding_->cursor().addNew());
}

void frmEditBullet::cmdEdit_Click() {
    discardPending();
    if (!binding_->prepareWrite()) return;
    binding_->done(binding_->cursor().edit());
}

void frmEditBullet::cmdUpdate_Click() {
    // On failure the row stays pending with the texts as typed, to be corrected.
    if (!binding_->fileIntact()) return;
    const tarnwick::Status stored = binding_->cursor().update(binding_->boxTexts());
    if (stored) {
        binding_->show();
    } else if (stored.errorCode() == kErrorChangedElsewhere || stored.errorCode() == kErrorDeletedElsewhere) {
        resolveConflict(stored.errorCode() == kErrorDeletedElsewhere);
    } else {
        binding_->report(stored);
    }
}

void frmEditBullet::resolveConflict(bool deleted) {
    // Keeping the typing is the default: nothing is stored until the next Update, while
    // No would throw the typing away.
    const QString question =
        deleted ? QStringLiteral("Another program has deleted this bullet since you pressed Edit.\r\n\r\n"
                                 "Keep what you typed, to be stored as a new bullet at the next Update?\r\n"
                                 "No drops what you typed.")
                : QStringLiteral("Another program has changed this bullet since you pressed Edit.\r\n\r\n"
                                 "Keep what you typed, to be stored over the other program's change at the next "
                                 "Update?\r\nNo shows the bullet as it is stored now and drops what you typed.");
    if (program_.askQuestion(this, question, true)) {
        if (const auto kept = binding_->cursor().keepPendingOverStored(); !kept) binding_->report(kept);
        return;
    }
    binding_->cursor().cancelPending();
    binding_->show();
}

void frmEditBullet::cmdDelete_Click() {
    // With an add pending, the row on view is the unsaved new one: deleting it means
    // dropping the add, not deleting the stored row hidden behind it.
    if (binding_->cursor().pending() == BulletCursor::Pending::Add) {
        discardPending();
        return;
    }
    discardPending();
    if (!binding_->prepareWrite()) return;
    BulletCursor& cursor = binding_->cursor();
    const QString deletedAlready = QStringLiteral("Another program has deleted this bullet already.");
    // The question names the row as it is stored now.
    const auto shownRow = cursor.bookmark();
    if (!binding_->done(cursor.refresh())) return;
    if (shownRow && cursor.bookmark() != shownRow) {
        program_.showMessage(this, deletedAlready, MessageIcon::Exclamation);
        return;
    }
    if (cursor.hasCurrent() && !program_.askQuestion(this, deleteQuestion(cursor.current()), false)) return;
    const tarnwick::Status removed = cursor.remove();
    if (removed.errorCode() == kErrorChangedElsewhere || removed.errorCode() == kErrorDeletedElsewhere) {
        binding_->show();
        program_.showMessage(this,
                    removed.errorCode() == kErrorDeletedElsewhere
                        ? deletedAlready
                        : QStringLiteral("Another program has changed this bullet since you were asked, so it is "
                                         "not deleted. The window shows it as it is stored now."),
                    MessageIcon::Exclamation);
        return;
    }
    binding_->done(removed);
}

void frmEditBullet::cmdSearch_Click() {
    discardPending();
    binding_->search(txtSearch->text(), false);
}

void frmEditBullet::cmdNext_Click() {
    discardPending();
    binding_->search(txtSearch->text(), true);
}

void frmEditBullet::cmdDone_Click() { hide(); }

void frmEditBullet::mnuImportCsv_Click() {
    const std::optional<QString> file = program_.services().openFileName(
        this, QStringLiteral("Import Bullets"), QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (!file) return;
    discardPending();
    if (!binding_->prepareWrite()) return;
    const std::string csv = QDir::toNativeSeparators(*file).toStdString();
    const auto outcome = binding_->importCsvFile(csv);
    if (!outcome) {
        program_.showMessage(this,
                    QStringLiteral("Nothing was imported:\r\n%1")
                        .arg(QString::fromStdString(outcome.error())),
                    MessageIcon::Exclamation);
        return;
    }
    binding_->done(binding_->cursor().refresh());
    const QString summary = QString::fromStdString(tarnwick::bulletdb::importSummary(*outcome));
    program_.showMessage(this, QStringLiteral("%1.\r\nFile: %2").arg(summary, QDir::toNativeSeparators(*file)),
                MessageIcon::Information);
}

void frmEditBullet::mnuExportCsv_Click() {
    const std::optional<QString> file = program_.services().saveFileName(
        this, QStringLiteral("Export Bullets"), QStringLiteral("CSV files (*.csv)"), QStringLiteral("Bullets.csv"), true);
    if (!file || file->isEmpty()) return;
    const std::string csv = QDir::toNativeSeparators(*file).toStdString();
    const auto outcome = binding_->exportCsvFile(csv);
    if (!outcome) {
        program_.showMessage(this,
                    QStringLiteral("The bullets could not be exported:\r\n%1")
                        .arg(QString::fromStdString(outcome.error())),
                    MessageIcon::Exclamation);
        return;
    }
    program_.showMessage(this, QStringLiteral("%1 bullets written to %2.").arg(*outcome).arg(QDir::toNativeSeparators(*file)),
                MessageIcon::Information);
}

void frmEditBullet::mnuAddHelp_Click() {
    program_.showMessage(this,
                QStringLiteral("1) Click the <Add> button\r\n"
                               "2) Enter data in all fields\r\n"
                               "3) Click <Update>\r\n"
                               "4) Repeat 1 - 3 as needed"),
                MessageIcon::Information, QStringLiteral("How to Add a Bullet:"));
}

void frmEditBullet::mnuModify_Click() {
    program_.showMessage(this,
                QStringLiteral("1) Find & Display Bullet in question\r\n"
                               "2) Click <Edit>\r\n"
                               "3) Modify data in appropriate fields\r\n"
                               "4) Click the <Update> button\r\n"
                               "5) Repeat 1 - 4 as needed"),
                MessageIcon::Information, QStringLiteral("How to Modify Bullet Data:"));
}

void frmEditBullet::mnuHowDelete_Click() {
    program_.showMessage(this,
                QStringLiteral("1) Find & display the Bullet you wish to delete\r\n"
                               "2) Click the <Delete> button\r\n"
                               "3) Repeat 1 - 2 as needed"),
                MessageIcon::Information, QStringLiteral("How to Delete a Bullet:"));
}

void frmEditBullet::mnuHowSearch_Click() {
    program_.showMessage(this,
                BulletBinding::usingSearchHelp(),
                MessageIcon::Information, QStringLiteral("Using Search:"));
}
