#include "Program.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

#include "FormSupport.h"
#include "Services.h"

Program::Program(Services& services, BulletFiles bulletFiles)
    : services_(services), bulletFiles_(std::move(bulletFiles)) {}

Program::~Program() { unloadAll(); }

void Program::showMessage(QWidget* parent, const QString& text, MessageIcon icon, const QString& title) {
    services_.message(parent, icon, title, text);
}

bool Program::askQuestion(QWidget* parent, const QString& text, bool yesIsDefault, const QString& title) {
    return services_.ask(parent, title, text, yesIsDefault);
}

QWidget* Program::find(std::type_index type) const {
    const auto it = windows_.find(type);
    return it == windows_.end() ? nullptr : it->second.data();
}

void Program::adopt(std::type_index type, QWidget* widget, Form* form, bool unloadOnClose) {
    windows_[type] = widget;
    forms_[widget] = form;
    if (unloadOnClose) unloadOnClose_.insert(widget);
    widget->installEventFilter(this);
    connect(widget, &QObject::destroyed, this, [this](QObject* object) {
        forms_.erase(object);
        unloadOnClose_.erase(object);
        shownSinceActive_.erase(object);
    });
    emit windowCreated(widget);
}

bool Program::activationCounts(QObject* window) {
    // Only the program's own windows are tracked: a message box or file dialog of a
    // window leaves `lastActive_` on that window, so closing it does not count as coming
    // from elsewhere, and neither does coming back from another application.
    const bool shown = shownSinceActive_.erase(window) > 0;
    const bool fromAnotherWindow = lastActive_ && lastActive_ != window;
    lastActive_ = window;
    return shown || fromAnotherWindow;
}

bool Program::eventFilter(QObject* watched, QEvent* event) {
    const auto form = forms_.find(watched);
    if (form != forms_.end()) {
        switch (event->type()) {
        case QEvent::Show:
            // A show by the program, not the window system mapping the window again.
            if (!event->spontaneous()) shownSinceActive_.insert(watched);
            break;
        case QEvent::WindowActivate:
            if (activationCounts(watched)) form->second->Form_Activate();
            break;
        case QEvent::WindowDeactivate:
            if (activationWentElsewhereInProgram(*static_cast<QWidget*>(watched))) form->second->Form_Deactivate();
            // No active window left: another application has taken over.
            else if (!QApplication::activeWindow()) lastActive_ = nullptr;
            break;
        case QEvent::Close:
            if (unloadOnClose_.count(watched)) {
                // The close box unloads: forget the window now, delete it once its
                // own close handling (and any exec() it is in) has finished.
                for (auto& [type, window] : windows_)
                    if (window == watched) window = nullptr;
                forms_.erase(watched);
                unloadOnClose_.erase(watched);
                static_cast<QWidget*>(watched)->deleteLater();
            }
            break;
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void Program::show(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

bool Program::showBlocking(QDialog& dialog) {
    // Esc and the close box reject a dialog; its OK only hides it.
    bool rejected = false;
    const QMetaObject::Connection watch = connect(&dialog, &QDialog::rejected, this, [&rejected] { rejected = true; });
    services_.showBlocking(dialog);
    disconnect(watch);
    return !rejected;
}

void Program::unloadAll(QWidget* except) {
    for (auto& [type, window] : windows_) {
        if (!window || window == except) continue;
        QWidget* widget = window.data();
        window = nullptr;
        forms_.erase(widget);
        unloadOnClose_.erase(widget);
        widget->removeEventFilter(this);
        delete widget;
    }
}
