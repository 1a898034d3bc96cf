#pragma once
// The running program: the session (the shot and how it is shown), the services, where
// the bullet table lives, and the registry of windows. Every window class has one instance, created
// and loaded on first use (reading a control of a window that does not exist creates
// it); OK/Set/Select/Done/Close hide a window; its close box unloads it, and the next
// use creates and loads it again.
#include <QPointer>
#include <QWidget>
#include <map>
#include <optional>
#include <set>
#include <typeindex>

#include "BulletFiles.h"
#include "Services.h"
#include "Session.h"

class QDialog;

// The handlers every window may have. Window classes derive from a Qt widget and Form,
// and take `Program&` in their constructor, which builds the controls with their
// creation texts.
class Form {
public:
    virtual ~Form() = default;
    virtual void Form_Initialize() {}  // once per program run, at the first creation
    virtual void Form_Load() {}        // at every creation (after an unload, again)
    virtual void Form_Activate() {}    // when the window becomes active after being shown, or
                                       // after another window of the program was active
    virtual void Form_Deactivate() {}  // when another window of the program becomes active
};

class Program : public QObject {
    Q_OBJECT
public:
    explicit Program(Services& services, BulletFiles bulletFiles = BulletFiles::standard());
    ~Program() override;  // unloads every window

    Session& session() { return session_; }
    tarnwick::ProgramState& state() { return session_.state(); }
    tarnwick::ShotParameters& params() { return session_.params(); }
    Services& services() { return services_; }
    const BulletFiles& bulletFiles() const { return bulletFiles_; }

    // A message box with one OK button (an empty title shows "Tarnwick"), through the
    // services so that tests never block.
    void showMessage(QWidget* parent, const QString& text, MessageIcon icon = MessageIcon::Information,
                     const QString& title = QString());
    // A Yes/No question with a question-mark icon; true for Yes. `yesIsDefault` picks
    // the button that Enter presses.
    bool askQuestion(QWidget* parent, const QString& text, bool yesIsDefault, const QString& title = QString());

    // The main window, once it exists: other windows place themselves beside it and
    // hand the focus back to it.
    QWidget* mainWindow() const { return mainWindow_; }
    void setMainWindow(QWidget* window) { mainWindow_ = window; }

    // The window of class T, created and loaded if it does not exist.
    template <class T>
    T& window();

    // The window of class T if it is loaded, otherwise nullptr.
    template <class T>
    T* loaded() const {
        return dynamic_cast<T*>(find(typeid(T)));
    }

    // Shows a window without blocking and brings it to the front.
    void show(QWidget& window);
    // Shows a window blocking (through the services, so tests never block). False when
    // the user cancelled it with Esc or its close box; true when it was hidden (OK, Set,
    // Select).
    bool showBlocking(QDialog& dialog);

    // Unloads every window except `except` (the main window at exit).
    void unloadAll(QWidget* except = nullptr);

signals:
    // A window was created (and is about to be loaded).
    void windowCreated(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* find(std::type_index type) const;
    // Whether the activation of `window` runs its Form_Activate; keeps track of the
    // window that was active before.
    bool activationCounts(QObject* window);
    void adopt(std::type_index type, QWidget* widget, Form* form, bool unloadOnClose);

    Services& services_;
    BulletFiles bulletFiles_;
    Session session_;
    QPointer<QWidget> mainWindow_;
    std::map<std::type_index, QPointer<QWidget>> windows_;
    std::map<QObject*, Form*> forms_;
    std::set<QObject*> unloadOnClose_;
    std::set<std::type_index> initialized_;
    std::set<QObject*> shownSinceActive_;  // shown by the program and not yet activated
    QPointer<QObject> lastActive_;         // null while another application is active
};

template <class T>
T& Program::window() {
    if (T* existing = loaded<T>()) return *existing;
    T* created = new T(*this);
    // A window that must outlive its close box (the main window) says so with
    // `static constexpr bool kKeepOnClose = true;`.
    constexpr bool keep = requires { T::kKeepOnClose; };
    adopt(typeid(T), created, created, !keep);
    if (initialized_.insert(typeid(T)).second) created->Form_Initialize();
    created->Form_Load();
    return *created;
}
