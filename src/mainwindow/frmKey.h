#pragma once
// "Key:": the legend of the curve colours. Redrawn each time it becomes active, so it
// follows the energy and velocity options of the main window. The client height is
// always 90 units tall; horizontal positions are pixels. In metric the energy and
// velocity rows name their unit.
#include <QDialog>
#include <QImage>
#include <vector>

#include "Program.h"

class frmKey : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmKey(Program& program);

    void Form_Load() override;
    void Form_Activate() override;

    // The legend as last drawn (client size).
    const QImage& legend() const { return legend_; }
    // The labels of the rows shown, in drawing order.
    QStringList labels() const;
    // The canvas y of a row position given in the 90-unit scale.
    double unitToY(double units) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Row {
        QString label;
        QColor colour;
        double labelTop;  // in units
        double lineY;     // in units
    };
    // The rows the current curve options and units show.
    std::vector<Row> rows() const;
    QString longestLabel() const;
    void drawLegend();

    Program& program_;
    QImage legend_;
};
