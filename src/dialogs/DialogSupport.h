#pragma once
// What the parameter dialogs share: number boxes (lenient reading, shortest decimal
// text), help texts written line by line, and the accept button.
#include <QString>
#include <initializer_list>
#include <optional>

class QLineEdit;
class QWidget;
class Program;
class UnitField;

// The shortest decimal text of a value, as the dialogs show numbers ("3", "2000", "0.001").
QString numberText(double value);

// Reads a box leniently (leading blanks skipped, the longest leading number taken,
// 0 when there is none) and converts it as value * multiplier / divisor.
// A result that is not finite (a typed 1e999, or a wind speed whose conversion
// overflows) cannot be used by a plot run: a message names the field, the box gets
// the focus with its text selected, and std::nullopt comes back so that the caller
// stores nothing.
std::optional<double> readNumberBox(Program& program, QWidget* dialog, QLineEdit* box, const QString& fieldName,
                                    double multiplier = 1.0, double divisor = 1.0);
// The same for a box with units: its stored (imperial) value, converted and checked.
std::optional<double> readNumberBox(Program& program, QWidget* dialog, const UnitField& field, const QString& fieldName,
                                    double multiplier = 1.0, double divisor = 1.0);

// Lines joined by CR LF, as message texts are written.
QString joinLines(std::initializer_list<const char*> lines);

class QHBoxLayout;
class QPushButton;

// The button that accepts a dialog; Enter in any of its boxes presses it.
QPushButton* acceptButton(QWidget* dialog, const char* name, const char* caption);

// A row with `widget` centred in it (the dialogs' button row).
QHBoxLayout* centredRow(QWidget* widget);
