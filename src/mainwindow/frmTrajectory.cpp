#include "frmTrajectory.h"

#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include "AtomicFile.h"
#include "BulletDatabaseLocation.h"
#include "FormSupport.h"
#include "HelpText.h"
#include "ParameterChain.h"
#include "PlotCanvas.h"
#include "PlotExport.h"
#include "PlotFrame.h"
#include "PlotRun.h"
#include "Report.h"
#include "Services.h"
#include "SettingsStore.h"
#include "Version.h"
#include "frmDisplayScale.h"
#include "frmEditBullet.h"
#include "frmKey.h"
#include "frmLongRange.h"
#include "frmMVCalc.h"
#include "frmOtherGun.h"
#include "frmPrintOutput.h"
#include "frmRangeCard.h"
#include "frmRunParam.h"
#include "frmSelectBullet.h"
#include "frmSetBC.h"
#include "frmSetEnv.h"
#include "frmSetSlope.h"
#include "frmTarget.h"
#include "frmTrajInfo.h"
#include "frmWindCalc.h"

frmTrajectory::frmTrajectory(Program& program) : program_(program) {
    program.setMainWindow(this);
    setObjectName("frmTrajectory");
    setWindowTitle("Tarnwick");
    canvas = new PlotCanvas(this);
    canvas->onMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y) {
        Form_MouseDown(button, shift, x, y);
    };
    setCentralWidget(canvas);
    buildMenus();
    connectCommands();
    followSession();
    followLoadDocument();
}

std::string frmTrajectory::bulletDatabasePath() const {
    return QDir::toNativeSeparators(BulletDatabaseLocation::pathInUse(program_.bulletFiles())).toStdString();
}

void frmTrajectory::showScopeHeight() {
    const Session& session = program_.session();
    const ScopePreset preset = session.scopePreset();
    const std::pair<QAction*, ScopePreset> items[] = {
        {mnuStandard, ScopePreset::Standard}, {mnuR6PPC, ScopePreset::Ruger6PPC},
        {mnuRBlackhawk, ScopePreset::RugerBlackhawk}, {mnuTC4570, ScopePreset::TC4570},
        {mnuTC3030, ScopePreset::TC3030}, {mnuTC44Mag, ScopePreset::TC44Mag}, {mnuOtherGun, ScopePreset::Typed}};
    for (const auto& [item, itsPreset] : items) item->setChecked(itsPreset == preset);
    // A drop table holds the height at 0: no preset can be chosen meanwhile.
    mnuStandard->setEnabled(!session.scopeHeightSetAside());
}

void frmTrajectory::showBullet() {
    const bool fromTable = program_.session().bulletFromTable();
    mnuSelectBullet->setChecked(fromTable);
    mnuManBC->setChecked(!fromTable);
}

void frmTrajectory::showDragFunction() {
    const Session& session = program_.session();
    const std::string& name = session.params().DragFunction;
    const std::pair<QAction*, const char*> items[] = {
        {mnuGavre, "G1"}, {mnuIngalls, "Ingalls"}, {mnuKrupp, "Krupp"}, {mnuG7, "G7"}};
    for (const auto& [item, itsName] : items) item->setChecked(name == itsName);
    const tarnwick::BallisticModelKind model = session.ballisticModel();
    mnuClassic->setChecked(model == tarnwick::BallisticModelKind::Classic);
    mnuPointMass->setChecked(model == tarnwick::BallisticModelKind::PointMass);
    mnuLongRange->setEnabled(model == tarnwick::BallisticModelKind::PointMass);
    mnuDragShow->setText(dragIndicatorCaption(model, name));
}

void frmTrajectory::showChoices() {
    showScopeHeight();
    showBullet();
    showDragFunction();
    showUnits();
}

void frmTrajectory::followSession() {
    const Session& session = program_.session();
    // The menu's checks and captions show the session; each topic refreshes its items.
    const auto showDisplay = [this, &session] {
        const DisplayOptions& d = session.display();
        mnuEnergy->setVisible(!d.energyCurve);
        mnuNoEnergy->setVisible(d.energyCurve);
        mnuVelocityOn->setVisible(!d.velocityCurve);
        mnuVelocityOff->setVisible(d.velocityCurve);
        mnuShowGrid->setVisible(!d.gridLines);
        mnuNoGrid->setVisible(d.gridLines);
    };
    connect(&session, &Session::scopeHeightChanged, this, &frmTrajectory::showScopeHeight);
    connect(&session, &Session::modeChanged, this, &frmTrajectory::showScopeHeight);
    connect(&session, &Session::bulletChanged, this, &frmTrajectory::showBullet);
    connect(&session, &Session::displayChanged, this, showDisplay);
    connect(&session, &Session::dragFunctionChanged, this, &frmTrajectory::showDragFunction);
    connect(&session, &Session::unitsChanged, this, &frmTrajectory::showUnits);
    showDisplay();
    showChoices();
}

