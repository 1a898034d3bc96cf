#include "DialogSupport.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <cmath>

#include "FormSupport.h"
#include "NumberText.h"
#include "Program.h"
#include "UnitField.h"

QString numberText(double value) { return QString::fromStdString(tarnwick::plainText(value)); }

namespace {
std::optional<double> usableNumber(Program& program, QWidget* dialog, QLineEdit* box, const QString& fieldName,
                                   double value) {
    if (std::isfinite(value)) return value;
    program.showMessage(dialog,
                QStringLiteral("The number typed for %1 is too large to be used.\r\nPlease type a smaller value.")
                    .arg(fieldName),
                MessageIcon::Exclamation);
    box->setFocus();
    box->selectAll();
    return std::nullopt;
}
}  // namespace

std::optional<double> readNumberBox(Program& program, QWidget* dialog, QLineEdit* box, const QString& fieldName, double multiplier,
                                    double divisor) {
    const double typed = tarnwick::readLenient(box->text().toStdString());
    return usableNumber(program, dialog, box, fieldName, typed * multiplier / divisor);
}

std::optional<double> readNumberBox(Program& program, QWidget* dialog, const UnitField& field, const QString& fieldName,
                                    double multiplier, double divisor) {
    const double stored = field.stored().value_or(0);
    return usableNumber(program, dialog, field.box(), fieldName, stored * multiplier / divisor);
}

QString joinLines(std::initializer_list<const char*> lines) {
    QStringList list;
    for (const char* line : lines) list << QString::fromUtf8(line);
    return list.join(QStringLiteral("\r\n"));
}

QPushButton* acceptButton(QWidget* dialog, const char* name, const char* caption) {
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(name);
    button->setDefault(true);
    return button;
}

QHBoxLayout* centredRow(QWidget* widget) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(widget);
    row->addStretch();
    return row;
}
