#include "UnitField.h"

#include <QLineEdit>
#include <charconv>
#include <cmath>

#include "DialogSupport.h"
#include "NumberText.h"

UnitField::UnitField(QLineEdit* box, tarnwick::Quantity quantity, Format imperial, Format metric)
    : box_(box), quantity_(quantity), imperial_(imperial), metric_(metric), shownText_(box->text()) {}

void UnitField::show(double stored, tarnwick::UnitSystem units) {
    const double shown = tarnwick::shownValue(quantity_, units, stored);
    units_ = units;
    shownText_ = units == tarnwick::UnitSystem::Metric ? metric_(shown) : imperial_(shown);
    shownValue_ = stored;
    box_->setText(shownText_);
}

void UnitField::showText(const QString& text, tarnwick::UnitSystem units) {
    units_ = units;
    shownText_ = text;
    shownValue_.reset();
    box_->setText(text);
}

void UnitField::express(tarnwick::UnitSystem units, Reader read) {
    if (units == units_) return;
    const std::optional<double> value = box_->text().trimmed().isEmpty() ? std::nullopt : stored(read);
    if (value) show(*value, units);
    else showText(box_->text(), units);
}

bool UnitField::unchanged() const { return box_->text() == shownText_; }

std::optional<double> UnitField::stored(Reader read) const {
    if (shownValue_ && unchanged()) return shownValue_;
    const std::optional<double> typed = read(box_->text().toStdString());
    if (!typed) return std::nullopt;
    return tarnwick::storedValue(quantity_, units_, *typed);
}

std::optional<double> UnitField::lenient(std::string_view text) { return tarnwick::readLenient(text); }

QString UnitField::defaultImperialText(double value) { return numberText(value); }

QString UnitField::defaultMetricText(double value) {
    if (!std::isfinite(value)) return numberText(value);
    // Six significant digits hide the last bits a conversion leaves (609.6, not
    // 609.600000000001); the stored value behind the text stays exact.
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6).ptr;
    double rounded = value;
    std::from_chars(buffer, end, rounded);
    return numberText(rounded);
}

QString unitCaption(const QString& imperialCaption, const char* imperialWord, tarnwick::Quantity quantity,
                    tarnwick::UnitSystem units) {
    if (units == tarnwick::UnitSystem::Imperial) return imperialCaption;
    QString caption = imperialCaption;
    return caption.replace(QString::fromLatin1(imperialWord), QString::fromLatin1(tarnwick::unitName(quantity, units)));
}