void frmTrajectory::Form_Load() {
    // The client area is designed at the canvas size under the menu bar.
    resize(tarnwick::kCanvasWidth, tarnwick::kCanvasHeight + menuBar()->sizeHint().height());
    centreOnScreen(*this);

    // The parameter set, the remembered settings with their fixed start values and the
    // strike values start at their defaults with the program's state.
    program_.state().strike = tarnwick::StrikeValues{};
    program_.session().setDragFunction("G1");
    restoreSettings();
}

void frmTrajectory::restoreSettings() {
    const std::optional<StoredRecord> record = loadStoredRecord();
    if (!record) return;
    // The size fits the screen (a damaged record once asked for 32767 x 32767 pixels)
    // and is no smaller than the window can be; a window stored on a screen that is
    // gone stays centred on this one.
    const QRect available = screen() ? screen()->availableGeometry() : QRect(QPoint(0, 0), screenSize(this));
    const QSize size =
        record->geometry.size().boundedTo(available.size()).expandedTo(minimumSizeHint().expandedTo(minimumSize()));
    const QRect geometry(record->geometry.topLeft(), size);
    resize(size);
    if (available.intersects(geometry)) move(geometry.topLeft());
    else centreOnScreen(*this);

    Session& session = program_.session();
    session.restore(record->remembered);
    restoreEffects(program_.state().params, record->effects);
    const tarnwick::RememberedSettings& last = session.remembered();
    switch (last.LastBulletSource) {
    case tarnwick::BulletSource::Table: session.restoreTableBullet(bulletDatabasePath()); break;
    case tarnwick::BulletSource::Manual: session.flyTypedBullet(last.LastBallisticCoef, last.LastBulletMass, last.LastBallisticCoefG7); break;
    case tarnwick::BulletSource::Defaults: break;
    }
}

bool frmTrajectory::saveSettings() {
    StoredRecord record;
    // Values no dialog could have stored are not carried into the next start.
    record.remembered = tarnwick::usableRemembered(program_.state().remembered);
    record.effects = effectsOf(program_.state().params);
    record.geometry = QRect(x(), y(), QMainWindow::width(), QMainWindow::height());
    const tarnwick::Status saved = saveStoredRecord(record);
    if (saved) return true;
    program_.showMessage(this,
                         QStringLiteral("The settings could not be saved for the next start:\r\n%1")
                             .arg(QString::fromStdString(saved.error())),
                         MessageIcon::Exclamation);
    return false;
}

void frmTrajectory::closeEvent(QCloseEvent* event) {
    if (!settleUnsavedLoad()) {
        event->ignore();
        return;
    }
    saveSettings();
    program_.unloadAll(this);
    event->accept();
}

void frmTrajectory::giveFocusBack() {
    activateWindow();
    setFocus();
}

void frmTrajectory::Form_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, double x, double) {
    if (button == Qt::LeftButton) program_.window<frmTrajInfo>().showClick(x);
    giveFocusBack();
}

// File

void frmTrajectory::mnuPrintTraj_Click() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);  // the plot is wider than high
    if (!program_.services().choosePrinter(this, printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        program_.showMessage(this, QStringLiteral("The plot could not be printed: the printer could not be started."),
                    MessageIcon::Exclamation);
        return;
    }
    // The client area with the eye, drawn again at the printer's resolution under a
    // title line, as large as the page allows, in its own proportions.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    drawPlotPage(painter, QRectF(QPointF(0, 0), page.size()), canvas->surface(), pageTitle(canvas->runTitle));
    if (!painter.end())
        program_.showMessage(this, QStringLiteral("The plot could not be printed: the printer did not take the page."),
                    MessageIcon::Exclamation);
}

void frmTrajectory::mnuExit_Click() { close(); }

