#pragma once
// A number box whose value is kept in imperial units (as the parameter set holds it)
// and shown and typed in the user's unit system. Conversions go through Units.h only.
// The box remembers what it showed: while its text is unchanged it reads back exactly
// the value it was given, so formatting never makes a stored value drift.
#include <QString>
#include <optional>
#include <string_view>

#include "Units.h"

class QLineEdit;

class UnitField {
public:
    using Format = QString (*)(double);
    // How a text is read: std::nullopt when it holds no number.
    using Reader = std::optional<double> (*)(std::string_view);

    UnitField() = default;
    // The box's creation text is taken as written in imperial units. `imperial` and
    // `metric` write a shown value in each system.
    UnitField(QLineEdit* box, tarnwick::Quantity quantity, Format imperial = defaultImperialText,
              Format metric = defaultMetricText);

    QLineEdit* box() const { return box_; }
    tarnwick::Quantity quantity() const { return quantity_; }
    tarnwick::UnitSystem units() const { return units_; }

    // Shows the imperial value `stored` in `units`.
    void show(double stored, tarnwick::UnitSystem units);
    // Shows a text written in `units` as it is (a text kept as the user typed it).
    void showText(const QString& text, tarnwick::UnitSystem units);
    // Writes the box's value, as `read` finds it, in `units` when its text is in the
    // other system. A blank text stays blank, and one `read` finds no number in stays
    // as it is.
    void express(tarnwick::UnitSystem units, Reader read = lenient);

    // True while the text is the one last shown.
    bool unchanged() const;
    // The imperial value of the box: the value shown while the text is unchanged,
    // otherwise the number `read` finds in the text, converted from the box's units.
    std::optional<double> stored(Reader read = lenient) const;

    // The dialogs' lenient reading (tarnwick::readLenient), which always finds a number.
    static std::optional<double> lenient(std::string_view text);
    // numberText; the metric value rounded to six significant digits, then numberText.
    static QString defaultImperialText(double value);
    static QString defaultMetricText(double value);

private:
    QLineEdit* box_ = nullptr;
    tarnwick::Quantity quantity_ = tarnwick::Quantity::Range;
    Format imperial_ = defaultImperialText;
    Format metric_ = defaultMetricText;
    tarnwick::UnitSystem units_ = tarnwick::UnitSystem::Imperial;
    QString shownText_;
    std::optional<double> shownValue_;  // the stored value behind shownText_, when known
};

// "(fps)" style captions: the caption with the unit's name put in for the imperial word
// in metric; the imperial caption as it is.
QString unitCaption(const QString& imperialCaption, const char* imperialWord, tarnwick::Quantity quantity,
                    tarnwick::UnitSystem units);
