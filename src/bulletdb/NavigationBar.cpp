#include "NavigationBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace {
QToolButton* makeButton(QWidget* parent, const QString& text, const QString& name, const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAutoRaise(false);
    button->setFixedWidth(26);
    return button;
}
}  // namespace

NavigationBar::NavigationBar(const QString& caption, QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    // A grey bar with black text on any window colour.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Light, Qt::white);
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));
    palette.setColor(QPalette::Mid, QColor(160, 160, 160));
    setPalette(palette);

    cmdFirst = makeButton(this, QStringLiteral("|<"), QStringLiteral("cmdFirst"), tr("First entry"));
    cmdPrevious = makeButton(this, QStringLiteral("<"), QStringLiteral("cmdPrevious"), tr("Previous entry"));
    cmdNextRow = makeButton(this, QStringLiteral(">"), QStringLiteral("cmdNextRow"), tr("Next entry"));
    cmdLast = makeButton(this, QStringLiteral(">|"), QStringLiteral("cmdLast"), tr("Last entry"));
    // The caption keeps its leading blanks, so the word sits near the middle of the bar.
    lblCaption = new QLabel(caption, this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(cmdFirst);
    layout->addWidget(cmdPrevious);
    layout->addWidget(lblCaption, 1);
    layout->addWidget(cmdNextRow);
    layout->addWidget(cmdLast);

    connect(cmdFirst, &QToolButton::clicked, this, &NavigationBar::first);
    connect(cmdPrevious, &QToolButton::clicked, this, &NavigationBar::previous);
    connect(cmdNextRow, &QToolButton::clicked, this, &NavigationBar::next);
    connect(cmdLast, &QToolButton::clicked, this, &NavigationBar::last);
}