void frmTrajectory::mnuExportPlot_Click() {
    Services& services = program_.services();
    const QString title = QStringLiteral("Export Plot");
    const std::optional<QString> name = services.saveFileName(
        this, title, QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"),
        QStringLiteral("plot.png"), true);
    if (!name) return;
    const std::optional<PlotFormat> format = plotFormatFor(*name);
    if (!format) {
        program_.showMessage(this, QStringLiteral("The plot was not exported: the file name must end in .png, .svg or .pdf."),
                    MessageIcon::Exclamation);
        return;
    }
    int scale = 1;
    if (*format == PlotFormat::Png) {
        const std::optional<int> chosen = services.askWholeNumber(
            this, title, QStringLiteral("Scale of the picture (1 to 8 times the window's size):"), 2, 1, 8);
        if (!chosen) return;
        scale = *chosen;
    }
    const QByteArray bytes = exportPlot(canvas->surface(), *format, pageTitle(canvas->runTitle), scale);
    const std::string target = QFile::encodeName(*name).toStdString();
    const tarnwick::Status written =
        bytes.isEmpty() ? tarnwick::Status(tarnwick::Error{"the picture could not be made"})
                        : tarnwick::files::writeFileAtomically(
                              target, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.ok())
        program_.showMessage(this,
                    QStringLiteral("The plot could not be exported to %1.\r\n%2")
                        .arg(QDir::toNativeSeparators(*name),
                             QString::fromStdString(tarnwick::files::failureReason(written, target))),
                    MessageIcon::Exclamation);
}

// Run

void frmTrajectory::mnuGo_Click() {
    // Esc or the close box in any dialog ends the sequence: nothing after it opens and
    // nothing is plotted.
    if (!ParameterChain::of(program_).runGo()) return;
    // The eye stays: the frame of the run places it again.
    canvas->surface().clear();
    mnuPlot_Click();
}

void frmTrajectory::mnuPlot_Click() {
    const tarnwick::RunInputs inputs = program_.session().runInputs();

    canvas->runTitle = tarnwick::plotTitle(program_.params(), inputs.texts);
    PrintOutputResults results(program_);
    const tarnwick::RunOutcome outcome = tarnwick::plotRun(program_.state(), inputs, canvas->surface(), results);
    results.fitWindowToReport();
    // What was drawn and written before a numeric failure stays; the user learns why it stopped.
    if (!outcome.completed) program_.showMessage(this, QString::fromStdString(outcome.message), MessageIcon::Exclamation);
    giveFocusBack();
}

void frmTrajectory::mnuClear_Click() {
    canvas->surface().hideEye();
    canvas->surface().clear();
}

void frmTrajectory::mnuSetAll_Click() { ParameterChain::of(program_).startSetAll(); }

void frmTrajectory::mnuSetRun_Click() { program_.show(program_.window<frmRunParam>()); }
void frmTrajectory::mnuSetScale_Click() { program_.show(program_.window<frmDisplayScale>()); }
void frmTrajectory::mnuSetSlope_Click() { program_.show(program_.window<frmSetSlope>()); }
void frmTrajectory::mnuSetEnv_Click() { program_.show(program_.window<frmSetEnv>()); }

// Scope height

void frmTrajectory::mnuStandard_Click() { program_.session().chooseScopePreset(ScopePreset::Standard, 1.5); }
void frmTrajectory::mnuR6PPC_Click() { program_.session().chooseScopePreset(ScopePreset::Ruger6PPC, 1.495); }
void frmTrajectory::mnuRBlackhawk_Click() { program_.session().chooseScopePreset(ScopePreset::RugerBlackhawk, 1.496); }
void frmTrajectory::mnuTC4570_Click() { program_.session().chooseScopePreset(ScopePreset::TC4570, 1.497); }
void frmTrajectory::mnuTC3030_Click() { program_.session().chooseScopePreset(ScopePreset::TC3030, 1.498); }
void frmTrajectory::mnuTC44Mag_Click() { program_.session().chooseScopePreset(ScopePreset::TC44Mag, 1.499); }
void frmTrajectory::mnuOtherGun_Click() { program_.show(program_.window<frmOtherGun>()); }

// Bullet

void frmTrajectory::mnuSelectBullet_Click() { program_.show(program_.window<frmSelectBullet>()); }
void frmTrajectory::mnuManBC_Click() { program_.show(program_.window<frmSetBC>()); }

// Options

void frmTrajectory::mnuDropTable_Click() {
    double& dropTable = program_.params().DropTable;
    dropTable = 1 - dropTable;
    mnuDropTable->setChecked(!mnuDropTable->isChecked());
    showWithoutActivating(program_.window<frmPrintOutput>());
    giveFocusBack();
}

