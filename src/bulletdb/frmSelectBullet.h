#pragma once
// "Select Bullet": pages or searches the bullet table (read-only) and copies the chosen
// bullet's mass, ballistic coefficients (the G7 one included), break velocities and
// length into the shot parameter set. Each time it becomes active it reads its row again, so Select copies what is
// stored now (another window or program may have changed it). On request it prints a
// maker's bullet-type key below its fields, growing by the key's lines; it shrinks
// back when another window of the program becomes active.
#include <QDialog>
#include <QLineEdit>
#include <memory>

#include "Program.h"

class BulletBinding;
class NavigationBar;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class TypeKeyArea;
struct TypeKey;

class frmSelectBullet : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmSelectBullet(Program& program);
    ~frmSelectBullet() override;

    void Form_Initialize() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;

    void cmdSearch_Click();
    void cmdNext_Click();
    void cmdSelect_Click();
    void mnuBarnesTypes_Click();
    void mnuHornadyTypes_Click();
    void mnuNoslerTypes_Click();
    void mnuSierraTypes_Click();
    void mnuSpeerTypes_Click();
    void mnuNone_Click();
    void mnuFindHelp_Click();
    void mnuSearchHelp_Click();

    // The field boxes, bound to the current row (the five last are hidden carriers).
    QLineEdit* txtCaliber = nullptr;
    QLineEdit* txtManufacturer = nullptr;
    QLineEdit* txtStockNum = nullptr;
    QLineEdit* txtBulletType = nullptr;
    QLineEdit* txtBulletMass = nullptr;
    QLineEdit* txtLowBC = nullptr;
    QLineEdit* txtMidBC = nullptr;
    QLineEdit* txtHighBC = nullptr;
    QLineEdit* txtLowBVel = nullptr;
    QLineEdit* txtHighBVel = nullptr;
    QLineEdit* txtG7BC = nullptr;  // shown; empty when the maker publishes none
    QLineEdit* txtBulletLength = nullptr;  // shown; empty when not known

    NavigationBar* datSelBullet = nullptr;
    QLineEdit* txtSearch = nullptr;
    QPushButton* cmdSearch = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdSelect = nullptr;

    QMenuBar* menuBar = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuFindHelp = nullptr;
    QAction* mnuSearchHelp = nullptr;
    QMenu* mnuBulletTypes = nullptr;
    QAction* mnuBarnesTypes = nullptr;
    QAction* mnuHornadyTypes = nullptr;
    QAction* mnuNoslerTypes = nullptr;
    QAction* mnuSierraTypes = nullptr;
    QAction* mnuSpeerTypes = nullptr;
    QAction* mnuNone = nullptr;

    // Heights in pixels without a type key, kept at load: the whole window and the area
    // below the menu bar.
    int keptHeight() const { return keptHeight_; }
    int keptInnerHeight() const { return keptInnerHeight_; }
    // The height of one printed line of the type key.
    int typeKeyLineHeight() const;
    // The printed type key, one line per printed line (empty when cleared).
    QStringList typeKeyLines() const;

private:
    void openView();
    void showTypeKey(const TypeKey& key);
    void setHeights(int extra);

    Program& program_;
    std::unique_ptr<BulletBinding> binding_;
    QWidget* fields_ = nullptr;
    TypeKeyArea* keyArea_ = nullptr;
    bool viewOpened_ = false;
    int keptHeight_ = 0;
    int keptInnerHeight_ = 0;
};
