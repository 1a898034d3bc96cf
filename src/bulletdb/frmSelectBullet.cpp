#include "frmSelectBullet.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "BulletBinding.h"
#include "BulletLookup.h"
#include "FormSupport.h"
#include "NavigationBar.h"
#include "TypeKeys.h"

namespace {
const QColor kNavy(0, 0, 64);
const QColor kLabelGrey(224, 224, 224);
}  // namespace

// The part of the window below the fields where a type key is printed. What is printed
// stays until cleared, also while the window is too short to show it.
class TypeKeyArea : public QWidget {
public:
    struct Item {
        int line;    // from 0 at the top of the area
        int column;  // character column, 1 at the left edge
        QString text;
    };

    explicit TypeKeyArea(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

    void clear() {
        items_.clear();
        update();
    }
    void print(int line, int column, const QString& text) {
        items_.push_back({line, column, text});
        update();
    }
    int lineHeight() const { return fontMetrics().height(); }
    int columnWidth() const { return fontMetrics().averageCharWidth(); }

    QStringList lines() const {
        QStringList out;
        for (const Item& item : items_) {
            while (out.size() <= item.line) out.append(QString());
            QString& line = out[item.line];
            if (line.size() < item.column - 1) line += QString(item.column - 1 - line.size(), QLatin1Char(' '));
            line += item.text;
        }
        return out;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(Qt::white);
        const int ascent = fontMetrics().ascent();
        for (const Item& item : items_)
            painter.drawText((item.column - 1) * columnWidth(), item.line * lineHeight() + ascent, item.text);
    }

private:
    std::vector<Item> items_;
};

namespace {

QLabel* fieldLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kLabelGrey);
    label->setPalette(palette);
    return label;
}

QLineEdit* fieldBox(const QString& name, QWidget* parent, bool visible = true) {
    QLineEdit* box = makeFieldBox(name, parent);
    // The view is read-only: nothing typed here could be stored.
    box->setReadOnly(true);
    box->setVisible(visible);
    return box;
}

}  // namespace

