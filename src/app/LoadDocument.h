#pragma once
// The load file the main window has open: where it lives, its name, and whether the shot
// has changed since it was opened or saved. Changes are found by comparing the session's
// load with the one last opened or saved, after every session signal, so that a value
// set back to what the file holds clears the mark again. Without a file nothing counts
// as unsaved: the remembered settings keep the shot between starts as before.
#include <QObject>
#include <QString>
#include <QStringList>

#include "LoadFile.h"
#include "Result.h"

class Session;

class LoadDocument : public QObject {
    Q_OBJECT
public:
    explicit LoadDocument(Session& session, QObject* parent = nullptr);

    const QString& path() const { return path_; }
    bool modified() const { return modified_; }
    // "Tarnwick" without a file; "NAME - Tarnwick" with one (its name, or else its file
    // name), "NAME* - Tarnwick" with unsaved changes.
    QString windowTitle() const;

    // Reads `path` and flies it; a file that cannot be read changes nothing.
    tarnwick::Status open(const QString& path);
    // Writes the session's shot to `path` (atomically), keeping the name, notes and unknown
    // keys of the file that was open; `path` becomes the open file.
    tarnwick::Status save(const QString& path);

    // The files opened or saved last, newest first (kept in the settings).
    static QStringList recentLoads();

signals:
    void changed();  // the file, its name or the unsaved-changes mark

private:
    void becomeFile(const QString& path, tarnwick::loads::Load file);
    void checkModified();

    Session& session_;
    QString path_;
    tarnwick::loads::Load file_;  // as opened or saved: name, notes, unknown keys
    QByteArray savedJson_;        // the session's load at that moment
    bool modified_ = false;
};