void frmTrajectory::setDisplayOption(bool DisplayOptions::*option, bool on) {
    DisplayOptions options = program_.session().display();
    options.*option = on;
    // The two curves share the right-hand axis: turning one on turns the other off.
    const bool energy = option == &DisplayOptions::energyCurve;
    bool DisplayOptions::*other = energy                                     ? &DisplayOptions::velocityCurve
                                  : option == &DisplayOptions::velocityCurve ? &DisplayOptions::energyCurve
                                                                             : nullptr;
    const bool conflict = on && other && options.*other;
    if (conflict) options.*other = false;
    program_.session().setDisplay(options);
    if (!conflict) return;
    program_.showMessage(
        this,
        energy ? "Energy and Velocity curves cannot be displayed simultaneously.\r\nDisabling Velocity curve."
               : "Velocity and Energy curves cannot be displayed simultaneously.\r\nDisabling Energy curve.",
        MessageIcon::Information, "Conflicting Options");
}

void frmTrajectory::mnuEnergy_Click() { setDisplayOption(&DisplayOptions::energyCurve, true); }
void frmTrajectory::mnuNoEnergy_Click() { setDisplayOption(&DisplayOptions::energyCurve, false); }
void frmTrajectory::mnuVelocityOn_Click() { setDisplayOption(&DisplayOptions::velocityCurve, true); }
void frmTrajectory::mnuVelocityOff_Click() { setDisplayOption(&DisplayOptions::velocityCurve, false); }
void frmTrajectory::mnuShowGrid_Click() { setDisplayOption(&DisplayOptions::gridLines, true); }
void frmTrajectory::mnuNoGrid_Click() { setDisplayOption(&DisplayOptions::gridLines, false); }

void frmTrajectory::mnuShowGravity_Click() { tarnwick::drawGravityIndicator(canvas->surface(), program_.params()); }
void frmTrajectory::mnuShowTarget_Click() { program_.show(program_.window<frmTarget>()); }

QString frmTrajectory::dragIndicatorCaption(tarnwick::BallisticModelKind model, const std::string& name) {
    const QString law = QString::fromStdString(name);
    if (model == tarnwick::BallisticModelKind::PointMass) return QStringLiteral("Using Point Mass, %1").arg(law);
    return QStringLiteral("Using %1 Drag Function").arg(law);
}

void frmTrajectory::mnuGavre_Click() { program_.session().setDragFunction("G1"); }
void frmTrajectory::mnuIngalls_Click() { program_.session().setDragFunction("Ingalls"); }
void frmTrajectory::mnuKrupp_Click() { program_.session().setDragFunction("Krupp"); }
void frmTrajectory::mnuG7_Click() { program_.session().setDragFunction("G7"); }
void frmTrajectory::mnuClassic_Click() { program_.session().setBallisticModel(tarnwick::BallisticModelKind::Classic); }
void frmTrajectory::mnuPointMass_Click() {
    program_.session().setBallisticModel(tarnwick::BallisticModelKind::PointMass);
}
void frmTrajectory::mnuLongRange_Click() { program_.show(program_.window<frmLongRange>()); }

// Tools, Key, Help

void frmTrajectory::mnuEditBullet_Click() { program_.show(program_.window<frmEditBullet>()); }
void frmTrajectory::mnuMVCalc_Click() { program_.show(program_.window<frmMVCalc>()); }
void frmTrajectory::mnuCrossCalc_Click() { program_.show(program_.window<frmWindCalc>()); }
void frmTrajectory::mnuRangeCard_Click() { program_.show(program_.window<frmRangeCard>()); }

void frmTrajectory::mnuKey_Click() {
    frmKey& key = program_.window<frmKey>();
    // The focus stays with the main window, so the legend is drawn here rather than
    // waiting for an activation.
    showWithoutActivating(key);
    key.Form_Activate();
    giveFocusBack();
}

void frmTrajectory::mnuHowTo_Click() {
    frmPrintOutput& results = program_.window<frmPrintOutput>();
    results.resize(qRound(twipsToPixels(7000, &results)), results.height());
    program_.show(results);
    const UserGuide guide = userGuide(bulletDatabasePath());
    program_.state().FirstPageText = guide.firstHalf;
    program_.state().SecondPageText = guide.secondHalf;
    results.setText(QString::fromStdString(guide.firstHalf + guide.secondHalf));
}

void frmTrajectory::mnuAboutTP_Click() {
    program_.showMessage(this, QStringLiteral("Tarnwick Program\r\nVersion ") + tarnwick::kVersionMajorMinor,
                         MessageIcon::Information, "About Tarnwick");
}
