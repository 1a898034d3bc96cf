#pragma once
// "Range Card": the corrections, speed, energy and time at ranges from, to and step of
// the user's choosing, under the heading that names the shot. The card follows the
// session (units, corrections, bullet, parameters) and the boxes as they are typed, and
// can be printed on one page, saved as CSV and copied to the clipboard.
#include <QDialog>
#include <QString>
#include <optional>
#include <vector>

#include "Program.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class frmRangeCard : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmRangeCard(Program& program);

    void Form_Load() override;

    // Computes the card again from the boxes and the session.
    void refresh();

    // The card as the window shows it; empty while the boxes cannot be used.
    const QString& cardText() const { return cardText_; }

    void cmdPrint_Click();
    void cmdSaveCsv_Click();
    void cmdCopy_Click();
    void cmdClose_Click();

    QLineEdit* txtFrom = nullptr;
    QLineEdit* txtTo = nullptr;
    QLineEdit* txtStep = nullptr;
    QLabel* lblUnit = nullptr;
    QPlainTextEdit* txtCard = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdSaveCsv = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    // The ranges of the boxes in yards, or why they cannot be used (in `problem`).
    std::optional<std::vector<double>> rangesInYards(QString& problem) const;
    // The boxes' defaults in the session's unit system, the unit name beside them.
    void resetBoxes();

    Program& program_;
    tarnwick::UnitSystem boxUnits_ = tarnwick::UnitSystem::Imperial;
    QString cardText_;
    QString csvText_;
};
