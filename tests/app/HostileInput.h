#pragma once
// Shared pieces of the hostile-input sweep: the texts typed into every box, a watchdog
// that ends a hung sweep, the list of message boxes the program may show, and a
// fixture that checks the parameter set and the bullet table after each round.
#include <QString>
#include <QStringList>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "GuiTest.h"

class QWidget;
class frmTrajectory;

namespace hostile {

// Every text each box receives: empty, blanks, letters, signs and points alone, a
// cut-off exponent, overflow and underflow, words a reader might take for numbers,
// a decimal comma, 10,000 characters, quotes and letters outside ASCII.
const std::vector<QString>& texts();

// Ends the test program when one stage of the sweep runs longer than its limit, naming
// the stage, so that a hang fails the run instead of stalling it.
class Watchdog {
public:
    explicit Watchdog(std::chrono::milliseconds limit);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Starts the next stage with a fresh limit.
    void stage(const std::string& name);

private:
    void watch();

    std::chrono::milliseconds limit_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string stage_;
    std::chrono::steady_clock::time_point deadline_;
    bool stop_ = false;
    std::thread thread_;
};

// True for the message of a plot run that stopped at a numeric failure (the Varmint
// zero search names the distance it could not reach instead).
bool isRunFailure(const QString& text);

// True for a message box the program is meant to show: a help text, the About box,
// "Conflicting Options", a dialog or calculator refusing a field it names, a run that
// stopped, a database error box, "No records found".
bool allowedMessage(const RecordedMessage& message);

// The names of the members of the parameter set that hold a number that is not finite.
QStringList nonFiniteParameters(const tarnwick::ShotParameters& params);

// Every row of the table Bullets of a database file, one line per row with the rowid
// and each value with its storage class; empty when the file cannot be read.
QStringList dumpBullets(const QString& path);

}  // namespace hostile

class HostileInputTest : public GuiTest {
protected:
    void SetUp() override;

    frmTrajectory& main();

    // Types `text` into every text box of `window` that accepts typing.
    static void typeIntoEveryBox(QWidget& window, const QString& text);
    // Presses every button and triggers every menu item of `window`, except the ones
    // named in `skip`.
    static void pressEverything(QWidget& window, const QStringList& skip);

    // A plot run, then left presses on the canvas before the axis, near the muzzle and
    // far down range.
    void plotAndClick();

    // The checks after one round: only allowed message boxes, and a parameter set of
    // finite numbers unless the run said it stopped. Clears the recorded messages.
    void checkRound(const std::string& where);
    // Rounds whose run did not stop: a sweep whose runs all stop early proves little.
    int completedRounds = 0;

    QString scratchFolder() const { return settingsDir.filePath("scratch"); }
};
