#pragma once
// The two walks through the parameter dialogs. "Set All Parameters" shows them one
// after another without blocking: each dialog's OK opens the next, and Esc or the close
// box in any of them ends the walk. "GO!" shows them blocking and plots when every one
// was accepted. The dialogs only say that they were accepted; this class alone knows
// their order. Each accepted dialog, and the long-range effects dialog outside the walks,
// is announced as the session's parametersChanged().
#include <QObject>
#include <typeindex>

class Program;
class QDialog;
class QWidget;

class ParameterChain : public QObject {
    Q_OBJECT
public:
    // The program's chain, made the first time it is asked for; it follows every
    // parameter dialog the program creates from then on.
    static ParameterChain& of(Program& program);

    // "Set All Parameters": opens the run parameters dialog; the rest follow its OK.
    void startSetAll();
    // "GO!": every dialog blocking, in order; false as soon as one is cancelled. What the
    // accepted dialogs stored stays.
    bool runGo();

private:
    explicit ParameterChain(Program& program);
    void follow(QWidget* window);
    // The dialog that follows an accepted one during "Set All Parameters".
    void acceptedDuringSetAll(std::type_index accepted);
    QDialog& bulletDialog();

    Program& program_;
};
