// The main window's load files: open, save, the recent list, the title with its
// unsaved-changes mark, and the comparison of loads on one plot.
#include <QFileInfo>

#include "Comparison.h"
#include "LoadDocument.h"
#include "PlotCanvas.h"
#include "Report.h"
#include "frmPrintOutput.h"
#include "frmTrajectory.h"

namespace {

const QString kLoadFilter = QStringLiteral("Tarnwick loads (*.tarnwick);;All files (*)");

QString withExtension(const QString& path) {
    return path.endsWith(QStringLiteral(".tarnwick"), Qt::CaseInsensitive) ? path : path + QStringLiteral(".tarnwick");
}

}  // namespace

void frmTrajectory::followLoadDocument() {
    loadDocument = new LoadDocument(program_.session(), this);
    const auto show = [this] {
        setWindowTitle(loadDocument->windowTitle());
        showRecentLoads();
    };
    connect(loadDocument, &LoadDocument::changed, this, show);
    show();
}

void frmTrajectory::showRecentLoads() {
    mnuRecentLoads->clear();
    const QStringList recent = LoadDocument::recentLoads();
    for (const QString& path : recent) {
        QAction* action = mnuRecentLoads->addAction(QFileInfo(path).fileName());
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] { openLoadFile(path); });
    }
}

bool frmTrajectory::settleUnsavedLoad() {
    if (!loadDocument->modified()) return true;
    const QString question = QStringLiteral("The load \"%1\" has unsaved changes.\r\nSave them?")
                                 .arg(QFileInfo(loadDocument->path()).fileName());
    if (!program_.askQuestion(this, question, true)) return true;
    return saveLoadTo(loadDocument->path());
}

bool frmTrajectory::saveLoadTo(const QString& path) {
    const tarnwick::Status saved = loadDocument->save(path);
    if (!saved) {
        program_.showMessage(this, QStringLiteral("The load was not saved: %1").arg(QString::fromStdString(saved.error())),
                             MessageIcon::Exclamation);
    }
    return saved.ok();
}

bool frmTrajectory::openLoadFile(const QString& path) {
    if (!settleUnsavedLoad()) return false;
    const tarnwick::Status opened = loadDocument->open(path);
    if (!opened) {
        program_.showMessage(this, QStringLiteral("The load was not opened; nothing changed.\r\n%1")
                                       .arg(QString::fromStdString(opened.error())),
                             MessageIcon::Exclamation);
    }
    return opened.ok();
}

void frmTrajectory::mnuOpenLoad_Click() {
    const std::optional<QString> path = program_.services().openFileName(this, QStringLiteral("Open Load"), kLoadFilter);
    if (path) openLoadFile(*path);
}

void frmTrajectory::mnuSaveLoad_Click() {
    if (loadDocument->path().isEmpty()) mnuSaveLoadAs_Click();
    else saveLoadTo(loadDocument->path());
}

void frmTrajectory::mnuSaveLoadAs_Click() {
    const QString initial = loadDocument->path().isEmpty() ? QStringLiteral("load.tarnwick") : loadDocument->path();
    const std::optional<QString> path =
        program_.services().saveFileName(this, QStringLiteral("Save Load As"), kLoadFilter, initial, true);
    if (path) saveLoadTo(withExtension(*path));
}

void frmTrajectory::mnuCompareLoads_Click() {
    const QStringList paths = program_.services().openFileNames(this, QStringLiteral("Compare Loads"), kLoadFilter);
    if (paths.isEmpty()) return;
    if (paths.size() > qsizetype(tarnwick::kMaxComparedLoads)) {
        program_.showMessage(this, QStringLiteral("Choose at most %1 loads to compare.").arg(tarnwick::kMaxComparedLoads),
                             MessageIcon::Exclamation);
        return;
    }
    std::vector<tarnwick::ComparedLoad> loads;
    for (const QString& path : paths) {
        tarnwick::Result<tarnwick::loads::Load> load = tarnwick::loads::readLoadFile(QFile::encodeName(path).toStdString());
        if (!load) {
            program_.showMessage(this, QStringLiteral("The loads were not compared.\r\n%1").arg(QString::fromStdString(load.error())),
                                 MessageIcon::Exclamation);
            return;
        }
        tarnwick::ComparedLoad& compared = loads.emplace_back();
        compared.name = load->name.empty() ? QFileInfo(path).completeBaseName().toStdString() : load->name;
        // The curves and grid the menu shows; everything else is the load's.
        compared.inputs = program_.session().runInputs();
        tarnwick::loads::applyLoad(*load, compared.state, compared.inputs);
    }
    mnuClear_Click();
    canvas->runTitle = "Comparison of loads";
    PrintOutputResults results(program_);
    const std::vector<tarnwick::RunOutcome> outcomes = tarnwick::compareLoads(loads, canvas->surface(), results);
    results.fitWindowToReport();
    for (std::size_t i = 0; i < outcomes.size(); ++i)
        if (!outcomes[i].completed)
            program_.showMessage(this, QString::fromStdString(loads[i].name + ": " + outcomes[i].message), MessageIcon::Exclamation);
    giveFocusBack();
}
