#pragma once
// "Cross & Tail Wind Calculator": splits a wind of given speed (MPH) into its cross
// and tail components relative to the line of fire. The user points with the mouse, on
// a bird's-eye picture of the range, at the side the wind comes from; an arrow follows
// the pointer while a button is held and the release shows the components. The
// calculator writes nothing into the shot parameters: the user copies the results.
// In metric the speed and the components are in m/s.
#include <QDialog>
#include <array>
#include <cstdint>

#include "Program.h"
#include "UnitField.h"
#include "WindArrow.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class PictureBox;

class frmWindCalc : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmWindCalc(Program& program);

    // Inner width and height of the picture in pixels (even, so the centre is a pixel).
    static constexpr int kPictureSize = 240;

    QMenuBar* menuBar = nullptr;
    QAction* mnuHelp = nullptr;
    QGroupBox* fraInput = nullptr;
    QLabel* lblWindSpeed = nullptr;
    QLineEdit* txtWindSpeed = nullptr;
    std::array<QLabel*, 3> lblMPH{};  // units beside the speed, cross and tail boxes
    PictureBox* picWind = nullptr;
    QLabel* lblDirection = nullptr;
    QGroupBox* fraOutput = nullptr;
    QLabel* lblCrossWind = nullptr;
    QLineEdit* txtCrossWind = nullptr;
    QLabel* lblTailWind = nullptr;
    QLineEdit* txtTailWind = nullptr;
    QPushButton* cmdDone = nullptr;

    void Form_Initialize() override;
    void Form_Load() override;
    void Form_Activate() override;

    // Pointer positions are picture coordinates; any mouse button works.
    void picWind_MouseDown(Qt::MouseButton button, double x, double y);
    void picWind_MouseMove(Qt::MouseButton button, double x, double y);
    void picWind_MouseUp(Qt::MouseButton button, double x, double y);
    void cmdDone_Click();
    void mnuHelp_Click();

    // The arrow as drawn, its direction (radians from straight down towards the right)
    // and whether a button is held on the picture.
    windcalc::Arrow arrow() const { return {StartX, StartY, EndX, EndY}; }
    double angle() const { return Angle; }
    bool drawing() const { return DrawNow; }

private:
    void setInitialArrow();
    void pointerToArrow(double x, double y);
    void DrawArrow(std::int16_t tailX, std::int16_t tailY, std::int16_t headX, std::int16_t headY);
    void showUnits();

    Program& program_;
    UnitField speed_, cross_, tail_;
    std::int16_t StartX = 0, StartY = 0, EndX = 0, EndY = 0;
    double Angle = 0;
    bool DrawNow = false;
};