frmSelectBullet::frmSelectBullet(Program& program) : program_(program) {
    setObjectName(QStringLiteral("frmSelectBullet"));
    setWindowTitle(QStringLiteral("Select Bullet"));
    setAutoFillBackground(true);
    QPalette navy = palette();
    navy.setColor(QPalette::Window, kNavy);
    navy.setColor(QPalette::WindowText, Qt::white);
    setPalette(navy);

    menuBar = makeMenuBar(this);
    mnuHelp = menuBar->addMenu(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuFindHelp = mnuHelp->addAction(QStringLiteral("Finding A Bullet"), this, &frmSelectBullet::mnuFindHelp_Click);
    mnuFindHelp->setObjectName(QStringLiteral("mnuFindHelp"));
    mnuSearchHelp = mnuHelp->addAction(QStringLiteral("Using Search"), this, &frmSelectBullet::mnuSearchHelp_Click);
    mnuSearchHelp->setObjectName(QStringLiteral("mnuSearchHelp"));
    mnuBulletTypes = menuBar->addMenu(QStringLiteral("Bullet Types"));
    mnuBulletTypes->setObjectName(QStringLiteral("mnuBulletTypes"));
    const auto typeItem = [this](const QString& text, const QString& name, void (frmSelectBullet::*handler)()) {
        QAction* action = mnuBulletTypes->addAction(text, this, handler);
        action->setObjectName(name);
        return action;
    };
    mnuBarnesTypes = typeItem(QStringLiteral("Barnes"), QStringLiteral("mnuBarnesTypes"), &frmSelectBullet::mnuBarnesTypes_Click);
    mnuHornadyTypes = typeItem(QStringLiteral("Hornady"), QStringLiteral("mnuHornadyTypes"), &frmSelectBullet::mnuHornadyTypes_Click);
    mnuNoslerTypes = typeItem(QStringLiteral("Nosler"), QStringLiteral("mnuNoslerTypes"), &frmSelectBullet::mnuNoslerTypes_Click);
    mnuSierraTypes = typeItem(QStringLiteral("Sierra"), QStringLiteral("mnuSierraTypes"), &frmSelectBullet::mnuSierraTypes_Click);
    mnuSpeerTypes = typeItem(QStringLiteral("Speer"), QStringLiteral("mnuSpeerTypes"), &frmSelectBullet::mnuSpeerTypes_Click);
    mnuNone = typeItem(QStringLiteral("- none -"), QStringLiteral("mnuNone"), &frmSelectBullet::mnuNone_Click);

    fields_ = new QWidget(this);
    auto* grid = new QGridLayout(fields_);
    grid->setContentsMargins(10, 10, 10, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);

    txtCaliber = fieldBox(QStringLiteral("txtCaliber"), fields_);
    txtManufacturer = fieldBox(QStringLiteral("txtManufacturer"), fields_);
    txtStockNum = fieldBox(QStringLiteral("txtStockNum"), fields_);
    txtBulletType = fieldBox(QStringLiteral("txtBulletType"), fields_);
    txtBulletMass = fieldBox(QStringLiteral("txtBulletMass"), fields_);
    txtLowBC = fieldBox(QStringLiteral("txtLowBC"), fields_, false);
    txtMidBC = fieldBox(QStringLiteral("txtMidBC"), fields_, false);
    txtHighBC = fieldBox(QStringLiteral("txtHighBC"), fields_, false);
    txtLowBVel = fieldBox(QStringLiteral("txtLowBVel"), fields_, false);
    txtHighBVel = fieldBox(QStringLiteral("txtHighBVel"), fields_, false);
    txtG7BC = fieldBox(QStringLiteral("txtG7BC"), fields_);
    txtBulletLength = fieldBox(QStringLiteral("txtBulletLength"), fields_);

    grid->addWidget(fieldLabel(QStringLiteral("Caliber:"), QStringLiteral("lblCaliber"), fields_), 0, 0);
    grid->addWidget(txtCaliber, 0, 1);
    grid->addWidget(fieldLabel(QStringLiteral("G7 BC:"), QStringLiteral("lblG7BC"), fields_), 0, 2);
    grid->addWidget(txtG7BC, 0, 3);
    grid->addWidget(fieldLabel(QStringLiteral("Manufacturer:"), QStringLiteral("lblManufacturer"), fields_), 1, 0);
    grid->addWidget(txtManufacturer, 1, 1);
    grid->addWidget(fieldLabel(QStringLiteral("Stock Number:"), QStringLiteral("lblStockNum"), fields_), 1, 2);
    grid->addWidget(txtStockNum, 1, 3);
    grid->addWidget(fieldLabel(QStringLiteral("Bullet Type:"), QStringLiteral("lblBulletType"), fields_), 2, 0);
    grid->addWidget(txtBulletType, 2, 1);
    grid->addWidget(fieldLabel(QStringLiteral("Bullet Mass:"), QStringLiteral("lblBulletMass"), fields_), 2, 2);
    grid->addWidget(txtBulletMass, 2, 3);
    grid->addWidget(fieldLabel(QStringLiteral("Length (in):"), QStringLiteral("lblBulletLength"), fields_), 3, 2);
    grid->addWidget(txtBulletLength, 3, 3);

    datSelBullet = new NavigationBar(QStringLiteral("           Scroll"), fields_);
    datSelBullet->setObjectName(QStringLiteral("datSelBullet"));
    grid->addWidget(datSelBullet, 4, 0, 1, 3);
    cmdSelect = makeButton(QStringLiteral("Select"), QStringLiteral("cmdSelect"), fields_);
    grid->addWidget(cmdSelect, 4, 3);

    cmdSearch = makeButton(QStringLiteral("Search"), QStringLiteral("cmdSearch"), fields_);
    txtSearch = new QLineEdit(fields_);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    cmdNext = makeButton(QStringLiteral("Next"), QStringLiteral("cmdNext"), fields_);
    grid->addWidget(cmdSearch, 5, 0);
    grid->addWidget(txtSearch, 5, 1, 1, 2);
    grid->addWidget(cmdNext, 5, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 2);
    for (QPushButton* b : {cmdSelect, cmdSearch, cmdNext}) b->setPalette(ordinaryPalette());

    keyArea_ = new TypeKeyArea(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(fields_);
    layout->addWidget(keyArea_, 1);
    fields_->setMinimumWidth(470);

    binding_ = std::make_unique<BulletBinding>(
        program_, *this, BulletBinding::Access::ReadOnly,
        BulletBinding::Boxes{txtCaliber, txtManufacturer, txtBulletType, txtBulletMass, txtStockNum, txtLowBC,
                             txtMidBC, txtHighBC, txtLowBVel, txtHighBVel, txtG7BC, txtBulletLength});

    connect(datSelBullet, &NavigationBar::first, this, [this] { binding_->moveFirst(); });
    connect(datSelBullet, &NavigationBar::previous, this, [this] { binding_->movePrevious(); });
    connect(datSelBullet, &NavigationBar::next, this, [this] { binding_->moveNext(); });
    connect(datSelBullet, &NavigationBar::last, this, [this] { binding_->moveLast(); });
    connect(cmdSearch, &QPushButton::clicked, this, &frmSelectBullet::cmdSearch_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmSelectBullet::cmdNext_Click);
    connect(cmdSelect, &QPushButton::clicked, this, &frmSelectBullet::cmdSelect_Click);
}

frmSelectBullet::~frmSelectBullet() = default;

void frmSelectBullet::openView() {
    if (viewOpened_) return;
    viewOpened_ = true;
    binding_->open();
}

void frmSelectBullet::Form_Initialize() {
    // The registry runs this before Form_Load; the view opens here so that the move to
    // the remembered bullet has rows to move through.
    openView();
    const tarnwick::RememberedSettings& remembered = program_.state().remembered;
    if (remembered.LastStockNumber.empty()) return;  // no bullet remembered: stay on the first row
    // The first row with the remembered stock number whose maker matches exactly,
    // letter case included; otherwise the first row.
    binding_->done(tarnwick::statusOf(tarnwick::bulletdb::findBullet(binding_->cursor(), remembered.LastStockNumber,
                                                                      remembered.LastManufacturer)));
}

void frmSelectBullet::Form_Load() {
    openView();
    adjustSize();
    keptHeight_ = height();
    keptInnerHeight_ = keptHeight_ - menuBar->sizeHint().height();
    setFixedSize(width(), keptHeight_);
    centreOnScreen(*this);
}

void frmSelectBullet::Form_Activate() { binding_->reread(); }

void frmSelectBullet::Form_Deactivate() {
    // The key area is cut off when another window of the program takes over; the
    // window's own message boxes (help, "No records found") leave the key in view.
    if (activationWentElsewhereInProgram(*this)) setHeights(0);
}

void frmSelectBullet::cmdSearch_Click() { binding_->search(txtSearch->text(), false); }

void frmSelectBullet::cmdNext_Click() { binding_->search(txtSearch->text(), true); }

void frmSelectBullet::cmdSelect_Click() {
    // The numbers travel through the boxes (the hidden ones included), as shown; the
    // bullet is remembered by maker and stock number.
    tarnwick::bulletdb::FieldTexts row;
    const auto texts = binding_->boxTexts();
    std::copy(texts.begin(), texts.end(), row.begin());
    program_.session().flyTableBullet(row);
    emit accepted();
    hide();
}

int frmSelectBullet::typeKeyLineHeight() const { return keyArea_->lineHeight(); }

QStringList frmSelectBullet::typeKeyLines() const { return keyArea_->lines(); }

void frmSelectBullet::setHeights(int extra) {
    if (keptHeight_ <= 0) return;
    setFixedHeight(keptHeight_ + extra);
}

void frmSelectBullet::showTypeKey(const TypeKey& key) {
    keyArea_->clear();
    setHeights(key.lineCount * typeKeyLineHeight());
    // The heading sits on the first line below the fields, the rows follow it.
    keyArea_->print(0, 2, key.heading);
    int line = 1;
    for (const auto& row : key.rows) {
        for (const TypeKeyEntry& entry : row) {
            keyArea_->print(line, entry.abbreviationColumn, entry.abbreviation);
            keyArea_->print(line, entry.meaningColumn, entry.meaning);
        }
        ++line;
    }
}

void frmSelectBullet::mnuBarnesTypes_Click() { showTypeKey(*typeKeyFor(QStringLiteral("Barnes"))); }
void frmSelectBullet::mnuHornadyTypes_Click() { showTypeKey(*typeKeyFor(QStringLiteral("Hornady"))); }
void frmSelectBullet::mnuNoslerTypes_Click() { showTypeKey(*typeKeyFor(QStringLiteral("Nosler"))); }
void frmSelectBullet::mnuSierraTypes_Click() { showTypeKey(*typeKeyFor(QStringLiteral("Sierra"))); }
void frmSelectBullet::mnuSpeerTypes_Click() { showTypeKey(*typeKeyFor(QStringLiteral("Speer"))); }

void frmSelectBullet::mnuNone_Click() {
    keyArea_->clear();
    setHeights(0);
}

void frmSelectBullet::mnuFindHelp_Click() {
    program_.showMessage(this,
                QStringLiteral("You may single step through the bullet data base by using the <Scroll> bar,\r\n"
                               "or by using the <Search> option.\r\n"
                               "* the |< on the Scroll bar takes you to the first entry in the data base.\r\n"
                               "* the < on the Scroll bar moves you to the previous entry in the data base.\r\n"
                               "* the > on the Scroll bar moves you to the next entry in the data base.\r\n"
                               "* the >| on the Scroll bar moves you to the last entry in the data base."),
                MessageIcon::Information, QStringLiteral("Finding A Bullet:"));
}

void frmSelectBullet::mnuSearchHelp_Click() {
    program_.showMessage(this,
                BulletBinding::usingSearchHelp(),
                MessageIcon::Information, QStringLiteral("Using Search:"));
}
