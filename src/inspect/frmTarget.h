#pragma once
// The target view: a square-ruled target at a chosen scale with the point of aim at its
// centre, the red bull, and where the bullet strikes at the last inspected range (black
// for range conditions, blue for hunting conditions in Hunting mode). Opened without
// blocking from the main window; hides itself when another window of the program takes
// the focus.
//
// Drawing units are 1/72 inch of screen, mapped to pixels through the screen's logical
// DPI, so that the "1" = 1"" scale shows the target life size.
#include <QDialog>
#include <memory>

#include "Program.h"
#include "TargetDrawing.h"

class QAction;
class QMenu;
class QMenuBar;
class ImageSurface;
class TargetArea;

class frmTarget : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmTarget(Program& program);
    ~frmTarget() override;

    QMenuBar* menuBar = nullptr;
    QMenu* mnuScale = nullptr;
    QAction* mnuQuarterScale = nullptr;
    QAction* mnuHalfScale = nullptr;
    QAction* mnuFullScale = nullptr;
    QAction* mnuDoubleScale = nullptr;
    QAction* mnuQuadScale = nullptr;
    QAction* mnuClose = nullptr;
    QAction* mnuHelp = nullptr;

    void Form_Initialize() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Paint();
    void Form_Resize();
    // A press of any button at (x, y) in drawing units moves the point of aim there.
    void Form_MouseDown(double x, double y);
    void Form_LostFocus();
    void mnuQuarterScale_Click();
    void mnuHalfScale_Click();
    void mnuFullScale_Click();
    void mnuDoubleScale_Click();
    void mnuQuadScale_Click();
    void mnuClose_Click();
    void mnuHelp_Click();

    // Draws the target with the current scale, point of aim and strike values on
    // `surface` (drawing units); the window draws through this too.
    void drawTarget(tarnwick::DrawingSurface& surface) const;

    const TargetView& view() const { return view_; }
    // Pixels per drawing unit on this window's screen.
    double pixelsPerUnit() const;
    // The drawing area in drawing units.
    QSizeF drawingArea() const;
    // What the drawing area shows (pixels of the window's screen).
    const QImage& image() const;

private:
    friend class TargetArea;
    void draw();  // redraws the drawing area's picture and schedules its repaint
    void aimAt(int x, int y);  // moves the point of aim, kept for the program run
    void setScale(int scale, QAction* item);
    void checkOnly(QAction* item);
    void showUnits();  // the scale items' unit and the ruling's, from the session

    Program& program_;
    TargetView view_;
    TargetArea* area_ = nullptr;
    std::unique_ptr<ImageSurface> picture_;
};
