#include "LoadDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "Session.h"

namespace {

constexpr qsizetype kRecentLoads = 8;
const QString kRecentKey = QStringLiteral("RecentLoads");

void addRecentLoad(const QString& path) {
    QStringList recent = LoadDocument::recentLoads();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    QSettings().setValue(kRecentKey, recent.mid(0, kRecentLoads));
}

}  // namespace

LoadDocument::LoadDocument(Session& session, QObject* parent) : QObject(parent), session_(session) {
    for (auto signal : {&Session::modeChanged, &Session::scopeHeightChanged, &Session::bulletChanged,
                        &Session::displayChanged, &Session::dragFunctionChanged, &Session::unitsChanged,
                        &Session::environmentChanged, &Session::parametersChanged})
        connect(&session_, signal, this, &LoadDocument::checkModified);
}

QString LoadDocument::windowTitle() const {
    if (path_.isEmpty()) return QStringLiteral("Tarnwick");
    const QString name = file_.name.empty() ? QFileInfo(path_).completeBaseName() : QString::fromStdString(file_.name);
    return name + (modified_ ? QStringLiteral("* - Tarnwick") : QStringLiteral(" - Tarnwick"));
}

tarnwick::Status LoadDocument::open(const QString& path) {
    tarnwick::Result<tarnwick::loads::Load> load = tarnwick::loads::readLoadFile(QFile::encodeName(path).toStdString());
    if (!load) return load.failure();
    // No file while the load is applied: its signals are not changes to any file.
    path_.clear();
    session_.applyLoad(*load);
    becomeFile(path, std::move(*load));
    return {};
}

tarnwick::Status LoadDocument::save(const QString& path) {
    tarnwick::loads::Load load = session_.currentLoad();
    load.name = file_.name;
    load.notes = file_.notes;
    load.document = file_.document;
    const tarnwick::Status written = tarnwick::loads::writeLoadFile(QFile::encodeName(path).toStdString(), load);
    if (written) becomeFile(path, std::move(load));
    return written;
}

QStringList LoadDocument::recentLoads() { return QSettings().value(kRecentKey).toStringList(); }

void LoadDocument::becomeFile(const QString& path, tarnwick::loads::Load file) {
    path_ = path;
    file_ = std::move(file);
    savedJson_ = tarnwick::loads::loadJson(session_.currentLoad());
    modified_ = false;
    addRecentLoad(path);
    emit changed();
}

void LoadDocument::checkModified() {
    if (path_.isEmpty()) return;
    const bool modified = tarnwick::loads::loadJson(session_.currentLoad()) != savedJson_;
    if (modified == modified_) return;
    modified_ = modified;
    emit changed();
}
