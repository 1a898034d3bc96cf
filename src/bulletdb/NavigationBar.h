#pragma once
// The four-button bar that pages through a bullet table: first, previous, next, last,
// with a caption in the middle of the bar.
#include <QFrame>
#include <QToolButton>

class QLabel;

class NavigationBar : public QFrame {
    Q_OBJECT
public:
    NavigationBar(const QString& caption, QWidget* parent = nullptr);

    QToolButton* cmdFirst = nullptr;
    QToolButton* cmdPrevious = nullptr;
    QToolButton* cmdNextRow = nullptr;
    QToolButton* cmdLast = nullptr;
    QLabel* lblCaption = nullptr;

signals:
    void first();
    void previous();
    void next();
    void last();
};
