#include "HostileInput.h"

#include <sqlite3.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextEdit>
#include <QToolButton>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "BulletDatabaseLocation.h"
#include "frmTrajectory.h"

namespace hostile {

const std::vector<QString>& texts() {
    static const std::vector<QString> all = {
        QString(), QStringLiteral("   "), QStringLiteral("abc"), QStringLiteral("-"), QStringLiteral("."),
        QStringLiteral("1e"), QStringLiteral("1e999"), QStringLiteral("-1e999"), QStringLiteral("1e-320"),
        QStringLiteral("nan"), QStringLiteral("inf"), QStringLiteral("0x10"), QStringLiteral("1,5"),
        QString(10000, QLatin1Char('9')), QStringLiteral("'"), QStringLiteral("\""),
        QString::fromUtf8("\xC3\x84\x72\x6D\x65\x6C \xC3\xB8\xC3\xA6 \xCE\xA9\xCE\xBC \xE6\x97\xA5\xE6\x9C\xAC"),
    };
    return all;
}

Watchdog::Watchdog(std::chrono::milliseconds limit)
    : limit_(limit), deadline_(std::chrono::steady_clock::now() + limit), thread_([this] { watch(); }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Watchdog::stage(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    stage_ = name;
    deadline_ = std::chrono::steady_clock::now() + limit_;
}

void Watchdog::watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
        if (wake_.wait_until(lock, deadline_, [this] { return stop_; })) return;
        if (std::chrono::steady_clock::now() < deadline_) continue;  // the deadline moved meanwhile
        std::fprintf(stderr, "watchdog: \"%s\" ran longer than %lld ms; the sweep hangs\n", stage_.c_str(),
                     static_cast<long long>(limit_.count()));
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
}

namespace {

bool matchesWhole(const QString& pattern, const QString& text) {
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
}

// Boxes the dialogs name when a typed number is too large to use.
const QStringList& namedFields() {
    static const QStringList names = {
        "the Muzzle Velocity", "the Maximum Deviation", "the Zero Crossing", "Delta T", "the Angle",
        "the Scope Height", "the Ballistic Coefficient", "the G7 Ballistic Coefficient", "the Bullet Mass",
        "the Altitude (Range Conditions)", "the Barrometric Pressure (Range Conditions)",
        "the Temperature (Range Conditions)", "the Relative Humidity (Range Conditions)",
        "the Cross Wind (Range Conditions)", "the Tail Wind (Range Conditions)",
        "the Altitude (Hunting Conditions)", "the Barrometric Pressure (Hunting Conditions)",
        "the Temperature (Hunting Conditions)", "the Relative Humidity (Hunting Conditions)",
        "the Cross Wind (Hunting Conditions)", "the Tail Wind (Hunting Conditions)",
    };
    return names;
}

}  // namespace

bool isRunFailure(const QString& text) {
    static const QRegularExpression zeroSearch(
        QRegularExpression::anchoredPattern("The zero distance of \\S+ yards cannot be reached: .+"));
    return text.startsWith("The run stopped") || zeroSearch.match(text).hasMatch();
}

bool allowedMessage(const RecordedMessage& m) {
    static const QStringList helpTitles = {
        "Which Mode to Use?", "Which Muzzle Velocity?", "What Maximum Deviation Should I Use?",
        "What is Delta T?", "Range Conditions:", "Hunting Conditions:",
        "Muzzle Velocity is a Function of Temperature", "Muzzle Velocity as a Function of Temperature",
        "Using the Cross & Tail Wind Calculator", "How to Add a Bullet:", "How to Modify Bullet Data:",
        "How to Delete a Bullet:", "Using Search:", "Finding A Bullet:", "Target View Help",
    };
    const QString& text = m.text;
    switch (m.icon) {
    case MessageIcon::Information:
        if (helpTitles.contains(m.title)) return !text.isEmpty();
        if (m.title == "About Tarnwick") return text == "Tarnwick Program\r\nVersion 2.5";
        if (m.title == "Conflicting Options")
            return text == "Energy and Velocity curves cannot be displayed simultaneously.\r\nDisabling Velocity curve." ||
                   text == "Velocity and Energy curves cannot be displayed simultaneously.\r\nDisabling Energy curve.";
        return m.title == kProgramName && text == "No records found";
    case MessageIcon::Question:
        return matchesWhole(QStringLiteral("Error Code=\\d+"), m.title) && !text.isEmpty();
    case MessageIcon::Exclamation:
        if (m.title == "Muzzle Velocity Calculator")
            return text == "Measured Muzzle Velocity must be a number." ||
                   text == "Air/Case Temperature at time of measurement must be a number." ||
                   text == "Air/Case Temperature to calculate for must be a number." ||
                   text == "The calculated muzzle velocity is too large to show." ||
                   text == "The two measurements must be taken at different temperatures." ||
                   text == "The powder sensitivity is too large to use." ||
                   matchesWhole(QStringLiteral("The (first|second) measurement's (temperature|velocity) must be a number\\."),
                                text);
        if (m.title == "Cross & Tail Wind Calculator") return text == "Wind Speed must be a number.";
        if (m.title != kProgramName) return false;
        if (isRunFailure(text)) return true;
        if (matchesWhole(QStringLiteral("(The (twist rate|bullet length|bullet diameter|latitude|azimuth of fire|powder "
                                        "sensitivity)|The (range|speed|clock hour) of wind zone [1-3]) must .+\\."),
                         text))
            return true;
        if (text == "The Ballistic Coefficient must be > 0" || text == "The G7 Ballistic Coefficient must be > 0" ||
            text == "The Bullet Mass must be > 0")
            return true;
        {
            static const QRegularExpression tooLarge(QRegularExpression::anchoredPattern(
                "The number typed for (.+) is too large to be used\\.\r\nPlease type a smaller value\\."));
            const QRegularExpressionMatch match = tooLarge.match(text);
            return match.hasMatch() && namedFields().contains(match.captured(1));
        }
    }
    return false;
}

QStringList nonFiniteParameters(const tarnwick::ShotParameters& p) {
    const std::pair<double, const char*> members[] = {
        {p.BallisticCoefLow, "BallisticCoefLow"}, {p.BallisticCoefMid, "BallisticCoefMid"},
        {p.BallisticCoefHigh, "BallisticCoefHigh"}, {p.Altitude, "Altitude"}, {p.HAltitude, "HAltitude"},
        {p.ScopeHeight, "ScopeHeight"}, {p.SaveScopeHeight, "SaveScopeHeight"}, {p.Temperature, "Temperature"},
        {p.HTemperature, "HTemperature"}, {p.BarometricPressure, "BarometricPressure"},
        {p.HBarometricPressure, "HBarometricPressure"}, {p.BCBreakLow, "BCBreakLow"},
        {p.BCBreakHigh, "BCBreakHigh"}, {p.BallisticCoefG7, "BallisticCoefG7"}, {p.MaxDeviation, "MaxDeviation"},
        {p.BulletMass, "BulletMass"},
        {p.InitialVelocity, "InitialVelocity"}, {p.RelHumidity, "RelHumidity"}, {p.HRelHumidity, "HRelHumidity"},
        {p.DeltaT, "DeltaT"}, {p.DropTable, "DropTable"}, {p.LOSAngle, "LOSAngle"},
        {p.VerticalScale, "VerticalScale"}, {p.HorizontalScale, "HorizontalScale"}, {p.RCrossWind, "RCrossWind"},
        {p.RTailWind, "RTailWind"}, {p.HCrossWind, "HCrossWind"}, {p.HTailWind, "HTailWind"}, {p.Pi, "Pi"},
        {p.TwistRate, "TwistRate"}, {p.BulletLength, "BulletLength"}, {p.BulletDiameter, "BulletDiameter"},
        {p.Azimuth, "Azimuth"}, {p.PowderSensitivity.value_or(0), "PowderSensitivity"},
    };
    QStringList bad;
    for (const auto& [value, name] : members)
        if (!std::isfinite(value)) bad << QString::fromLatin1(name);
    return bad;
}

QStringList dumpBullets(const QString& path) {
    QStringList rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT rowid, * FROM Bullets ORDER BY rowid", -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList fields;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                const int type = sqlite3_column_type(stmt, i);
                const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
                fields << QString::number(type) + ':' + QString::fromUtf8(value ? value : "");
            }
            rows << fields.join('|');
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

}  // namespace hostile

