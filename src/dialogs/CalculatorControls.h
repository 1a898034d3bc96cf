#pragma once
// Small builders for the calculators' controls: every control carries its name as its
// objectName, so other code and tests find it by name.
#include <QLineEdit>
#include <QString>

template <class T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A right-aligned number box of fixed width.
inline QLineEdit* numberBox(const char* name, const QString& text = QString(), int width = 90) {
    QLineEdit* box = named(new QLineEdit(text), name);
    box->setFixedWidth(width);
    box->setAlignment(Qt::AlignRight);
    return box;
}
