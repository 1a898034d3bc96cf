#pragma once
// "Edit Bullet Data Base": the one place where the bullet table changes. Shows all twelve
// fields of the current row, pages and searches like the select window, and adds,
// changes and deletes rows. A pending add or edit that the user leaves without Update
// (by moving, searching, pressing Add or Edit again, or hiding the window) is
// discarded, so nothing half-typed reaches the table. Update never overwrites what
// another program stored meanwhile, and Delete asks first. The File menu imports and
// exports the table as CSV.
#include <QDialog>
#include <QLineEdit>
#include <memory>

#include "Program.h"

class BulletBinding;
class NavigationBar;
class QAction;
class QMenu;
class QMenuBar;
class QPushButton;

class frmEditBullet : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmEditBullet(Program& program);
    ~frmEditBullet() override;

    void Form_Load() override;

    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdUpdate_Click();
    void cmdDelete_Click();
    void cmdSearch_Click();
    void cmdNext_Click();
    void cmdDone_Click();
    void mnuImportCsv_Click();
    void mnuExportCsv_Click();
    void mnuAddHelp_Click();
    void mnuModify_Click();
    void mnuHowDelete_Click();
    void mnuHowSearch_Click();

    QLineEdit* txtCaliber = nullptr;
    QLineEdit* txtManufacturer = nullptr;
    QLineEdit* txtBulletType = nullptr;
    QLineEdit* txtBulletMass = nullptr;
    QLineEdit* txtStockNum = nullptr;
    QLineEdit* txtLowBC = nullptr;
    QLineEdit* txtMidBC = nullptr;
    QLineEdit* txtHighBC = nullptr;
    QLineEdit* txtLowBV = nullptr;
    QLineEdit* txtHighBV = nullptr;
    QLineEdit* txtG7BC = nullptr;  // empty = the maker publishes none
    QLineEdit* txtBulletLength = nullptr;  // inches; empty = not known

    NavigationBar* datEditBullet = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdSearch = nullptr;
    QLineEdit* txtSearch = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdDone = nullptr;

    QMenuBar* menuBar = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuImportCsv = nullptr;
    QAction* mnuExportCsv = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuAddHelp = nullptr;
    QAction* mnuModify = nullptr;
    QAction* mnuHowDelete = nullptr;
    QAction* mnuHowSearch = nullptr;

    // True while an Add or Edit waits for Update.
    bool changePending() const;

protected:
    void hideEvent(QHideEvent* event) override;
    // Esc does not hide the window: only Done and the close box do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void discardPending();
    // After Update met another program's change (or deletion) of the edited row: asks
    // whether to keep the typing for the next Update or to show the stored row.
    void resolveConflict(bool deleted);

    Program& program_;
    std::unique_ptr<BulletBinding> binding_;
};