void HostileInputTest::SetUp() {
    GuiTest::SetUp();
    QDir().mkpath(scratchFolder());
    // The printer writes into the test's own folder; every file dialog cancels.
    services->pdfPath = QDir(scratchFolder()).filePath("printed.pdf");
    main().show();
}

frmTrajectory& HostileInputTest::main() { return program->window<frmTrajectory>(); }


void HostileInputTest::typeIntoEveryBox(QWidget& window, const QString& text) {
    for (QLineEdit* box : window.findChildren<QLineEdit*>())
        if (!box->isReadOnly()) box->setText(text);
    for (QTextEdit* box : window.findChildren<QTextEdit*>())
        if (!box->isReadOnly()) box->setPlainText(text);
    for (QPlainTextEdit* box : window.findChildren<QPlainTextEdit*>())
        if (!box->isReadOnly()) box->setPlainText(text);
}

void HostileInputTest::pressEverything(QWidget& window, const QStringList& skip) {
    // Option buttons are chosen by the rounds of modes and variants, not pressed here.
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (qobject_cast<QRadioButton*>(button) || skip.contains(button->objectName())) continue;
        // Qt's own helpers (the menu bar's overflow button) open menus that wait for the user.
        if (button->objectName().startsWith("qt_")) continue;
        if (const auto* tool = qobject_cast<QToolButton*>(button); tool && tool->menu()) continue;
        if (button->isEnabled()) button->click();
    }
    for (QAction* item : window.findChildren<QAction*>()) {
        if (item->isSeparator() || !item->objectName().startsWith("mnu") || skip.contains(item->objectName())) continue;
        // Only what the user can reach: hidden items stay untouched.
        if (item->isVisible() && item->isEnabled()) item->trigger();
    }
}

void HostileInputTest::plotAndClick() {
    frmTrajectory& w = main();
    w.mnuPlot_Click();
    for (const double x : {5.0, 60.0, 300.0, 570.0}) w.Form_MouseDown(Qt::LeftButton, Qt::NoModifier, x, 100);
}

void HostileInputTest::checkRound(const std::string& where) {
    bool runStopped = false;
    for (const RecordedMessage& m : services->messages) {
        if (hostile::isRunFailure(m.text)) runStopped = true;
        if (!hostile::allowedMessage(m))
            ADD_FAILURE() << where << ": unexpected message box \"" << m.title.toStdString()
                          << "\": " << m.text.left(300).toStdString();
    }
    if (!runStopped) {
        ++completedRounds;
        const QStringList bad = hostile::nonFiniteParameters(params());
        EXPECT_TRUE(bad.isEmpty()) << where << ": not finite without a stopped run: " << bad.join(", ").toStdString();
    }
    services->messages.clear();
}
