#include "ClickValueDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

#include "NumberText.h"

using tarnwick::AngleUnit;

ClickValueDialog::ClickValueDialog(QWidget* parent, const tarnwick::Corrections& current) : QDialog(parent) {
    setObjectName("dlgClickValue");
    setWindowTitle("Click Value");
    txtClickSize = new QLineEdit(QString::fromStdString(tarnwick::plainText(current.clickSize)), this);
    txtClickSize->setObjectName("txtClickSize");
    cboClickUnit = new QComboBox(this);
    cboClickUnit->setObjectName("cboClickUnit");
    cboClickUnit->addItems({"MOA", "mrad"});
    cboClickUnit->setCurrentIndex(current.clickUnit == AngleUnit::Mrad ? 1 : 0);
    auto* value = new QHBoxLayout;
    value->addWidget(txtClickSize);
    value->addWidget(cboClickUnit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow("One click:", value);
    layout->addRow(buttons);
}

std::optional<tarnwick::Corrections> ClickValueDialog::typed() const {
    const std::optional<double> size = tarnwick::readStrict(txtClickSize->text().toStdString());
    if (!size || !(*size > 0)) return std::nullopt;
    tarnwick::Corrections clicks;
    clicks.unit = tarnwick::CorrectionUnit::Clicks;
    clicks.clickSize = *size;
    clicks.clickUnit = cboClickUnit->currentIndex() == 1 ? AngleUnit::Mrad : AngleUnit::Moa;
    return clicks;
}
