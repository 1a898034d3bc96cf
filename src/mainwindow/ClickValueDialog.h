#pragma once
// "Click Value": asks for the angle of one turret click, a number and its unit (MOA or
// mrad), for corrections counted in clicks of a value the menu does not offer.
#include <QDialog>
#include <optional>

#include "Corrections.h"

class QComboBox;
class QLineEdit;

class ClickValueDialog : public QDialog {
    Q_OBJECT
public:
    // Offers `current`'s click value.
    ClickValueDialog(QWidget* parent, const tarnwick::Corrections& current);

    // Clicks of the value typed; nothing unless it is a number above 0.
    std::optional<tarnwick::Corrections> typed() const;

    QLineEdit* txtClickSize = nullptr;
    QComboBox* cboClickUnit = nullptr;
};
